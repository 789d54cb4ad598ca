// The window's controls against the layout tables of the design: geometry,
// captions, tooltips, fonts, colours, tab indices, focus order, and the
// buttons' saved property sets read back.
#include "windowsetup.h"

#include "layout/controlid.h"
#include "layout/controlnames.h"
#include "layout/layoutloader.h"

#include "xpbutton/fontunits.h"
#include "xpbutton/systemcolor.h"
#include "xpbutton/xpbutton.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace hitungrama::test {
namespace {

using namespace controlname;

constexpr quint32 kDarkGreen = 0x004000;
constexpr quint32 kRed = 0x0000FF;
constexpr quint32 kWindowFrame = 0x80000006;

struct ButtonRow {
    QLatin1String name;
    int index;
    const char *caption;
    const char *toolTip;
    int left, top, width, height; // twips
    double points;
    int tabIndex;
    quint32 foreColor = kDarkGreen;
    quint32 foreHover = kRed;
    bool enabled = true;
    bool visible = true;
};

// Keypad columns and rows, in twips.
constexpr int C0 = 120, C1 = 720, C2 = 1320, C3 = 1920, C4 = 2640, C5 = 3240, C6 = 3840;
constexpr int R0 = 2160, R1 = 2640, R2 = 3120, R3 = 3600, R4 = 4080;

const std::vector<ButtonRow> kButtons = {
    {kDigitButtons, 0, "0", "", C0, R4, 495, 375, 8.25, 1},
    {kDigitButtons, 1, "1", "", C0, R3, 495, 375, 8.25, 2},
    {kDigitButtons, 2, "2", "", C1, R3, 495, 375, 8.25, 3},
    {kDigitButtons, 3, "3", "", C2, R3, 495, 375, 8.25, 4},
    {kDigitButtons, 4, "4", "", C0, R2, 495, 375, 8.25, 5},
    {kDigitButtons, 5, "5", "", C1, R2, 495, 375, 8.25, 6},
    {kDigitButtons, 6, "6", "", C2, R2, 495, 375, 8.25, 7},
    {kDigitButtons, 7, "7", "", C0, R1, 495, 375, 8.25, 8},
    {kDigitButtons, 8, "8", "", C1, R1, 495, 375, 8.25, 9},
    {kDigitButtons, 9, "9", "", C2, R1, 495, 375, 8.25, 10},
    {kOperatorButtons, 0, "+", "", C3, R4, 495, 375, 9.75, 11},
    {kOperatorButtons, 1, "-", "", C3, R3, 495, 375, 9.75, 12},
    {kOperatorButtons, 2, "*", "", C3, R2, 495, 375, 9.75, 13},
    {kOperatorButtons, 3, "/", "", C3, R1, 495, 375, 8.25, 14},
    {kOperatorButtons, 4, "=", "", C2, R4, 495, 375, 9.75, 15},
    {kOperatorButtons, 5, "x^y", "PANGKAT KE Y", C4, R4, 495, 375, 9.75, 42},
    {kOperatorButtons, 6, "mod", "SISA HASIL BAGI", C5, R3, 495, 375, 9.75, 43},
    {kOnButton, -1, "ON", "", 120, 1560, 495, 375, 8.25, 16},
    {kOffButton, -1, "OFF", "", 2640, 1680, 495, 375, 8.25, 17},
    {kClearEntryButton, -1, "CE", "CLEAR", C4, R0, 495, 375, 8.25, 18},
    {kBackSpaceButton, -1, "Back-Space", "", 3240, 1680, 1095, 375, 8.25, 19},
    {kAboutButton, -1, "ABOUT", "", 720, 1560, 735, 375, 8.25, 20},
    {kMemoryButtons, 0, "M+", "", C5, R0, 495, 375, 8.25, 23},
    {kMemoryButtons, 1, "M-", "", C5, R1, 495, 375, 8.25, 24},
    {kMemoryButtons, 2, "MRC", "MEMORY ", C6, R0, 495, 375, 8.25, 25},
    {kFunctionButtons, 0, "Sin", "SINUS", C6, R2, 495, 375, 9.75, 26},
    {kFunctionButtons, 1, "x^2", "AKAR PANGKAT DUA", C5, R2, 495, 375, 9.75, 27},
    {kFunctionButtons, 2, "x^3", "AKAR PANGKAT TIGA", C4, R1, 495, 375, 9.75, 28},
    {kFunctionButtons, 3, "Tan", "TANGEN", C6, R3, 495, 375, 9.75, 29},
    {kFunctionButtons, 4, "Cos", "KOSINUS", C6, R4, 495, 375, 9.75, 30},
    {kFunctionButtons, 5, "Sqrt", "AKAR KUADRAT", C6, R1, 495, 375, 9.75, 31},
    {kFunctionButtons, 6, "!", "FAKTORIAL", C5, R4, 495, 375, 9.75, 32},
    {kFunctionButtons, 7, "Tbl", "GENERATE TABLE", C2, R0, 495, 375, 9.75, 33},
    {kFunctionButtons, 8, "Prm", "PRIMER ATAU BUKAN PRIMER", C3, R0, 495, 375, 9.75, 34},
    {kFunctionButtons, 9, "+/-", "MINUS", C4, R3, 495, 375, 9.75, 35},
    {kFunctionButtons, 10, "%", "PERSEN", C4, R2, 495, 375, 9.75, 36},
    {kFunctionButtons, 11, "log", "LOG", C1, R0, 495, 375, 9.75, 37},
    {kDecimalPointButton, -1, ".", "", C1, R4, 495, 375, 8.25, 38},
    {kToBinaryButton, -1, "BIN", "KONVERT DARI DESIMAL KE BINER", C0, R0, 495, 375, 8.25, 41,
     kWindowFrame, 0x000000},
    {kWidthToggleButton, -1, "->", "", 4080, 0, 375, 255, 8.25, 44, 0x800080, 0xFF0000, true, false},
    {kToDecimalButton, -1, "Desimal", "KONVERT DARI BINER KE DESIMAL", 2640, 1320, 1695, 255, 8.25,
     75, kWindowFrame, 0x000000, false, true},
};

QRect pixels(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

class WindowLayout : public ::testing::Test {
protected:
    WindowSetup window;
    const ControlRegistry &controls() const { return window.form->controls(); }
};

class ButtonLayout : public WindowLayout, public ::testing::WithParamInterface<ButtonRow> {};

TEST_P(ButtonLayout, matches_the_button_table)
{
    const ButtonRow &row = GetParam();
    const ControlRegistry::Entry *entry = controls().find(row.name, row.index);
    ASSERT_NE(entry, nullptr);
    const auto *button = qobject_cast<XPButton *>(entry->widget);
    ASSERT_NE(button, nullptr);

    EXPECT_EQ(button->geometry(), pixels(row.left, row.top, row.width, row.height));
    EXPECT_EQ(button->caption(), QString::fromUtf8(row.caption));
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(row.toolTip));
    EXPECT_EQ(entry->tabIndex, row.tabIndex);
    EXPECT_EQ(button->foreColor(), row.foreColor);
    EXPECT_EQ(button->foreHover(), row.foreHover);
    EXPECT_EQ(button->isButtonEnabled(), row.enabled);
    EXPECT_EQ(button->isEnabled(), row.enabled);
    EXPECT_EQ(button->isHidden(), !row.visible);

    const QFont font = button->buttonFont();
    EXPECT_EQ(font.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_DOUBLE_EQ(button->buttonFontPoints(), row.points);
    EXPECT_FALSE(font.bold());
    // Sizes are fixed in pixels, so the look does not follow the screen's dpi.
    EXPECT_EQ(font.pixelSize(), qRound(row.points * 96 / 72));
}

TEST_P(ButtonLayout, saved_set_reads_back_unchanged)
{
    const ButtonRow &row = GetParam();
    const ControlDescription *saved =
        LayoutLoader::builtIn().layout.find(row.name, row.index);
    ASSERT_NE(saved, nullptr);
    XPButton *button = controls().button(row.name, row.index);
    ASSERT_NE(button, nullptr);

    AmbientProperties ambient;
    ambient.font = window.form->font();
    ambient.foreColor = window.form->description().foreColor;
    ambient.displayName = ControlId{saved->name, saved->index}.toString();
    PropertyBag written;
    button->writeProperties(written, ambient);

    // The same keys (the bag ignores case) with the same values.
    EXPECT_EQ(written.keys().size(), saved->properties.keys().size());
    for (const QString &key : saved->properties.keys()) {
        const QVariant expected = saved->properties.read(key, QVariant());
        const QVariant actual = written.read(key, QVariant());
        if (key == QLatin1String("font"))
            EXPECT_TRUE(sameFontDescription(actual.value<QFont>(), expected.value<QFont>()));
        else
            EXPECT_EQ(actual.toString(), expected.toString()) << key.toStdString();
    }
}

// "Name_index" for a group member, "Name" otherwise.
template <typename Row>
std::string rowName(const ::testing::TestParamInfo<Row> &info)
{
    std::string name(info.param.name.data(), static_cast<std::size_t>(info.param.name.size()));
    if (info.param.index >= 0)
        name += "_" + std::to_string(info.param.index);
    return name;
}

INSTANTIATE_TEST_SUITE_P(AllButtons, ButtonLayout, ::testing::ValuesIn(kButtons), rowName<ButtonRow>);

struct LabelRow {
    QLatin1String name;
    int index;
    const char *caption;
    int left, top, width, height;
    int tabIndex;
    const char *fontFamily;
    double points;
    bool bold;
    QColor foreground;
    bool opaque;
};

std::vector<LabelRow> labelRows()
{
    const QColor black(0, 0, 0);
    const QColor red(255, 0, 0);
    std::vector<LabelRow> rows = {
        {kLeftBlankLabel, -1, "", 720, 240, 1815, 255, 21, "MS Sans Serif", 9.75, true, black, false},
        {kRightBlankLabel, -1, "", 2760, 120, 1815, 255, 22, "MS Sans Serif", 9.75, true, black, false},
        {kMemoryValue, -1, "", 1800, 1560, 615, 375, 39, "MS Sans Serif", 8.25, false, red, true},
        {kMemoryIndicator, -1, " M", 1440, 1560, 375, 255, 40, "MS Sans Serif", 12, true,
         QColor(0, 0, 192), true},
    };
    static const char *const multipliers[] = {"x  1 =", "x  2 =", "x  3 =", "x  4 =", "x  5 =",
                                              "x  6 =", "x  7 =", "x  8 =", "x  9 =", " x 10 ="};
    for (int r = 0; r < 10; ++r) {
        rows.push_back({kTableOperands, r, "", 4560, 120 + 360 * r, 1095, 255, 45 + r, "Comic Sans MS",
                        9.75, true, black, false});
        const int index = r == 0 ? 0 : 10 - r;
        rows.push_back({kTableMultipliers, index, multipliers[r], r == 9 ? 5640 : 5760, 120 + 360 * r,
                        r == 9 ? 855 : 735, 255, 55 + index, "Comic Sans MS", 9.75, true, red,
                        false});
        rows.push_back({kTableProducts, r, "", 6480, 120 + 360 * r, 1455, 375, 65 + r, "Comic Sans MS",
                        11.25, false, black, false});
    }
    return rows;
}

class LabelLayout : public WindowLayout, public ::testing::WithParamInterface<LabelRow> {};

TEST_P(LabelLayout, matches_the_label_table)
{
    const LabelRow &row = GetParam();
    const ControlRegistry::Entry *entry = controls().find(row.name, row.index);
    ASSERT_NE(entry, nullptr);
    const auto *label = qobject_cast<QLabel *>(entry->widget);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), pixels(row.left, row.top, row.width, row.height));
    EXPECT_EQ(label->text(), QString::fromUtf8(row.caption));
    EXPECT_EQ(entry->tabIndex, row.tabIndex);
    EXPECT_EQ(label->font().family(), QString::fromLatin1(row.fontFamily));
    EXPECT_EQ(label->font().pixelSize(), qRound(row.points * 96 / 72));
    EXPECT_EQ(label->font().bold(), row.bold);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), row.foreground);
    EXPECT_EQ(label->autoFillBackground(), row.opaque);
    if (row.opaque) { // the title-bar text colour until the memory recolours it
        EXPECT_EQ(label->palette().color(QPalette::Window), colorFromOle(0x80000009));
    }
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
}

