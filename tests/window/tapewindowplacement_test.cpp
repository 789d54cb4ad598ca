// Where the tape window goes beside the main window: one case for each way
// beside() can decide, on a screen that does not start at (0, 0).
#include "tapeview/tapewindowplacement.h"

#include <QRect>
#include <QSize>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace hitungrama::test {
namespace {

// Left 100, top 50, right 1099, bottom 749.
const QRect kScreen(100, 50, 1000, 700);

struct PlacementCase {
    const char *name;
    QRect main;
    QSize frame;
    int narrowest;
    QRect expected;
};

void PrintTo(const PlacementCase &row, std::ostream *out)
{
    *out << row.name;
}

// Compared as text, so that a failure shows "x,y widthxheight".
std::string text(const QRect &rect)
{
    return std::to_string(rect.x()) + ',' + std::to_string(rect.y()) + ' ' + std::to_string(rect.width()) + 'x'
        + std::to_string(rect.height());
}

const PlacementCase kCases[] = {
    {"right_of_the_main_window", {200, 100, 400, 300}, {300, 400}, 200, {600, 100, 300, 400}},
    {"right_when_it_just_fits", {400, 100, 400, 300}, {300, 400}, 200, {800, 100, 300, 400}},
    {"left_when_the_right_has_no_room", {600, 100, 400, 300}, {300, 400}, 200, {300, 100, 300, 400}},
    {"narrowed_to_the_wider_right", {320, 100, 500, 300}, {300, 400}, 200, {820, 100, 280, 400}},
    {"narrowed_to_the_wider_left", {380, 100, 500, 300}, {300, 400}, 200, {100, 100, 280, 400}},
    {"narrowed_to_the_right_when_both_sides_are_equal", {350, 100, 500, 300}, {300, 400}, 200,
     {850, 100, 250, 400}},
    {"narrowed_to_just_the_narrowest_width", {250, 100, 650, 300}, {300, 400}, 200, {900, 100, 200, 400}},
    {"over_the_main_window_at_the_right_edge", {180, 100, 800, 300}, {300, 400}, 200, {800, 100, 300, 400}},
    {"over_the_main_window_at_the_left_edge", {220, 100, 800, 300}, {300, 400}, 200, {100, 100, 300, 400}},
    {"moved_up_to_stay_on_the_screen", {200, 500, 400, 200}, {300, 400}, 200, {600, 350, 300, 400}},
    {"no_higher_than_the_screen", {200, 0, 400, 300}, {300, 400}, 200, {600, 50, 300, 400}},
    {"larger_than_the_screen_is_cut_to_it", {200, 100, 400, 300}, {1200, 900}, 600, {100, 50, 1000, 700}},
};

class TapeWindowPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(TapeWindowPlacementTest, goes_beside_the_main_window_on_the_screen)
{
    const PlacementCase &row = GetParam();
    EXPECT_EQ(text(TapeWindowPlacement::beside(row.main, row.frame, row.narrowest, kScreen)), text(row.expected));
}

INSTANTIATE_TEST_SUITE_P(EveryBranch, TapeWindowPlacementTest, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace hitungrama::test
