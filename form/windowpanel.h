#pragma once

#include "engine/panel.h"

namespace hitungrama {

class Form1;

// The engine's view of the window: the display, the labels, the buttons it
// enables or shows, the window width and the message boxes of Form1. The
// engine's texts reach the display and the boxes in the installed language
// (TranslationTable::engine()); what the engine reads back from the display
// is what it shows, so a message in the display reads as no number in every
// language.
class WindowPanel : public Panel {
public:
    // What a step of the engine showed last that a screen reader must hear
    // of: a number or message in the display, the memory stored or emptied,
    // the table filled; and whether a box with OK only, which speaks for
    // itself, was shown.
    enum class Shown { Nothing, Display, MemoryStored, MemoryCleared, Table };
    struct Outcome {
        Shown shown = Shown::Nothing;
        bool boxShown = false;
    };

    explicit WindowPanel(Form1 &form);

    // The outcome since the last take.
    Outcome takeOutcome();

    std::string displayText() const override;
    void setDisplayText(const std::string &text) override;
    void setLabelCaption(LabelGroup group, int index, const std::string &caption) override;
    void setBackColor(BackTarget target, OleColor colour) override;
    void setDigitButtonEnabled(int index, bool enabled) override;
    void setDecimalButtonEnabled(bool enabled) override;
    void setWidthToggleVisible(bool visible) override;
    void setOuterWidthTwips(int twips) override;
    MessageAnswer showMessage(const std::string &text, const std::string &title,
                              MessageButtons buttons, MessageIcon icon) override;
    void inputRefused() override;

private:
    Form1 &m_form;
    Outcome m_outcome;
};

} // namespace hitungrama
