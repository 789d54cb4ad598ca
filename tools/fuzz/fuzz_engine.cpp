// Fuzzes the engine with arbitrary sequences of button operations, pasted
// texts and answers to message boxes. Every handler must return (no
// exception, no hang), and after every step the display must hold a number
// text, one of the two messages that stay or nothing (each possibly padded
// with zeros or followed by a point); a digit that is taken leaves the
// number shown as the number entered.
#include "engine/engine.h"
#include "engine/numbertext.h"
#include "engine/pastedtext.h"
#include "testsupport/displayrule.h"
#include "testsupport/fakepanel.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace hitungrama;

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FakePanel panel;
    // The last bytes answer Yes/No boxes, the very last one first; the rest
    // drive the buttons. Questions beyond them are answered No.
    const std::size_t answerBytes = size / 8;
    for (std::size_t k = 0; k < answerBytes; ++k)
        panel.answers.push_back((data[size - 1 - k] & 1) ? MessageAnswer::Yes : MessageAnswer::No);
    size -= answerBytes;

    Engine engine(panel);
    panel.attach(engine);
    engine.load();

    bool binary = false;
    std::size_t i = 0;
    while (i < size) {
        const int refusals = panel.refusals;
        const std::uint8_t op = data[i++];
        const int arg = i < size ? data[i] : 0;
        switch (op % 16) {
        case 0: engine.digitClicked(arg % 10); ++i; break;
        case 1: engine.decimalPointClicked(); break;
        case 2: engine.backSpaceClicked(); break;
        case 3: engine.clearEntryClicked(); break;
        case 4: engine.operatorClicked(static_cast<Operator>(arg % 7)); ++i; break;
        case 5: engine.onClicked(); break;
        case 6: engine.functionClicked(static_cast<Function>(arg % 12)); ++i; break;
        case 7: engine.memoryClicked(static_cast<MemoryKey>(arg % 3)); ++i; break;
        case 8:
            engine.binaryModeClicked(arg % 3);
            binary = arg % 3 == 2 ? binary : arg % 3 == 1;
            ++i;
            break;
        case 9: engine.toBinaryClicked(); break;
        case 10: engine.toDecimalClicked(); break;
        case 11: engine.exitDeclined(); break;
        case 12: { // the user pastes a text of up to 15 bytes
            ++i;
            const std::size_t length = std::min<std::size_t>(arg % 16, size - i);
            const std::string text(reinterpret_cast<const char *>(data + i), length);
            i += length;
            if (const auto value = readPastedText(text, binary))
                engine.numberPasted(*value);
            break;
        }
        default: engine.digitClicked(op % 10); break;
        }
        if (!panel.faults.empty())
            fail(panel.faults.front());
        if (!DisplayRule::accepts(panel.display))
            fail("display holds a partial result");
        const bool digit = op % 16 == 0 || op % 16 > 12;
        if (digit && panel.refusals == refusals && parseStrict(panel.display) != engine.currentValue())
            fail("the digit entered " + formatGeneral(engine.currentValue()) + " while the display shows "
                 + panel.display);
        panel.clearHistory();
    }
    return 0;
}
