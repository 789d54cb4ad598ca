// The language choice, and Qt's own texts as the installed catalogues show
// them: in a box, in a text field's context menu and in Qt's file dialog.
#include "screenwords.h"

#include "harness/harnessapplication.h"
#include "harness/screentexts.h"
#include "i18n/languagesetup.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace hitungrama {
namespace {

struct ChoiceCase {
    const char *environment; // what a user would have set
    QStringList uiLanguages; // what Qt 6.4 makes of it
    const char *messagesLocale;
    Language expected;
};

TEST(LanguageChoice, follows_the_desktop_and_keeps_indonesian_for_the_c_locale)
{
    const Language id = Language::Indonesian;
    const Language en = Language::English;
    const ChoiceCase cases[] = {
        {"nothing set", {"C"}, "", id},
        {"LANG=C", {"C"}, "C", id},
        {"LANG=C.UTF-8", {"C"}, "C.UTF-8", id},
        {"LC_ALL=POSIX", {"C"}, "POSIX", id},
        {"LANGUAGE=en LC_ALL=C", {"en", "en-Latn-US", "en-US"}, "C", en},
        {"LANGUAGE=pt_BR LC_ALL=C", {"pt-BR", "pt-Latn-BR", "pt"}, "C", id},
        {"LANG=de_DE.UTF-8", {"de-DE", "de-Latn-DE", "de"}, "de_DE.UTF-8", en},
        {"LANGUAGE=fr:en", {"fr", "fr-Latn-FR", "fr-FR", "en", "en-Latn-US", "en-US"}, "", en},
        {"LANGUAGE=id LANG=en_US.UTF-8", {"id", "id-Latn-ID", "id-ID"}, "en_US.UTF-8", id},
        {"LANGUAGE=de:id LANG=en_US.UTF-8", {"de", "de-Latn-DE", "de-DE", "id", "id-Latn-ID"},
         "en_US.UTF-8", id},
        {"LC_MESSAGES=en_US.UTF-8", {"en-US", "en-Latn-US", "en"}, "en_US.UTF-8", en},
        {"LANG=en_GB.UTF-8", {"en-GB", "en-Latn-GB"}, "en_GB.UTF-8", en},
        {"LANG=id_ID.UTF-8", {"id-ID", "id-Latn-ID", "id"}, "id_ID.UTF-8", id},
        {"no list, LANG=ja_JP", {}, "ja_JP.UTF-8", en},
    };
    for (const ChoiceCase &row : cases) {
        SCOPED_TRACE(row.environment);
        EXPECT_EQ(LanguageSetup::choose(row.uiLanguages,
                                        LanguageSetup::isCLocale(row.messagesLocale)),
                  row.expected);
    }
}

// The texts that hold a word of Qt's own English.
QStringList englishIn(const QStringList &texts)
{
    QStringList found;
    for (const QString &text : texts) {
        if (!test::wordsIn(text, test::qtEnglishWords()).isEmpty())
            found << text;
    }
    return found;
}

QStringList boxButtons()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Hitungrama"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    return {box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')),
            box.button(QMessageBox::No)->text().remove(QLatin1Char('&'))};
}

class QtTexts : public ::testing::Test {
protected:
    void TearDown() override { LanguageSetup::install(Language::Indonesian); }
};

TEST_F(QtTexts, are_indonesian_in_a_box_a_context_menu_and_the_file_dialog)
{
    ASSERT_EQ(LanguageSetup::installed(), Language::Indonesian);
    EXPECT_EQ(boxButtons(), QStringList({"Ya", "Tidak"}));

    QLineEdit field(QStringLiteral("12"));
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList menuTexts;
    for (const QAction *action : menu->actions())
        menuTexts << action->text();
    EXPECT_TRUE(menuTexts.contains(QStringLiteral("&Salin\tCtrl+C"))) << menuTexts.join(" | ").toStdString();
    EXPECT_EQ(englishIn(menuTexts).join(" | ").toStdString(), "");

    // What the dialog shows, and every action it has, context menus' too.
    QTemporaryDir folder;
    QFileDialog dialog(nullptr, QString(), folder.path(), QStringLiteral("CSV (*.csv)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.show();
    QStringList dialogTexts;
    for (const ScreenTexts::Text &text : ScreenTexts::of(dialog))
        dialogTexts << text.text;
    for (const QAction *action : dialog.findChildren<QAction *>())
        dialogTexts << action->text();
    EXPECT_TRUE(dialogTexts.contains(QStringLiteral("Simpan"))) << dialogTexts.join(" | ").toStdString();
    EXPECT_EQ(englishIn(dialogTexts).join(" | ").toStdString(), "");
}

TEST_F(QtTexts, are_qt_own_english_under_english)
{
    HarnessApplication::takeWarnings();
    LanguageSetup::install(Language::English);
    EXPECT_EQ(LanguageSetup::installed(), Language::English);
    EXPECT_EQ(HarnessApplication::takeWarnings().join(QLatin1Char('\n')).toStdString(), "");
    EXPECT_EQ(boxButtons(), QStringList({"Yes", "No"}));
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
}

} // namespace
} // namespace hitungrama
