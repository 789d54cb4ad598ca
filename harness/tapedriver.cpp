#include "harness/tapedriver.h"

#include "tape/tapemodel.h"
#include "tape/tapestore.h"
#include "form/form1.h"
#include "tapeview/tapewindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QTest>

namespace hitungrama {

namespace {

constexpr int kWaitMs = 5000;
constexpr int kActivationMs = 1000;

// As a user clicks into it first.
void activate(QWidget &window)
{
    if (QApplication::activeWindow() == &window)
        return;
    window.raise();
    window.activateWindow();
    // Without a window manager it may never become active; keys sent to its
    // widgets reach them all the same.
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&window, kActivationMs);
}

} // namespace

TapeDriver::TapeDriver(Form1 &form) : m_form(form) {}

TapeWindow *TapeDriver::shownWindow(QString *error) const
{
    TapeWindow *window = m_form.tapeWindow();
    if (window == nullptr || !window->isVisible() || window->model() == nullptr) {
        *error = QStringLiteral("the tape window is not open");
        return nullptr;
    }
    return window;
}

// Every line queued so far is on the tape, and the list has filled.
bool TapeDriver::settled(TapeWindow &window) const
{
    return m_form.tape()->waitForWrites(kWaitMs)
        && QTest::qWaitFor([&] { return window.model() == nullptr || !window.model()->isLoading(); },
                           kWaitMs);
}

QString TapeDriver::open(QWidget *keyTarget)
{
    QTest::keyClick(keyTarget, Qt::Key_H, Qt::ControlModifier);
    if (m_form.hasExited())
        return QString();
    TapeWindow *window = m_form.tapeWindow();
    if (window == nullptr || !QTest::qWaitForWindowExposed(window, kWaitMs))
        return QStringLiteral("the tape window did not open");
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(window, kActivationMs);
    return settled(*window) ? QString() : QStringLiteral("the tape window is still loading");
}

QString TapeDriver::selectLine(TapeWindow &window, int n)
{
    activate(window);
    if (!settled(window))
        return QStringLiteral("the tape window is still loading");
    QListView *list = window.list();
    list->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(list, Qt::Key_End);
    const TapeModel &model = *window.model();
    const auto noLine = [&] {
        return QStringLiteral("no tape line %1: the list shows %2").arg(n).arg(model.rowCount());
    };
    if (model.rowCount() == 0)
        return noLine();
    for (int step = 1; step < n; ++step) {
        // At the top row the list fetches older lines, as it does for a user.
        if (list->currentIndex().row() == 0) {
            QCoreApplication::processEvents();
            if (!settled(window))
                return QStringLiteral("the tape window is still loading");
            if (list->currentIndex().row() == 0)
                return noLine();
        }
        QTest::keyClick(list, Qt::Key_Up);
    }
    const QList<TapeLine> selected = window.selectedLines();
    if (list->currentIndex().row() != model.rowCount() - n || selected.size() != 1
        || !(selected.first() == model.line(model.rowCount() - n)))
        return QStringLiteral("tape line %1 could not be selected").arg(n);
    return QString();
}

QString TapeDriver::pressOnLine(int n, Qt::Key key)
{
    QString error;
    TapeWindow *window = shownWindow(&error);
    if (window != nullptr)
        error = selectLine(*window, n);
    if (error.isEmpty())
        QTest::keyClick(window->list(), key);
    return error;
}

QString TapeDriver::use(int n)
{
    return pressOnLine(n, Qt::Key_Return);
}

QString TapeDriver::remove(int n)
{
    const QString error = pressOnLine(n, Qt::Key_Delete);
    if (error.isEmpty() && !m_form.tape()->waitForWrites(kWaitMs))
        return QStringLiteral("the line was not deleted in time");
    return error;
}

QString TapeDriver::search(const QString &text)
{
    QString error;
    TapeWindow *window = shownWindow(&error);
    if (window == nullptr)
        return error;
    activate(*window);
    QLineEdit *field = window->searchField();
    field->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    for (const QChar character : text) {
        if (character.unicode() >= 0x20 && character.unicode() < 0x7F)
            QTest::keyClick(field, character.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
    return settled(*window) ? QString() : QStringLiteral("the search did not finish in time");
}

} // namespace hitungrama
