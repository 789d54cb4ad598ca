#include "monkey.h"

#include "hangwatchdog.h"
#include "windowcheck.h"

#include "engine/keys.h"
#include "harness/harnessapplication.h"
#include "layout/controlid.h"
#include "layout/controlnames.h"
#include "form/form1.h"
#include "app/programstart.h"
#include "tapeview/tapewindow.h"
#include "tape/tapemodel.h"
#include "xpbutton/xpbutton.h"

#include <QElapsedTimer>
#include <QLineEdit>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>

namespace hitungrama {

namespace {

// An action that has not returned by then never will: report it as a hang.
constexpr std::chrono::seconds kHangLimit(10);

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Linux only; 0 elsewhere.
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

Monkey::Monkey(const Options &options)
    : m_options(options)
    , m_log(options.seed)
    , m_generator(options.seed)
{
}

Monkey::~Monkey()
{
    closeWindow();
}

bool Monkey::openWindow()
{
    m_boxes.clearQueuedAnswers();
    m_boxes.takeRecords();
    m_form = ProgramStart::createWindow("hitungrama-monkey", m_boxes);
    if (m_form == nullptr)
        return false;
    m_runner = std::make_unique<ActionRunner>(*m_form, m_boxes);
    m_runner->setHoverSettleMs(m_options.settleMs);
    m_runner->showWindow();
    ++m_stats.windows;
    return true;
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
    targets.toggleRef = controlIdText(controlname::kWidthToggleButton, -1);
    if (const XPButton *toggle = m_form->widthToggleButton())
        targets.toggleCaption = toggle->caption();
    targets.memoryStoreRef = controlIdText(controlname::kMemoryButtons, int(MemoryKey::Store));
    targets.tableRef = controlIdText(controlname::kFunctionButtons, int(Function::Table));
    targets.window = m_form->size();
    if (const TapeWindow *tape = m_form->tapeWindow(); tape != nullptr && tape->model() != nullptr) {
        targets.tapeShown = tape->isVisible();
        targets.tapeLines = tape->model()->rowCount();
    }
    return targets;
}

Monkey::Timing Monkey::perform(const MonkeyAction &action)
{
    QElapsedTimer wall;
    const double cpuBefore = threadCpuMs();
    const double queuedBefore = threadQueuedMs();
    wall.start();
    if (action.kind == MonkeyAction::Kind::ClickPoint)
        m_runner->clickAt(action.point, action.line);
    else
        m_runner->perform(action.line);
    Timing timing;
    timing.wallMs = double(wall.nsecsElapsed()) / 1e6;
    timing.cpuMs = threadCpuMs() - cpuBefore;
    timing.queuedMs = threadQueuedMs() - queuedBefore;
    if (action.dropAnswersAfter)
        m_boxes.clearQueuedAnswers();
    return timing;
}

QString Monkey::check(const Timing &timing)
{
    const QStringList warnings = HarnessApplication::takeWarnings();
    if (!warnings.isEmpty())
        return QStringLiteral("Qt warned: ") + warnings.join(QStringLiteral(" | "));
    if (QWidget *shown = QApplication::activeModalWidget() != nullptr
            ? QApplication::activeModalWidget()
            : QApplication::activePopupWidget()) {
        const QString title = shown->windowTitle();
        shown->close();
        return QStringLiteral("a real dialog or menu opened: \"%1\"").arg(title);
    }
    if (!m_runner->lastError().isEmpty())
        return QStringLiteral("the harness refused the action: ") + m_runner->lastError();
    if (m_runner->exited() != m_form->hasExited())
        return QStringLiteral("the harness and the window disagree on whether it ended");
    const QString problem = WindowCheck::problem(*m_form, m_boxes.records());
    if (!problem.isEmpty())
        return problem;
    // Processor time only: a machine too busy to run the window is no fault of it.
    if (timing.cpuMs > m_options.maxActionMs)
        return QStringLiteral("the action took %1 ms of processor time, more than %2 ms (wall "
                              "%3 ms, waiting for a processor %4 ms)")
            .arg(timing.cpuMs, 0, 'f', 1)
            .arg(m_options.maxActionMs)
            .arg(timing.wallMs, 0, 'f', 1)
            .arg(timing.queuedMs, 0, 'f', 1);
    return QString();
}

void Monkey::record(long long index, const MonkeyAction &action, const Timing &timing)
{
    m_stats.boxes += static_cast<long long>(m_boxes.records().size());
    m_stats.beeps += m_runner->beeps();
    m_stats.maxWallMs = std::max(m_stats.maxWallMs, timing.wallMs);
    if (timing.cpuMs > m_stats.maxCpuMs) {
        m_stats.maxCpuMs = timing.cpuMs;
        m_stats.slowestIndex = index;
        m_stats.slowestLine = action.line;
    }
    if (m_options.trace) {
        std::printf("#%lld %.1f ms (cpu %.1f, queued %.1f) %s\n", index, timing.wallMs,
                    timing.cpuMs, timing.queuedMs, action.line.toUtf8().constData());
        std::fflush(stdout);
    }
}

QString Monkey::reopenIfEnded()
{
    if (!m_form->hasExited())
        return QString();
    closeWindow();
    if (!openWindow())
        return QStringLiteral("the fresh window could not be created");
    const QStringList warnings = HarnessApplication::takeWarnings();
    if (!warnings.isEmpty())
        return QStringLiteral("Qt warned while a fresh window opened: ") + warnings.join(QStringLiteral(" | "));
    return QString();
}

int Monkey::run()
{
    const auto fail = [this](const QString &reason) {
        std::fputs(m_log.failureReport(reason.toStdString()).c_str(), stderr);
        std::fflush(stderr);
        return 1;
    };

    if (!openWindow())
        return 1;
    m_log.installForSanitizers();
    HangWatchdog watchdog(m_log, kHangLimit);
    HarnessApplication::takeWarnings();
    QElapsedTimer runTime;
    runTime.start();

    for (long long index = 0; index < m_options.actions; ++index) {
        const MonkeyAction action = m_generator.next(targets());
        m_log.record(index, action.line.toStdString());
        watchdog.actionStarted();
        const Timing timing = perform(action);
        watchdog.actionFinished();
        QString problem = check(timing);
        if (!problem.isEmpty())
            return fail(problem);
        record(index, action, timing);
        watchdog.actionStarted();
        problem = reopenIfEnded();
        watchdog.actionFinished();
        if (!problem.isEmpty())
            return fail(problem);
    }

    std::printf("hitungrama-monkey: seed %u, %lld actions passed in %.1f s; slowest %.1f ms of "
                "processor time (#%lld %s), longest wall time %.1f ms; %lld boxes, %lld beeps, "
                "%d windows\n",
                unsigned(m_options.seed), m_options.actions, double(runTime.elapsed()) / 1000,
                m_stats.maxCpuMs, m_stats.slowestIndex, m_stats.slowestLine.toUtf8().constData(),
                m_stats.maxWallMs, m_stats.boxes, m_stats.beeps, m_stats.windows);
    std::fflush(stdout);
    return 0;
}

} // namespace hitungrama
