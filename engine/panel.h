#pragma once

#include <cstdint>
#include <string>

namespace hitungrama {

// Colours are 0x00BBGGRR (red in the low byte); 0x800000nn names a system colour.
using OleColor = std::uint32_t;

enum class LabelGroup { Label3, Label5, Label8 };
enum class BackTarget { Label3, Label4, Display };
enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Exclamation };
enum class MessageAnswer { Ok, Yes, No };

// The controls the engine may touch. The main window implements it; tests fake it.
// setDisplayText must raise the display change notification, which the window
// forwards to Engine::displayChanged (the fake panel does the same).
class Panel {
public:
    virtual ~Panel() = default;

    virtual std::string displayText() const = 0;
    virtual void setDisplayText(const std::string &text) = 0;

    // Label3 has a single member: index 0. Label5 and Label8 have 0 to 9.
    virtual void setLabelCaption(LabelGroup group, int index, const std::string &caption) = 0;
    virtual void setBackColor(BackTarget target, OleColor colour) = 0;

    virtual void setDigitButtonEnabled(int index, bool enabled) = 0; // XPButton1(index)
    virtual void setDecimalButtonEnabled(bool enabled) = 0;          // XPButton13
    virtual void setWidthToggleVisible(bool visible) = 0;            // XPButton12

    virtual void setOuterWidthTwips(int twips) = 0;

    // Modal. The engine always passes the full title (its own, or "Hitungrama").
    virtual MessageAnswer showMessage(const std::string &text, const std::string &title,
                                      MessageButtons buttons, MessageIcon icon) = 0;

    // An input the engine refused (an EngineError reached a button handler).
    virtual void inputRefused() = 0;
};

} // namespace hitungrama
