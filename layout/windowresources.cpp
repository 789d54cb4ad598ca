#include "layout/windowresources.h"

#include <QtGlobal>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void initWindowResources()
{
    Q_INIT_RESOURCE(hitungrama);
}

namespace hitungrama::WindowResources {

void ensureRegistered()
{
    // Calling the registration from this library also keeps the linker from
    // dropping the resource data.
    static const bool registered = [] {
        initWindowResources();
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace hitungrama::WindowResources
