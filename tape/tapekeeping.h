#pragma once

// "Simpan riwayat": whether lines are kept on disk. The choice lives in
// QSettings, which every running copy of the program shares, so turning it
// off in one stops all of them: the writer asks isOn() before every write.

#include <QString>

#include <memory>

class QSettings;

namespace hitungrama {

class TapeKeeping {
public:
    // An empty file name means the program's own QSettings.
    explicit TapeKeeping(const QString &settingsFile = QString());
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
