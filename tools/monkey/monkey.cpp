#include "monkey.h"

#include "hangwatchdog.h"
#include "messagecatcher.h"
#include "reportcheck.h"

#include "harness/actionrunner.h"
#include "harness/statereport.h"
#include "window/form1.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>

namespace hitungrama {

namespace {

// An action that has not returned by then never will: report it as a hang.
constexpr std::chrono::seconds kHangLimit(10);

// The processor time of this thread, and the time it was ready to run but
// waited for a processor (Linux only; 0 elsewhere). Beside the wall time they
// tell the window's own work from a machine too busy to run it.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double threadQueuedMs()
{
    std::ifstream stat("/proc/thread-self/schedstat");
    unsigned long long running = 0;
    unsigned long long waiting = 0;
    if (!(stat >> running >> waiting))
        return 0;
    return double(waiting) / 1e6;
}

} // namespace

Monkey::Monkey(const FormLayout &layout, const MonkeyOptions &options)
    : m_layout(layout)
    , m_options(options)
    , m_log(options.seed)
    , m_generator(options.seed)
{
}

Monkey::~Monkey()
{
    closeWindow();
}

void Monkey::openWindow()
{
    m_boxes.clearQueuedAnswers();
    m_boxes.takeRecords();
    m_typed.clear();
    m_form = std::make_unique<Form1>(m_layout, m_boxes);
    // Only the user's own edits count as typed, never what the engine writes.
    if (QLineEdit *display = m_form->display()) {
        QObject::connect(display, &QLineEdit::textEdited, m_form.get(),
                         [this](const QString &text) { m_typed = text; });
    }
    QObject::connect(m_form.get(), &Form1::inputRefused, m_form.get(), [this] { ++m_pointBeeps; });
    m_runner = std::make_unique<ActionRunner>(*m_form, m_boxes);
    m_runner->showWindow();
    ++m_stats.windows;
}

void Monkey::closeWindow()
{
    m_runner.reset();
    m_form.reset();
    // Whatever the window left for later deletion goes now, so that the
    // leak check at exit finds nothing of ours.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

MonkeyTargets Monkey::targets() const
{
    MonkeyTargets targets;
    const ControlRegistry &controls = m_form->controls();
    QStringList captions;
    for (const ControlRegistry::Entry &entry : controls.entries()) {
        if (entry.type == ControlType::XPButton) {
            QString caption = static_cast<const XPButton *>(entry.widget)->caption();
            // A caption serves as a reference only when the harness would
            // find this button by it: one word, and no control or the
            // window is called so, and no earlier button shows it.
            if (caption.isEmpty() || caption.contains(QLatin1Char(' '))
                || caption == QLatin1String("window") || caption == m_form->objectName()
                || controls.widget(caption) != nullptr || captions.contains(caption))
                caption.clear();
            captions << caption;
            targets.buttons.push_back({entry.id.toString(), caption});
        } else if (entry.type == ControlType::Label) {
            targets.labels.push_back(entry.id.toString());
        }
        if (!entry.widget->isHidden())
            targets.occupied.push_back(entry.widget->geometry());
    }
    targets.toggleRef = QStringLiteral("XPButton12");
    if (const XPButton *toggle = m_form->widthToggleButton())
        targets.toggleCaption = toggle->caption();
    targets.memoryStoreRef = QStringLiteral("XPButton8(0)");
    targets.tableRef = QStringLiteral("XPButton9(7)");
    targets.window = m_form->size();
    return targets;
}

QStringList Monkey::perform(const MonkeyAction &action)
{
    if (action.kind == MonkeyAction::Kind::ClickPoint)
        return clickPoint(action);
    return m_runner->perform(action.line);
}

// A click where the harness's language has no name: on a point of the
// window, delivered as the harness delivers its clicks, to whatever lies
// under that point.
QStringList Monkey::clickPoint(const MonkeyAction &action)
{
    Form1 &form = *m_form;
    m_boxes.takeRecords();
    m_pointBeeps = 0;
    QCursor::setPos(form.mapToGlobal(action.point));
    QCoreApplication::processEvents();

    QPointer<QWidget> target = QWidget::mouseGrabber();
    if (target == nullptr || (target != &form && !form.isAncestorOf(target)))
        target = form.childAt(action.point) != nullptr ? form.childAt(action.point) : &form;
    if (target->isEnabled()) {
        const QPoint local = target->mapFrom(&form, action.point);
        QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, local);
        QCoreApplication::processEvents();
        if (target != nullptr && !form.hasExited()) {
            QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, local);
            QCoreApplication::processEvents();
        }
    }

