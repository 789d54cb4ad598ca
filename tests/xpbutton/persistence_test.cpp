#include "testhost.h"
#include "xpbutton/bagvalues.h"
#include "xpbutton/fontunits.h"
#include "xpbutton/propertybag.h"
#include "xpbutton/systemcolor.h"
#include "xpbutton/xpbutton.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>

using namespace hitungrama;

namespace {

constexpr quint32 kAmbientFore = 0x80000012;

AmbientProperties ambientFor(const QString &name)
{
    AmbientProperties ambient;
    ambient.font = fontFromPoints(QStringLiteral("DejaVu Sans"), 9.75);
    ambient.foreColor = kAmbientFore;
    ambient.displayName = name;
    return ambient;
}

QStringList changeMarks(const QSignalSpy &spy)
{
    QStringList names;
    for (const QList<QVariant> &args : spy)
        names << args.at(0).toString();
    return names;
}

TEST(PropertyBag, matches_keys_without_regard_to_case)
{
    PropertyBag bag;
    bag.write(QStringLiteral("forecolor"), 5u);
    bag.write(QStringLiteral("ForeColor"), 7u);
    bag.write(QStringLiteral("Caption"), QStringLiteral("x"));
    EXPECT_TRUE(bag.contains(QStringLiteral("FORECOLOR")));
    EXPECT_EQ(bag.read(QStringLiteral("foreCOLOR"), 0u).toUInt(), 7u);
    EXPECT_EQ(bag.keys(), (QStringList{"ForeColor", "Caption"}));
    EXPECT_EQ(bag.read(QStringLiteral("Missing"), 42).toInt(), 42);
    bag.remove(QStringLiteral("CAPTION"));
    EXPECT_EQ(bag.keys(), (QStringList{"ForeColor"}));
}

struct ColourValueCase {
    const char *name;
    QVariant value;
    std::optional<quint32> expected;
};

class StoredColour : public ::testing::TestWithParam<ColourValueCase> {};

TEST_P(StoredColour, converts_or_is_refused)
{
    EXPECT_EQ(colourFromBag(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredColour,
    ::testing::Values(
        ColourValueCase{"unsigned", QVariant(0x00FF8000u), 0x00FF8000u},
        ColourValueCase{"int", QVariant(255), 255u},
        ColourValueCase{"negative_int_is_system_reference", QVariant(int(-2147483642)),
                        0x80000006u},
        ColourValueCase{"long_long", QVariant(qlonglong(0x80000005LL)), 0x80000005u},
        ColourValueCase{"integral_double", QVariant(65280.0), 65280u},
        ColourValueCase{"decimal_text", QVariant(QStringLiteral(" 16777215 ")), 0xFFFFFFu},
        ColourValueCase{"negative_decimal_text", QVariant(QStringLiteral("-2147483640")),
                        0x80000008u},
        ColourValueCase{"hex_text", QVariant(QStringLiteral("0x80000006")), 0x80000006u},
        ColourValueCase{"ampersand_hex_text", QVariant(QStringLiteral("&H8000000F&")),
                        0x8000000Fu},
        ColourValueCase{"word_is_refused", QVariant(QStringLiteral("red")), std::nullopt},
        ColourValueCase{"empty_text_is_refused", QVariant(QString()), std::nullopt},
        ColourValueCase{"fraction_is_refused", QVariant(1.5), std::nullopt},
        ColourValueCase{"nan_is_refused", QVariant(std::nan("")), std::nullopt},
        ColourValueCase{"too_large_is_refused", QVariant(qlonglong(0x100000000LL)), std::nullopt},
        ColourValueCase{"too_long_hex_is_refused", QVariant(QStringLiteral("0x123456789")),
                        std::nullopt},
        ColourValueCase{"bool_is_refused", QVariant(true), std::nullopt},
        ColourValueCase{"font_is_refused", QVariant(QFont()), std::nullopt},
        ColourValueCase{"invalid_is_refused", QVariant(), std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StoredValues, booleans_and_texts_and_fonts)
{
    EXPECT_EQ(booleanFromBag(QVariant(false)), false);
    EXPECT_EQ(booleanFromBag(QVariant(-1)), true);
    EXPECT_EQ(booleanFromBag(QVariant(0)), false);
    EXPECT_EQ(booleanFromBag(QVariant(QStringLiteral("True"))), true);
    EXPECT_EQ(booleanFromBag(QVariant(QStringLiteral("0"))), false);
    EXPECT_EQ(booleanFromBag(QVariant(QStringLiteral("maybe"))), std::nullopt);
    EXPECT_EQ(booleanFromBag(QVariant(2.0)), std::nullopt);

    EXPECT_EQ(textFromBag(QVariant(QByteArray("M+"))), QStringLiteral("M+"));
    EXPECT_EQ(textFromBag(QVariant(7)), QStringLiteral("7"));
    EXPECT_EQ(textFromBag(QVariant(QFont())), std::nullopt);

    const auto pixelSized = fontFromBag(QVariant(fontFromPoints(QStringLiteral("Arial"), 8.25)));
    ASSERT_TRUE(pixelSized.has_value());
    EXPECT_DOUBLE_EQ(fontPoints(*pixelSized), 8.25);
    const auto fromText = fontFromBag(QVariant(QStringLiteral("Arial,12,-1,5,700,0,0,0,0,0")));
    ASSERT_TRUE(fromText.has_value());
    EXPECT_TRUE(fromText->bold());
    EXPECT_EQ(fontFromBag(QVariant(12)), std::nullopt);
    EXPECT_EQ(fontFromBag(QVariant(QStringLiteral(""))), std::nullopt);
}

TEST(FontUnits, sizes_by_pixels_at_96_dpi)
{
    const struct {
        double points;
        int pixels;
    } cases[] = {{8.25, 11}, {9.75, 13}, {12, 16}, {8, 11}, {0, 1}, {-3, 1}, {1e9, 4096}};
    for (const auto &c : cases)
        EXPECT_EQ(fontFromPoints(QStringLiteral("Arial"), c.points).pixelSize(), c.pixels)
            << c.points;
    EXPECT_EQ(fontFromPoints(QStringLiteral("Arial"), std::nan("")).pixelSize(), 1);
    const QFont font = fontFromPoints(QStringLiteral("Arial"), 13.5, true, true, true, true);
    EXPECT_TRUE(font.bold() && font.italic() && font.underline() && font.strikeOut());
}

TEST(SystemColour, resolves_references_and_plain_values)
{
    EXPECT_EQ(colorFromOle(0x80000005), QColor(255, 255, 255));
    EXPECT_EQ(colorFromOle(0x80000006), QColor(0, 0, 0));
    EXPECT_EQ(colorFromOle(0x80000009), QColor(255, 255, 255));
    EXPECT_EQ(colorFromOle(0x800000FF), QColor(0, 0, 0));
    EXPECT_EQ(colorFromOle(0x80001205), QColor(0, 0, 0));
    EXPECT_EQ(colorFromOle(0x00C08040), QColor(0x40, 0x80, 0xC0));
}

class Persistence : public ::testing::Test {
protected:
    XPButton button;
    QSignalSpy marks{&button, &XPButton::propertyChanged};
};

TEST_F(Persistence, surface_starts_at_its_initial_values)
{
    EXPECT_EQ(button.size(), QSize(79, 51));
    EXPECT_EQ(button.foreColor(), 0x80000006u);
    EXPECT_EQ(button.buttonFont().family(), QStringLiteral("Tahoma"));
    EXPECT_DOUBLE_EQ(button.buttonFontPoints(), 8.25);
    EXPECT_EQ(button.buttonFont().pixelSize(), 11);
    EXPECT_EQ(button.focusPolicy(), Qt::StrongFocus);
}

TEST_F(Persistence, new_instance_takes_caption_from_the_display_name)
{
    const struct {
        const char *name;
        const char *caption;
    } cases[] = {{"XPButton3", "Command3"}, {"XPButton12", "Command12"}, {"Button", "Command"},
                 {"XPButton", "Command"}, {"", "Command"}};
    for (const auto &c : cases) {
        XPButton fresh;
        fresh.initNewInstance(ambientFor(QString::fromLatin1(c.name)));
        EXPECT_EQ(fresh.caption(), QString::fromLatin1(c.caption)) << c.name;
    }
    button.initNewInstance(ambientFor(QStringLiteral("XPButton3")));
    EXPECT_TRUE(button.isButtonEnabled());
    EXPECT_EQ(button.foreColor(), 0x80000006u);
    EXPECT_EQ(button.foreHover(), 0u);
    EXPECT_TRUE(sameFontDescription(button.buttonFont(), ambientFor({}).font));
    EXPECT_TRUE(marks.isEmpty());
}

TEST_F(Persistence, read_without_keys_uses_the_host_defaults)
{
    const QImage before = button.image().copy();
    button.readProperties(PropertyBag(), ambientFor(QStringLiteral("XPButton5")));
    EXPECT_TRUE(button.isButtonEnabled());
    EXPECT_TRUE(button.isEnabled());
    EXPECT_EQ(button.caption(), QStringLiteral("XPButton5"));
    EXPECT_EQ(button.foreColor(), kAmbientFore);
    EXPECT_EQ(button.foreHover(), kAmbientFore);
    EXPECT_DOUBLE_EQ(button.buttonFontPoints(), 9.75);
    EXPECT_TRUE(marks.isEmpty());
    EXPECT_EQ(button.image(), before) << "reading does not repaint";
}

TEST_F(Persistence, read_takes_lower_case_keys_and_defaults_hover_to_the_text_colour)
{
    PropertyBag bag;
    bag.write(QStringLiteral("enabled"), false);
    bag.write(QStringLiteral("caption"), QStringLiteral("&Desimal"));
    bag.write(QStringLiteral("forecolor"), 0x000000FFu);
    bag.write(QStringLiteral("font"), fontToBag(QFont(QStringLiteral("Arial")), 12));
    button.readProperties(bag, ambientFor(QStringLiteral("XPButton13")));
    EXPECT_FALSE(button.isButtonEnabled());
    EXPECT_FALSE(button.isEnabled());
    EXPECT_EQ(button.caption(), QStringLiteral("&Desimal"));
    EXPECT_EQ(button.accessKey(), QStringLiteral("d"));
    EXPECT_EQ(button.foreColor(), 0xFFu);
    EXPECT_EQ(button.foreHover(), 0xFFu);
    EXPECT_EQ(button.buttonFont().family(), QStringLiteral("Arial"));
    EXPECT_EQ(button.buttonFont().pixelSize(), 16);
    EXPECT_TRUE(marks.isEmpty());
}

TEST_F(Persistence, unreadable_values_fall_back_to_their_defaults)
{
    PropertyBag bag;
    bag.write(QStringLiteral("Enabled"), QStringLiteral("sometimes"));
    bag.write(QStringLiteral("Font"), 42);
    bag.write(QStringLiteral("Caption"), QVariant::fromValue(QFont()));
    bag.write(QStringLiteral("ForeColor"), QStringLiteral("red"));
    bag.write(QStringLiteral("ForeHover"), QVariantList{1, 2});
    button.readProperties(bag, ambientFor(QStringLiteral("XPButton7")));
    EXPECT_TRUE(button.isButtonEnabled());
    EXPECT_DOUBLE_EQ(button.buttonFontPoints(), 9.75);
    EXPECT_EQ(button.caption(), QStringLiteral("XPButton7"));
    EXPECT_EQ(button.foreColor(), kAmbientFore);
    EXPECT_EQ(button.foreHover(), kAmbientFore);
}

TEST_F(Persistence, write_leaves_out_values_equal_to_their_defaults)
{
    const AmbientProperties ambient = ambientFor(QStringLiteral("XPButton1"));
    button.readProperties(PropertyBag(), ambient);
    PropertyBag bag;
    bag.write(QStringLiteral("caption"), QStringLiteral("stale"));
    button.writeProperties(bag, ambient);
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("ForeColor")});
    EXPECT_EQ(bag.read(QStringLiteral("ForeColor"), 0).toUInt(), kAmbientFore);
}

TEST_F(Persistence, round_trip_keeps_every_value)
{
    const AmbientProperties ambient = ambientFor(QStringLiteral("XPButton2"));
    button.initNewInstance(ambient);
    button.setButtonEnabled(false);
    button.setCaption(QStringLiteral("M&RC"));
    button.setButtonFont(fontFromPoints(QStringLiteral("Arial"), 8, true));
    button.setForeColor(0x80000006);
    button.setForeHover(0x00FF0000);
    PropertyBag bag;
    button.writeProperties(bag, ambient);
    EXPECT_EQ(bag.keys(),
              (QStringList{"Enabled", "Font", "Caption", "ForeColor", "ForeHover"}));

    XPButton copy;
    copy.readProperties(bag, ambient);
    EXPECT_FALSE(copy.isButtonEnabled());
    EXPECT_EQ(copy.caption(), QStringLiteral("M&RC"));
    EXPECT_EQ(copy.accessKey(), QStringLiteral("r"));
    EXPECT_EQ(copy.foreColor(), 0x80000006u);
    EXPECT_EQ(copy.foreHover(), 0x00FF0000u);
    EXPECT_TRUE(copy.buttonFont().bold());
    EXPECT_DOUBLE_EQ(copy.buttonFontPoints(), button.buttonFontPoints());
}

TEST_F(Persistence, hover_colour_equal_to_the_ambient_one_reads_back_as_the_text_colour)
{
    const AmbientProperties ambient = ambientFor(QStringLiteral("XPButton4"));
    button.readProperties(PropertyBag(), ambient);
    button.setForeColor(0x000000FF);
    button.setForeHover(kAmbientFore);
    PropertyBag bag;
    button.writeProperties(bag, ambient);
    EXPECT_FALSE(bag.contains(QStringLiteral("ForeHover")));
    XPButton copy;
    copy.readProperties(bag, ambient);
    EXPECT_EQ(copy.foreHover(), 0x000000FFu);
}

TEST_F(Persistence, property_writes_mark_changes_and_repaint_as_needed)
{
    test::readDefaults(button);
    QImage image = button.image().copy();

    button.setForeHover(0x0000FF);
    EXPECT_EQ(button.image(), image) << "ForeHover does not repaint";
    button.setCaption(QStringLiteral("&Tbl"));
    EXPECT_NE(button.image(), image);
    EXPECT_EQ(button.accessKey(), QStringLiteral("t"));
    image = button.image().copy();
    button.setForeColor(0x0000FF);
    EXPECT_NE(button.image(), image);
    button.setButtonFont(fontFromPoints(QStringLiteral("DejaVu Sans"), 14));
    EXPECT_EQ(button.buttonFont().pixelSize(), 19);
    button.setButtonEnabled(false);
    EXPECT_FALSE(button.isEnabled());
    EXPECT_EQ(QColor(button.image().pixel(10, 10)), QColor(245, 244, 234));
    EXPECT_EQ(changeMarks(marks),
              (QStringList{"ForeHover", "Caption", "ForeColor", "Font", "Enabled"}));
}

TEST_F(Persistence, qt_properties_carry_the_public_names)
{
    test::readDefaults(button);
    EXPECT_TRUE(button.setProperty("Caption", QStringLiteral("Prm")));
    EXPECT_TRUE(button.setProperty("ForeHover", 0x00FF00u));
    EXPECT_EQ(button.property("Caption").toString(), QStringLiteral("Prm"));
    EXPECT_EQ(button.property("ForeHover").toUInt(), 0x00FF00u);
    EXPECT_EQ(button.property("Enabled").toBool(), true);
}

} // namespace
