#include "xpbutton/fontunits.h"
#include "xpbutton/xpbuttonrenderer.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

using namespace hitungrama;

namespace {

constexpr int W = 40;
constexpr int H = 25;
constexpr int R = W - 1;
constexpr int B = H;
constexpr QRgb kFrame = 0xFF003C74;       // (0, 60, 116)
constexpr QRgb kCornerOuter = 0xFF7A95A8; // (122, 149, 168)
constexpr QRgb kCornerInner = 0xFF255783; // (37, 87, 131)

QImage render(const ButtonLook &look, int width = W, int height = H)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    XPButtonRenderer::paint(image, look);
    return image;
}

ButtonLook look(bool enabled, bool hover, bool focus, bool pressed, short pressButton = 1)
{
    ButtonLook l;
    l.enabled = enabled;
    l.hover = hover;
    l.focus = focus;
    l.pressRequested = pressed;
    l.pressButton = pressButton;
    return l;
}

std::string rgb(QRgb c)
{
    return std::to_string(qRed(c)) + "," + std::to_string(qGreen(c)) + "," + std::to_string(qBlue(c));
}

struct PixelCase {
    const char *name;
    int x, y;
    QRgb colour;
};

void expectPixels(const QImage &image, std::initializer_list<PixelCase> cases)
{
    for (const PixelCase &c : cases)
        EXPECT_EQ(rgb(image.pixel(c.x, c.y)), rgb(c.colour)) << c.name << " at " << c.x << "," << c.y;
}

TEST(RestingFace, rows_of_a_25_pixel_high_button_between_the_frame_columns)
{
    const QImage image = render(ButtonLook{});
    const PixelCase rows[] = {
        {"top_frame", 0, 0, kFrame}, {"light_edge_1", 0, 1, qRgb(255, 255, 255)},
        {"light_edge_2", 0, 2, qRgb(255, 255, 255)}, {"gradient_start", 0, 3, qRgb(255, 255, 253)},
        {"gradient_next", 0, 4, qRgb(254, 254, 252)}, {"gradient_last", 0, 20, qRgb(238, 238, 236)},
        {"b_minus_4", 0, 21, qRgb(236, 235, 230)}, {"b_minus_3", 0, 22, qRgb(226, 223, 214)},
        {"shadow", 0, 23, qRgb(214, 208, 197)}, {"bottom_frame", 0, 24, kFrame}};
    for (const PixelCase &row : rows)
        for (int x = 2; x <= W - 3; ++x)
            ASSERT_EQ(rgb(image.pixel(x, row.y)), rgb(row.colour)) << row.name << " column " << x;
}

TEST(RestingFace, frame_columns_and_rounded_corners)
{
    const QImage image = render(ButtonLook{});
    for (int y = 2; y <= B - 3; ++y)
        ASSERT_TRUE(image.pixel(0, y) == kFrame && image.pixel(R, y) == kFrame) << y;
    expectPixels(image, {{"tl_side", 0, 1, kCornerOuter}, {"tl_inner", 1, 1, kCornerInner},
                         {"tl_top", 1, 0, kCornerOuter}, {"tr_top", R - 1, 0, kCornerOuter},
                         {"tr_inner", R - 1, 1, kCornerInner}, {"tr_side", R, 1, kCornerOuter},
                         {"bl_side", 0, B - 2, kCornerOuter}, {"bl_inner", 1, B - 2, kCornerInner},
                         {"bl_bottom", 1, B - 1, kCornerOuter}, {"br_side", R, B - 2, kCornerOuter},
                         {"br_inner", R - 1, B - 2, kCornerInner},
                         {"br_bottom", R - 1, B - 1, kCornerOuter}});
}

TEST(PressedFace, is_dark_on_top_and_light_at_the_bottom)
{
    expectPixels(render(look(true, false, false, true)),
                 {{"top", 10, 1, qRgb(209, 204, 192)}, {"second", 10, 2, qRgb(220, 216, 207)},
                  {"first_band", 10, 4, qRgb(226, 225, 218)},
                  {"second_band", 10, 5, qRgb(225, 224, 217)},
                  {"last_band", 10, 21, qRgb(225, 224, 217)}, {"b_minus_3", 10, 22, qRgb(234, 233, 227)},
                  {"b_minus_2", 10, 23, qRgb(242, 241, 238)}, {"frame", 10, 24, kFrame},
                  {"corner", 1, 1, kCornerInner}});
}

TEST(DisabledFace, own_fill_frame_and_corner_pixels)
{
    const QRgb A = qRgb(216, 213, 199);
    const QRgb D = qRgb(234, 233, 222);
    const QRgb F = qRgb(201, 199, 186);
    expectPixels(render(look(false, false, false, false)),
                 {{"fill", 10, 10, qRgb(245, 244, 234)}, {"top", 10, 0, F}, {"left", 0, 10, F},
                  {"right", R, 10, F}, {"bottom", 10, B - 1, F}, {"c1", 0, 1, A}, {"c2", 1, 1, A},
                  {"c3", 1, 0, A}, {"c4", 1, 2, D}, {"c5", 2, 1, D}, {"c16", R, B - 2, A},
                  {"c17", R - 1, B - 2, A}, {"c18", R - 1, B - 1, A}, {"c19", R - 1, B - 3, D},
                  {"c20", R - 2, B - 2, D}});
}

