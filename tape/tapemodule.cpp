#include "tape/tapemodule.h"

#include "tape/tapeexportjob.h"
#include "tape/tapemodel.h"
#include "tape/tapestore.h"

namespace hitungrama {
namespace {

TapeStore *createStore(const TapeOptions &options)
{
    return new TapeStore(options);
}

TapeModel *createModel(TapeStore &store, QObject *parent)
{
    return new TapeModel(store, parent);
}

TapeExportJob *startExport(TapeStore &store, const QString &path, TapeExport::Format format, QObject *parent)
{
    return new TapeExportJob(store, path, format, parent);
}

const TapeModule kModule = {
    createStore, createModel, TapeStore::defaultPath, TapeExport::formatFor, TapeExport::plainText, startExport,
};

} // namespace
} // namespace hitungrama

extern "C" const hitungrama::TapeModule *hitungramaTapeModule()
{
    return &hitungrama::kModule;
}
