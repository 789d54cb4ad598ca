#include "xpbutton/canvas.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace hitungrama;

namespace {

using Points = std::set<std::pair<int, int>>;
constexpr QRgb kInk = 0xFF102030;

Points block(int left, int top, int right, int bottom) // inclusive
{
    Points points;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            points.insert({x, y});
    return points;
}

template <typename Draw>
Points inked(Draw draw)
{
    QImage image(12, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    Canvas canvas(image);
    draw(canvas);
    Points points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == kInk)
                points.insert({x, y});
    return points;
}

struct LineCase {
    const char *name;
    int x1, y1, x2, y2, pen;
    Points expected;
};
void PrintTo(const LineCase &c, std::ostream *os) { *os << c.name; }

class CanvasLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(CanvasLine, paints_exactly_the_expected_pixels)
{
    const LineCase &c = GetParam();
    EXPECT_EQ(inked([&](Canvas &canvas) { canvas.line(c.x1, c.y1, c.x2, c.y2, c.pen, kInk); }),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CanvasLine,
    ::testing::Values(LineCase{"rightwards_stops_before_end", 2, 3, 6, 3, 1, block(2, 3, 5, 3)},
                      LineCase{"leftwards_stops_before_end", 6, 3, 2, 3, 1, block(3, 3, 6, 3)},
                      LineCase{"one_step_down_is_one_pixel", 7, 5, 7, 6, 1, block(7, 5, 7, 5)},
                      LineCase{"to_its_own_start_draws_nothing", 4, 4, 4, 4, 1, Points{}},
                      LineCase{"diagonal_leaves_out_end", 0, 0, 3, 3, 1, {{0, 0}, {1, 1}, {2, 2}}},
                      LineCase{"pen_2_reaches_one_up_and_left", 2, 5, 5, 5, 2, block(1, 4, 4, 5)},
                      LineCase{"pen_4_reaches_two_up_and_left", 3, 5, 5, 5, 4, block(1, 3, 5, 6)},
                      LineCase{"clipped_at_the_edges", -5, 0, 20, 0, 4, block(0, 0, 11, 1)}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
