// Times one repaint of all 41 buttons of the calculator's keypad and header
// (35 keys of 33 x 25 pixels and six larger buttons), on the offscreen platform.
#include "xpbutton/xpbutton.h"
#include "xpbutton/fontunits.h"

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

void RepaintAllButtons(benchmark::State &state)
{
    QWidget window;
    window.resize(534, 318);
    std::vector<hitungrama::XPButton *> buttons;
    const QRect headerButtons[] = {{272, 0, 25, 17}, {176, 88, 113, 17}, {8, 104, 33, 25},
                                   {48, 104, 49, 25}, {176, 112, 33, 25}, {216, 112, 73, 25}};
    for (const QRect &rect : headerButtons) {
        auto *button = new hitungrama::XPButton(&window);
        button->setGeometry(rect);
        buttons.push_back(button);
    }
    const int columns[] = {8, 48, 88, 128, 176, 216, 256};
    for (int row = 0; row < 5; ++row) {
        for (int left : columns) {
            auto *button = new hitungrama::XPButton(&window);
            button->setGeometry(left, 144 + row * 32, 33, 25);
            buttons.push_back(button);
        }
    }
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setButtonFont(hitungrama::fontFromPoints(QStringLiteral("MS Sans Serif"), 8.25));
        buttons[i]->setCaption(QString::number(i));
        buttons[i]->setButtonEnabled(true);
    }
    window.show();
    QApplication::processEvents();

    for (auto _ : state) {
        // Writing ForeColor repaints the whole button once.
        for (hitungrama::XPButton *button : buttons)
            button->setForeColor(button->foreColor());
    }
    state.counters["buttons"] = static_cast<double>(buttons.size());
}
BENCHMARK(RepaintAllButtons)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
