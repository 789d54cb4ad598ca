#pragma once

#include <QString>

namespace hitungrama {

// How a control is named in texts: "Name", or "Name(index)" for a member of
// a control group (index >= 0).
QString controlIdText(const QString &name, int index);

// A control's name and, for a member of a control group, its index.
struct ControlId {
    QString name;
    int index = -1;

    bool operator==(const ControlId &other) const
    {
        return index == other.index && name == other.name;
    }

    QString toString() const { return controlIdText(name, index); }
};

} // namespace hitungrama
