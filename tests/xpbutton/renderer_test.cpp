#include "xpbutton/canvas.h"
#include "xpbutton/fontunits.h"
#include "xpbutton/xpbuttonrenderer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>

using namespace hitungrama;

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 25;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kFrame = 0xFF003C74;       // (0, 60, 116)
constexpr QRgb kCornerOuter = 0xFF7A95A8; // (122, 149, 168)
constexpr QRgb kCornerInner = 0xFF255783; // (37, 87, 131)

QImage render(const ButtonLook &look, int width = kWidth, int height = kHeight)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    XPButtonRenderer::paint(image, look);
    return image;
}

ButtonLook resting()
{
    return ButtonLook{};
}

std::string rgb(QRgb c)
{
    return "(" + std::to_string(qRed(c)) + ", " + std::to_string(qGreen(c)) + ", "
         + std::to_string(qBlue(c)) + ")";
}

#define EXPECT_PIXEL(image, x, y, r, g, b)                                                      \
    EXPECT_EQ(rgb((image).pixel((x), (y))), rgb(qRgb((r), (g), (b)))) << "at " << (x) << "," << (y)

struct RowCase {
    const char *name;
    int row;
    QRgb colour;
};

// Rows of a resting 25-pixel-high button between its frame columns.
class RestingRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(RestingRow, has_one_colour_from_column_2_to_W_minus_3)
{
    const QImage image = render(resting());
    for (int x = 2; x <= kWidth - 3; ++x)
        ASSERT_EQ(rgb(image.pixel(x, GetParam().row)), rgb(GetParam().colour)) << "column " << x;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RestingRow,
    ::testing::Values(RowCase{"top_frame", 0, kFrame}, RowCase{"light_edge_1", 1, kWhite},
                      RowCase{"light_edge_2", 2, kWhite},
                      RowCase{"gradient_start", 3, qRgb(255, 255, 253)},
                      RowCase{"gradient_second", 4, qRgb(254, 254, 252)},
                      RowCase{"gradient_middle", 12, qRgb(246, 246, 244)},
                      RowCase{"gradient_last_kept", 20, qRgb(238, 238, 236)},
                      RowCase{"overwritten_b_minus_4", 21, qRgb(236, 235, 230)},
                      RowCase{"overwritten_b_minus_3", 22, qRgb(226, 223, 214)},
                      RowCase{"shadow_b_minus_2", 23, qRgb(214, 208, 197)},
                      RowCase{"bottom_frame", 24, kFrame}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RestingFace, frame_columns_and_rounded_corners)
{
    const QImage image = render(resting());
    const int R = kWidth - 1;
    const int B = kHeight;
    for (int y = 2; y <= B - 3; ++y) {
        ASSERT_EQ(image.pixel(0, y), kFrame) << y;
        ASSERT_EQ(image.pixel(R, y), kFrame) << y;
    }
    struct Corner {
        int x, y;
        QRgb colour;
    };
    const Corner corners[] = {
        {0, 1, kCornerOuter},     {1, 1, kCornerInner},     {1, 0, kCornerOuter},
        {R - 1, 0, kCornerOuter}, {R - 1, 1, kCornerInner}, {R, 1, kCornerOuter},
        {0, B - 2, kCornerOuter}, {1, B - 2, kCornerInner}, {1, B - 1, kCornerOuter},
        {R, B - 2, kCornerOuter}, {R - 1, B - 2, kCornerInner}, {R - 1, B - 1, kCornerOuter},
    };
    for (const Corner &c : corners)
        EXPECT_EQ(rgb(image.pixel(c.x, c.y)), rgb(c.colour)) << c.x << "," << c.y;
}

TEST(RestingFace, gradient_rows_stop_one_column_short_of_the_right_edge)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    Canvas canvas(image);
    XPButtonRenderer::drawNormalFace(canvas, XPButtonRenderer::faceFor(kWidth, kHeight));
    EXPECT_PIXEL(image, 0, 3, 255, 255, 253);
    EXPECT_PIXEL(image, kWidth - 2, 3, 255, 255, 253);
    EXPECT_PIXEL(image, kWidth - 1, 3, 255, 255, 255);
}

