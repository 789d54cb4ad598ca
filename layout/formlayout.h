#pragma once

#include "xpbutton/fontunits.h"
#include "xpbutton/propertybag.h"

#include <QFont>
#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace hitungrama {

// A font as the layout names it: face, size in points at 96 dpi, style.
struct FontDescription {
    QString name;
    double size = kDefaultFontPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    QFont toFont() const;
};

enum class ControlType { TextBox, CheckBox, XPButton, Label, Line };

// One control of the saved layout. Positions and sizes are in twips.
struct ControlDescription {
    ControlType type = ControlType::Label;
    QString name;
    int index = -1; // member index of a control group; -1 for a single control
    QRect bounds;   // left, top, width, height (not used by a line)
    QLine line;     // end points of a line
    int tabIndex = -1;
    QString toolTip;
    bool visible = true;

    QString caption; // label or check box
    QString text;    // text box
    Qt::Alignment alignment = Qt::AlignLeft;
    std::optional<FontDescription> font;
    std::optional<quint32> foreColor;
    std::optional<quint32> backColor;
    bool opaque = false; // a label that paints its background
    int value = 0;       // check box: 0 unchecked, 1 checked, 2 greyed

    // XPButton: the saved property set (keys "enabled", "font", "caption",
    // "forecolor", "forehover") and the extent in HIMETRIC stored beside it.
    PropertyBag properties;
    QSize extent;

    bool isGroupMember() const { return index >= 0; }
};

// One image of the window icon, with its side in pixels.
struct IconFile {
    QString path;
    int size = 0;
};

struct FormDescription {
    QString name;
    QString caption;
    int clientWidth = 0;  // twips
    int clientHeight = 0; // twips
    int borderWidth = 0;  // outer width minus client width, twips
    int narrowOuterWidth = 0;
    int wideOuterWidth = 0;
    FontDescription font;
    quint32 foreColor = 0; // also the ambient text colour lent to the buttons
    quint32 backColor = 0;
    QString picture;
    std::vector<IconFile> icons;
};

struct FormLayout {
    FormDescription form;
    std::vector<ControlDescription> controls; // in creation order

    const ControlDescription *find(const QString &name, int index = -1) const;
};

} // namespace hitungrama
