#include "harness/actionrunner.h"

#include "harness/statereport.h"
#include "form/form1.h"
#include "app/programstart.h"
#include "tapeview/tapewindow.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMimeData>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QWindow>

namespace hitungrama {

namespace {

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

struct ActionRunner::Line {
    QString text;  // as read, without its line end
    QString verb;
    QString rest;  // after the verb and its blank
    QStringList words;
};

ActionRunner::ActionRunner(Form1 &form, RecordingMessageBoxService &boxes)
    : m_form(form)
    , m_boxes(boxes)
    , m_tape(form)
{
    QObject::connect(&m_form, &Form1::exitRequested, &m_form, [this] { m_exited = true; });
    QObject::connect(&m_form, &Form1::inputRefused, &m_form, [this] { ++m_beeps; });
}

void ActionRunner::showWindow()
{
    ProgramStart::show(m_form);
    m_form.activateWindow();
    // Without a window manager the window may never become active; exposed
    // is enough to take input then.
    if (!QTest::qWaitForWindowActive(&m_form, 2000) && !QTest::qWaitForWindowExposed(&m_form, 2000))
        qWarning("hitungrama harness: the window was not shown");
    settle(1);
}

ActionRunner::Verb ActionRunner::verbNamed(const QString &name)
{
    static const struct {
        QLatin1String name;
        Verb verb;
    } verbs[] = {
        {QLatin1String("click"), &ActionRunner::click},
        {QLatin1String("dblclick"), &ActionRunner::dblclick},
        {QLatin1String("press"), &ActionRunner::press},
        {QLatin1String("release"), &ActionRunner::release},
        {QLatin1String("move"), &ActionRunner::move},
        {QLatin1String("answer"), &ActionRunner::answer},
        {QLatin1String("type"), &ActionRunner::type},
        {QLatin1String("paste"), &ActionRunner::paste},
        {QLatin1String("key"), &ActionRunner::key},
        {QLatin1String("shot"), &ActionRunner::shot},
        {QLatin1String("state"), &ActionRunner::state},
        {QLatin1String("tape"), &ActionRunner::tape},
    };
    for (const auto &entry : verbs) {
        if (entry.name == name)
            return entry.verb;
    }
    return nullptr;
}

QStringList ActionRunner::perform(const QString &rawLine)
{
    QString text = rawLine;
    while (text.endsWith(QLatin1Char('\r')) || text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    const QString trimmed = text.trimmed();
    if (m_exited || trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
        return {};

    startAction();
    const Split split = splitFirst(text.mid(text.indexOf(trimmed.at(0))));
    const Line line{text, split.word, split.rest,
                    split.rest.split(QLatin1Char(' '), Qt::SkipEmptyParts)};
    const Verb verb = verbNamed(line.verb);
    if (verb == nullptr)
        return {report(text, QStringLiteral("unknown action \"%1\"").arg(line.verb))};
    static const QStringList givesInput = {
        QStringLiteral("click"), QStringLiteral("dblclick"), QStringLiteral("press"),
        QStringLiteral("type"),  QStringLiteral("paste"),    QStringLiteral("key")};
    if (givesInput.contains(line.verb))
        activateMainWindow();
    return (this->*verb)(line);
}

QString ActionRunner::clickAt(const QPoint &windowPoint, const QString &action)
{
    startAction();
    activateMainWindow();
    movePointer(windowPoint);
    pointerButton(windowPoint, Press::Down);
    if (!m_exited)
        pointerButton(windowPoint, Press::Up);
    return report(action);
}

QStringList ActionRunner::click(const Line &line)
{
    if (line.words.isEmpty())
        return {report(line.text, QStringLiteral("click needs at least one control"))};
    QStringList results;
    for (const QString &ref : line.words) {
        QString error;
        if (QWidget *widget = resolve(ref, &error))
            results << clickAt(centreOf(widget), line.text);
        else
            results << report(line.text, error);
        startAction();
        if (m_exited)
            break;
    }
    return results;
}

std::optional<QPoint> ActionRunner::pointAtControl(const Line &line, QString *error)
{
    if (line.words.size() != 1) {
        *error = QStringLiteral("%1 needs exactly one control").arg(line.verb);
        return std::nullopt;
    }
    QWidget *widget = resolve(line.words.first(), error);
    if (widget == nullptr)
        return std::nullopt;
    const QPoint point = centreOf(widget);
    movePointer(point);
    return point;
}

QStringList ActionRunner::press(const Line &line)
{
    QString error;
    if (const std::optional<QPoint> point = pointAtControl(line, &error))
        pointerButton(*point, Press::Down);
    return {report(line.text, error)};
}

QStringList ActionRunner::release(const Line &line)
{
    QString error;
    if (const std::optional<QPoint> point = pointAtControl(line, &error))
        pointerButton(*point, Press::Up);
    return {report(line.text, error)};
}

QStringList ActionRunner::dblclick(const Line &line)
{
    QString error;
    if (const std::optional<QPoint> point = pointAtControl(line, &error))
        doubleClick(*point);
    return {report(line.text, error)};
}

QStringList ActionRunner::move(const Line &line)
{
    QString error;
    if (line.words == QStringList{QStringLiteral("away")})
        moveAway();
    else
        pointAtControl(line, &error);
    return {report(line.text, error)};
}

QStringList ActionRunner::answer(const Line &line)
{
    const QString word = line.words.size() == 1 ? line.words.first() : QString();
    if (word != QLatin1String("yes") && word != QLatin1String("no"))
        return {report(line.text, QStringLiteral("answer takes yes or no"))};
    m_boxes.queueAnswer(word == QLatin1String("yes"));
    return {report(line.text)};
}

QStringList ActionRunner::type(const Line &line)
{
    return {report(line.text, typeText(line.rest))};
}

QStringList ActionRunner::paste(const Line &line)
{
    return {report(line.text, pasteText(line.rest))};
}

QStringList ActionRunner::key(const Line &line)
{
    return {report(line.text, pressKeys(line.rest.trimmed()))};
}

QStringList ActionRunner::shot(const Line &line)
{
    const Split target = splitFirst(line.rest.trimmed());
    return {report(line.text, shoot(target.word, target.rest))};
}

QStringList ActionRunner::state(const Line &line)
{
    // What is due runs first: the tape window looks for other programs'
    // lines on a timer.
    settle(0);
    return {report(line.text)};
}

QStringList ActionRunner::tape(const Line &line)
{
    const Split what = splitFirst(line.rest);
    QString error;
    if (what.word == QLatin1String("open") && what.rest.trimmed().isEmpty()) {
        error = m_tape.open(keyTarget());
    } else if (what.word == QLatin1String("use") || what.word == QLatin1String("delete")) {
        bool number = false;
        const int n = what.rest.trimmed().toInt(&number);
        if (!number || n < 1)
            error = QStringLiteral("tape %1 needs a line number from 1").arg(what.word);
        else
            error = what.word == QLatin1String("use") ? m_tape.use(n) : m_tape.remove(n);
    } else if (what.word == QLatin1String("search")) {
        error = m_tape.search(what.rest);
    } else {
        error = QStringLiteral("tape takes open, use N, delete N or search TEXT");
    }
    settle(0);
    return {report(line.text, error)};
}

// A user who turns from the tape window to the main window makes it the
// active window first; its keys and shortcuts then act there.
void ActionRunner::activateMainWindow()
{
    const QWidget *tape = m_form.tapeWindow();
    if (tape == nullptr || !tape->isVisible() || QApplication::activeWindow() == &m_form)
        return;
    m_form.activateWindow();
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&m_form, 1000);
}

void ActionRunner::startAction()
{
    m_boxes.takeRecords();
    m_beeps = 0;
}

QString ActionRunner::report(const QString &action, const QString &error)
{
    m_lastError = error;
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
    settle(m_hoverSettleMs);
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
    settle(m_hoverSettleMs);
}

void ActionRunner::pointerButton(const QPoint &windowPoint, Press press)
{
    // Through the window, as a platform delivers it: Qt then keeps the held
    // button, grabs the pointer for the widget under the press, sends that
    // widget the moves and the release, holds back leave events until the
    // release and makes a quick second press a double click. A press outside
    // the window never reaches it; neither does a release with no button held.
    QWindow *window = m_form.windowHandle();
    const bool held = QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
    if (window == nullptr || (press == Press::Down ? !m_form.rect().contains(windowPoint) : !held))
        return;
    static int timestamp = 0;
    timestamp += 1;
    const QPointF local(windowPoint);
    if (press == Press::Down) {
        qt_handleMouseEvent(window, local, window->mapToGlobal(local), Qt::LeftButton,
                            Qt::LeftButton, QEvent::MouseButtonPress, Qt::NoModifier, timestamp);
    } else {
        qt_handleMouseEvent(window, local, window->mapToGlobal(local), Qt::NoButton,
                            Qt::LeftButton, QEvent::MouseButtonRelease, Qt::NoModifier, timestamp);
        // The next press is a click of its own unless doubleClick says otherwise.
        if (!m_inDoubleClick)
            timestamp += QGuiApplication::styleHints()->mouseDoubleClickInterval() + 1;
    }
    settle(0);
}

void ActionRunner::doubleClick(const QPoint &windowPoint)
{
    // A quick pair: press, release, then the second press that the window
    // follows with a double-click event, then its release.
    m_inDoubleClick = true;
    pointerButton(windowPoint, Press::Down);
    if (!m_exited)
        pointerButton(windowPoint, Press::Up);
    m_inDoubleClick = false;
    if (!m_exited)
        pointerButton(windowPoint, Press::Down);
    if (!m_exited)
        pointerButton(windowPoint, Press::Up);
}

QWidget *ActionRunner::keyTarget() const
{
    QWidget *target = QApplication::focusWidget();
    if (target == nullptr || target->window() != &m_form)
        target = m_form.focusWidget() != nullptr ? m_form.focusWidget() : &m_form;
    return target;
}

QString ActionRunner::typeText(const QString &text)
{
    // Each character is a key press and release to whatever has the focus,
    // as a keyboard would send it; the window's key map does the rest.
    for (const QChar character : text) {
        if (m_exited)
            break;
        QWidget *target = keyTarget();
        if (character.unicode() >= 0x20 && character.unicode() < 0x7F) {
            QTest::keyClick(target, character.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        }
    }
    settle(0);
    return QString();
}

QString ActionRunner::pasteText(const QString &text)
{
    // The bytes go on the clipboard as UTF-8 text and come in with Ctrl+V,
    // as a user pastes them. Escapes give what a line cannot hold: "\n",
    // "\r", "\t", "\0", "\\" and "\xHH" (any byte, so also bad UTF-8).
    const QByteArray line = text.toUtf8();
    QByteArray bytes;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (c != '\\' || i + 1 == line.size()) {
            bytes += c;
            continue;
        }
        const char next = line.at(++i);
        static const QByteArray plain = QByteArrayLiteral("nrt0\\");
        static const QByteArray meant = QByteArray("\n\r\t\0\\", 5);
        if (const qsizetype k = plain.indexOf(next); k >= 0) {
            bytes += meant.at(k);
        } else if (next == 'x' && i + 2 < line.size()) {
            bool ok = false;
            bytes += static_cast<char>(line.mid(i + 1, 2).toInt(&ok, 16));
            if (!ok)
                return QStringLiteral("not a byte: \"\\x%1\"").arg(QString::fromUtf8(line.mid(i + 1, 2)));
            i += 2;
        } else {
            return QStringLiteral("unknown escape \"\\%1\"").arg(QLatin1Char(next));
        }
    }
    auto *data = new QMimeData;
    data->setData(QStringLiteral("text/plain;charset=utf-8"), bytes);
    QGuiApplication::clipboard()->setMimeData(data);
    QTest::keyClick(keyTarget(), Qt::Key_V, Qt::ControlModifier);
    settle(0);
    return QString();
}

QString ActionRunner::pressKeys(const QString &keys)
{
    const QKeySequence sequence = QKeySequence::fromString(keys, QKeySequence::PortableText);
    if (keys.isEmpty() || sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown)
        return QStringLiteral("not a key: \"%1\"").arg(keys);
    QTest::keyClick(keyTarget(), sequence[0].key(), sequence[0].keyboardModifiers());
    settle(1);
    return QString();
}

QString ActionRunner::shoot(const QString &ref, const QString &file)
{
    if (ref.isEmpty() || file.isEmpty())
        return QStringLiteral("shot needs a control and a file");
    if (ref == QLatin1String("screen")) {
        // The program's windows as the screen shows them: the part of the
        // screen they cover, the tape window beside the main one.
        settle(0);
        QRect covered;
        for (const QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                covered |= window->frameGeometry();
        }
        QScreen *screen = m_form.screen();
        const QImage image = screen != nullptr
            ? screen->grabWindow(0, covered.x(), covered.y(), covered.width(), covered.height()).toImage()
            : QImage();
        if (image.isNull() || !image.save(file, "PNG"))
            return QStringLiteral("cannot write \"%1\"").arg(file);
        return QString();
    }
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
