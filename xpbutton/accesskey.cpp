#include "xpbutton/accesskey.h"

namespace hitungrama {

QString accessKeyOfCaption(const QString &caption)
{
    const qsizetype length = caption.size();
    if (length <= 1)
        return {};
    const QChar amp(QLatin1Char('&'));
    qsizetype at = caption.indexOf(amp);
    if (at < 0 || at == length - 1)
        return {};
    if (caption.at(at + 1) != amp)
        return caption.mid(at + 1, 1).toLower();
    at = caption.indexOf(amp, at + 2);
    if (at < 0 || at == length - 1)
        return {};
    if (caption.at(at + 1) == amp)
        return {};
    return caption.mid(at + 1, 1).toLower();
}

QString captionWithoutMnemonics(const QString &caption)
{
    QString result;
    result.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&')) {
                result.append(QLatin1Char('&'));
                ++i;
            }
            continue;
        }
        result.append(caption.at(i));
    }
    return result;
}

} // namespace hitungrama
