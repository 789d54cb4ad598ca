#pragma once

#include "engine/engine.h"
#include "engine/panel.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace hitungrama {

// Records everything the engine does to the controls and answers Yes/No boxes
// from a script. Like the window, every display write raises the engine's
// display change notification.
class FakePanel : public Panel {
public:
    struct Box {
        std::string text;
        std::string title;
        MessageButtons buttons;
        MessageIcon icon;
    };

    void attach(Engine &engine) { m_engine = &engine; }
    void type(const std::string &text) { setDisplayText(text); }
    std::string caption(LabelGroup group, int index) { return captions[{group, index}]; }

    std::string displayText() const override { return display; }
    void setDisplayText(const std::string &text) override
    {
        display = text;
        displayWrites.push_back(text);
        if (m_engine != nullptr)
            m_engine->displayChanged();
    }
    void setLabelCaption(LabelGroup group, int index, const std::string &text) override
    {
        captions[{group, index}] = text;
    }
    void setBackColor(BackTarget target, OleColor colour) override { colours[target] = colour; }
    void setDigitButtonEnabled(int index, bool enabled) override { digitEnabled.at(index) = enabled; }
    void setDecimalButtonEnabled(bool enabled) override { decimalEnabled = enabled; }
    void setWidthToggleVisible(bool visible) override { widthToggleVisible = visible; }
    int outerWidthTwips() const override { return widthTwips; }
    void setOuterWidthTwips(int twips) override { widthTwips = twips; }
    MessageAnswer showMessage(const std::string &text, const std::string &title, MessageButtons buttons,
                              MessageIcon icon) override
    {
        boxes.push_back({text, title, buttons, icon});
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << text;
            return MessageAnswer::No;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void inputRefused() override { ++refusals; }

    std::string display;
    std::vector<std::string> displayWrites;
    std::map<std::pair<LabelGroup, int>, std::string> captions;
    std::map<BackTarget, OleColor> colours;
    std::array<bool, 10> digitEnabled{true, true, true, true, true, true, true, true, true, true};
    bool decimalEnabled = false;
    bool widthToggleVisible = false;
    int widthTwips = 4650;
    std::vector<Box> boxes;
    std::deque<MessageAnswer> answers;
    int refusals = 0;

private:
    Engine *m_engine = nullptr;
};

} // namespace hitungrama
