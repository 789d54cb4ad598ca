// The button's drawing: canvas lines, each look against its reference picture at 100 %, and the
// lines at other device pixel ratios.
#include "testhost.h"
#include "xpbutton/canvas.h"
#include "xpbutton/fontunits.h"
#include "xpbutton/pixelgrid.h"
#include "xpbutton/xpbuttonrenderer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace hitungrama;

namespace {

constexpr int W = 40;
constexpr int H = 25;
constexpr QRgb kFrame = 0xFF003C74;       // (0, 60, 116)

QImage render(const ButtonLook &look, int width = W, int height = H)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    XPButtonRenderer::paint(image, look);
    return image;
}

ButtonLook look(bool enabled, bool hover, bool focus, bool pressed, short pressButton = 1)
{
    return ButtonLook{enabled, hover, focus, pressed, pressButton, {}, {}};
}

std::string rgb(QRgb c) { return QColor(c).name().toStdString(); }

using Points = std::set<std::pair<int, int>>;

// The pixels of one colour in an area of the image, all of it by default.
Points pixelsOf(const QImage &image, QRgb colour, QRect area = {})
{
    area = area.isNull() ? image.rect() : area;
    Points points;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour)
                points.insert({x, y});
    return points;
}

// Each look compared pixel for pixel with its reference picture in
// tests/xpbutton/reference/. After a deliberate change of a look, write them
// again from the renderer and look at them before committing:
//   HITUNGRAMA_WRITE_REFERENCE=1 build/tests/xpbutton/xpbutton_tests --gtest_filter='ReferencePicture.*'
::testing::AssertionResult matchesReference(const QImage &image, const QString &path, bool write)
{
    if (write && !image.save(path))
        return ::testing::AssertionFailure() << "cannot write " << path.toStdString();
    QImage reference;
    if (!reference.load(path))
        return ::testing::AssertionFailure() << "no reference picture " << path.toStdString()
                                             << " (HITUNGRAMA_WRITE_REFERENCE=1 writes it)";
    reference = reference.convertToFormat(QImage::Format_RGB32);
    if (reference.size() != image.size())
        return ::testing::AssertionFailure() << path.toStdString() << " is " << reference.width() << "x"
                                             << reference.height() << ", the look " << image.width() << "x"
                                             << image.height();
    int differing = 0;
    QPoint first;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != reference.pixel(x, y) && differing++ == 0)
                first = QPoint(x, y);
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ from " << path.toStdString()
                                         << ", the first at " << first.x() << "," << first.y() << ": "
                                         << rgb(image.pixel(first)) << " instead of " << rgb(reference.pixel(first));
}

// The faces, frames, corners and rings of each look, with a caption in the
// font the tests fix, its access key underlined. The state the button asks
// for picks one look: disabled wins over a press and both rings, a right
// press stays unpressed, and the hover ring wins over the focus ring.
TEST(ReferencePicture, each_look_matches_its_own)
{
    const struct {
        const char *name;
        ButtonLook look;
    } cases[] = {{"resting", look(true, false, false, false)},   {"pressed", look(true, false, false, true)},
                 {"disabled", look(false, false, false, false)}, {"hover", look(true, true, false, false)},
                 {"focus", look(true, false, true, false)},      {"disabled", look(false, true, true, true)},
                 {"resting", look(true, false, false, true, 2)}, {"hover", look(true, true, false, true, 2)},
                 {"hover", look(true, true, true, false)}};
    const bool write = qEnvironmentVariableIntValue("HITUNGRAMA_WRITE_REFERENCE") == 1;
    std::set<std::string> written; // each picture from its plain look, the first of its name
    for (auto c : cases) {
        c.look.caption = QStringLiteral("&Sin");
        c.look.font = fontFromPoints(QStringLiteral("DejaVu Sans"), 9, true);
        c.look.foreColor = 0x000000;
        c.look.foreHover = 0xC00000;
        const QString path = QStringLiteral(HITUNGRAMA_REFERENCE_DIR "/%1.png").arg(QLatin1String(c.name));
        EXPECT_TRUE(matchesReference(render(c.look), path, write && written.insert(c.name).second)) << c.name;
    }
}

