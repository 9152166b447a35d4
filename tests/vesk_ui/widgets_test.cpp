#include <gtest/gtest.h>

#include "vesk_ui/recording_painter.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/empty_state.h"
#include "vesk_ui/widgets/scrollable.h"
#include "vesk_ui/widgets/stack.h"
#include "vesk_ui/widgets/text.h"

namespace vesk_ui::widgets {
namespace {

DrawContext draw_context() { return {Theme::dark(), Clock::time_point{}, 1.0f}; }

Event pointer(PointerKind kind, float x, float y, PointerButton button = PointerButton::Primary) {
    PointerEvent p;
    p.kind = kind;
    p.physical = {x * 2, y * 2};
    p.scale = 2;  // positions arrive in physical pixels
    p.button = button;
    return Event{p};
}

TEST(EmptyState, ErrorStateCentresItsTextsAndRetries) {
    int retries = 0;
    EmptyState state("Could not open this folder", "Permission denied while reading /srv/data");
    state.set_icon(Icon::Warning).set_error(true).set_action("Try Again", [&] { ++retries; }, "files-retry-folder");
    const Rect area = Rect::from_xywh(0, 0, 800, 600);
    state.apply_layout(area);

    RecordingPainter p;
    state.draw(p, draw_context());
    EXPECT_TRUE(p.balanced());
    const PaintOp* title = p.find_text("Could not open this folder");
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->rect.center().x, area.center().x, 0.5f);
    EXPECT_LT(title->rect.bottom, area.center().y + 20);
    const PaintOp* button = p.find_text("Try Again");
    ASSERT_NE(button, nullptr);
    EXPECT_GT(button->rect.top, title->rect.bottom);

    // The button works by pointer and by semantic action.
    Rect b = state.action()->bounds();
    EventContext ctx;
    state.handle_event(pointer(PointerKind::Down, b.center().x, b.center().y), ctx);
    state.handle_event(pointer(PointerKind::Up, b.center().x, b.center().y), ctx);
    EXPECT_EQ(retries, 1);
    EXPECT_TRUE(state.perform_semantic_action("files-retry-folder", SemanticAction::Default));
    EXPECT_FALSE(state.perform_semantic_action("files-retry-folder", SemanticAction::Focus));
    EXPECT_EQ(retries, 2);

    auto node = state.accessibility();
    ASSERT_TRUE(node);
    EXPECT_TRUE(node->flags & access_flags::error);
    ASSERT_EQ(node->children.size(), 1u);
    EXPECT_EQ(node->children[0].id, "files-retry-folder");
}

TEST(Scrollable, ClampsScrollsAndPersistsTheOffset) {
    float persisted_y = 5000;  // from an earlier, longer listing
    auto column = std::make_unique<Column>();
    for (int i = 0; i < 50; ++i) column->add(std::make_unique<Spacer>(10, 20));
    Scrollable scroll(std::move(column));
    scroll.with_persisted_offset(nullptr, &persisted_y);
    scroll.apply_layout(Rect::from_xywh(0, 0, 300, 200));
    EXPECT_EQ(scroll.max_offset().height, 800.0f);  // 50 × 20 − 200
    EXPECT_EQ(scroll.offset().y, 800.0f);
    EXPECT_EQ(persisted_y, 800.0f);
    EXPECT_EQ(scroll.content_rect().top, -800.0f);

    EventContext ctx;
    WheelEvent up;
    up.physical = {10, 10};
    up.dy = 1;  // one notch towards the top
    EXPECT_TRUE(scroll.handle_event(Event{up}, ctx));
    EXPECT_EQ(scroll.offset().y, 800.0f - 3 * Scrollable::line_height);
    EXPECT_EQ(persisted_y, scroll.offset().y);
    up.modifiers = mods::control;  // zoom belongs to the owner
    EXPECT_FALSE(scroll.handle_event(Event{up}, ctx));

    scroll.reveal(Rect::from_xywh(0, -800, 10, 20));  // the first row
    EXPECT_EQ(scroll.offset().y, 0.0f);

    // Dragging the thumb to the bottom of the track reaches the end.
    RecordingPainter p;
    scroll.draw(p, draw_context());
    EXPECT_TRUE(p.balanced());
    scroll.handle_event(pointer(PointerKind::Down, 295, 10), ctx);
    scroll.handle_event(pointer(PointerKind::Move, 295, 1000), ctx);
    scroll.handle_event(pointer(PointerKind::Up, 295, 1000), ctx);
    EXPECT_EQ(scroll.offset().y, 800.0f);
}

TEST(Text, WrapsAtSpacesAndBreaksLongWords) {
    FontSpec font;
    auto lines = wrap_text("alpha beta gamma delta", font, 80);
    ASSERT_GE(lines.size(), 2u);
    for (const auto& l : lines) EXPECT_LE(text_renderer().measure(l, font).width, 80.0f) << l;
    auto long_word = wrap_text(std::string(60, 'x'), font, 50, 2);
    EXPECT_EQ(long_word.size(), 2u);
    EXPECT_NE(long_word.back().find("\xE2\x80\xA6"), std::string::npos);
}

TEST(Column, StacksWithSpacingPaddingAndFlex) {
    Column col;
    col.set_spacing(10).set_padding(Insets::all(5));
    auto& a = col.add(std::make_unique<Spacer>(50, 20));
    auto& fill = col.add(std::make_unique<Spacer>(), 1);
    auto& b = col.add(std::make_unique<Spacer>(50, 30));
    EXPECT_EQ(col.measure({200, 1000}).height, 5 + 20 + 10 + 0 + 10 + 30 + 5.0f);
    col.apply_layout(Rect::from_xywh(0, 0, 200, 300));
    EXPECT_EQ(a.bounds(), Rect::from_xywh(5, 5, 190, 20));
    EXPECT_EQ(fill.bounds(), Rect::from_xywh(5, 35, 190, 300 - 10 - 20 - 30 - 20));
    EXPECT_EQ(b.bounds().bottom, 295.0f);
}

}  // namespace
}  // namespace vesk_ui::widgets
