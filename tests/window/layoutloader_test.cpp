// The layout loader refuses damaged layouts as a whole, with a message that
// names the fault, and accepts the compiled-in one.
#include "window/layoutloader.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <functional>

namespace hitungrama::test {
namespace {

QJsonObject builtInJson()
{
    LayoutLoader::ensureResources();
    QFile file(LayoutLoader::builtInPath());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll()).object();
}

// Applies an edit to the control with the given name and index.
void editControl(QJsonObject &root, const QString &name, int index,
                 const std::function<void(QJsonObject &)> &edit)
{
    QJsonArray controls = root.value(QStringLiteral("controls")).toArray();
    for (int i = 0; i < controls.size(); ++i) {
        QJsonObject control = controls[i].toObject();
        if (control.value(QStringLiteral("name")).toString() == name
            && control.value(QStringLiteral("index")).toInt(-1) == index) {
            edit(control);
            controls[i] = control;
        }
    }
    root[QStringLiteral("controls")] = controls;
}

void editProperties(QJsonObject &control, const std::function<void(QJsonObject &)> &edit)
{
    QJsonObject properties = control.value(QStringLiteral("properties")).toObject();
    edit(properties);
    control[QStringLiteral("properties")] = properties;
}

struct DamageCase {
    const char *name;
    std::function<QByteArray()> layout;
    const char *messagePart;
};

void PrintTo(const DamageCase &c, std::ostream *out)
{
    *out << c.name;
}

QByteArray edited(const std::function<void(QJsonObject &)> &edit)
{
    QJsonObject root = builtInJson();
    edit(root);
    return QJsonDocument(root).toJson();
}

const std::vector<DamageCase> kDamage = {
    {"not_json", [] { return QByteArray("{\"form\": "); }, "not valid JSON"},
    {"json_array", [] { return QByteArray("[1, 2]"); }, "must be a JSON object"},
    {"wrong_format_marker",
     [] { return edited([](QJsonObject &r) { r[QStringLiteral("format")] = QStringLiteral("x"); }); },
     "not a version 1"},
    {"extent_does_not_match_size",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("XPButton1"), 7, [](QJsonObject &c) {
                 editProperties(c, [](QJsonObject &p) { p[QStringLiteral("extent")] = QJsonArray{874, 661}; });
             });
         });
     },
     "XPButton1(7): extent 874 x 661 does not match"},
    {"resized_button_keeps_old_extent",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("XPButton6"), -1,
                         [](QJsonObject &c) { c[QStringLiteral("width")] = 1200; });
         });
     },
     "XPButton6: extent"},
    {"missing_extent",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("XPButton3"), -1, [](QJsonObject &c) {
                 editProperties(c, [](QJsonObject &p) { p.remove(QStringLiteral("extent")); });
             });
         });
     },
     "lack \"extent\""},
    {"unknown_saved_property",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("XPButton3"), -1, [](QJsonObject &c) {
                 editProperties(c, [](QJsonObject &p) { p[QStringLiteral("backcolor")] = 1; });
             });
         });
     },
     "unknown saved property \"backcolor\""},
    {"colour_given_as_words",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("XPButton3"), -1, [](QJsonObject &c) {
                 editProperties(c, [](QJsonObject &p) { p[QStringLiteral("forecolor")] = QStringLiteral("green"); });
             });
         });
     },
     "\"forecolor\" must be a colour"},
    {"colour_beyond_32_bits",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("XPButton3"), -1, [](QJsonObject &c) {
                 editProperties(c, [](QJsonObject &p) { p[QStringLiteral("forehover")] = QStringLiteral("0x1FFFFFFFF"); });
             });
         });
     },
     "\"forehover\" must be a colour"},
    {"caption_not_text",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("XPButton3"), -1, [](QJsonObject &c) {
                 editProperties(c, [](QJsonObject &p) { p[QStringLiteral("caption")] = 5; });
             });
         });
     },
     "\"caption\" must be a text"},
    {"font_size_negative",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("Text1"), -1, [](QJsonObject &c) {
                 c[QStringLiteral("font")] = QJsonObject{{QStringLiteral("name"), QStringLiteral("Tahoma")},
                                                         {QStringLiteral("size"), -3}};
             });
         });
     },
     "\"size\" must be a number of points"},
    {"position_between_pixels",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("Label4"), -1,
                         [](QJsonObject &c) { c[QStringLiteral("left")] = 1441; });
         });
     },
     "Label4: \"left\" is not a whole number of pixels"},
    {"negative_size",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("Label1"), -1,
                         [](QJsonObject &c) { c[QStringLiteral("height")] = -15; });
         });
     },
     "\"height\" must be a whole number"},
    {"control_twice",
     [] {
         return edited([](QJsonObject &r) {
             QJsonArray controls = r.value(QStringLiteral("controls")).toArray();
             controls.append(controls.at(5));
             r[QStringLiteral("controls")] = controls;
         });
     },
     "appears twice"},
    {"required_label_missing",
     [] {
         return edited([](QJsonObject &r) {
             QJsonArray controls = r.value(QStringLiteral("controls")).toArray();
             for (int i = controls.size() - 1; i >= 0; --i) {
                 if (controls[i].toObject().value(QStringLiteral("name")).toString() == QLatin1String("Label3"))
                     controls.removeAt(i);
             }
             r[QStringLiteral("controls")] = controls;
         });
     },
     "the layout lacks Label3"},
    {"digit_key_of_wrong_type",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("XPButton1"), 4,
                         [](QJsonObject &c) { c[QStringLiteral("type")] = QStringLiteral("Label");
                                              c[QStringLiteral("caption")] = QStringLiteral("4"); });
         });
     },
     "XPButton1(4): has the wrong control type"},
    {"unknown_control_type",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("Check1"), -1,
                         [](QJsonObject &c) { c[QStringLiteral("type")] = QStringLiteral("Slider"); });
         });
     },
     "unknown control type \"Slider\""},
    {"single_control_and_group_share_a_name",
     [] {
         return edited([](QJsonObject &r) {
             QJsonArray controls = r.value(QStringLiteral("controls")).toArray();
             QJsonObject label = QJsonObject{{QStringLiteral("type"), QStringLiteral("Label")},
                                             {QStringLiteral("name"), QStringLiteral("Label4")},
                                             {QStringLiteral("index"), 3},
                                             {QStringLiteral("left"), 0}, {QStringLiteral("top"), 0},
                                             {QStringLiteral("width"), 15}, {QStringLiteral("height"), 15},
                                             {QStringLiteral("tabIndex"), 90},
                                             {QStringLiteral("caption"), QString()}};
             controls.append(label);
             r[QStringLiteral("controls")] = controls;
         });
     },
     "mixes a single control and a group"},
    {"index_out_of_16_bits",
     [] {
         return edited([](QJsonObject &r) {
             editControl(r, QStringLiteral("Label5"), 2,
                         [](QJsonObject &c) { c[QStringLiteral("index")] = 40000; });
         });
     },
     "\"index\" must be a whole number from 0 to 32767"},
    {"narrow_width_not_client_plus_border",
     [] {
         return edited([](QJsonObject &r) {
             QJsonObject form = r.value(QStringLiteral("form")).toObject();
             form[QStringLiteral("narrowOuterWidth")] = 4560;
             r[QStringLiteral("form")] = form;
         });
     },
     "\"narrowOuterWidth\" must be the client width plus the border"},
};

class LayoutDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(LayoutDamage, is_refused_with_a_message_naming_the_fault)
{
    const LayoutLoader::Result result = LayoutLoader::parse(GetParam().layout());
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(QString::fromUtf8(GetParam().messagePart)))
        << result.error.toStdString();
    EXPECT_TRUE(result.layout.controls.empty());
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutDamage, ::testing::ValuesIn(kDamage),
                         [](const ::testing::TestParamInfo<DamageCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(LayoutLoader, accepts_the_compiled_in_layout)
{
    const LayoutLoader::Result &result = LayoutLoader::builtIn();
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.layout.controls.size(), 78u);
    EXPECT_EQ(result.layout.form.caption, QStringLiteral("Quodrel Zodir  Hitungrama"));
    EXPECT_EQ(result.layout.form.narrowOuterWidth, 4650);
    EXPECT_EQ(result.layout.form.wideOuterWidth, 8100);
}

TEST(LayoutLoader, saved_sets_omit_default_values)
{
    const FormLayout &layout = LayoutLoader::builtIn().layout;
    // Enabled True and the ambient font are defaults and are not stored.
    const ControlDescription *digit = layout.find(QStringLiteral("XPButton1"), 3);
    ASSERT_NE(digit, nullptr);
    EXPECT_FALSE(digit->properties.contains(QStringLiteral("Enabled")));
    EXPECT_FALSE(digit->properties.contains(QStringLiteral("Font")));
    const ControlDescription *desimal = layout.find(QStringLiteral("XPButton13"));
    ASSERT_NE(desimal, nullptr);
    EXPECT_EQ(desimal->properties.read(QStringLiteral("Enabled"), true), QVariant(false));
    // A black hover colour is stored: the ambient text colour is the button
    // text system colour, not black, so reading it back keeps black.
    EXPECT_EQ(desimal->properties.read(QStringLiteral("ForeHover"), 1u).toUInt(), 0u);
    EXPECT_NE(layout.form.foreColor, 0u);
}

TEST(LayoutLoader, unreadable_file_is_reported)
{
    const LayoutLoader::Result result = LayoutLoader::load(QStringLiteral("/nonexistent/layout.json"));
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(QStringLiteral("cannot read")));
}

} // namespace
} // namespace hitungrama::test
