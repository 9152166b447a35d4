// The QPainter-backed painter, checked on the pixels of off-screen renders.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "vesk_ui/offscreen.h"
#include "vesk_ui/theme.h"

namespace vesk_ui {
namespace {

constexpr Color kRed = Color::rgb(0xff0000);

// A root that only runs a drawing function.
class Canvas final : public Widget {
public:
    explicit Canvas(std::function<void(Painter&)> paint) : paint_(std::move(paint)) {}
    void draw(Painter& p, const DrawContext&) override { paint_(p); }

private:
    std::function<void(Painter&)> paint_;
};

struct Rendered {
    Image image;
    std::uint32_t at(int x, int y) const { return (*image.pixels)[std::size_t(y) * image.width + x]; }
    Color color(int x, int y) const {
        std::uint32_t px = at(x, y);
        return {std::uint8_t(px >> 16), std::uint8_t(px >> 8), std::uint8_t(px), std::uint8_t(px >> 24)};
    }
};

Rendered render(int w, int h, float scale, std::function<void(Painter&)> paint) {
    auto r = offscreen::OffscreenRenderer::new_(w, h, scale);
    EXPECT_TRUE(r) << r.error();
    Canvas canvas(std::move(paint));
    EXPECT_TRUE(r->render_resilient(canvas, Theme::dark()));
    return {r->image()};
}

const Color kBg = Theme::dark().window_bg;

TEST(QtPainter, FillsInLogicalUnitsAtEveryScale) {
    for (float scale : {1.0f, 2.0f}) {
        Rendered out = render(40, 40, scale, [](Painter& p) { p.fill_rect({10, 10, 20, 20}, kRed); });
        ASSERT_EQ(out.image.width, int(40 * scale));
        EXPECT_EQ(out.color(int(15 * scale), int(15 * scale)), kRed) << scale;
        EXPECT_EQ(out.color(int(19 * scale), int(19 * scale)), kRed) << scale;
        EXPECT_EQ(out.color(int(21 * scale), int(21 * scale)), kBg) << scale;
        EXPECT_EQ(out.color(int(9 * scale), int(9 * scale)), kBg) << scale;
    }
}

TEST(QtPainter, ClipsOffsetsAndOpacityNestIndependently) {
    Rendered out = render(40, 40, 1, [](Painter& p) {
        p.push_clip({0, 0, 20, 20});
        p.push_offset({10, 10});
        p.fill_rect({0, 0, 20, 20}, kRed);  // clipped to 10..20
        p.pop_clip();
        p.fill_rect({15, 15, 20, 20}, kRed);  // offset still on: 25..30, unclipped
        p.pop_offset();
        p.push_opacity(0.5f);
        p.fill_rect({0, 30, 10, 40}, Color::rgb(0xffffff));
        p.pop_opacity();
    });
    EXPECT_EQ(out.color(15, 15), kRed);
    EXPECT_EQ(out.color(22, 22), kBg);
    EXPECT_EQ(out.color(27, 27), kRed);
    Color half = out.color(5, 35);
    EXPECT_NEAR(half.r, (255 + kBg.r) / 2, 2);
}

TEST(QtPainter, EmptyClipHidesEverything) {
    Rendered out = render(20, 20, 1, [](Painter& p) {
        p.push_clip({0, 0, 10, 10});
        p.push_clip({12, 12, 20, 20});
        p.fill_rect({0, 0, 20, 20}, kRed);
        p.pop_clip();
        p.pop_clip();
    });
    EXPECT_EQ(out.color(5, 5), kBg);
    EXPECT_EQ(out.color(15, 15), kBg);
}

TEST(QtPainter, RoundedImagesKeepTheirCornersClear) {
    std::vector<std::uint32_t> px(16, 0xffff0000u);
    Image red = Image::from_pixels(4, 4, std::move(px));
    Rendered out = render(40, 40, 1, [&](Painter& p) { p.draw_image(red, {0, 0, 40, 40}, {}, 12); });
    EXPECT_EQ(out.color(20, 20), kRed);
    EXPECT_EQ(out.color(0, 0), kBg);
    EXPECT_EQ(out.color(20, 0), kRed);
}

TEST(QtPainter, AWidgetThatThrowsKeepsWhatItDrew) {
    Rendered out = render(20, 20, 1, [](Painter& p) {
        p.fill_rect({0, 0, 10, 10}, kRed);
        throw std::runtime_error("broken widget");
    });
    EXPECT_EQ(out.color(5, 5), kRed);
    EXPECT_EQ(out.color(15, 15), kBg);
}

TEST(QtPainter, TextAndShadowsReachThePicture) {
    Rendered out = render(120, 60, 1, [](Painter& p) {
        p.draw_shadow({20, 10, 100, 40}, 8, 12, Color::rgb(0x000000).with_alpha(0.8f));
        p.draw_text({4, 40}, "Files", FontSpec{16.0f}, Color::rgb(0xffffff));
    });
    // Darker than the background just outside the shadowed rectangle.
    EXPECT_LT(out.color(60, 44).r, kBg.r);
    int bright = 0;
    for (int y = 40; y < 60; ++y)
        for (int x = 4; x < 60; ++x) bright += out.color(x, y).r > 200;
    EXPECT_GT(bright, 20);
}

TEST(OffscreenRenderer, RejectsImpossibleSizes) {
    EXPECT_FALSE(offscreen::OffscreenRenderer::new_(0, 10));
    EXPECT_FALSE(offscreen::OffscreenRenderer::new_(10, -1));
    EXPECT_FALSE(offscreen::OffscreenRenderer::new_(100000, 10));
    EXPECT_FALSE(offscreen::OffscreenRenderer::new_(10, 10, 0));
}

}  // namespace
}  // namespace vesk_ui
