// The window in English, drawn: every caption and the check box's text are
// drawn whole inside their control, and the display's messages fit it.
#include "engine/enginetexts.h"
#include "harness/recordingmessageboxservice.h"
#include "form/form1.h"
#include "i18n/languagesetup.h"
#include "app/programstart.h"
#include "i18n/translationtable.h"
#include "xpbutton/xpbutton.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace hitungrama::test {
namespace {

// Where a widget draws its text: the pixels that differ between it drawn
// with the text and without.
QRect inkOf(QWidget &widget, const std::function<void(bool)> &showText)
{
    const QImage with = widget.grab().toImage();
    showText(false);
    const QImage without = widget.grab().toImage();
    showText(true);
    QRect ink;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

class EnglishWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        LanguageSetup::install(Language::English);
        form = ProgramStart::createWindow("englishwindow_test", boxes);
        ASSERT_NE(form, nullptr);
        ProgramStart::show(*form);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override
    {
        form.reset();
        LanguageSetup::install(Language::Indonesian);
    }

    RecordingMessageBoxService boxes;
    std::unique_ptr<Form1> form;
};

TEST_F(EnglishWindow, captions_are_drawn_whole_inside_their_buttons)
{
    // The frame takes the outer three pixels of a button.
    constexpr int kFrame = 3;
    int checked = 0;
    for (XPButton *button : form->findChildren<XPButton *>()) {
        if (button->isHidden())
            continue;
        const QString caption = button->caption();
        SCOPED_TRACE(caption.toStdString());
        const QRect ink = inkOf(*button, [&](bool on) { button->setCaption(on ? caption : QString()); });
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(button->rect().adjusted(kFrame, kFrame, -kFrame, -kFrame).contains(ink))
            << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height()
            << " in " << button->width() << "x" << button->height();
        ++checked;
    }
    EXPECT_EQ(checked, 40);
    EXPECT_EQ(form->controls().button(QLatin1String("XPButton13"))->caption(), "Decimal");
}

TEST_F(EnglishWindow, check_box_text_and_display_messages_fit)
{
    QCheckBox &box = *form->binaryModeBox();
    EXPECT_EQ(box.text(), "Binary mode");
    ASSERT_FALSE(inkOf(box, [&](bool on) { box.setText(on ? QStringLiteral("Binary mode") : QString()); }).isEmpty());
    // The style clips the text at its contents, short of the edge.
    EXPECT_LE(box.sizeHint().width(), box.width());

    QLineEdit &display = *form->display();
    const QFontMetrics metrics(display.font());
    for (const std::string &message : {enginetext::kMemoryRefusesZero, enginetext::kDivisionByZero}) {
        const QString shown = TranslationTable::engine().translated(message);
        EXPECT_NE(shown, QString::fromStdString(message));
        EXPECT_LT(metrics.horizontalAdvance(shown), display.contentsRect().width() - 4)
            << shown.toStdString();
    }
}

} // namespace
} // namespace hitungrama::test
