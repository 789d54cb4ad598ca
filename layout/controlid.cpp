#include "layout/controlid.h"

namespace hitungrama {

QString controlIdText(const QString &name, int index)
{
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

} // namespace hitungrama
