#include "engine/engine.h"

#include "engine/enginetexts.h"
#include "engine/numbertext.h"

namespace hitungrama {

using namespace enginetext;

// Memory

void Engine::memoryClicked(MemoryKey key)
{
    guarded([this, key] {
        applyPendingOperator();
        switch (key) {
        case MemoryKey::Store:
            storeMemory();
            break;
        case MemoryKey::Clear:
            clearMemory();
            break;
        case MemoryKey::Recall:
            recallMemory();
            break;
        }
    });
}

// Replaces the memory (asking first when it is not empty); 0 is refused in
// the display itself.
void Engine::storeMemory()
{
    if (parseStrict(display()) == 0) {
        setDisplay(kMemoryRefusesZero);
        return;
    }
    if (m_memoryValue != 0
        && message(kReplaceMemory, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    m_memoryValue = parseLenient(display());
    m_panel.setLabelCaption(LabelGroup::Label3, 0, formatGeneral(m_memoryValue));
    m_panel.setBackColor(BackTarget::Label3, kGreen);
    m_panel.setBackColor(BackTarget::Label4, kGreen);
    m_startNewNumber = true;
}

void Engine::clearMemory()
{
    m_memoryValue = 0;
    m_currentValue = 0;
    m_panel.setLabelCaption(LabelGroup::Label3, 0, "");
    m_startNewNumber = true;
}

void Engine::recallMemory()
{
    m_currentValue = m_memoryValue;
    m_panel.setLabelCaption(LabelGroup::Label3, 0, formatGeneral(m_memoryValue));
    m_panel.setBackColor(BackTarget::Label3, kYellow);
    m_panel.setBackColor(BackTarget::Label4, kYellow);
    showCurrentValue();
    m_startNewNumber = true;
    m_totalValue = 0;
}

} // namespace hitungrama
