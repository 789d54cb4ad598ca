#include "testhost.h"
#include "xpbutton/fontunits.h"
#include "xpbutton/pixelgrid.h"
#include "xpbutton/xpbuttonrenderer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace hitungrama;

namespace {

constexpr QRgb kFrame = 0xFF003C74;

struct Scaled {
    QImage image;
    int width, height; // logical
};

// A button drawn at a ratio, laid out as XPButton does for a button whose
// top-left corner lies at `at` in its window.
Scaled render(const ButtonLook &look, int width, int height, qreal ratio, QPoint at = {})
{
    const int deviceWidth = PixelGrid::deviceSpan(at.x(), width, ratio);
    const int deviceHeight = PixelGrid::deviceSpan(at.y(), height, ratio);
    QImage image(deviceWidth, deviceHeight, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    XPButtonRenderer::paint(image, PixelGrid(width, deviceWidth, ratio),
                            PixelGrid(height, deviceHeight, ratio), look);
    return {image, width, height};
}

ButtonLook hovered()
{
    ButtonLook look;
    look.hover = true;
    return look;
}

ButtonLook captioned(const char *text)
{
    ButtonLook look;
    look.caption = QString::fromLatin1(text);
    look.font = fontFromPoints(QStringLiteral("DejaVu Sans"), 12, true);
    look.foreColor = 0x000000;
    return look;
}

// The widths of the runs of equal colour met from one end of a scan line.
std::vector<int> runs(const QImage &image, QPoint from, QPoint step, int count)
{
    std::vector<int> widths;
    QPoint p = from;
    QRgb colour = image.pixel(p);
    int width = 0;
    while (image.rect().contains(p) && int(widths.size()) < count) {
        if (image.pixel(p) != colour) {
            widths.push_back(width);
            colour = image.pixel(p);
            width = 0;
        }
        ++width;
        p += step;
    }
    return widths;
}

// The outer pixels' widths are checked on drawn buttons below.
TEST(PixelGrid, covers_the_device_length_and_shares_the_inner_pixels_evenly)
{
    for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
        for (const int length : {17, 25, 33, 51, 79})
            for (const int position : {0, 1, 7}) {
                const int device = PixelGrid::deviceSpan(position, length, ratio);
                const PixelGrid grid(length, device, ratio);
                const std::string where = std::to_string(ratio) + " length " + std::to_string(length)
                    + " at " + std::to_string(position);
                ASSERT_EQ(grid.start(0), 0) << where;
                ASSERT_EQ(grid.start(length), device) << where;
                int narrowest = device, widest = 0;
                for (int i = 0; i < length; ++i) {
                    const int width = grid.start(i + 1) - grid.start(i);
                    if (i >= PixelGrid::kEdgePixels && i < length - PixelGrid::kEdgePixels) {
                        narrowest = std::min(narrowest, width);
                        widest = std::max(widest, width);
                    }
                }
                EXPECT_GE(narrowest, 1) << where;
                EXPECT_LE(widest - narrowest, 1) << where << ": inner pixels share evenly";
            }
    }
}

TEST(PixelGrid, follows_qt_rounding_of_widget_edges_and_survives_bad_input)
{
    EXPECT_EQ(PixelGrid::deviceSpan(0, 33, 1.5), 50);  // 0 .. 49.5 -> 50
    EXPECT_EQ(PixelGrid::deviceSpan(1, 33, 1.5), 49);  // 1.5 -> 2 .. 51
    EXPECT_EQ(PixelGrid::deviceSpan(1, 32, 1.5), 48);  // 2 .. 49.5 -> 50
    EXPECT_EQ(PixelGrid::deviceSpan(5, 33, 2.0), 66);
    EXPECT_EQ(PixelGrid::deviceSpan(5, 0, 2.0), 0);
    EXPECT_EQ(PixelGrid::deviceSpan(5, 3, std::numeric_limits<qreal>::quiet_NaN()), 3);
    for (const int length : {1, 3, 8, 9}) { // too short for the edge rule: spread evenly
        const PixelGrid grid(length, PixelGrid::deviceSpan(0, length, 1.5), 1.5);
        for (int i = 0; i < length; ++i)
            EXPECT_GE(grid.start(i + 1) - grid.start(i), 1) << length;
    }
    EXPECT_EQ(PixelGrid(0, 0, 1.5).start(3), 0);
}

// At whole ratios every logical pixel of the look is a k-by-k block of the
// colour it has at 100 %.
TEST(DeviceRatio, whole_ratios_fill_blocks_with_the_100_percent_pixel)
{
    for (const ButtonLook &look : {ButtonLook{}, hovered()})
        for (const int k : {2, 3}) {
            const QImage small = render(look, 33, 25, 1.0).image;
            const QImage large = render(look, 33, 25, k).image;
            ASSERT_EQ(large.size(), QSize(33 * k, 25 * k));
            ASSERT_EQ(large.devicePixelRatio(), k);
            for (int y = 0; y < large.height(); ++y)
                for (int x = 0; x < large.width(); ++x)
                    ASSERT_EQ(large.pixel(x, y), small.pixel(x / k, y / k)) << k << ": " << x << "," << y;
        }
}

// Each line of the hover look, met from each side through the middle of the
// button: left and right frame, outer and inner ring; top frame and the two
// top ring lines; bottom frame, the two bottom ring lines and the shade.
TEST(DeviceRatio, every_frame_and_ring_line_has_one_device_width_on_every_side)
{
    const struct {
        qreal ratio;
        int width;
    } cases[] = {{1.0, 1}, {1.25, 1}, {1.5, 2}, {1.75, 2}, {2.0, 2}, {3.0, 3}};
    for (const auto &c : cases)
        for (const QSize size : {QSize(33, 25), QSize(49, 25), QSize(113, 17), QSize(79, 51)})
            for (const QPoint at : {QPoint(0, 0), QPoint(1, 1), QPoint(8, 144)}) {
                const QImage image = render(hovered(), size.width(), size.height(), c.ratio, at).image;
                const int midX = image.width() / 2;
                const int midY = image.height() / 2;
                const int w = c.width;
                const std::string where = std::to_string(c.ratio) + " " + std::to_string(size.width())
                    + "x" + std::to_string(size.height()) + " at " + std::to_string(at.x());
                EXPECT_EQ(runs(image, {0, midY}, {1, 0}, 3), std::vector<int>(3, w)) << where << " left";
                EXPECT_EQ(runs(image, {image.width() - 1, midY}, {-1, 0}, 3), std::vector<int>(3, w))
                    << where << " right";
                EXPECT_EQ(runs(image, {midX, 0}, {0, 1}, 3), std::vector<int>(3, w)) << where << " top";
                EXPECT_EQ(runs(image, {midX, image.height() - 1}, {0, -1}, 4), std::vector<int>(4, w))
                    << where << " bottom";
                EXPECT_EQ(image.pixel(0, midY), kFrame) << where;
            }
}

QRect inkBox(const QImage &image, QRgb ink)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == ink)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The letters are drawn at the device resolution: at ratio 2 they are not
// the 100 % letters blown up, yet they stay in the same place.
TEST(DeviceRatio, caption_is_drawn_at_device_resolution_in_the_same_place)
{
    const ButtonLook look = captioned("Sin");
    const QImage small = render(look, 49, 25, 1.0).image;
    for (const qreal ratio : {1.5, 2.0}) {
        const QImage large = render(look, 49, 25, ratio).image;
        const QRect smallBox = inkBox(small, qRgb(0, 0, 0));
        const QRect largeBox = inkBox(large, qRgb(0, 0, 0));
        ASSERT_FALSE(smallBox.isEmpty() || largeBox.isEmpty()) << ratio;
        const QRectF back(QPointF(largeBox.topLeft()) / ratio, QSizeF(largeBox.size()) / ratio);
        EXPECT_NEAR(back.center().x(), QRectF(smallBox).center().x(), 1.0) << ratio;
        EXPECT_NEAR(back.center().y(), QRectF(smallBox).center().y(), 1.0) << ratio;
        EXPECT_NEAR(back.height(), smallBox.height(), 2.0) << ratio;
    }
    const QImage large = render(look, 49, 25, 2.0).image;
    int mixedBlocks = 0;
    for (int y = 0; y + 1 < large.height(); y += 2)
        for (int x = 0; x + 1 < large.width(); x += 2) {
            const QRgb c = large.pixel(x, y);
            mixedBlocks += (large.pixel(x + 1, y) != c || large.pixel(x, y + 1) != c
                            || large.pixel(x + 1, y + 1) != c) ? 1 : 0;
        }
    EXPECT_GT(mixedBlocks, 10) << "2x2 blocks with more than one colour: the letters are sharp";
}

