#include <gtest/gtest.h>

#include "vesk_ui/recording_painter.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/status_bubble.h"

namespace vesk_ui {
namespace {

using std::chrono::milliseconds;

TEST(StatusBubble, FadeTimeline) {
    const Clock::time_point t0{};
    StatusBubble bubble;
    EXPECT_EQ(bubble.alpha(t0), 0.0f);  // never poked
    bubble.poke(t0);
    struct Point {
        int ms;
        float min_alpha, max_alpha;
        bool frame;
    };
    const Point timeline[] = {
        {0, 0.0f, 0.0f, true},        {75, 0.5f, 0.9f, true},     {150, 1.0f, 1.0f, false},
        {2000, 1.0f, 1.0f, false},    {3149, 1.0f, 1.0f, false},  {3350, 0.3f, 0.8f, true},
        {3549, 0.0f, 0.05f, true},    {3550, 0.0f, 0.0f, false},  {60000, 0.0f, 0.0f, false},
    };
    for (const auto& p : timeline) {
        auto now = t0 + milliseconds(p.ms);
        EXPECT_GE(bubble.alpha(now), p.min_alpha) << p.ms;
        EXPECT_LE(bubble.alpha(now), p.max_alpha) << p.ms;
        EXPECT_EQ(bubble.needs_frame(now), p.frame) << p.ms;
    }
    EXPECT_EQ(bubble.next_deadline(t0 + milliseconds(1000)), t0 + milliseconds(3150));
    EXPECT_FALSE(bubble.next_deadline(t0 + milliseconds(3200)));
}

TEST(StatusBubble, HoverHoldsAndRestartsTheHold) {
    const Clock::time_point t0{};
    StatusBubble bubble;
    bubble.poke(t0);
    bubble.set_hover(true, t0 + milliseconds(3300));
    EXPECT_EQ(bubble.alpha(t0 + milliseconds(10000)), 1.0f);
    EXPECT_FALSE(bubble.needs_frame(t0 + milliseconds(10000)));
    bubble.set_hover(false, t0 + milliseconds(10000));
    EXPECT_EQ(bubble.alpha(t0 + milliseconds(12000)), 1.0f);
    EXPECT_EQ(bubble.alpha(t0 + milliseconds(13600)), 0.0f);
}

TEST(StatusBubble, DrawsThePillBalanced) {
    RecordingPainter p;
    const Theme& theme = Theme::dark();
    Size text = StatusBubble::pill_size("12 items");
    Rect pill = StatusBubble::pill_rect(Rect::from_xywh(100, 100, text.width, text.height));
    StatusBubble::draw_pill(p, pill, "12 items", 0.5f, theme);
    EXPECT_TRUE(p.balanced());
    const PaintOp* label = p.find_text("12 items");
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(rect_within(label->rect, pill));
    EXPECT_FLOAT_EQ(label->opacity, 0.5f);
    EXPECT_EQ(p.count(PaintOp::Kind::Shadow), 1u);
    p.clear();
    StatusBubble::draw_pill(p, pill, "x", 0.0f, theme);
    EXPECT_TRUE(p.ops().empty());
}

}  // namespace
}  // namespace vesk_ui