    StateReport::Extras extras;
    extras.boxes = m_boxes.records();
    extras.beeps = m_pointBeeps;
    extras.exited = form.hasExited();
    return {StateReport::build(form, action.line, extras)};
}

QString Monkey::failure(const QString &reason) const
{
    return QString::fromStdString(m_log.failureReport(reason.toStdString()));
}

int Monkey::run()
{
    const auto fail = [this](const QString &reason) {
        std::fputs(failure(reason).toUtf8().constData(), stderr);
        std::fflush(stderr);
        return 1;
    };

    openWindow();
    m_log.installForSanitizers();
    HangWatchdog watchdog(m_log, kHangLimit);
    const ReportCheck checker(m_layout.form.narrowOuterWidth, m_layout.form.wideOuterWidth);
    MessageCatcher::take();
    QElapsedTimer runTime;
    runTime.start();

    for (long long index = 0; index < m_options.actions; ++index) {
        const MonkeyAction action = m_generator.next(targets());
        m_log.record(index, action.line.toStdString());

        watchdog.actionStarted();
        QElapsedTimer timer;
        const double cpuBefore = threadCpuMs();
        const double queuedBefore = threadQueuedMs();
        timer.start();
        const QStringList results = perform(action);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        const double cpuMs = threadCpuMs() - cpuBefore;
        const double queuedMs = threadQueuedMs() - queuedBefore;
        watchdog.actionFinished();
        if (action.dropAnswersAfter)
            m_boxes.clearQueuedAnswers();

        const QStringList warnings = MessageCatcher::take();
        if (!warnings.isEmpty())
            return fail(QStringLiteral("Qt warned: ") + warnings.join(QStringLiteral(" | ")));
        if (QWidget *shown = QApplication::activeModalWidget() != nullptr
                ? QApplication::activeModalWidget()
                : QApplication::activePopupWidget()) {
            const QString title = shown->windowTitle();
            shown->close();
            return fail(QStringLiteral("a real dialog or menu opened: \"%1\"").arg(title));
        }
        if (results.isEmpty())
            return fail(QStringLiteral("the harness reported nothing"));

        bool exited = false;
        for (const QString &json : results) {
            ReportCheck::Facts facts;
            const QString problem = checker.check(json, m_typed, &facts);
            if (!problem.isEmpty())
                return fail(problem + QStringLiteral("\n  the report: ") + json);
            m_stats.boxes += facts.boxes;
            m_stats.beeps += facts.beeps;
            exited = exited || facts.exited;
        }
        if (exited != m_form->hasExited())
            return fail(QStringLiteral("the report and the window disagree on whether it ended"));

        if (m_options.trace) {
            std::printf("#%lld %.1f ms (cpu %.1f, queued %.1f) %s\n", index, ms, cpuMs,
                        queuedMs, action.line.toUtf8().constData());
            std::fflush(stdout);
        }
        if (ms > m_stats.maxMs) {
            m_stats.maxMs = ms;
            m_stats.slowestIndex = index;
            m_stats.slowestLine = action.line;
        }
        if (ms > m_options.maxActionMs)
            return fail(QStringLiteral("the action took %1 ms, more than %2 ms (processor "
                                       "%3 ms, waiting for a processor %4 ms)")
                            .arg(ms, 0, 'f', 1)
                            .arg(m_options.maxActionMs)
                            .arg(cpuMs, 0, 'f', 1)
                            .arg(queuedMs, 0, 'f', 1));

        if (exited) {
            watchdog.actionStarted();
            closeWindow();
            openWindow();
            watchdog.actionFinished();
            const QStringList opening = MessageCatcher::take();
            if (!opening.isEmpty())
                return fail(QStringLiteral("Qt warned while a fresh window opened: ")
                            + opening.join(QStringLiteral(" | ")));
        }
    }

    std::printf("hitungrama-monkey: seed %u, %lld actions passed in %.1f s; slowest %.1f ms "
                "(#%lld %s); %lld boxes, %lld beeps, %d windows\n",
                unsigned(m_options.seed), m_options.actions, double(runTime.elapsed()) / 1000,
                m_stats.maxMs, m_stats.slowestIndex, m_stats.slowestLine.toUtf8().constData(),
                m_stats.boxes, m_stats.beeps, m_stats.windows);
    std::fflush(stdout);
    return 0;
}

} // namespace hitungrama