QScreen *screenNamed(const char *name)
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->name() == QLatin1String(name))
            return screen;
    return nullptr;
}

// The window moves to screens at 200 %, 150 % and back to 100 %: each time the
// button measures and draws again at the new ratio, with the frame one
// device width wide, while its mask stays in logical pixels.
TEST(DeviceRatio, button_draws_again_on_a_screen_with_another_ratio)
{
    QWidget window;
    window.setGeometry(50, 50, 200, 120);
    auto *button = new XPButton(&window);
    test::readDefaults(*button);
    button->setCaption(QStringLiteral("7"));
    button->setGeometry(9, 13, 33, 25);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage atOne = button->image().copy();
    ASSERT_EQ(atOne.size(), QSize(33, 25));
    const QRegion logicalShape = button->mask();
    const struct {
        const char *screen;
        qreal ratio;
        int edge;
    } cases[] = {{"two", 2.0, 2}, {"oneandhalf", 1.5, 2}, {"one", 1.0, 1}};
    for (const auto &c : cases) {
        QScreen *screen = screenNamed(c.screen);
        ASSERT_NE(screen, nullptr) << c.screen;
        window.windowHandle()->setScreen(screen);
        ASSERT_TRUE(QTest::qWaitFor([&] { return button->devicePixelRatioF() == c.ratio; })) << c.screen;
        QCoreApplication::processEvents();
        const QImage &image = button->image();
        EXPECT_EQ(image.devicePixelRatio(), c.ratio) << c.screen;
        EXPECT_EQ(image.size(), QSize(PixelGrid::deviceSpan(9, 33, c.ratio),
                                      PixelGrid::deviceSpan(13, 25, c.ratio)))
            << c.screen;
        EXPECT_EQ(runs(image, {0, image.height() / 2}, {1, 0}, 1), std::vector<int>{c.edge}) << c.screen;
        EXPECT_EQ(button->mask(), logicalShape) << c.screen;
    }
    EXPECT_EQ(button->image(), atOne) << "back at 100 %: every pixel as before";
}

} // namespace
