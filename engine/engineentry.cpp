#include "engine/engine.h"

#include "engine/entrytext.h"
#include "engine/numbertext.h"

#include <optional>

namespace hitungrama {

// Number entry

void Engine::digitClicked(int index)
{
    if (index < 0 || index > 9)
        return;
    guarded([this, index] { enterDigit(index); });
}

void Engine::enterDigit(int digit)
{
    if (m_startNewNumber) {
        setDisplay("0");
        m_startNewNumber = false;
    }
    const EntryEdit edit = typeDigit(display(), digit);
    if (edit.kind == EntryEdit::Kind::Refused) {
        m_panel.inputRefused();
        return;
    }
    m_currentValue = parseStrict(edit.text);
    setDisplay(edit.text);
}

// After an operator or a result the point starts a new number, "0.".
void Engine::decimalPointClicked()
{
    const EntryEdit edit = m_startNewNumber ? EntryEdit{EntryEdit::Kind::NewNumber, "0."}
                                            : typePoint(display());
    switch (edit.kind) {
    case EntryEdit::Kind::Refused:
        m_panel.inputRefused();
        return;
    case EntryEdit::Kind::Unchanged:
        return;
    case EntryEdit::Kind::NewNumber:
        m_currentValue = 0;
        m_startNewNumber = false;
        break;
    case EntryEdit::Kind::Text:
        break;
    }
    setDisplay(edit.text);
}

// Takes the last character of a typed number; an exponent form is divided
// by ten and rounded down instead.
void Engine::backSpaceClicked()
{
    guarded([this] {
        const std::string text = display();
        if (const std::optional<std::string> shorter = backSpaceText(text)) {
            m_currentValue = parseStrict(*shorter);
            setDisplay(*shorter);
            return;
        }
        m_currentValue = floorValue(parseLenient(text) / 10);
        showCurrentValue();
    });
}

void Engine::clearEntryClicked()
{
    m_currentValue = 0;
    setDisplay("");
}

void Engine::numberPasted(double value)
{
    m_currentValue = value;
    showCurrentValue();
    m_startNewNumber = false;
}

} // namespace hitungrama