INSTANTIATE_TEST_SUITE_P(AllLabels, LabelLayout, ::testing::ValuesIn(labelRows()), rowName<LabelRow>);

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

// The focus order the tab indices give: the display, the buttons by their
// tab index, skipping the hidden "->" and the disabled "Desimal" unless
// `all`, and the check box.
std::vector<QString> expectedFocusOrder(bool all)
{
    std::vector<const ButtonRow *> rows;
    for (const ButtonRow &row : kButtons) {
        if (all || (row.visible && row.enabled))
            rows.push_back(&row);
    }
    std::sort(rows.begin(), rows.end(), [](auto *a, auto *b) { return a->tabIndex < b->tabIndex; });
    std::vector<QString> order = {kDisplay};
    for (const ButtonRow *row : rows)
        order.push_back(controlIdText(row->name, row->index));
    order.push_back(kBinaryMode);
    return order;
}

QString focusedControl(const Form1 &form)
{
    const ControlRegistry::Entry *entry = form.controls().find(QApplication::focusWidget());
    return entry != nullptr ? entry->id.toString() : QStringLiteral("<none>");
}

// Then a shown "->" and an enabled "Desimal" join it.
TEST_F(WindowLayout, focus_starts_on_the_display_and_follows_the_tab_indices)
{
    ASSERT_TRUE(window.show());
    EXPECT_EQ(QApplication::focusWidget(), window.form->display());
    for (const bool all : {false, true}) {
        SCOPED_TRACE(all ? "all buttons" : "at start");
        if (all) {
            window.form->widthToggleButton()->show();
            controls().button(kToDecimalButton)->setButtonEnabled(true);
        }
        const std::vector<QString> expected = expectedFocusOrder(all);
        std::vector<QString> visited = {focusedControl(*window.form)};
        for (std::size_t i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.push_back(focusedControl(*window.form));
        }
        EXPECT_EQ(visited.back(), kDisplay) << "the order wraps around";
        visited.pop_back();
        EXPECT_EQ(visited, expected);
    }
}

} // namespace
} // namespace hitungrama::test
