#include "displayrule.h"

#include "engine/engineerror.h"
#include "engine/numbertext.h"

namespace hitungrama {

QString DisplayRule::normalised(const QString &text)
{
    QString result = text;
    if (result.endsWith(QLatin1Char('.')))
        result.chop(1);
    qsizetype zeros = 0;
    while (zeros < result.size() && result.at(zeros) == QLatin1Char('0'))
        ++zeros;
    return result.mid(zeros);
}

bool DisplayRule::accepts(const QString &display, const QString &typed)
{
    const QString text = normalised(display);
    if (text.isEmpty() || text == QLatin1String("memory can't Accept 0") || text == normalised(typed))
        return true;
    try {
        parseStrict(text.toStdString());
        return true;
    } catch (const EngineError &) {
        return false;
    }
}

} // namespace hitungrama
