// Fuzzes the engine with arbitrary sequences of button operations, typed
// display texts and answers to message boxes. Every handler must return
// (no exception, no hang), and after every step the display must hold a
// number text, the memory refusal text, nothing, or what the user typed
// (each possibly padded with zeros or followed by a point).
#include "engine/engine.h"
#include "engine/engineerror.h"
#include "engine/numbertext.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace hitungrama;

class FuzzPanel : public Panel {
public:
    Engine *engine = nullptr;
    const std::uint8_t *answers = nullptr;
    std::size_t answerCount = 0;
    std::string text = "0";
    int width = 4650;

    std::string displayText() const override { return text; }
    void setDisplayText(const std::string &value) override
    {
        text = value;
        if (engine)
            engine->displayChanged();
    }
    void setLabelCaption(LabelGroup, int index, const std::string &) override { checkIndex(index, 9); }
    void setBackColor(BackTarget, OleColor) override {}
    void setDigitButtonEnabled(int index, bool) override { checkIndex(index, 9); }
    void setDecimalButtonEnabled(bool) override {}
    void setWidthToggleVisible(bool) override {}
    int outerWidthTwips() const override { return width; }
    void setOuterWidthTwips(int twips) override { width = twips; }
    MessageAnswer showMessage(const std::string &, const std::string &title, MessageButtons buttons,
                              MessageIcon) override
    {
        if (title.empty())
            fail("message box without a title");
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        const bool yes = answerCount > 0 && (answers[--answerCount] & 1);
        return yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    void inputRefused() override {}

    static void fail(const char *what)
    {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
    static void checkIndex(int index, int last)
    {
        if (index < 0 || index > last)
            fail("control index out of range");
    }
};

// The decimal point appends "." to any text without one, and "Desimal" pads
// short texts with zeros: both leave the rest of the text as it was.
std::string normalised(std::string text)
{
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    const auto first = text.find_first_not_of('0');
    return first == std::string::npos ? std::string() : text.substr(first);
}

bool isPlausibleDisplay(const std::string &text, const std::string &typed)
{
    const std::string display = normalised(text);
    if (display.empty() || display == "memory can't Accept 0" || display == normalised(typed))
        return true;
    try {
        parseStrict(display);
        return true;
    } catch (const EngineError &) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzPanel panel;
    // The last bytes answer Yes/No boxes; the rest drive the buttons.
    const std::size_t answerBytes = size / 8;
    panel.answers = data + size - answerBytes;
    panel.answerCount = answerBytes;
    size -= answerBytes;

    Engine engine(panel);
    panel.engine = &engine;
    engine.load();

    std::string typed;
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t op = data[i++];
        const int arg = i < size ? data[i] : 0;
        switch (op % 16) {
        case 0: engine.digitClicked(arg % 10); ++i; break;
        case 1: engine.decimalPointClicked(); break;
        case 2: engine.backSpaceClicked(); break;
        case 3: engine.clearEntryClicked(); break;
        case 4: engine.operatorClicked(arg % 7); ++i; break;
        case 5: engine.onClicked(); break;
        case 6: engine.functionClicked(arg % 12); ++i; break;
        case 7: engine.memoryClicked(arg % 3); ++i; break;
        case 8: engine.binaryModeClicked(arg % 3); ++i; break;
        case 9: engine.toBinaryClicked(); break;
        case 10: engine.toDecimalClicked(); break;
        case 11: engine.exitDeclined(); break;
        case 12: { // the user types a text of up to 15 bytes
            ++i;
            const std::size_t length = std::min<std::size_t>(arg % 16, size - i);
            typed.assign(reinterpret_cast<const char *>(data + i), length);
            i += length;
            panel.setDisplayText(typed);
            break;
        }
        default: engine.digitClicked(op % 10); break;
        }
        if (!isPlausibleDisplay(panel.text, typed))
            FuzzPanel::fail("display holds a partial result");
    }
    return 0;
}