TEST(RestingFace, gradient_holds_its_last_colour_after_25_rows)
{
    const QImage image = render(resting(), 20, 40);
    EXPECT_PIXEL(image, 5, 3 + 24, 231, 231, 229);
    EXPECT_PIXEL(image, 5, 3 + 30, 231, 231, 229);
}

TEST(PressedFace, is_dark_on_top_and_light_at_the_bottom)
{
    ButtonLook look;
    look.pressRequested = true;
    look.pressButton = 1;
    const QImage image = render(look);
    const RowCase rows[] = {
        {"top", 1, qRgb(209, 204, 192)},        {"second", 2, qRgb(220, 216, 207)},
        {"first_band", 3, qRgb(226, 225, 218)}, {"first_band_end", 4, qRgb(226, 225, 218)},
        {"second_band", 5, qRgb(225, 224, 217)}, {"late_band", 21, qRgb(225, 224, 217)},
        {"b_minus_3", 22, qRgb(234, 233, 227)}, {"b_minus_2", 23, qRgb(242, 241, 238)},
        {"frame", 24, kFrame},
    };
    for (const RowCase &row : rows)
        EXPECT_EQ(rgb(image.pixel(10, row.row)), rgb(row.colour)) << row.name;
    EXPECT_EQ(image.pixel(1, 1), kCornerInner);
}

TEST(DisabledFace, own_fill_frame_and_twenty_corner_pixels)
{
    ButtonLook look;
    look.enabled = false;
    const QImage image = render(look);
    const int R = kWidth - 1;
    const int B = kHeight;
    EXPECT_PIXEL(image, 10, 10, 245, 244, 234);
    EXPECT_PIXEL(image, 10, 0, 201, 199, 186);
    EXPECT_PIXEL(image, 0, 10, 201, 199, 186);
    EXPECT_PIXEL(image, R, 10, 201, 199, 186);
    EXPECT_PIXEL(image, 10, B - 1, 201, 199, 186);
    const QRgb A = qRgb(216, 213, 199);
    const QRgb D = qRgb(234, 233, 222);
    const struct {
        int x, y;
        QRgb colour;
    } corners[] = {
        {0, 1, A},         {1, 1, A},         {1, 0, A},         {1, 2, D},
        {2, 1, D},         {R - 1, 0, A},     {R - 1, 1, A},     {R, 1, A},
        {R - 2, 1, D},     {R - 1, 2, D},     {0, B - 2, A},     {1, B - 2, A},
        {1, B - 1, A},     {1, B - 3, D},     {2, B - 2, D},     {R, B - 2, A},
        {R - 1, B - 2, A}, {R - 1, B - 1, A}, {R - 1, B - 3, D}, {R - 2, B - 2, D},
    };
    for (const auto &c : corners)
        EXPECT_EQ(rgb(image.pixel(c.x, c.y)), rgb(c.colour)) << c.x << "," << c.y;
}

TEST(Looks, disabled_wins_over_a_press_request)
{
    ButtonLook disabled;
    disabled.enabled = false;
    ButtonLook pressedDisabled = disabled;
    pressedDisabled.pressRequested = true;
    pressedDisabled.pressButton = 1;
    pressedDisabled.hover = true;
    pressedDisabled.focus = true;
    EXPECT_EQ(render(pressedDisabled), render(disabled));
}

TEST(Looks, press_with_another_mouse_button_keeps_the_resting_look)
{
    ButtonLook right;
    right.pressRequested = true;
    right.pressButton = 2;
    EXPECT_EQ(render(right), render(resting()));
    ButtonLook hovered;
    hovered.hover = true;
    right.hover = true;
    EXPECT_EQ(render(right), render(hovered));
}

