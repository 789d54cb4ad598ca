#include "testhost.h"
#include "xpbutton/bagvalues.h"
#include "xpbutton/fontunits.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace hitungrama;

namespace {

constexpr quint32 kAmbientFore = 0x80000012;

AmbientProperties ambientFor(const QString &name)
{
    return AmbientProperties{fontFromPoints(QStringLiteral("DejaVu Sans"), 9.75), kAmbientFore, name};
}

TEST(PropertyBag, matches_keys_without_regard_to_case)
{
    PropertyBag bag;
    bag.write(QStringLiteral("forecolor"), 5u);
    bag.write(QStringLiteral("ForeColor"), 7u);
    EXPECT_EQ(bag.read(QStringLiteral("FORECOLOR"), 0u).toUInt(), 7u);
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("ForeColor")});
    EXPECT_EQ(bag.read(QStringLiteral("Missing"), 42).toInt(), 42);
}

TEST(StoredValues, colours_convert_cleanly_or_are_refused)
{
    const struct {
        const char *name;
        QVariant value;
        std::optional<quint32> expected;
    } cases[] = {{"negative_int_is_its_bit_pattern", int(-2147483642), 0x80000006u},
                 {"integral_double", 65280.0, 65280u}, {"decimal_text", QStringLiteral(" 255 "), 255u},
                 {"hex_text", QStringLiteral("0x80000006"), 0x80000006u},
                 {"ampersand_hex_text", QStringLiteral("&H8000000F&"), 0x8000000Fu},
                 {"word", QStringLiteral("red"), std::nullopt}, {"fraction", 1.5, std::nullopt},
                 {"nan", std::nan(""), std::nullopt}, {"bool", true, std::nullopt},
                 {"beyond_32_bits", qlonglong(0x100000000LL), std::nullopt}};
    for (const auto &c : cases)
        EXPECT_EQ(colourFromBag(c.value), c.expected) << c.name;
    EXPECT_EQ(booleanFromBag(QStringLiteral("False")), false);
    EXPECT_EQ(booleanFromBag(-1), true);
    EXPECT_EQ(booleanFromBag(QStringLiteral("maybe")), std::nullopt);
    EXPECT_EQ(textFromBag(QVariant::fromValue(QFont())), std::nullopt);
    EXPECT_DOUBLE_EQ(fontPoints(*fontFromBag(fontFromPoints(QStringLiteral("Arial"), 8.25))), 8.25);
    EXPECT_EQ(fontFromBag(12), std::nullopt);
}

TEST(FontUnits, pixel_size_is_points_at_96_dpi)
{
    const struct {
        double points;
        int pixels;
    } cases[] = {{8.25, 11}, {9.75, 13}, {12, 16}, {0, 1}, {-3, 1}, {std::nan(""), 1}, {1e9, 4096}};
    for (const auto &c : cases)
        EXPECT_EQ(fontFromPoints(QStringLiteral("Arial"), c.points).pixelSize(), c.pixels) << c.points;
}

class Persistence : public ::testing::Test {
protected:
    XPButton button;
    QSignalSpy marks{&button, &XPButton::propertyChanged};
};

TEST_F(Persistence, new_instance_defaults)
{
    for (const auto &[name, caption] :
         {std::pair{"XPButton12", "Command12"}, {"XPButton", "Command"}, {"", "Command"}}) {
        button.initNewInstance(ambientFor(QString::fromLatin1(name)));
        EXPECT_EQ(button.caption(), QString::fromLatin1(caption));
    }
    EXPECT_TRUE(button.isButtonEnabled());
    EXPECT_EQ(button.foreColor(), 0x80000006u);
    EXPECT_EQ(button.foreHover(), 0u);
    EXPECT_TRUE(sameFontDescription(button.buttonFont(), ambientFor({}).font));
    EXPECT_TRUE(marks.isEmpty());
}

TEST_F(Persistence, read_with_missing_or_unreadable_keys_uses_the_defaults)
{
    const QImage before = button.image().copy();
    PropertyBag bad;
    bad.write(QStringLiteral("Enabled"), QStringLiteral("sometimes"));
    bad.write(QStringLiteral("Font"), 42);
    bad.write(QStringLiteral("ForeColor"), QStringLiteral("red"));
    for (const PropertyBag &bag : {PropertyBag(), bad}) {
        button.readProperties(bag, ambientFor(QStringLiteral("XPButton5")));
        EXPECT_TRUE(button.isButtonEnabled() && button.isEnabled());
        EXPECT_EQ(button.caption(), QStringLiteral("XPButton5"));
        EXPECT_EQ(button.foreColor(), kAmbientFore);
        EXPECT_EQ(button.foreHover(), kAmbientFore);
        EXPECT_DOUBLE_EQ(button.buttonFontPoints(), 9.75);
    }
    EXPECT_TRUE(marks.isEmpty());
    EXPECT_EQ(button.image(), before) << "reading does not repaint";
}

TEST_F(Persistence, write_leaves_out_defaults_and_round_trips_the_rest)
{
    const AmbientProperties ambient = ambientFor(QStringLiteral("XPButton2"));
    button.readProperties(PropertyBag(), ambient);
    PropertyBag bag;
    bag.write(QStringLiteral("caption"), QStringLiteral("stale"));
    button.writeProperties(bag, ambient);
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("ForeColor")});

    button.setButtonEnabled(false);
    button.setCaption(QStringLiteral("M&RC"));
    button.setButtonFont(fontFromPoints(QStringLiteral("Arial"), 8.25, true));
    button.setForeHover(0x00FF0000);
    button.writeProperties(bag, ambient);
    EXPECT_EQ(bag.keys(), (QStringList{"ForeColor", "Enabled", "Font", "Caption", "ForeHover"}));
    button.setForeColor(0xFF);
    button.setForeHover(kAmbientFore); // left out, so it reads back as the text colour
    button.writeProperties(bag, ambient);
    EXPECT_FALSE(bag.contains(QStringLiteral("ForeHover")));
    XPButton copy;
    copy.readProperties(bag, ambient);
    EXPECT_FALSE(copy.isButtonEnabled());
    EXPECT_EQ(copy.caption(), QStringLiteral("M&RC"));
    EXPECT_EQ(copy.foreHover(), 0xFFu);
    EXPECT_TRUE(copy.buttonFont().bold());
    EXPECT_DOUBLE_EQ(copy.buttonFontPoints(), 8.25);
}

// A shown button's look follows each property write that changes it at once.
TEST_F(Persistence, property_writes_repaint_a_shown_button)
{
    test::readDefaults(button);
    button.show();
    QImage shown = button.image().copy();
    const std::function<void()> writes[] = {
        [&] { button.setButtonEnabled(false); }, [&] { button.setButtonEnabled(true); },
        [&] { button.setCaption(QStringLiteral("&Tbl")); }, [&] { button.setForeColor(0xFF); },
        [&] { button.setButtonFont(fontFromPoints(QStringLiteral("DejaVu Sans"), 14)); }};
    for (const auto &write : writes) {
        write();
        EXPECT_NE(button.image(), shown);
        shown = button.image().copy();
    }
}

} // namespace