TEST(Looks, choose_between_disabled_pressed_hover_and_focus)
{
    const QImage resting = render(ButtonLook{});
    const QImage hovered = render(look(true, true, false, false));
    EXPECT_EQ(render(look(false, true, true, true)), render(look(false, false, false, false)))
        << "disabled wins over a press request and both rings";
    EXPECT_EQ(render(look(true, false, false, true, 2)), resting) << "right press stays resting";
    EXPECT_EQ(render(look(true, true, false, true, 2)), hovered) << "... and keeps the hover";
    EXPECT_EQ(render(look(true, true, true, false)), hovered) << "hover ring wins over focus";
    EXPECT_NE(render(look(true, false, true, false)), resting);
}

TEST(HoverRing, pixels)
{
    expectPixels(render(look(true, true, false, false)),
                 {{"top_line", 10, 1, qRgb(255, 240, 207)}, {"top_line_last", 37, 1, qRgb(255, 240, 207)},
                  {"second_line", 10, 2, qRgb(253, 216, 137)},
                  {"outer_first", 1, 2, qRgb(254, 223, 154)},
                  {"outer_right_fourth", 38, 5, qRgb(251, 214, 133)},
                  {"outer_settled", 1, 20, qRgb(238, 175, 42)},
                  {"inner_first", 2, 3, qRgb(252, 210, 121)},
                  {"inner_right_third", 37, 5, qRgb(250, 202, 105)},
                  {"inner_settled", 2, 15, qRgb(243, 174, 49)},
                  {"bottom_inner", 38, 22, qRgb(243, 174, 49)}, {"bottom", 10, 23, qRgb(229, 151, 0)},
                  {"corner_kept", 1, 23, kCornerInner}, {"face", 10, 10, qRgb(248, 248, 246)}});
}

// A pen-2 side stamp at y covers rows y - 1 and y, so row r shows stamp r + 1.
TEST(FocusRing, pixels)
{
    expectPixels(render(look(true, false, true, false)),
                 {{"top_line", 10, 1, qRgb(206, 231, 251)}, {"second_line", 10, 2, qRgb(188, 212, 246)},
                  {"side_first", 1, 2, qRgb(186, 211, 246)}, {"side_inner", 2, 2, qRgb(186, 211, 246)},
                  {"side_row_10", 1, 10, qRgb(154, 187, 238)},
                  {"right_row_10", 37, 10, qRgb(154, 187, 238)},
                  {"right_outer_row_10", 38, 10, qRgb(154, 187, 238)},
                  {"side_last", 2, 21, qRgb(114, 157, 228)}, {"two_wide_only", 3, 10, qRgb(248, 248, 246)},
                  {"bottom_inner", 10, 22, qRgb(110, 154, 227)}, {"left_dot", 2, 23, qRgb(77, 125, 193)},
                  {"bottom", 10, 23, qRgb(97, 125, 229)}, {"right_dot", 37, 23, qRgb(77, 125, 193)}});
}

TEST(SmallButton, draws_every_look_and_keeps_the_fixed_lines_under_six_rows)
{
    for (const QSize size : {QSize(40, 5), QSize(40, 1), QSize(1, 25), QSize(2, 2), QSize(3, 3)})
        for (ButtonLook l : {look(true, true, false, false), look(true, false, true, false),
                             look(true, false, false, true), look(false, false, false, false)}) {
            l.caption = QStringLiteral("&Wide caption");
            EXPECT_EQ(render(l, size.width(), size.height()).size(), size);
        }
    expectPixels(render(ButtonLook{}, 40, 5),
                 {{"b_minus_4", 10, 1, qRgb(236, 235, 230)}, {"b_minus_3", 10, 2, qRgb(226, 223, 214)},
                  {"b_minus_2", 10, 3, qRgb(214, 208, 197)}, {"frame", 10, 4, kFrame}});
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

int countInFace(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 3; y < image.height() - 4; ++y) // rows 1 and 2 are white background
        for (int x = 2; x < image.width() - 2; ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

TEST(Caption, colour_follows_enabled_and_hover)
{
    const struct {
        const char *name;
        bool enabled, hover;
        quint32 fore, foreHover;
        QRgb expected;
    } cases[] = {{"fore_color", true, false, 0x0000C0, 0xC00000, qRgb(192, 0, 0)},
                 {"fore_hover", true, true, 0x0000C0, 0xC00000, qRgb(0, 0, 192)},
                 {"disabled_grey", false, true, 0x0000C0, 0xC00000, qRgb(161, 161, 146)},
                 {"system_frame_black", true, false, 0x80000006, 0, qRgb(0, 0, 0)},
                 {"system_title_white", true, true, 0, 0x80000009, qRgb(255, 255, 255)}};
    for (const auto &c : cases) {
        ButtonLook l = look(c.enabled, c.hover, false, false);
        l.caption = QStringLiteral("MW");
        l.font = fontFromPoints(QStringLiteral("DejaVu Sans"), 24, true);
        l.foreColor = c.fore;
        l.foreHover = c.foreHover;
        EXPECT_GT(countInFace(render(l, 80, 50), c.expected), 20) << c.name;
    }
}

TEST(Caption, ampersand_is_not_drawn_but_underlines_the_next_letter)
{
    ButtonLook plain;
    plain.caption = QStringLiteral("W");
    plain.font = fontFromPoints(QStringLiteral("DejaVu Sans"), 18);
    ButtonLook marked = plain;
    marked.caption = QStringLiteral("&W");
    const QImage face = render(ButtonLook{}, 60, 40);
    const QImage withoutMark = render(plain, 60, 40);
    const QImage withMark = render(marked, 60, 40);
    int added = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 2; x < 58; ++x)
            if (withMark.pixel(x, y) != withoutMark.pixel(x, y)) {
                ++added;
                ASSERT_EQ(withoutMark.pixel(x, y), face.pixel(x, y)) << "glyph moved at " << x << "," << y;
            }
    EXPECT_GT(added, 3);
}

} // namespace
