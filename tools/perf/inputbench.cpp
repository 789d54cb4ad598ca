// Times the way from one input to the repainted display on the real window,
// offscreen: a key of the key map against a mouse click on the same button.
// Both enter the digit 5 on a cleared display and then repaint the display.
#include "harness/temporaryhome.h"
#include "window/fontsetup.h"
#include "window/form1.h"
#include "window/layoutloader.h"
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