TEST(Looks, hover_ring_wins_over_focus_ring)
{
    ButtonLook hovered;
    hovered.hover = true;
    ButtonLook both = hovered;
    both.focus = true;
    EXPECT_EQ(render(both), render(hovered));
    ButtonLook focused;
    focused.focus = true;
    EXPECT_NE(render(focused), render(hovered));
}

struct PixelCase {
    const char *name;
    int x, y;
    QRgb colour;
};

class HoverRingPixel : public ::testing::TestWithParam<PixelCase> {};

TEST_P(HoverRingPixel, matches)
{
    ButtonLook look;
    look.hover = true;
    const QImage image = render(look);
    EXPECT_EQ(rgb(image.pixel(GetParam().x, GetParam().y)), rgb(GetParam().colour));
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, HoverRingPixel,
    ::testing::Values(PixelCase{"top_line", 10, 1, qRgb(255, 240, 207)},
                      PixelCase{"top_line_last", 37, 1, qRgb(255, 240, 207)},
                      PixelCase{"second_line", 10, 2, qRgb(253, 216, 137)},
                      PixelCase{"outer_left_first", 1, 2, qRgb(254, 223, 154)},
                      PixelCase{"outer_right_fourth", 38, 5, qRgb(251, 214, 133)},
                      PixelCase{"outer_left_settled", 1, 20, qRgb(238, 175, 42)},
                      PixelCase{"inner_left_first", 2, 3, qRgb(252, 210, 121)},
                      PixelCase{"inner_right_third", 37, 5, qRgb(250, 202, 105)},
                      PixelCase{"inner_left_settled", 2, 15, qRgb(243, 174, 49)},
                      PixelCase{"bottom_inner_line", 10, 22, qRgb(243, 174, 49)},
                      PixelCase{"bottom_inner_line_reaches_R_minus_1", 38, 22, qRgb(243, 174, 49)},
                      PixelCase{"bottom_line", 10, 23, qRgb(229, 151, 0)},
                      PixelCase{"bottom_line_corner_stays", 1, 23, kCornerInner},
                      PixelCase{"face_inside", 10, 10, qRgb(248, 248, 246)}),
    [](const auto &info) { return std::string(info.param.name); });

class FocusRingPixel : public ::testing::TestWithParam<PixelCase> {};

TEST_P(FocusRingPixel, matches)
{
    ButtonLook look;
    look.focus = true;
    const QImage image = render(look);
    EXPECT_EQ(rgb(image.pixel(GetParam().x, GetParam().y)), rgb(GetParam().colour));
}

// Side rows: the pen-2 stamp at y covers rows y - 1 and y, so row r shows the
// colour of the stamp at r + 1 (k = r - 2), and the last row that of the last stamp.
INSTANTIATE_TEST_SUITE_P(
    Pixels, FocusRingPixel,
    ::testing::Values(PixelCase{"top_line", 10, 1, qRgb(206, 231, 251)},
                      PixelCase{"second_line", 10, 2, qRgb(188, 212, 246)},
                      PixelCase{"side_first_row", 1, 2, qRgb(186, 211, 246)},
                      PixelCase{"side_both_columns", 2, 2, qRgb(186, 211, 246)},
                      PixelCase{"side_row_10_left", 1, 10, qRgb(154, 187, 238)},
                      PixelCase{"side_row_10_right", 37, 10, qRgb(154, 187, 238)},
                      PixelCase{"side_row_10_right_outer", 38, 10, qRgb(154, 187, 238)},
                      PixelCase{"side_last_row", 2, 21, qRgb(114, 157, 228)},
                      PixelCase{"side_not_wider_than_two", 3, 10, qRgb(248, 248, 246)},
                      PixelCase{"bottom_inner_line", 10, 22, qRgb(110, 154, 227)},
                      PixelCase{"bottom_left_dot", 2, 23, qRgb(77, 125, 193)},
                      PixelCase{"bottom_line", 10, 23, qRgb(97, 125, 229)},
                      PixelCase{"bottom_right_dot", 37, 23, qRgb(77, 125, 193)}),
    [](const auto &info) { return std::string(info.param.name); });

