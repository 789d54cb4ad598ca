#include "windowcheck.h"

#include "testsupport/displayrule.h"

#include "form/form1.h"
#include "tapeview/tapewindow.h"
#include "tape/tapestore.h"
#include "xpbutton/xpbutton.h"

#include <QLabel>
#include <QLineEdit>

namespace hitungrama::WindowCheck {

namespace {

QString boxProblem(const RecordingMessageBoxService::Record &box)
{
    if (box.request.title.isEmpty())
        return QStringLiteral("a box without a title: \"%1\"").arg(box.request.text);
    const bool fits = box.request.buttons == MessageButtons::YesNo
        ? box.answer == MessageAnswer::Yes || box.answer == MessageAnswer::No
        : box.answer == MessageAnswer::Ok;
    return fits ? QString() : QStringLiteral("the box \"%1\" got an answer its buttons do not offer")
                                  .arg(box.request.text);
}

} // namespace

QString problem(const Form1 &form, const std::vector<RecordingMessageBoxService::Record> &boxes)
{
    const int width = form.outerWidthTwips();
    const FormDescription &description = form.description();
    if (width != description.narrowOuterWidth && width != description.wideOuterWidth)
        return QStringLiteral("the outer width is %1 twips").arg(width);
    const XPButton *toggle = form.widthToggleButton();
    if (toggle == nullptr)
        return QStringLiteral("the window has no width toggle");
    if (width == description.wideOuterWidth && toggle->isHidden())
        return QStringLiteral("the window is wide but its width toggle is hidden");
    if (toggle->caption() != QLatin1String("->") && toggle->caption() != QLatin1String("<-"))
        return QStringLiteral("the width toggle reads \"%1\"").arg(toggle->caption());
    for (const RecordingMessageBoxService::Record &box : boxes) {
        const QString wrong = boxProblem(box);
        if (!wrong.isEmpty())
            return wrong;
    }
    if (const TapeWindow *tape = form.tapeWindow()) {
        if (tape->isVisible() != form.tape()->isWatching())
            return tape->isVisible() ? QStringLiteral("the tape window is open but not watching the tape")
                                     : QStringLiteral("the tape is watched with its window closed");
        if (tape->isVisible() && tape->noticeLabel()->isHidden() != form.tape()->notice().isEmpty())
            return QStringLiteral("the tape window's notice does not follow the tape's (\"%1\")")
                .arg(form.tape()->notice());
    }
    const QString display = form.display() != nullptr ? form.display()->text() : QString();
    if (!DisplayRule::accepts(display.toStdString()))
        return QStringLiteral("the display shows \"%1\", which is neither a number, a message "
                              "nor a binary numeral")
            .arg(display);
    return QString();
}

} // namespace hitungrama::WindowCheck
