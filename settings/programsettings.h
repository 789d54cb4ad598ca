#pragma once

#include <QSettings>

namespace hitungrama {

// The program's settings: hitungrama.conf in its configuration folder
// (~/.config/Hitungrama, following XDG_CONFIG_HOME), shared by every running
// copy. The window's place and the tape's "Simpan riwayat" live here.
class ProgramSettings : public QSettings {
public:
    ProgramSettings();

    static QString filePath();
};

} // namespace hitungrama
