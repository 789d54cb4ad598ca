#pragma once

#include <QString>

namespace hitungrama {

// The access key a caption gives: the character after the first "&" in lower
// case; after a doubled "&&" (drawn as one "&") the character after the next
// "&" instead. Later ampersands are not looked at. Empty when there is none.
QString accessKeyOfCaption(const QString &caption);

// The caption as read aloud: "&&" becomes "&", any other "&" is dropped.
QString captionWithoutMnemonics(const QString &caption);

} // namespace hitungrama
