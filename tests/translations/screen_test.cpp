// Every text the window and the tape window show, read from the screen
// after driving them through each box, message and dialog they can show:
// under English none is still Indonesian, under Indonesian none is Qt's
// English. The tape's lines are data and left out; they keep the language
// they were made in.
#include "screenwords.h"

#include "engine/enginetexts.h"
#include "harness/actionrunner.h"
#include "harness/screentexts.h"
#include "keyboard/displayclipboard.h"
#include "form/form1.h"
#include "i18n/languagesetup.h"
#include "app/programstart.h"
#include "boxes/qtmessageboxservice.h"
#include "tapeview/tapewindow.h"
#include "tape/tapestore.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QListView>
#include <QLineEdit>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace hitungrama::test {
namespace {

// Shows each box and file dialog as the program does, reads its texts while
// it is open and answers it: No to a question, OK to a message, Cancel to
// a file dialog.
class ShownBoxes : public RecordingMessageBoxService {
public:
    QList<ScreenTexts::Text> texts;

    ShownBoxes()
    {
        QObject::connect(&m_reader, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible())
                return;
            texts += ScreenTexts::of(*modal);
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                QAbstractButton *answer = box->button(QMessageBox::No);
                (answer != nullptr ? answer : box->button(QMessageBox::Ok))->click();
            } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
                dialog->reject();
            }
        });
        m_reader.start(5);
    }

    MessageAnswer show(QWidget *parent, const MessageBoxRequest &request) override
    {
        RecordingMessageBoxService::show(parent, request);
        return QtMessageBoxService().show(parent, request);
    }

    SaveFileAnswer chooseSaveFile(QWidget *parent, const SaveFileRequest &request) override
    {
        RecordingMessageBoxService::chooseSaveFile(parent, request);
        return QtMessageBoxService().chooseSaveFile(parent, request);
    }

private:
    QTimer m_reader;
};

struct Step {
    const char *what;
    QStringList actions; // in the replay language, naming controls by name
    // Input the replay language has no words for, after the actions.
    std::function<void(Form1 &)> input = nullptr;
};

// A key to the tape window's list, its window active as a user's click
// would make it (its keys act only there).
void tapeKey(Form1 &form, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    TapeWindow &window = *form.tapeWindow();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.list(), key, modifiers);
}

// Each box, display message, window and state with texts of its own, by
// control names, so that the same steps serve every language. ON starts
// each step.
const Step kSteps[] = {
    {"start", {}},
    {"about box", {"click XPButton7"}},
    {"exit question answered no", {"click XPButton4"}},
    {"key list", {"key F1"}},
    {"function without a number", {"click XPButton9(0)"}},
    {"division by zero", {"type 5/0="}},
    {"memory refuses zero", {"type 0", "click XPButton8(0)"}},
    {"memory replace question", {"type 5", "click XPButton8(0)", "type 6", "click XPButton8(0)"}},
    {"root of a negative number", {"type 4", "click XPButton9(9)", "click XPButton9(5)"}},
    {"logarithm of a negative number", {"type 4", "click XPButton9(9)", "click XPButton9(11)"}},
    {"factorial out of range", {"type 0.5", "click XPButton9(6)"}},
    {"factorial overflow", {"type 171", "click XPButton9(6)"}},
    {"prime", {"type 7", "click XPButton9(8)"}},
    {"not prime", {"type 8", "click XPButton9(8)"}},
    {"negative prime", {"type 5", "click XPButton9(9)", "click XPButton9(8)"}},
    {"binary conversion refused", {"type 5", "click XPButton9(9)", "click XPButton11"}},
    {"table shown", {"type 3", "click XPButton9(7)"}},
    {"binary mode", {"click Check1", "type 101", "click XPButton13"}},
    {"tape window", {"tape open"}},
    {"tape: delete all answered no", {},
     [](Form1 &form) { tapeKey(form, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier); }},
    {"tape: keeping turned off and on", {},
     [](Form1 &form) {
         form.tapeWindow()->keepingBox()->click();
         form.tapeWindow()->keepingBox()->click();
     }},
    {"tape: export dialog cancelled", {}, [](Form1 &form) { tapeKey(form, Qt::Key_S, Qt::ControlModifier); }},
};

struct Seen {
    QString step;
    ScreenTexts::Text text;
};

