#include "actionrunner.h"

#include "statereport.h"
#include "window/form1.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QCursor>
#include <QKeySequence>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

namespace hitungrama {

namespace {

// Long enough for the buttons' 1 ms hover timer to run a few times.
constexpr int kHoverSettleMs = 8;

// The first word of a line and the rest after its separating blank.
struct Split {
    QString word;
    QString rest;
};

Split splitFirst(const QString &text)
{
    const int blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {text, QString()};
    return {text.left(blank), text.mid(blank + 1)};
}

} // namespace

ActionRunner::ActionRunner(Form1 &form, RecordingMessageBoxService &boxes)
    : m_form(form)
    , m_boxes(boxes)
{
    QObject::connect(&m_form, &Form1::exitRequested, &m_form, [this] { m_exited = true; });
    QObject::connect(&m_form, &Form1::inputRefused, &m_form, [this] { ++m_beeps; });
}

void ActionRunner::showWindow()
{
    m_form.centreOnScreen();
    m_form.show();
    m_form.activateWindow();
    // Without a window manager the window may never become active; exposed
    // is enough to take input then.
    if (!QTest::qWaitForWindowActive(&m_form, 2000) && !QTest::qWaitForWindowExposed(&m_form, 2000))
        qWarning("hitungrama-replay: the window was not shown");
    settle(1);
}

QStringList ActionRunner::perform(const QString &rawLine)
{
    QString line = rawLine;
    while (line.endsWith(QLatin1Char('\r')) || line.endsWith(QLatin1Char('\n')))
        line.chop(1);
    const QString trimmed = line.trimmed();
    if (m_exited || trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
        return {};

    m_boxes.takeRecords();
    m_beeps = 0;
    const Split split = splitFirst(line.mid(line.indexOf(trimmed.at(0))));
    const QString &verb = split.word;
    const QStringList words = split.rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString error;

    if (verb == QLatin1String("click")) {
        if (words.isEmpty())
            return {report(line, QStringLiteral("click needs at least one control"))};
        QStringList results;
        for (const QString &ref : words) {
            QString refError;
            if (QWidget *widget = resolve(ref, &refError)) {
                const QPoint point = centreOf(widget);
                movePointer(point);
                pointerButton(point, Press::Down);
                if (!m_exited)
                    pointerButton(point, Press::Up);
            }
            results << report(line, refError);
            m_boxes.takeRecords();
            m_beeps = 0;
            if (m_exited)
                break;
        }
        return results;
    }

    if (verb == QLatin1String("dblclick") || verb == QLatin1String("press")
        || verb == QLatin1String("release") || verb == QLatin1String("move")) {
        if (words.size() != 1) {
            error = QStringLiteral("%1 needs exactly one control").arg(verb);
        } else if (verb == QLatin1String("move") && words.first() == QLatin1String("away")) {
            moveAway();
        } else if (QWidget *widget = resolve(words.first(), &error)) {
            const QPoint point = centreOf(widget);
            movePointer(point);
            if (verb == QLatin1String("dblclick"))
                doubleClick(point);
            else if (verb == QLatin1String("press"))
                pointerButton(point, Press::Down);
            else if (verb == QLatin1String("release"))
                pointerButton(point, Press::Up);
        }
    } else if (verb == QLatin1String("answer")) {
        if (words.size() == 1 && words.first() == QLatin1String("yes"))
            m_boxes.queueAnswer(true);
        else if (words.size() == 1 && words.first() == QLatin1String("no"))
            m_boxes.queueAnswer(false);
        else
            error = QStringLiteral("answer takes yes or no");
    } else if (verb == QLatin1String("type")) {
        error = typeText(split.rest);
    } else if (verb == QLatin1String("key")) {
        error = pressKeys(split.rest.trimmed());
    } else if (verb == QLatin1String("shot")) {
        const Split target = splitFirst(split.rest.trimmed());
        error = shoot(target.word, target.rest);
    } else if (verb != QLatin1String("state")) {
        error = QStringLiteral("unknown action \"%1\"").arg(verb);
    }
    return {report(line, error)};
}

QString ActionRunner::report(const QString &action, const QString &error)
{
    StateReport::Extras extras;
    extras.boxes = m_boxes.records();
    extras.beeps = m_beeps;
    extras.exited = m_exited;
    extras.error = error;
    return StateReport::build(m_form, action, extras);
}

QWidget *ActionRunner::resolve(const QString &ref, QString *error) const
{
    if (ref == QLatin1String("window") || ref == m_form.objectName())
        return &m_form;
    static const QRegularExpression named(QStringLiteral("^([A-Za-z][A-Za-z0-9]*)(?:\\((\\d{1,5})\\))?$"));
    const QRegularExpressionMatch match = named.match(ref);
    if (match.hasMatch()) {
        const int index = match.captured(2).isEmpty() ? -1 : match.captured(2).toInt();
        if (QWidget *widget = m_form.controls().widget(match.captured(1), index))
            return widget;
    }
    for (XPButton *button : m_form.controls().buttons()) {
        if (button->caption() == ref)
            return button;
    }
    *error = QStringLiteral("no control \"%1\"").arg(ref);
    return nullptr;
}

QPoint ActionRunner::centreOf(QWidget *widget) const
{
    return widget == &m_form ? m_form.rect().center()
                             : widget->mapTo(&m_form, widget->rect().center());
}

void ActionRunner::settle(int milliseconds)
{
    QCoreApplication::processEvents();
    QTest::qWait(milliseconds);
}

void ActionRunner::movePointer(const QPoint &windowPoint)
{
    QCursor::setPos(m_form.mapToGlobal(windowPoint));
    settle(kHoverSettleMs);
}

void ActionRunner::moveAway()
{
    const QRect frame = m_form.frameGeometry();
    QPoint outside = frame.bottomRight() + QPoint(20, 20);
    // Stay on a screen: use the opposite corner when the window touches the edge.
    if (const QScreen *screen = m_form.screen()) {
        if (!screen->geometry().contains(outside))
            outside = frame.topLeft() - QPoint(20, 20);
    }
    QCursor::setPos(outside);
    settle(kHoverSettleMs);
}

void ActionRunner::pointerButton(const QPoint &windowPoint, Press press)
{
    QWidget *target = nullptr;
    if (QWidget *grabber = QWidget::mouseGrabber())
        target = grabber;
    else if (press == Press::Up && m_pressTarget)
        target = m_pressTarget;
    else if (m_form.rect().contains(windowPoint))
        target = m_form.childAt(windowPoint) != nullptr ? m_form.childAt(windowPoint) : &m_form;
    if (press == Press::Up)
        m_pressTarget = nullptr;
    if (target == nullptr || !target->isEnabled())
        return;

    const QPoint local = target->mapFrom(&m_form, windowPoint);
    if (press == Press::Down) {
        m_pressTarget = target;
        QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, local);
    } else {
        QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, local);
    }
    settle(0);
}

