#include "tapeview/tapemoduleloader.h"

#include "tape/tapemodule.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QtDebug>

#include <dlfcn.h>

namespace hitungrama::TapeModuleLoader {

const TapeModule *load(const QString &path, QString *error)
{
    // A copy loaded already under the library's name (the tests and tools
    // link it), else the one at `path` (the program's own), else whatever
    // the name finds along the program's run path (a test or tool that
    // links the library without calling into it directly). The library
    // stays loaded for the rest of the run: objects made by it live that long.
    const QByteArray name = QFile::encodeName(QFileInfo(path).fileName());
    void *handle = dlopen(name.constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
    if (handle == nullptr)
        handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        *error = QString::fromLocal8Bit(dlerror());
        handle = dlopen(name.constData(), RTLD_NOW | RTLD_LOCAL);
    }
    if (handle == nullptr)
        return nullptr;
    using Entry = const TapeModule *(*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(handle, HITUNGRAMA_TAPE_MODULE_ENTRY));
    if (entry == nullptr) {
        *error = QString::fromLocal8Bit(dlerror());
        dlclose(handle);
        return nullptr;
    }
    return entry();
}

const TapeModule *module()
{
    static const TapeModule *const loaded = [] {
        QString error;
        const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/')
                             + QLatin1String(HITUNGRAMA_TAPE_LIBRARY);
        const TapeModule *table = load(path, &error);
        if (table == nullptr)
            qWarning().noquote() << "The tape is not available:" << error;
        return table;
    }();
    return loaded;
}

} // namespace hitungrama::TapeModuleLoader
