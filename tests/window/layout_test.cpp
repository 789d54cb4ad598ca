// The window's controls against the layout tables of the design: geometry,
// captions, tooltips, fonts, colours, tab indices and focus order.
#include "windowsetup.h"

#include "window/controlid.h"
#include "window/controlnames.h"
#include "window/layoutloader.h"
#include "window/windowresources.h"

#include "xpbutton/systemcolor.h"
#include "xpbutton/xpbutton.h"

#include <QCheckBox>
#include <QFile>
#include <QFontInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <vector>

namespace hitungrama::test {
namespace {

using namespace controlname;

QRect pixels(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// The compiled-in layout as plain JSON, read apart from the loader.
QJsonArray resourceControls()
{
    WindowResources::ensureRegistered();
    QFile file(LayoutLoader::builtInPath());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("controls")).toArray();
}

class WindowLayout : public ::testing::Test {
protected:
    WindowSetup window;
    const ControlRegistry &controls() const { return window.form->controls(); }
};

// Every button and label where the resource puts it, with its caption,
// tooltip, tab index, font and, for buttons, colours and state.
TEST_F(WindowLayout, buttons_and_labels_match_the_resource)
{
    int buttons = 0, labels = 0;
    for (const QJsonValue &value : resourceControls()) {
        const QJsonObject c = value.toObject();
        const QString type = c.value(QStringLiteral("type")).toString();
        if (type != QLatin1String("XPButton") && type != QLatin1String("Label"))
            continue;
        const QString id = ControlId{c.value(QStringLiteral("name")).toString(),
                                    c.value(QStringLiteral("index")).toInt(-1)}.toString();
        SCOPED_TRACE(id.toStdString());
        const ControlRegistry::Entry *entry =
            controls().find(c.value(QStringLiteral("name")).toString(), c.value(QStringLiteral("index")).toInt(-1));
        ASSERT_NE(entry, nullptr);
        const QWidget *widget = entry->widget;
        auto twips = [&](const char *key) { return c.value(QLatin1String(key)).toInt(); };
        EXPECT_EQ(widget->geometry(), pixels(twips("left"), twips("top"), twips("width"), twips("height")));
        EXPECT_EQ(entry->tabIndex, twips("tabIndex"));
        EXPECT_EQ(widget->toolTip(), c.value(QStringLiteral("toolTip")).toString());
        EXPECT_EQ(widget->isHidden(), !c.value(QStringLiteral("visible")).toBool(true));
        const QJsonObject properties = c.value(QStringLiteral("properties")).toObject();
        const QJsonObject font = (type == QLatin1String("Label") ? c : properties).value(QStringLiteral("font")).toObject();
        const double points = font.value(QStringLiteral("size")).toDouble(8.25);
        QFont shown = widget->font();
        if (const auto *button = qobject_cast<const XPButton *>(widget)) {
            ++buttons;
            shown = button->buttonFont();
            EXPECT_EQ(button->caption(), properties.value(QStringLiteral("caption")).toString());
            EXPECT_EQ(button->foreColor(), properties.value(QStringLiteral("forecolor")).toString().toUInt(nullptr, 16));
            EXPECT_EQ(button->foreHover(), properties.value(QStringLiteral("forehover")).toString().toUInt(nullptr, 16));
            const bool enabled = properties.value(QStringLiteral("enabled")).toBool(true);
            EXPECT_EQ(button->isButtonEnabled(), enabled);
            EXPECT_EQ(button->isEnabled(), enabled);
        } else {
            ++labels;
            const auto *label = qobject_cast<const QLabel *>(widget);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), c.value(QStringLiteral("caption")).toString());
            EXPECT_EQ(label->autoFillBackground(), c.value(QStringLiteral("backStyle")) == QLatin1String("opaque"));
            EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
        }
        EXPECT_EQ(shown.family(), font.value(QStringLiteral("name")).toString(QStringLiteral("MS Sans Serif")));
        EXPECT_EQ(shown.bold(), font.value(QStringLiteral("bold")).toBool());
        // Sizes are fixed in pixels, so the look does not follow the screen's dpi.
        EXPECT_EQ(shown.pixelSize(), qRound(points * 96 / 72));
    }
    EXPECT_EQ(buttons, 41);
    EXPECT_EQ(labels, 34);
}