TEST(ReferencePicture, missing_or_different_one_fails)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString path = scratch.filePath(QStringLiteral("resting.png"));
    EXPECT_FALSE(matchesReference(render(ButtonLook{}), path, false));
    ASSERT_TRUE(render(ButtonLook{}).save(path));
    EXPECT_TRUE(matchesReference(render(ButtonLook{}), path, false));
    EXPECT_FALSE(matchesReference(render(look(true, true, false, false)), path, false));
}

TEST(SmallButton, draws_every_look_and_keeps_the_fixed_lines_under_six_rows)
{
    for (const QSize size : {QSize(40, 5), QSize(40, 1), QSize(1, 25), QSize(2, 2), QSize(3, 3)})
        for (ButtonLook l : {look(true, true, false, false), look(true, false, true, false),
                             look(true, false, false, true), look(false, false, false, false)}) {
            l.caption = QStringLiteral("&Wide caption");
            EXPECT_EQ(render(l, size.width(), size.height()).size(), size);
        }
    // Below the top frame a five-row button shows the bottom four rows of a full one.
    const QImage full = render(ButtonLook{});
    const QImage low = render(ButtonLook{}, W, 5);
    for (int row = 1; row < 5; ++row)
        EXPECT_EQ(rgb(low.pixel(10, row)), rgb(full.pixel(10, H - 5 + row))) << row;
}

TEST(CaptionPlacement, centres_vertically_with_halves_rounded_to_even)
{
    const struct {
        int height, textHeight, top, bottom;
    } cases[] = {{25, 14, 6, 20}, {24, 13, 6, 18}, {26, 15, 6, 20}, {25, 15, 5, 20}, {10, 30, -10, 20}};
    for (const auto &c : cases) {
        const QRect rect = XPButtonRenderer::captionRect(W, c.height, c.textHeight);
        EXPECT_EQ(rect, QRect(0, c.top, W, c.bottom - c.top)) << c.height << "/" << c.textHeight;
    }
    EXPECT_EQ(XPButtonRenderer::roundHalfEven(-1.5), -2);
    EXPECT_EQ(XPButtonRenderer::roundHalfEven(2.6), 3);
}

// The plain caption colours are in the reference pictures; a colour may
// also name a system colour.
TEST(Caption, colour_may_name_a_system_colour)
{
    const struct {
        const char *name;
        bool hover;
        quint32 fore, foreHover;
        QRgb expected;
    } cases[] = {{"window_frame_black", false, 0x80000006, 0, qRgb(0, 0, 0)},
                 {"hover_title_text_white", true, 0, 0x80000009, qRgb(255, 255, 255)}};
    for (const auto &c : cases) {
        const ButtonLook l{true, c.hover, false, false, 1, QStringLiteral("MW"),
                           fontFromPoints(QStringLiteral("DejaVu Sans"), 24, true), c.fore, c.foreHover};
        // Rows 1 and 2 of the face are white: the count starts below them.
        EXPECT_GT(pixelsOf(render(l, 80, 50), c.expected, QRect(2, 3, 76, 43)).size(), 20u) << c.name;
    }
}

