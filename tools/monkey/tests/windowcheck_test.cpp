#include "windowcheck.h"

#include "harness/harnessapplication.h"
#include "harness/temporaryhome.h"
#include "tape/tapestore.h"
#include "form/form1.h"
#include "tapeview/tapewindow.h"
#include "app/programstart.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace hitungrama {
namespace {

using Records = std::vector<RecordingMessageBoxService::Record>;

class WindowCheckTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "monkey_tests";
        static char *argv[] = {name, nullptr};
        static const TemporaryHome home;
        static HarnessApplication app(argc, argv);
    }

    RecordingMessageBoxService boxes;
    std::unique_ptr<Form1> form = ProgramStart::createWindow("monkey_tests", boxes);
};

RecordingMessageBoxService::Record box(const char *title, MessageButtons buttons, MessageAnswer answer)
{
    MessageBoxRequest request;
    request.title = QString::fromLatin1(title);
    request.text = QStringLiteral("text");
    request.buttons = buttons;
    return {request, answer};
}

TEST_F(WindowCheckTest, a_fresh_window_and_sound_boxes_pass)
{
    ASSERT_NE(form, nullptr);
    const Records sound = {box("Info", MessageButtons::Ok, MessageAnswer::Ok),
                           box("Pertanyaan", MessageButtons::YesNo, MessageAnswer::No)};
    EXPECT_EQ(WindowCheck::problem(*form, sound), QString());
}

TEST_F(WindowCheckTest, faults_are_named)
{
    ASSERT_NE(form, nullptr);
    const struct {
        const char *what;
        std::function<void(Form1 &)> damage;
        Records boxes;
    } faults[] = {
        {"width between the two", [](Form1 &f) { f.setOuterWidthTwips(5000); }, {}},
        {"wide with a hidden toggle",
         [](Form1 &f) { f.setOuterWidthTwips(f.description().wideOuterWidth); }, {}},
        {"display not a number", [](Form1 &f) { f.display()->setText(QStringLiteral("12E")); }, {}},
        {"OK box answered yes", [](Form1 &) {}, {box("Info", MessageButtons::Ok, MessageAnswer::Yes)}},
        {"Yes/No box answered OK", [](Form1 &) {}, {box("Info", MessageButtons::YesNo, MessageAnswer::Ok)}},
        {"box without title", [](Form1 &) {}, {box("", MessageButtons::Ok, MessageAnswer::Ok)}},
        {"tape watched with its window closed",
         [](Form1 &f) {
             f.showTape(false);
             f.tapeWindow()->close();
             f.tape()->setWatching(true);
         },
         {}},
    };
    for (const auto &fault : faults) {
        std::unique_ptr<Form1> damaged = ProgramStart::createWindow("monkey_tests", boxes);
        fault.damage(*damaged);
        EXPECT_FALSE(WindowCheck::problem(*damaged, fault.boxes).isEmpty()) << fault.what;
    }
}

} // namespace
} // namespace hitungrama
