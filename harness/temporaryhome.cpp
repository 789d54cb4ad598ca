#include "harness/temporaryhome.h"

#include <QByteArray>
#include <QDir>

namespace hitungrama {

TemporaryHome::TemporaryHome()
    : m_dir(QDir::tempPath() + QStringLiteral("/hitungrama-home-XXXXXX"))
{
    if (!m_dir.isValid())
        qFatal("hitungrama: no temporary folder for the tape and settings: %s",
               qPrintable(m_dir.errorString()));
    const QByteArray root = QFile::encodeName(m_dir.path());
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CONFIG_HOME", root + "/config");
}

} // namespace hitungrama
