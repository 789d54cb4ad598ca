// The layout loader refuses a damaged layout as a whole, naming the fault.
#include "layout/layoutloader.h"
#include "layout/windowresources.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace hitungrama::test {
namespace {

// Sets (or, with an undefined value, removes) a key of a control or of its
// saved properties.
struct Damage {
    const char *name;
    const char *control;
    int index;
    bool inProperties;
    const char *key;
    QJsonValue value;
    const char *messagePart;
};

// The compiled-in layout with the one change.
QByteArray damaged(const Damage &damage)
{
    WindowResources::ensureRegistered();
    QFile file(LayoutLoader::builtInPath());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    QJsonArray controls = root.value(QStringLiteral("controls")).toArray();
    const QString key = QString::fromLatin1(damage.key);
    for (int i = 0; i < controls.size(); ++i) {
        QJsonObject control = controls[i].toObject();
        if (control.value(QStringLiteral("name")).toString() != QLatin1String(damage.control)
            || control.value(QStringLiteral("index")).toInt(-1) != damage.index)
            continue;
        QJsonObject target = damage.inProperties ? control.value(QStringLiteral("properties")).toObject() : control;
        damage.value.isUndefined() ? void(target.remove(key)) : void(target[key] = damage.value);
        if (damage.inProperties)
            control[QStringLiteral("properties")] = target;
        else
            control = target;
        controls[i] = control;
    }
    root[QStringLiteral("controls")] = controls;
    return QJsonDocument(root).toJson();
}

const Damage kDamage[] = {
    {"extent_does_not_match_size", "XPButton1", 7, true, "extent", QJsonArray{874, 661},
     "XPButton1(7): extent 874 x 661 does not match"},
    {"extent_missing", "XPButton3", -1, true, "extent", QJsonValue(QJsonValue::Undefined), "lack \"extent\""},
    {"unknown_saved_property", "XPButton3", -1, true, "backcolor", 1, "unknown saved property"},
    {"colour_in_words", "XPButton3", -1, true, "forecolor", "green", "\"forecolor\" must be a colour"},
    {"caption_not_text", "XPButton3", -1, true, "caption", 5, "\"caption\" must be a text"},
    {"font_of_negative_size", "Text1", -1, false, "font",
     QJsonObject{{"name", "Tahoma"}, {"size", -3}}, "\"size\" must be a number of points"},
    {"position_between_pixels", "Label4", -1, false, "left", 1441, "Label4: \"left\" is not a whole number of pixels"},
    {"negative_height", "Label1", -1, false, "height", -15, "\"height\" must be a whole number"},
    {"unknown_control_type", "Check1", -1, false, "type", "Slider", "unknown control type \"Slider\""},
    {"index_beyond_16_bits", "Label5", 2, false, "index", 40000, "from 0 to 32767"},
    {"driven_control_of_wrong_type", "Label3", -1, false, "type", "CheckBox", "Label3: has the wrong control type"},
    {"driven_control_missing", "Label8", 9, false, "name", "Label9", "the layout lacks Label8(9)"},
    {"same_control_twice", "Label8", 9, false, "index", 8, "Label8(8): appears twice"},
    {"single_and_group_share_a_name", "Label3", -1, false, "name", "Label5", "mixes a single control and a group"},
};

TEST(LayoutLoader, refuses_a_damaged_layout_with_a_message_naming_the_fault)
{
    for (const Damage &damage : kDamage) {
        SCOPED_TRACE(damage.name);
        const LayoutLoader::Result result = LayoutLoader::parse(damaged(damage));
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(damage.messagePart))) << result.error.toStdString();
        EXPECT_TRUE(result.layout.controls.empty());
    }
}

TEST(LayoutLoader, refuses_text_that_is_no_layout)
{
    for (const char *text : {"{\"form\": ", "[1, 2]", "{\"format\": \"other\", \"version\": 1}", ""}) {
        const LayoutLoader::Result result = LayoutLoader::parse(QByteArray(text));
        EXPECT_FALSE(result.ok()) << text;
        EXPECT_FALSE(result.error.isEmpty()) << text;
    }
    EXPECT_FALSE(LayoutLoader::load(QStringLiteral("/nonexistent/layout.json")).ok());
}

} // namespace
} // namespace hitungrama::test
