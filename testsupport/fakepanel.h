#pragma once

#include "engine/engine.h"
#include "engine/panel.h"

#include <array>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace hitungrama {

// Records everything the engine does to the controls, and every calculation
// it finishes, and answers Yes/No boxes from a script. Like the window, every display write raises the engine's
// display change notification. Calls that break the panel's contract (an
// index out of range, a box without a title) are not applied: they are
// written to faults for the caller to check.
class FakePanel : public Panel, public CalculationListener {
public:
    struct Box {
        std::string text;
        std::string title;
        MessageButtons buttons;
        MessageIcon icon;
    };

    void attach(Engine &engine)
    {
        m_engine = &engine;
        engine.setCalculationListener(this);
    }
    // The user types a text into the display.
    void type(const std::string &text) { setDisplayText(text); }
    // "" for a label the engine never wrote.
    std::string caption(LabelGroup group, int index) const;
    // Forgets the display writes and boxes seen so far; the state stays.
    void clearHistory();

    std::string displayText() const override { return display; }
    void setDisplayText(const std::string &text) override;
    void setLabelCaption(LabelGroup group, int index, const std::string &text) override;
    void setBackColor(BackTarget target, OleColor colour) override { colours[target] = colour; }
    void setDigitButtonEnabled(int index, bool enabled) override;
    void setDecimalButtonEnabled(bool enabled) override { decimalEnabled = enabled; }
    void setWidthToggleVisible(bool visible) override { widthToggleVisible = visible; }
    void setOuterWidthTwips(int twips) override { widthTwips = twips; }
    MessageAnswer showMessage(const std::string &text, const std::string &title, MessageButtons buttons,
                              MessageIcon icon) override;
    void inputRefused() override { ++refusals; }
    void calculationFinished(const Calculation &calculation) override
    {
        calculations.push_back(calculation);
    }

    std::string display;
    std::vector<std::string> displayWrites;
    std::map<std::pair<LabelGroup, int>, std::string> captions;
    std::map<BackTarget, OleColor> colours;
    std::array<bool, 10> digitEnabled{true, true, true, true, true, true, true, true, true, true};
    bool decimalEnabled = false;
    bool widthToggleVisible = false;
    int widthTwips = 4650;
    std::vector<Box> boxes;
    int refusals = 0;
    std::vector<Calculation> calculations;

    // Answers to Yes/No questions, taken from the front. A question with no
    // answer left is answered No and its text kept in unscriptedQuestions.
    std::deque<MessageAnswer> answers;
    std::vector<std::string> unscriptedQuestions;
    std::vector<std::string> faults;

private:
    Engine *m_engine = nullptr;
};

} // namespace hitungrama