// Canvas lines leave out their end point; a wider pen reaches up and left.
TEST(CanvasLine, paints_exactly_the_expected_pixels)
{
    QImage blank(12, 10, QImage::Format_RGB32);
    blank.fill(Qt::white);
    const auto block = [&](int left, int top, int right, int bottom) { // every point, the corners included
        return pixelsOf(blank, qRgb(255, 255, 255), QRect(QPoint(left, top), QPoint(right, bottom)));
    };
    const struct {
        const char *name;
        int x1, y1, x2, y2, pen;
        Points expected;
    } cases[] = {{"rightwards", 2, 3, 6, 3, 1, block(2, 3, 5, 3)}, {"leftwards", 6, 3, 2, 3, 1, block(3, 3, 6, 3)},
                 {"one_step_down_is_one_pixel", 7, 5, 7, 6, 1, block(7, 5, 7, 5)},
                 {"to_its_own_start_draws_nothing", 4, 4, 4, 4, 1, Points{}},
                 {"diagonal", 0, 0, 3, 3, 1, {{0, 0}, {1, 1}, {2, 2}}},
                 {"pen_2_reaches_one_up_and_left", 2, 5, 5, 5, 2, block(1, 4, 4, 5)},
                 {"pen_4_reaches_two_up_and_left", 3, 5, 5, 5, 4, block(1, 3, 5, 6)},
                 {"clipped_at_the_edges", -5, 0, 20, 0, 4, block(0, 0, 11, 1)}};
    for (const auto &c : cases) {
        QImage image = blank.copy();
        Canvas(image).line(c.x1, c.y1, c.x2, c.y2, c.pen, kFrame);
        EXPECT_EQ(pixelsOf(image, kFrame), c.expected) << c.name;
    }
}

