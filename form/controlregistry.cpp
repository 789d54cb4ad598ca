#include "form/controlregistry.h"

#include "xpbutton/xpbutton.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace hitungrama {

void ControlRegistry::add(const ControlDescription &description, QWidget *widget)
{
    m_entries.push_back({{description.name, description.index}, description.type,
                         description.tabIndex, widget});
}

const ControlRegistry::Entry *ControlRegistry::find(const QString &name, int index) const
{
    for (const Entry &entry : m_entries) {
        if (entry.id.index == index && entry.id.name == name)
            return &entry;
    }
    return nullptr;
}

const ControlRegistry::Entry *ControlRegistry::find(const QWidget *widget) const
{
    if (widget == nullptr)
        return nullptr;
    for (const Entry &entry : m_entries) {
        if (entry.widget == widget)
            return &entry;
    }
    return nullptr;
}

QWidget *ControlRegistry::widget(const QString &name, int index) const
{
    const Entry *entry = find(name, index);
    return entry != nullptr ? entry->widget : nullptr;
}

XPButton *ControlRegistry::button(const QString &name, int index) const
{
    const Entry *entry = find(name, index);
    return entry != nullptr && entry->type == ControlType::XPButton
        ? static_cast<XPButton *>(entry->widget)
        : nullptr;
}

QLabel *ControlRegistry::label(const QString &name, int index) const
{
    const Entry *entry = find(name, index);
    return entry != nullptr && entry->type == ControlType::Label
        ? static_cast<QLabel *>(entry->widget)
        : nullptr;
}

QLineEdit *ControlRegistry::textBox(const QString &name) const
{
    const Entry *entry = find(name);
    return entry != nullptr && entry->type == ControlType::TextBox
        ? static_cast<QLineEdit *>(entry->widget)
        : nullptr;
}

QCheckBox *ControlRegistry::checkBox(const QString &name) const
{
    const Entry *entry = find(name);
    return entry != nullptr && entry->type == ControlType::CheckBox
        ? static_cast<QCheckBox *>(entry->widget)
        : nullptr;
}

std::vector<XPButton *> ControlRegistry::buttons() const
{
    std::vector<XPButton *> result;
    for (const Entry &entry : m_entries) {
        if (entry.type == ControlType::XPButton)
            result.push_back(static_cast<XPButton *>(entry.widget));
    }
    return result;
}

std::vector<QWidget *> ControlRegistry::tabOrder() const
{
    std::vector<const Entry *> focusable;
    for (const Entry &entry : m_entries) {
        if (entry.type == ControlType::TextBox || entry.type == ControlType::CheckBox
            || entry.type == ControlType::XPButton) {
            focusable.push_back(&entry);
        }
    }
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const Entry *a, const Entry *b) { return a->tabIndex < b->tabIndex; });
    std::vector<QWidget *> result;
    result.reserve(focusable.size());
    for (const Entry *entry : focusable)
        result.push_back(entry->widget);
    return result;
}

} // namespace hitungrama
