#include "tape/tapemodule.h"

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

const TapeModule kModule = {
    createStore, createModel, TapeStore::defaultPath, TapeExport::formatFor, TapeExport::plainText,
};

} // namespace
} // namespace hitungrama

extern "C" const hitungrama::TapeModule *hitungramaTapeModule()
{
    return &hitungrama::kModule;
}
