#pragma once

#include <QTemporaryDir>

namespace hitungrama {

// Points XDG_DATA_HOME and XDG_CONFIG_HOME at a fresh folder for as long as
// it lives, so that a test or tool never reads or writes the tape and the
// settings of the person running it. Create it before the QApplication.
class TemporaryHome {
public:
    TemporaryHome();

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

} // namespace hitungrama
