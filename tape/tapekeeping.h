#pragma once

// "Simpan riwayat": whether lines are kept on disk. The choice lives in a
// settings file, which every running copy of the program shares, so turning
// it off in one stops all of them: the writer asks isOn() before every write.
// Without a settings file (an empty name) the choice could be neither kept
// nor shared, and the store's and the writer's copies would disagree: the
// answer is then always off, and set() changes nothing.

#include <QString>

#include <memory>

class QSettings;

namespace hitungrama {

class TapeKeeping {
public:
    explicit TapeKeeping(const QString &settingsFile);
    ~TapeKeeping();

    // Re-reads the settings file first, so another program's change counts.
    bool isOn();
    void set(bool on);

private:
    QSettings &settings();

    QString m_settingsFile;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace hitungrama
