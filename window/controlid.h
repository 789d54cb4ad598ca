#pragma once

#include <QString>

namespace hitungrama {

// A control's name and, for a member of a control group, its index.
struct ControlId {
    QString name;
    int index = -1;

    bool operator==(const ControlId &other) const
    {
        return index == other.index && name == other.name;
    }

    // "Name" or "Name(index)".
    QString toString() const
    {
        return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
    }
};

} // namespace hitungrama