// A button drawn at a ratio, laid out as XPButton does for a button whose
// top-left corner lies at `at` in its window.
QImage renderAt(const ButtonLook &look, int width, int height, qreal ratio, QPoint at = {})
{
    const int deviceWidth = PixelGrid::deviceSpan(at.x(), width, ratio);
    const int deviceHeight = PixelGrid::deviceSpan(at.y(), height, ratio);
    QImage image(deviceWidth, deviceHeight, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    XPButtonRenderer::paint(image, PixelGrid(width, deviceWidth, ratio),
                            PixelGrid(height, deviceHeight, ratio), look);
    return image;
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
        for (const int length : {1, 3, 8, 9, 17, 25, 33, 51, 79}) // up to 9: too short for the edge rule
            for (const int position : {0, 1, 7}) {
                const int device = PixelGrid::deviceSpan(position, length, ratio);
                const PixelGrid grid(length, device, ratio);
                SCOPED_TRACE(::testing::Message() << ratio << " length " << length << " at " << position);
                ASSERT_EQ(grid.start(0), 0);
                ASSERT_EQ(grid.start(length), device);
                int narrowest = device, widest = 0;
                for (int i = 0; i < length; ++i) {
                    const int width = grid.start(i + 1) - grid.start(i);
                    EXPECT_GE(width, 1) << i;
                    if (i >= PixelGrid::kEdgePixels && i < length - PixelGrid::kEdgePixels) {
                        narrowest = std::min(narrowest, width);
                        widest = std::max(widest, width);
                    }
                }
                EXPECT_LE(widest - narrowest, 1) << "inner pixels share evenly";
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
    EXPECT_EQ(PixelGrid(0, 0, 1.5).start(3), 0);
}

// At whole ratios every logical pixel of the look is a k-by-k block of the
// colour it has at 100 %.
TEST(DeviceRatio, whole_ratios_fill_blocks_with_the_100_percent_pixel)
{
    for (const ButtonLook &l : {ButtonLook{}, look(true, true, false, false)})
        for (const int k : {2, 3}) {
            const QImage small = renderAt(l, 33, 25, 1.0);
            const QImage large = renderAt(l, 33, 25, k);
            ASSERT_EQ(large.size(), QSize(33 * k, 25 * k));
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
                const QImage image = renderAt(look(true, true, false, false), size.width(), size.height(), c.ratio, at);
                const int midX = image.width() / 2, midY = image.height() / 2, w = c.width;
                SCOPED_TRACE(::testing::Message() << c.ratio << " " << size.width() << "x" << size.height()
                                                  << " at " << at.x());
                EXPECT_EQ(runs(image, {0, midY}, {1, 0}, 3), std::vector<int>(3, w)) << "left";
                EXPECT_EQ(runs(image, {image.width() - 1, midY}, {-1, 0}, 3), std::vector<int>(3, w)) << "right";
                EXPECT_EQ(runs(image, {midX, 0}, {0, 1}, 3), std::vector<int>(3, w)) << "top";
                EXPECT_EQ(runs(image, {midX, image.height() - 1}, {0, -1}, 4), std::vector<int>(4, w)) << "bottom";
                EXPECT_EQ(image.pixel(0, midY), kFrame);
            }
}

QRect inkBox(const QImage &image, QRgb ink)
{
    QRect box;
    for (const auto &[x, y] : pixelsOf(image, ink))
        box |= QRect(x, y, 1, 1);
    return box;
}

// The letters are drawn at the device resolution: at ratio 2 they are not
// the 100 % letters blown up, yet they stay in the same place.
TEST(DeviceRatio, caption_is_drawn_at_device_resolution_in_the_same_place)
{
    const ButtonLook caption{true, false, false, false, 0, QStringLiteral("Sin"),
                             fontFromPoints(QStringLiteral("DejaVu Sans"), 12, true), 0x000000};
    const QImage small = renderAt(caption, 49, 25, 1.0);
    for (const qreal ratio : {1.5, 2.0}) {
        const QImage large = renderAt(caption, 49, 25, ratio);
        const QRect smallBox = inkBox(small, qRgb(0, 0, 0));
        const QRect largeBox = inkBox(large, qRgb(0, 0, 0));
        ASSERT_FALSE(smallBox.isEmpty() || largeBox.isEmpty()) << ratio;
        const QRectF back(QPointF(largeBox.topLeft()) / ratio, QSizeF(largeBox.size()) / ratio);
        EXPECT_NEAR(back.center().x(), QRectF(smallBox).center().x(), 1.0) << ratio;
        EXPECT_NEAR(back.center().y(), QRectF(smallBox).center().y(), 1.0) << ratio;
        EXPECT_NEAR(back.height(), smallBox.height(), 2.0) << ratio;
    }
    const QImage large = renderAt(caption, 49, 25, 2.0);
    int mixedBlocks = 0;
    for (int y = 0; y + 1 < large.height(); y += 2)
        for (int x = 0; x + 1 < large.width(); x += 2) {
            const QRgb c = large.pixel(x, y);
            mixedBlocks += (large.pixel(x + 1, y) != c || large.pixel(x, y + 1) != c
                            || large.pixel(x + 1, y + 1) != c) ? 1 : 0;
        }
    EXPECT_GT(mixedBlocks, 10) << "2x2 blocks with more than one colour: the letters are sharp";
}

// The window moves to screens at 200 %, 150 % and back to 100 %: each time the
// button measures and draws again at the new ratio, with the frame one
// device width wide, while its mask stays in logical pixels.
TEST(DeviceRatio, button_draws_again_on_a_screen_with_another_ratio)
{
    test::TestHost host;
    XPButton *button = host.first();
    button->setCaption(QStringLiteral("7"));
    button->setGeometry(9, 13, 33, 25);
    const QImage atOne = button->image().copy();
    ASSERT_EQ(atOne.size(), QSize(33, 25));
    const QRegion logicalShape = button->mask();
    const struct {
        const char *screen;
        qreal ratio;
        int edge;
    } cases[] = {{"two", 2.0, 2}, {"oneandhalf", 1.5, 2}, {"one", 1.0, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.screen);
        for (QScreen *screen : QGuiApplication::screens())
            if (screen->name() == QLatin1String(c.screen))
                host.window()->windowHandle()->setScreen(screen);
        ASSERT_TRUE(QTest::qWaitFor([&] { return button->devicePixelRatioF() == c.ratio; }));
        QCoreApplication::processEvents();
        const QImage &image = button->image();
        EXPECT_EQ(image.devicePixelRatio(), c.ratio);
        EXPECT_EQ(image.size(), QSize(PixelGrid::deviceSpan(9, 33, c.ratio), PixelGrid::deviceSpan(13, 25, c.ratio)));
        EXPECT_EQ(runs(image, {0, image.height() / 2}, {1, 0}, 1), std::vector<int>{c.edge});
        EXPECT_EQ(button->mask(), logicalShape);
    }
    EXPECT_EQ(button->image(), atOne) << "back at 100 %: every pixel as before";
}

} // namespace
