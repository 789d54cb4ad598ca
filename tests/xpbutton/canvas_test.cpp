#include "xpbutton/canvas.h"

#include <QImage>
#include <QPoint>

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

using namespace hitungrama;

namespace {

using Points = std::set<std::pair<int, int>>;

constexpr QRgb kBackground = 0xFFFFFFFF;
constexpr QRgb kInk = 0xFF102030;

QImage blank(int width = 12, int height = 10)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBackground);
    return image;
}

Points inked(const QImage &image)
{
    Points points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kBackground)
                points.insert({x, y});
    return points;
}

Points block(int left, int top, int right, int bottom) // inclusive
{
    Points points;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            points.insert({x, y});
    return points;
}

struct LineCase {
    const char *name;
    int x1, y1, x2, y2, pen;
    Points expected;
};

class CanvasLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(CanvasLine, paints_exactly_the_expected_pixels)
{
    const LineCase &c = GetParam();
    QImage image = blank();
    Canvas canvas(image);
    canvas.line(c.x1, c.y1, c.x2, c.y2, c.pen, kInk);
    EXPECT_EQ(inked(image), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CanvasLine,
    ::testing::Values(
        LineCase{"rightwards_stops_before_end", 2, 3, 6, 3, 1, block(2, 3, 5, 3)},
        LineCase{"leftwards_stops_before_end", 6, 3, 2, 3, 1, block(3, 3, 6, 3)},
        LineCase{"downwards_stops_before_end", 4, 1, 4, 4, 1, block(4, 1, 4, 3)},
        LineCase{"one_step_down_is_one_pixel", 7, 5, 7, 6, 1, block(7, 5, 7, 5)},
        LineCase{"to_its_own_start_draws_nothing", 4, 4, 4, 4, 1, Points{}},
        LineCase{"diagonal_leaves_out_end", 0, 0, 3, 3, 1, Points{{0, 0}, {1, 1}, {2, 2}}},
        LineCase{"pen_2_covers_one_up_and_left", 2, 5, 5, 5, 2, block(1, 4, 4, 5)},
        LineCase{"pen_2_one_step_down_is_two_by_two", 3, 3, 3, 4, 2, block(2, 2, 3, 3)},
        LineCase{"pen_4_covers_two_up_two_down", 3, 5, 5, 5, 4, block(1, 3, 5, 6)},
        LineCase{"clipped_at_the_edges", -5, 0, 20, 0, 1, block(0, 0, 11, 0)},
        LineCase{"wholly_outside_draws_nothing", 0, -3, 9, -3, 1, Points{}},
        LineCase{"wide_pen_clipped_at_top", 0, 0, 3, 0, 4, block(0, 0, 3, 1)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Canvas, frame_rect_paints_one_pixel_on_the_inside)
{
    QImage image = blank();
    Canvas(image).frameRect(1, 2, 6, 6, kInk);
    Points expected = block(1, 2, 5, 5);
    for (const auto &inner : block(2, 3, 4, 4))
        expected.erase(inner);
    EXPECT_EQ(inked(image), expected);
}

TEST(Canvas, fill_rect_excludes_right_and_bottom_and_clips)
{
    QImage image = blank();
    Canvas canvas(image);
    canvas.fillRect(10, 8, 40, 40, kInk);
    canvas.fillRect(3, 3, 3, 9, kInk); // empty
    EXPECT_EQ(inked(image), block(10, 8, 11, 9));
}

TEST(Canvas, pixels_outside_the_image_are_ignored)
{
    QImage image = blank();
    Canvas canvas(image);
    for (const QPoint p : {QPoint(-1, 0), QPoint(0, -1), QPoint(12, 0), QPoint(0, 10)})
        canvas.pixel(p.x(), p.y(), kInk);
    canvas.pixel(11, 9, kInk);
    EXPECT_EQ(inked(image), (Points{{11, 9}}));
}

TEST(Canvas, empty_image_accepts_every_call)
{
    QImage image;
    Canvas canvas(image);
    canvas.clear(kInk);
    canvas.line(0, 0, 5, 5, 4, kInk);
    canvas.frameRect(0, 0, 3, 3, kInk);
    canvas.pixel(0, 0, kInk);
    EXPECT_TRUE(image.isNull());
}

} // namespace
