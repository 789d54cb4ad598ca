// The tables of texts that come as data hold exactly those texts: every word
// of the window layout that is not a caption kept in every language, and
// every text of the engine.
#include "screenwords.h"

#include "engine/enginetexts.h"
#include "layout/layoutloader.h"
#include "i18n/translationtable.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace hitungrama::test {
namespace {

QStringList sorted(QStringList list)
{
    std::sort(list.begin(), list.end());
    list.removeDuplicates();
    return list;
}

TEST(TextTables, hold_every_word_of_the_layout)
{
    const LayoutLoader::Result &loaded = LayoutLoader::builtIn();
    ASSERT_TRUE(loaded.ok()) << loaded.error.toStdString();
    QStringList texts{loaded.layout.form.caption};
    for (const ControlDescription &control : loaded.layout.controls) {
        texts << control.caption << control.text << control.toolTip
              << control.properties.read(QStringLiteral("Caption"), QString()).toString();
    }
    QStringList words;
    for (const QString &text : texts) {
        if (!wordsOf(text).isEmpty())
            words << text;
    }
    EXPECT_EQ(sorted(words), sorted(TranslationTable::layout().sources()));
}

TEST(TextTables, hold_every_text_of_the_engine)
{
    QStringList engine;
    for (const std::string &text : enginetext::all())
        engine << QString::fromStdString(text);
    EXPECT_EQ(sorted(engine), sorted(TranslationTable::engine().sources()));
}

} // namespace
} // namespace hitungrama::test
