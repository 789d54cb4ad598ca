// The window itself: frame, size, position, picture, width changes and exit
// (how the running program ends is in exitflush_test.cpp).
#include "windowsetup.h"

#include "layout/controlnames.h"
#include "boxes/qtmessageboxservice.h"

#include "xpbutton/xpbutton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QScopeGuard>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

namespace hitungrama::test {
namespace {

class Form1Test : public ::testing::Test {
protected:
    // A button takes clicks only while it is shown.
    void SetUp() override { ASSERT_TRUE(window.show()); }

    WindowSetup window;
    Form1 &form() { return *window.form; }
    XPButton *button(QLatin1String name, int index = -1) { return form().controls().button(name, index); }
};

// SetUp showed the window through the program's own start-up path.
TEST_F(Form1Test, window_starts_centred_with_its_caption_fixed_size_no_size_boxes_and_its_picture)
{
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Quodrel Zodir  Hitungrama"));
    EXPECT_EQ(form().size(), QSize(304, 318));
    EXPECT_EQ(form().minimumSize(), form().maximumSize());
    const Qt::WindowFlags flags = form().windowFlags();
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    const QList<QSize> iconSizes = form().windowIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(32, 32)) && iconSizes.contains(QSize(64, 64)));
    const QPoint offCentre = form().geometry().center() - form().screen()->availableGeometry().center();
    EXPECT_LE(std::abs(offCentre.x()), 1);
    EXPECT_LE(std::abs(offCentre.y()), 1);
    // The picture shows through the transparent labels but not the memory labels:
    // unscaled in the corner, through Label1 (48, 16), not through Label3 (120, 104).
    const QImage picture(form().description().picture);
    ASSERT_FALSE(picture.isNull());
    const QImage shot = form().grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, 2), picture.pixelColor(2, 2));
    EXPECT_EQ(shot.pixelColor(60, 18), picture.pixelColor(60, 18));
    EXPECT_EQ(shot.pixelColor(150, 120), QColor(255, 255, 255));
}

TEST_F(Form1Test, width_change_keeps_the_top_left_corner_and_the_height_and_wide_shows_the_separator)
{
    form().move(40, 30);
    const QPoint corner = form().pos();
    form().setOuterWidthTwips(8100);
    EXPECT_EQ(form().size(), QSize(534, 318));
    EXPECT_EQ(form().pos(), corner);
    const QImage shot = form().grab().toImage();
    EXPECT_EQ(shot.pixelColor(304, 150), QColor(0, 0, 0));
    EXPECT_NE(shot.pixelColor(304, 316), QColor(0, 0, 0)) << "the line ends at 4680 twips";
    form().setOuterWidthTwips(4650);
    EXPECT_EQ(form().width(), 304);
    for (const int absurd : {-5000, std::numeric_limits<int>::max()}) {
        form().setOuterWidthTwips(absurd);
        EXPECT_GE(form().width(), 1) << absurd;
        EXPECT_EQ(form().height(), 318) << absurd;
    }
}

// That the program ends is ExitFlushDeathTest's.
TEST_F(Form1Test, nothing_reacts_after_off_answered_yes)
{
    QTest::mouseClick(button(controlname::kDigitButtons, 5), Qt::LeftButton);
    window.boxes.queueAnswer(true);
    window.boxes.expect();
    QTest::mouseClick(button(controlname::kOffButton), Qt::LeftButton);
    QTest::mouseClick(button(controlname::kDigitButtons, 6), Qt::LeftButton);
    QTest::mouseClick(button(controlname::kAboutButton), Qt::LeftButton);
    EXPECT_EQ(form().display()->text(), QStringLiteral("5"));
    EXPECT_EQ(window.boxes.records().size(), 1u);
}

// A window manager cuts a title short ("Hitu…ma") where the box is narrower
// than the title needs; a short text alone would make it that narrow.
TEST_F(Form1Test, a_box_with_a_short_text_is_as_wide_as_its_title_needs)
{
    // The real box is answered here, not by the watchdog of unexpected boxes.
    form().setProperty("drivenByTest", true);
    const auto undrive = qScopeGuard([this] { form().setProperty("drivenByTest", QVariant()); });
    for (const char *title : {"Hitungrama", "Tombol keyboard dan tombol kalkulator"}) {
        int shown = 0;
        int needed = 0;
        QTimer reader;
        QObject::connect(&reader, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible())
                return;
            shown = box->width();
            needed = QtMessageBoxService::widthForTitle(box->windowTitle(), *box);
            box->button(QMessageBox::Ok)->click();
        });
        reader.start(5);
        QtMessageBoxService().show(&form(), {QStringLiteral("7"), QString::fromUtf8(title),
                                             MessageButtons::Ok, MessageIcon::Information});
        EXPECT_GT(needed, QFontMetrics(form().font()).horizontalAdvance(QString::fromUtf8(title))) << title;
        EXPECT_GE(shown, needed) << title;
    }
}

} // namespace
} // namespace hitungrama::test