struct SizeCase {
    const char *name;
    int width, height;
};

class SmallButton : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SmallButton, draws_every_look_without_failing)
{
    const SizeCase &c = GetParam();
    ButtonLook look;
    look.caption = QStringLiteral("&Wide caption");
    look.font = fontFromPoints(QStringLiteral("DejaVu Sans"), 12);
    for (int state = 0; state < 5; ++state) {
        look.enabled = state != 4;
        look.hover = state == 1;
        look.focus = state == 2;
        look.pressRequested = state == 3;
        look.pressButton = 1;
        const QImage image = render(look, c.width, c.height);
        EXPECT_EQ(image.size(), QSize(c.width, c.height));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SmallButton,
                         ::testing::Values(SizeCase{"five_high", 40, 5},
                                           SizeCase{"one_high", 40, 1},
                                           SizeCase{"one_wide", 1, 25},
                                           SizeCase{"two_by_two", 2, 2},
                                           SizeCase{"three_by_three", 3, 3}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SmallButton, under_six_pixels_high_draws_only_the_fixed_lines)
{
    const QImage image = render(resting(), 40, 5);
    EXPECT_PIXEL(image, 10, 1, 236, 235, 230);
    EXPECT_PIXEL(image, 10, 2, 226, 223, 214);
    EXPECT_PIXEL(image, 10, 3, 214, 208, 197);
    EXPECT_EQ(image.pixel(10, 0), kFrame);
    EXPECT_EQ(image.pixel(10, 4), kFrame);
}

TEST(WindowShape, cuts_exactly_the_four_corner_pixels)
{
    for (const QSize size : {QSize(40, 25), QSize(79, 51), QSize(3, 3)}) {
        const QRegion shape = XPButtonRenderer::windowShape(size.width(), size.height());
        int inside = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                inside += shape.contains(QPoint(x, y)) ? 1 : 0;
        EXPECT_EQ(inside, size.width() * size.height() - 4) << size.width();
        const int r = size.width() - 1;
        const int b = size.height() - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
            EXPECT_FALSE(shape.contains(corner));
    }
    EXPECT_TRUE(XPButtonRenderer::windowShape(2, 2).isEmpty());
    EXPECT_TRUE(XPButtonRenderer::windowShape(0, 10).isEmpty());
}

TEST(CaptionPlacement, rounds_halves_to_even)
{
    const struct {
        double value;
        int expected;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {5.5, 6}, {19.5, 20}, {18.5, 18},
                 {-0.5, 0}, {-1.5, -2}, {2.4, 2}, {2.6, 3}, {-2.6, -3}};
    for (const auto &c : cases)
        EXPECT_EQ(XPButtonRenderer::roundHalfEven(c.value), c.expected) << c.value;
}

TEST(CaptionPlacement, centres_the_text_block_vertically)
{
    const struct {
        int height, textHeight, top, bottom;
    } cases[] = {{25, 14, 6, 20}, {24, 13, 6, 18}, {26, 15, 6, 20},
                 {25, 15, 5, 20}, {10, 30, -10, 20}, {51, 0, 26, 26}};
    for (const auto &c : cases) {
        const QRect rect = XPButtonRenderer::captionRect(40, c.height, c.textHeight);
        EXPECT_EQ(rect.top(), c.top) << c.height << "/" << c.textHeight;
        EXPECT_EQ(rect.top() + rect.height(), c.bottom) << c.height << "/" << c.textHeight;
        EXPECT_EQ(rect.left(), 0);
        EXPECT_EQ(rect.width(), 40);
    }
}

// Counts in the face rows only: rows 1 and 2 are the white background.
int countPixels(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 3; y < image.height() - 4; ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

struct ColourCase {
    const char *name;
    bool enabled;
    bool hover;
    quint32 foreColor;
    quint32 foreHover;
    QRgb expected;
};

class CaptionColour : public ::testing::TestWithParam<ColourCase> {};

TEST_P(CaptionColour, draws_the_glyphs_in_it)
{
    const ColourCase &c = GetParam();
    ButtonLook look;
    look.caption = QStringLiteral("MW");
    look.font = fontFromPoints(QStringLiteral("DejaVu Sans"), 24, true);
    look.enabled = c.enabled;
    look.hover = c.hover;
    look.foreColor = c.foreColor;
    look.foreHover = c.foreHover;
    const QImage image = render(look, 80, 50);
    EXPECT_GT(countPixels(image, c.expected), 20) << rgb(c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CaptionColour,
    ::testing::Values(
        ColourCase{"enabled_uses_fore_color", true, false, 0x0000C0, 0xC00000, qRgb(192, 0, 0)},
        ColourCase{"hover_uses_fore_hover", true, true, 0x0000C0, 0xC00000, qRgb(0, 0, 192)},
        ColourCase{"disabled_is_grey", false, true, 0x0000C0, 0xC00000, qRgb(161, 161, 146)},
        ColourCase{"system_frame_colour_is_black", true, false, 0x80000006, 0, qRgb(0, 0, 0)},
        ColourCase{"system_title_text_is_white", true, true, 0, 0x80000009,
                   qRgb(255, 255, 255)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CaptionText, ampersand_underlines_the_next_letter_instead_of_showing)
{
    ButtonLook plain;
    plain.caption = QStringLiteral("W");
    plain.font = fontFromPoints(QStringLiteral("DejaVu Sans"), 18);
    ButtonLook marked = plain;
    marked.caption = QStringLiteral("&W");
    const QImage withoutMark = render(plain, 60, 40);
    const QImage withMark = render(marked, 60, 40);
    const QImage face = render(resting(), 60, 40);
    int added = 0;
    int lowestGlyphRow = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 2; x < 58; ++x) {
            const bool inkPlain = withoutMark.pixel(x, y) != face.pixel(x, y);
            if (inkPlain)
                lowestGlyphRow = y;
            if (withMark.pixel(x, y) != withoutMark.pixel(x, y)) {
                ++added;
                EXPECT_FALSE(inkPlain) << "the glyph moved at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(added, 3); // the underline
    EXPECT_GT(lowestGlyphRow, 0);
}

TEST(CaptionText, doubled_ampersand_draws_one)
{
    ButtonLook look;
    look.caption = QStringLiteral("A&&B");
    look.font = fontFromPoints(QStringLiteral("DejaVu Sans"), 12);
    const QImage drawn = render(look, 60, 30);

    QImage expected = render(resting(), 60, 30);
    QPainter painter(&expected);
    painter.setFont(look.font);
    painter.setPen(Qt::black);
    const int flags = Qt::TextWordWrap | Qt::AlignHCenter;
    const int h = painter.boundingRect(QRect(0, 0, 60, 30), flags, QStringLiteral("A&B")).height();
    painter.drawText(XPButtonRenderer::captionRect(60, 30, h), flags, QStringLiteral("A&B"));
    painter.end();
    EXPECT_EQ(drawn, expected);
}

TEST(CaptionText, long_caption_wraps_into_lines_centred_across_the_width)
{
    ButtonLook look;
    look.font = fontFromPoints(QStringLiteral("DejaVu Sans"), 9);
    look.caption = QStringLiteral("Biner aktif sekarang");
    const QImage image = render(look, 60, 51);
    int top = -1;
    int bottom = -1;
    int left = 60;
    int right = -1;
    const QImage face = render(resting(), 60, 51);
    for (int y = 3; y < 47; ++y)
        for (int x = 2; x < 58; ++x)
            if (image.pixel(x, y) != face.pixel(x, y)) {
                top = top < 0 ? y : top;
                bottom = y;
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(top, 0);
    EXPECT_GT(bottom - top, 20) << "two or more lines";
    EXPECT_LE(std::abs(left - (59 - right)), 3) << "horizontally centred";
    EXPECT_LE(std::abs(top - (50 - bottom)), 4) << "vertically centred";
}

} // namespace