// Drives a new window through every step in the language given and
// returns every text it showed, with the step that showed it.
QList<Seen> collect(Language language)
{
    LanguageSetup::install(language);
    ShownBoxes boxes;
    const std::unique_ptr<Form1> form = ProgramStart::createWindow("screen_test", boxes);
    if (form == nullptr) {
        ADD_FAILURE() << "no window";
        return {};
    }
    ActionRunner runner(*form, boxes);
    runner.showWindow();
    QList<Seen> seen;
    const auto keep = [&seen](const char *step, const QList<ScreenTexts::Text> &texts) {
        for (const ScreenTexts::Text &text : texts)
            seen.append({QLatin1String(step), text});
    };
    // A message may stay in the display only for the rest of its step.
    QStringList displayed;
    QObject::connect(form->display(), &QLineEdit::textChanged, form.get(),
                     [&displayed](const QString &text) { displayed << text; });
    for (const Step &step : kSteps) {
        for (const QString &action : QStringList{"click XPButton3"} + step.actions) {
            runner.perform(action);
            EXPECT_EQ(runner.lastError().toStdString(), "") << step.what << ": " << action.toStdString();
        }
        if (step.input)
            step.input(*form);
        keep(step.what, ScreenTexts::of(*form));
        if (form->tapeWindow() != nullptr && form->tapeWindow()->isVisible())
            keep(step.what, ScreenTexts::of(*form->tapeWindow()));
        keep(step.what, boxes.texts);
        boxes.texts.clear();
        for (const QString &text : std::exchange(displayed, {}))
            seen.append({QLatin1String(step.what), {QStringLiteral("display text"), text}});
    }
    const std::unique_ptr<QMenu> menu(form->clipboard().createMenu(form.get()));
    keep("display's context menu", ScreenTexts::ofMenu(*menu));
    const std::unique_ptr<QMenu> searchMenu(form->tapeWindow()->searchField()->createStandardContextMenu());
    keep("tape search field's context menu", ScreenTexts::ofMenu(*searchMenu));
    return seen;
}

// Each text with the words `wrongIn` finds in it, and the step that showed
// it. A folder's path, as the file dialog shows it, is the user's data.
QString faultsIn(const QList<Seen> &seen, const std::function<QStringList(const Seen &)> &wrongIn)
{
    QStringList faults;
    for (const Seen &text : seen) {
        const QStringList wrong = text.text.text.startsWith(QLatin1Char('/')) ? QStringList() : wrongIn(text);
        if (!wrong.isEmpty())
            faults << QStringLiteral("%1, %2: \"%3\" holds %4")
                          .arg(text.step, text.text.where, text.text.text, wrong.join(QLatin1String(", ")));
    }
    return faults.join(QLatin1Char('\n'));
}

class ShownTexts : public ::testing::Test {
protected:
    void TearDown() override { LanguageSetup::install(Language::Indonesian); }
};

TEST_F(ShownTexts, under_english_none_is_indonesian)
{
    const CatalogueWords catalogue = readCatalogue(QStringLiteral(HITUNGRAMA_EN_TS));
    const CatalogueWords qt = readCatalogue(QStringLiteral(HITUNGRAMA_QT_ID_TS));
    ASSERT_GT(catalogue.messages, 0);
    ASSERT_GT(qt.messages, 0);
    // Qt's own English (box buttons, a text field's menu, the file dialog):
    // the texts our catalogue of Qt's translates into Indonesian.
    const QSet<QString> allowed = catalogue.english + qt.sources + keyCaps();
    const QList<Seen> seen = collect(Language::English);
    const QString faults = faultsIn(seen, [&](const Seen &text) {
        QStringList wrong = wordsIn(text.text.text, catalogue.indonesian);
        for (const QString &word : wordsOf(text.text.text)) {
            if (!allowed.contains(word) && !wrong.contains(word))
                wrong << word + QLatin1String(" (unknown)");
        }
        return wrong;
    });
    EXPECT_EQ(faults.toStdString(), "");
    EXPECT_GT(seen.size(), 100);
}

TEST_F(ShownTexts, under_indonesian_none_is_qt_english_and_every_engine_text_is_met)
{
    const QList<Seen> seen = collect(Language::Indonesian);
    const QString faults = faultsIn(seen, [](const Seen &text) {
        QSet<QString> forbidden = qtEnglishWords();
        // The key list names keys as their caps read ("Delete: CE").
        if (text.step == QLatin1String("key list"))
            forbidden -= keyCaps();
        return wordsIn(text.text.text, forbidden);
    });
    EXPECT_EQ(faults.toStdString(), "");
    // The steps reach every text of the engine that the screen can show.
    QSet<QString> shown;
    for (const Seen &text : seen)
        shown.insert(text.text.text);
    QStringList unmet;
    for (const std::string &text : enginetext::all()) {
        if (text != enginetext::kDecimalFunction && !shown.contains(QString::fromStdString(text)))
            unmet << QString::fromStdString(text);
    }
    EXPECT_EQ(unmet.join(QLatin1String(" | ")).toStdString(), "");
}

TEST_F(ShownTexts, tape_lines_keep_the_language_they_were_made_in)
{
    ShownBoxes boxes;
    const std::unique_ptr<Form1> form = ProgramStart::createWindow("screen_test", boxes);
    ASSERT_NE(form, nullptr);
    ActionRunner runner(*form, boxes);
    runner.showWindow();
    const QStringList actions = {"click XPButton3", "type 5/0=", "click Check1", "type 101",
                                 "click XPButton13", "click Check1"};
    for (const QString &action : actions)
        runner.perform(action);
    LanguageSetup::install(Language::English);
    for (const QString &action : actions)
        runner.perform(action);
    ASSERT_TRUE(form->tape()->waitForWrites(5000));
    QStringList lines;
    for (const TapeLine &line : form->tape()->lastLines(4))
        lines << line.text();
    EXPECT_EQ(lines, QStringList({"5 / 0 = Tidak ada pembagian dengan nol", "Desimal(00000101) = 5",
                                  "5 / 0 = Cannot divide by zero", "Decimal(00000101) = 5"}));
}

} // namespace
} // namespace hitungrama::test
