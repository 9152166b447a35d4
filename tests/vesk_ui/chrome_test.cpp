#include <gtest/gtest.h>

#include "vesk_ui/chrome.h"
#include "vesk_ui/recording_painter.h"

namespace vesk_ui {
namespace {

TEST(ImageCover, CropsTheCentreToTheBoxProportions) {
    struct Case {
        int w, h;
        Rect dst;
        Rect src;
    };
    const Case cases[] = {
        {400, 200, Rect::from_xywh(0, 0, 50, 50), Rect::from_xywh(100, 0, 200, 200)},
        {200, 400, Rect::from_xywh(0, 0, 50, 50), Rect::from_xywh(0, 100, 200, 200)},
        {300, 300, Rect::from_xywh(10, 10, 100, 50), Rect::from_xywh(0, 75, 300, 150)},
        {300, 300, Rect::from_xywh(0, 0, 0, 50), Rect{}},
    };
    for (const auto& c : cases) {
        Image image = Image::from_pixels(c.w, c.h, std::vector<std::uint32_t>(std::size_t(c.w * c.h)));
        EXPECT_EQ(image_store::cover_source(image, c.dst), c.src) << c.w << "x" << c.h;
    }
    // A short pixel buffer never becomes an image.
    EXPECT_TRUE(Image::from_pixels(10, 10, std::vector<std::uint32_t>(99)).empty());

    RecordingPainter p;
    Image image = Image::from_pixels(4, 2, std::vector<std::uint32_t>(8));
    image_store::paint_image_cover(p, image, Rect::from_xywh(0, 0, 10, 10), 4);
    ASSERT_EQ(p.count(PaintOp::Kind::Image), 1u);
    EXPECT_EQ(p.ops()[0].image_src, Rect::from_xywh(1, 0, 2, 2));
    EXPECT_EQ(p.ops()[0].image_id, image.id);
}

TEST(Chrome, HairlinesCoverOneDevicePixel) {
    RecordingPainter p;
    chrome::draw_hairline(p, {0, 10.3f}, {100, 10.3f}, Color::rgb(0x333333), 2.0f);
    const PaintOp& line = p.ops()[0];
    EXPECT_FLOAT_EQ(line.width, 0.5f);
    EXPECT_FLOAT_EQ(line.a.y, 10.25f);  // the centre of device row 20
}

}  // namespace
}  // namespace vesk_ui