void ActionRunner::doubleClick(const QPoint &windowPoint)
{
    // A quick pair: press, release, then the second press that the platform
    // follows with a double-click event, then its release.
    pointerButton(windowPoint, Press::Down);
    if (!m_exited)
        pointerButton(windowPoint, Press::Up);
    if (m_exited)
        return;
    pointerButton(windowPoint, Press::Down);
    if (m_exited)
        return;
    QWidget *target = QWidget::mouseGrabber() != nullptr ? QWidget::mouseGrabber()
                                                          : m_pressTarget.data();
    if (target != nullptr && target->isEnabled()) {
        QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier,
                           target->mapFrom(&m_form, windowPoint));
        settle(0);
    }
    if (!m_exited)
        pointerButton(windowPoint, Press::Up);
}

QString ActionRunner::typeText(const QString &text)
{
    QLineEdit *display = m_form.display();
    if (display == nullptr)
        return QStringLiteral("the window has no display");
    display->setFocus(Qt::OtherFocusReason);
    display->selectAll();
    for (const QChar character : text) {
        if (m_exited)
            break;
        if (character.unicode() >= 0x20 && character.unicode() < 0x7F) {
            QTest::keyClick(display, character.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, display, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        }
    }
    settle(0);
    return QString();
}

QString ActionRunner::pressKeys(const QString &keys)
{
    const QKeySequence sequence = QKeySequence::fromString(keys, QKeySequence::PortableText);
    if (keys.isEmpty() || sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown)
        return QStringLiteral("not a key: \"%1\"").arg(keys);
    QWidget *target = QApplication::focusWidget();
    if (target == nullptr || target->window() != &m_form)
        target = m_form.focusWidget() != nullptr ? m_form.focusWidget() : &m_form;
    QTest::keyClick(target, sequence[0].key(), sequence[0].keyboardModifiers());
    settle(1);
    return QString();
}

QString ActionRunner::shoot(const QString &ref, const QString &file)
{
    if (ref.isEmpty() || file.isEmpty())
        return QStringLiteral("shot needs a control and a file");
    QString error;
    QWidget *widget = resolve(ref, &error);
    if (widget == nullptr)
        return error;
    settle(0);
    QImage image;
    if (auto *button = qobject_cast<XPButton *>(widget))
        image = button->image();
    else
        image = widget->grab().toImage();
    if (image.isNull() || !image.save(file, "PNG"))
        return QStringLiteral("cannot write \"%1\"").arg(file);
    return QString();
}

} // namespace hitungrama