// Label colours are OLE colours, blue in the low byte.
TEST_F(WindowLayout, labels_show_their_colours)
{
    const struct {
        QLatin1String name;
        int index;
        QColor foreground;
    } cases[] = {{kLeftBlankLabel, -1, Qt::black}, {kMemoryValue, -1, QColor(255, 0, 0)},
                 {kMemoryIndicator, -1, QColor(0, 0, 192)}, {kTableMultipliers, 3, QColor(255, 0, 0)},
                 {kTableProducts, 5, Qt::black}};
    for (const auto &c : cases) {
        const QWidget *label = controls().find(c.name, c.index)->widget;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), c.foreground) << c.name.data();
    }
    // The title-bar text colour until the memory recolours it.
    EXPECT_EQ(controls().find(kMemoryValue)->widget->palette().color(QPalette::Window), colorFromOle(0x80000009));
}

TEST_F(WindowLayout, display_and_check_box_match_their_rows)
{
    const QLineEdit *display = window.form->display();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->geometry(), pixels(120, 600, 4335, 495));
    EXPECT_EQ(display->font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(display->font().pixelSize(), 13);
    EXPECT_TRUE(display->font().bold());
    // A bitmap-only face would draw every size alike and lose the bold.
    EXPECT_EQ(QFontInfo(display->font()).pixelSize(), 13);
    EXPECT_TRUE(QFontInfo(display->font()).bold());
    EXPECT_EQ(display->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_TRUE(display->alignment() & Qt::AlignRight);
    EXPECT_TRUE(display->isReadOnly()); // text comes in by pasting only
    EXPECT_EQ(controls().find(kDisplay)->tabIndex, 0);

    const QCheckBox *check = window.form->binaryModeBox();
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->geometry(), pixels(120, 1200, 1455, 255));
    EXPECT_EQ(check->text(), QStringLiteral("Biner aktif"));
    EXPECT_EQ(check->checkState(), Qt::Unchecked);
    EXPECT_EQ(check->font().pixelSize(), 11);
    EXPECT_EQ(controls().find(kBinaryMode)->tabIndex, 76);
}

// The focus order the tab indices give, skipping the hidden "->" and the
// disabled "Desimal".
std::vector<QString> expectedFocusOrder(bool toggleShown, bool decimalEnabled)
{
    std::vector<QString> order = {kDisplay};
    for (int i = 0; i < 10; ++i)
        order.push_back(controlIdText(kDigitButtons, i));
    for (int i = 0; i < 5; ++i)
        order.push_back(controlIdText(kOperatorButtons, i));
    for (const QLatin1String name :
         {kOnButton, kOffButton, kClearEntryButton, kBackSpaceButton, kAboutButton})
        order.push_back(name);
    for (int i = 0; i < 3; ++i)
        order.push_back(controlIdText(kMemoryButtons, i));
    for (int i = 0; i < 12; ++i)
        order.push_back(controlIdText(kFunctionButtons, i));
    order.push_back(kDecimalPointButton);
    order.push_back(kToBinaryButton);
    order.push_back(controlIdText(kOperatorButtons, 5));
    order.push_back(controlIdText(kOperatorButtons, 6));
    if (toggleShown)
        order.push_back(kWidthToggleButton);
    if (decimalEnabled)
        order.push_back(kToDecimalButton);
    order.push_back(kBinaryMode);
    return order;
}

QString focusedControl(const Form1 &form)
{
    const ControlRegistry::Entry *entry = form.controls().find(QApplication::focusWidget());
    return entry != nullptr ? entry->id.toString() : QStringLiteral("<none>");
}

std::vector<QString> walkFocus(Form1 &form, std::size_t steps, bool backwards)
{
    std::vector<QString> visited = {focusedControl(form)};
    for (std::size_t i = 1; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        visited.push_back(focusedControl(form));
    }
    return visited;
}

TEST_F(WindowLayout, focus_starts_on_the_display_and_follows_the_tab_indices)
{
    ASSERT_TRUE(window.show());
    EXPECT_EQ(QApplication::focusWidget(), window.form->display());
    std::vector<QString> expected = expectedFocusOrder(false, false);
    std::vector<QString> visited = walkFocus(*window.form, expected.size() + 1, false);
    EXPECT_EQ(visited.back(), kDisplay) << "the order wraps around";
    visited.pop_back();
    EXPECT_EQ(visited, expected);
    // A shown toggle and an enabled "Desimal" join the order.
    window.form->widthToggleButton()->show();
    controls().button(kToDecimalButton)->setButtonEnabled(true);
    expected = expectedFocusOrder(true, true);
    EXPECT_EQ(walkFocus(*window.form, expected.size(), false), expected);
}

} // namespace
} // namespace hitungrama::test
