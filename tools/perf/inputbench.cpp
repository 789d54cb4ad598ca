// Times the way from one input to the repainted display on the real window,
// offscreen: a key of the key map against a mouse click on the same button.
// Both enter the digit 5 on a cleared display and then repaint the display.
// Then "=" with an addition pending, which adds a line to the tape: with the
// tape on disk, and with keeping it turned off (the line goes to the run's
// in-memory tape). Its writer thread commits the line while the display
// repaints; the queue is emptied between rounds, untimed.
#include "harness/temporaryhome.h"
#include "tape/tapestore.h"
#include "app/fontsetup.h"
#include "form/form1.h"
#include "layout/layoutloader.h"
#include "harness/recordingmessageboxservice.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct ShownWindow {
    hitungrama::RecordingMessageBoxService boxes;
    std::unique_ptr<hitungrama::Form1> form;

    ShownWindow()
    {
        form = std::make_unique<hitungrama::Form1>(hitungrama::LayoutLoader::builtIn().layout, boxes);
        form->show();
        QApplication::processEvents();
    }

    void clear(benchmark::State &state)
    {
        state.PauseTiming();
        QTest::keyClick(form->display(), Qt::Key_Escape);
        QApplication::processEvents();
        state.ResumeTiming();
    }
};

void KeyToRepaintedDisplay(benchmark::State &state)
{
    ShownWindow window;
    QLineEdit *display = window.form->display();
    for (auto _ : state) {
        window.clear(state);
        QTest::keyClick(display, '5');
        display->repaint();
    }
    if (display->text() != QLatin1String("5"))
        state.SkipWithError("the key did not enter 5");
}
BENCHMARK(KeyToRepaintedDisplay)->Unit(benchmark::kMicrosecond);

void ClickToRepaintedDisplay(benchmark::State &state)
{
    ShownWindow window;
    QLineEdit *display = window.form->display();
    hitungrama::XPButton *five = window.form->controls().button(QStringLiteral("XPButton1"), 5);
    for (auto _ : state) {
        window.clear(state);
        QTest::mouseClick(five, Qt::LeftButton);
        display->repaint();
    }
    if (display->text() != QLatin1String("5"))
        state.SkipWithError("the click did not enter 5");
}
BENCHMARK(ClickToRepaintedDisplay)->Unit(benchmark::kMicrosecond);

void EqualsToRepaintedDisplay(benchmark::State &state, bool keeping)
{
    ShownWindow window;
    hitungrama::TapeStore &tape = *window.form->tape();
    tape.setKeeping(keeping);
    QLineEdit *display = window.form->display();
    for (auto _ : state) {
        state.PauseTiming();
        tape.waitForWrites(10000);
        QTest::keyClick(display, Qt::Key_Escape);
        QTest::keyClicks(display, QStringLiteral("2+3"));
        QApplication::processEvents();
        state.ResumeTiming();
        QTest::keyClick(display, '=');
        display->repaint();
    }
    tape.waitForWrites(10000);
    const auto wanted = keeping ? hitungrama::TapeBacking::Disk : hitungrama::TapeBacking::Memory;
    if (display->text() != QLatin1String("5") || tape.backing() != wanted
        || tape.lastLines(1).value(0).text() != QLatin1String("2 + 3 = 5"))
        state.SkipWithError("\"=\" did not show 5 or did not reach the tape");
}
// A fixed count: every round also waits for a commit, untimed.
BENCHMARK_CAPTURE(EqualsToRepaintedDisplay, TapeOn, true)->Iterations(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(EqualsToRepaintedDisplay, TapeOff, false)->Iterations(1000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const hitungrama::TemporaryHome home;
    QApplication app(argc, argv);
    hitungrama::FontSetup::install();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
