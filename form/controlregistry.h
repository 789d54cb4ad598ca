#pragma once

#include "layout/controlid.h"
#include "layout/formlayout.h"

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace hitungrama {

class XPButton;

// The window's controls by name and index, in creation order.
class ControlRegistry {
public:
    struct Entry {
        ControlId id;
        ControlType type;
        int tabIndex;
        QWidget *widget;
    };

    void add(const ControlDescription &description, QWidget *widget);

    const std::vector<Entry> &entries() const { return m_entries; }
    const Entry *find(const QString &name, int index = -1) const;
    const Entry *find(const QWidget *widget) const;

    QWidget *widget(const QString &name, int index = -1) const;
    XPButton *button(const QString &name, int index = -1) const;
    QLabel *label(const QString &name, int index = -1) const;
    QLineEdit *textBox(const QString &name) const;
    QCheckBox *checkBox(const QString &name) const;

    std::vector<XPButton *> buttons() const;
    // Controls that can take the keyboard focus, by ascending tab index.
    std::vector<QWidget *> tabOrder() const;

private:
    std::vector<Entry> m_entries;
};

} // namespace hitungrama
