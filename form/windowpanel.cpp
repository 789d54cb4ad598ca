#include "form/windowpanel.h"

#include "engine/engine.h"
#include "layout/controlnames.h"
#include "form/form1.h"
#include "i18n/translationtable.h"
#include "xpbutton/systemcolor.h"
#include "xpbutton/xpbutton.h"

#include <QLabel>
#include <QLineEdit>

#include <utility>

namespace hitungrama {

namespace {

void setBackground(QWidget *widget, QPalette::ColorRole role, OleColor colour)
{
    if (widget == nullptr)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, colorFromOle(colour));
    widget->setPalette(palette);
}

} // namespace

WindowPanel::WindowPanel(Form1 &form)
    : m_form(form)
{
}

WindowPanel::Outcome WindowPanel::takeOutcome()
{
    return std::exchange(m_outcome, Outcome());
}

std::string WindowPanel::displayText() const
{
    const QLineEdit *display = m_form.display();
    return display != nullptr ? display->text().toStdString() : std::string();
}

void WindowPanel::setDisplayText(const std::string &text)
{
    QLineEdit *display = m_form.display();
    if (display == nullptr)
        return;
    m_outcome.shown = Shown::Display;
    const QString value = TranslationTable::engine().translated(text);
    // QLineEdit stays silent when the text does not change; a write must
    // still reach the change notification.
    if (display->text() == value)
        m_form.displayChanged();
    else
        display->setText(value);
}

void WindowPanel::setLabelCaption(LabelGroup group, int index, const std::string &caption)
{
    QLabel *label = nullptr;
    switch (group) {
    case LabelGroup::Label3:
        label = index == 0 ? m_form.controls().label(controlname::kMemoryValue) : nullptr;
        if (caption.empty())
            m_outcome.shown = Shown::MemoryCleared;
        break;
    case LabelGroup::Label5:
        label = m_form.controls().label(controlname::kTableOperands, index);
        if (!caption.empty())
            m_outcome.shown = Shown::Table;
        break;
    case LabelGroup::Label8:
        label = m_form.controls().label(controlname::kTableProducts, index);
        break;
    }
    if (label != nullptr)
        label->setText(QString::fromStdString(caption));
}

void WindowPanel::setBackColor(BackTarget target, OleColor colour)
{
    switch (target) {
    case BackTarget::Label3:
        if (colour == Engine::kGreen)
            m_outcome.shown = Shown::MemoryStored;
        setBackground(m_form.controls().label(controlname::kMemoryValue), QPalette::Window, colour);
        break;
    case BackTarget::Label4:
        setBackground(m_form.controls().label(controlname::kMemoryIndicator), QPalette::Window, colour);
        break;
    case BackTarget::Display:
        setBackground(m_form.display(), QPalette::Base, colour);
        break;
    }
}

void WindowPanel::setDigitButtonEnabled(int index, bool enabled)
{
    if (XPButton *button = m_form.controls().button(controlname::kDigitButtons, index))
        button->setButtonEnabled(enabled);
}

void WindowPanel::setDecimalButtonEnabled(bool enabled)
{
    if (XPButton *button = m_form.controls().button(controlname::kToDecimalButton))
        button->setButtonEnabled(enabled);
}

void WindowPanel::setWidthToggleVisible(bool visible)
{
    if (XPButton *button = m_form.controls().button(controlname::kWidthToggleButton))
        button->setVisible(visible);
}

void WindowPanel::setOuterWidthTwips(int twips)
{
    m_form.setOuterWidthTwips(twips);
}

MessageAnswer WindowPanel::showMessage(const std::string &text, const std::string &title,
                                       MessageButtons buttons, MessageIcon icon)
{
    if (buttons == MessageButtons::Ok)
        m_outcome.boxShown = true;
    const TranslationTable &texts = TranslationTable::engine();
    return m_form.showMessage({texts.translated(text), texts.translated(title), buttons, icon});
}

void WindowPanel::inputRefused()
{
    m_form.refuseInput();
}

} // namespace hitungrama
