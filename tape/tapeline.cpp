#include "tape/tapeline.h"

namespace hitungrama {

QString TapeLine::text() const
{
    return expression + QLatin1String(" = ") + result;
}

} // namespace hitungrama
