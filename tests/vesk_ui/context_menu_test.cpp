#include <gtest/gtest.h>

#include "vesk_ui/recording_painter.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/context_menu.h"

namespace vesk_ui::widgets {
namespace {

Event key(std::string named, std::string text = {}, std::uint32_t modifiers = 0) {
    KeyEvent k;
    k.key = std::move(named);
    k.text = std::move(text);
    k.modifiers = modifiers;
    return Event{k};
}

Event press(float x, float y) {
    PointerEvent p;
    p.kind = PointerKind::Down;
    p.physical = {x, y};
    p.button = PointerButton::Primary;
    return Event{p};
}

MenuItem item(std::string label, bool enabled = true, std::optional<bool> checked = std::nullopt,
              std::string hint = {}, bool submenu = false) {
    MenuItem i;
    i.label = std::move(label);
    i.enabled = enabled;
    i.checked = checked;
    i.hint = std::move(hint);
    i.submenu = submenu;
    return i;
}

// Open, Rename, a separator, a disabled Paste, New File ›, Sort (checked).
ContextMenu sample_menu() {
    ContextMenu m;
    m.push(item("Open"));
    m.push(item("Rename", true, std::nullopt, "F2"));
    m.push_separator();
    m.push(item("Paste", false));
    m.push(item("New File", true, std::nullopt, {}, true));
    m.push(item("Sort by Name", true, true));
    return m;
}

const Rect kBox = Rect::from_xywh(0, 0, 400, 800);

TEST(ContextMenu, OpensAtThePointAndFlipsWhereItDoesNotFit) {
    struct Case {
        const char* name;
        Point at;
        std::optional<float> flip_right;
        bool leftwards, upwards;
    };
    const Rect window = Rect::from_xywh(0, 0, 800, 600);
    const Case cases[] = {
        {"room everywhere", {100, 100}, std::nullopt, false, false},
        {"near the right edge", {780, 100}, std::nullopt, true, false},
        {"near the bottom", {100, 590}, std::nullopt, false, true},
        {"bottom right corner", {790, 595}, std::nullopt, true, true},
        {"flip edge given", {780, 100}, 500.0f, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextMenu m = sample_menu();
        m.set_viewport(window);
        m.open_at(c.at.x, c.at.y, c.flip_right);
        m.apply_layout(kBox);
        const Rect r = m.menu_rect();
        EXPECT_TRUE(rect_within(r, window));
        if (c.leftwards) EXPECT_FLOAT_EQ(r.right, c.flip_right.value_or(c.at.x));
        else EXPECT_FLOAT_EQ(r.left, c.at.x);
        if (c.upwards) EXPECT_FLOAT_EQ(r.bottom, c.at.y);
        else EXPECT_FLOAT_EQ(r.top, c.at.y);
    }

    // A window shorter than the menu keeps its top edge in view.
    ContextMenu m = sample_menu();
    m.set_viewport(Rect::from_xywh(0, 0, 800, 60));
    m.open_at(10, 40);
    m.apply_layout(kBox);
    EXPECT_FLOAT_EQ(m.menu_rect().top, 0);
}

TEST(ContextMenu, RowsHitTestAndSeparatorsAreThin) {
    ContextMenu m = sample_menu();
    m.open_at(50, 60);
    m.apply_layout(kBox);
    const Rect r = m.menu_rect();
    EXPECT_FLOAT_EQ(r.height(), 2 * ContextMenu::padding + 5 * ContextMenu::row_height + ContextMenu::separator_height);
    EXPECT_GE(r.width(), ContextMenu::min_width);
    EXPECT_EQ(m.item_at({r.left + 10, r.top + ContextMenu::padding + 1}), 0u);
    EXPECT_EQ(m.item_at(m.row_rect(2).center()), 2u);
    EXPECT_EQ(m.item_at({r.left - 1, r.top + 20}), std::nullopt);
    m.close();
    EXPECT_EQ(m.item_at(m.row_rect(0).center()), std::nullopt);

    // Separators with nothing to set apart take no room.
    ContextMenu edges;
    edges.push_separator();
    edges.push(item("Empty Trash"));
    edges.push_separator();
    edges.push_separator();
    edges.push(item("Open Terminal"));
    edges.push_separator();
    edges.open_at(0, 0);
    edges.apply_layout(kBox);
    EXPECT_FLOAT_EQ(edges.menu_rect().height(),
                    2 * ContextMenu::padding + 2 * ContextMenu::row_height + ContextMenu::separator_height);
    EXPECT_EQ(edges.item_at(edges.row_rect(1).center()), 1u);
}

TEST(ContextMenu, KeyboardSkipsSeparatorsAndDisabledItemsAndWraps) {
    ContextMenu m = sample_menu();
    m.open_at(0, 0);
    m.apply_layout(kBox);
    EventContext ctx;
    const std::vector<std::pair<Event, std::optional<std::size_t>>> steps = {
        {key("ArrowDown"), 0}, {key("ArrowDown"), 1}, {key("ArrowDown"), 4}, {key("ArrowDown"), 5},
        {key("ArrowDown"), 0}, {key("ArrowUp"), 5},   {key("Home"), 0},      {key("End"), 5},
        {key("", "r"), 1},     {key("", "P"), 1},  // Paste is disabled: no jump
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_TRUE(m.handle_event(steps[i].first, ctx)) << i;
        EXPECT_EQ(m.highlighted(), steps[i].second) << i;
    }
    // Shortcuts of the window pass through an open menu.
    EXPECT_FALSE(m.handle_event(key("", "c", mods::control), ctx));
    EXPECT_TRUE(m.is_open());

    // Enter chooses and closes; Escape closes without a choice.
    EXPECT_TRUE(m.handle_event(key("Enter"), ctx));
    EXPECT_EQ(m.take_chosen(), 1u);
    EXPECT_EQ(m.take_chosen(), std::nullopt);
    EXPECT_FALSE(m.is_open());
    m.open_at(0, 0);
    m.handle_event(key("Escape"), ctx);
    EXPECT_FALSE(m.is_open());
    EXPECT_EQ(m.take_chosen(), std::nullopt);
}

TEST(ContextMenu, ASubmenuItemStaysOpenWhenChosenAndSubmenusCloseLeftwards) {
    ContextMenu m = sample_menu();
    m.open_at(0, 0);
    m.apply_layout(kBox);
    EventContext ctx;
    m.set_highlight(4);
    m.handle_event(key("ArrowRight"), ctx);
    EXPECT_EQ(m.take_chosen(), 4u);
    EXPECT_TRUE(m.is_open());

    // Presses: a disabled row is swallowed, an enabled one chosen.
    m.handle_event(press(m.row_rect(3).center().x, m.row_rect(3).center().y), ctx);
    EXPECT_EQ(m.take_chosen(), std::nullopt);
    m.handle_event(press(m.row_rect(0).center().x, m.row_rect(0).center().y), ctx);
    EXPECT_EQ(m.take_chosen(), 0u);
    EXPECT_FALSE(m.is_open());

    ContextMenu sub;
    sub.push(item("New Letter"));
    sub.set_submenu(true);
    sub.open_at(0, 0);
    sub.handle_event(key("ArrowLeft"), ctx);
    EXPECT_FALSE(sub.is_open());
}

TEST(ContextMenu, DrawsSurfaceChecksHintsAndDisabledLabels) {
    ContextMenu m = sample_menu();
    m.open_at(20, 20);
    m.apply_layout(kBox);
    m.set_highlight(1);
    RecordingPainter p;
    const Theme& t = Theme::dark();
    m.draw(p, {t, Clock::time_point{}, 1.0f});
    EXPECT_TRUE(p.balanced());
    EXPECT_EQ(p.count(PaintOp::Kind::Shadow), 1u);

    const PaintOp* label = p.find_text("Rename");
    const PaintOp* hint = p.find_text("F2");
    ASSERT_TRUE(label && hint);
    EXPECT_NEAR(hint->rect.right, m.menu_rect().right - 16, 1.0f);  // right-aligned
    EXPECT_EQ(hint->color, t.text_tertiary);
    const PaintOp* open = p.find_text("Open");
    ASSERT_TRUE(open);
    // Labels share one left edge, behind the check column.
    EXPECT_FLOAT_EQ(open->rect.left, label->rect.left);
    EXPECT_EQ(p.find_text("Paste")->color, t.text_disabled);
    EXPECT_FALSE(p.with_color(t.selection_focused).empty());  // highlight
    EXPECT_FALSE(p.with_color(t.accent_a).empty());            // the check mark

    auto node = m.accessibility();
    ASSERT_TRUE(node);
    ASSERT_EQ(node->children.size(), 5u);  // no separator node
    EXPECT_TRUE(node->children[2].flags & access_flags::disabled);
    EXPECT_TRUE(node->children[4].flags & access_flags::checked);
}

}  // namespace
}  // namespace vesk_ui::widgets
