#include <gtest/gtest.h>

#include "vesk_ui/recording_painter.h"

namespace vesk_ui {
namespace {

TEST(RecordingPainter, AppliesOffsetsClipsAndOpacityAndChecksBalance) {
    RecordingPainter p;
    p.push_offset({10, 20});
    p.push_clip(Rect::from_xywh(0, 0, 50, 50));
    p.push_opacity(0.5f);
    p.fill_rect(Rect::from_xywh(1, 2, 3, 4), Color::rgb(0x112233));
    p.draw_text({5, 5}, "Hello", FontSpec{}, Color::rgb(0xffffff));
    p.pop_opacity();
    p.pop_clip();
    p.pop_offset();
    EXPECT_TRUE(p.balanced());

    const PaintOp& fill = p.ops()[3];
    EXPECT_EQ(fill.rect, Rect::from_xywh(11, 22, 3, 4));
    EXPECT_FLOAT_EQ(fill.opacity, 0.5f);
    ASSERT_TRUE(fill.clip);
    EXPECT_EQ(*fill.clip, Rect::from_xywh(10, 20, 50, 50));
    const PaintOp* text = p.find_text("Hello");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(rect_within(text->rect, Rect::from_xywh(10, 20, 50, 50)));
    EXPECT_EQ(p.with_color(Color::rgb(0x112233)).size(), 1u);

    p.pop_clip();
    p.push_offset({1, 1});
    EXPECT_FALSE(p.balanced());
    EXPECT_EQ(p.stray_pops(), 1);
    EXPECT_EQ(p.open_offsets(), 1u);
}

}  // namespace
}  // namespace vesk_ui
