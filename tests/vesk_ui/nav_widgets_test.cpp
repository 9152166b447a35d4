// ToggleGroup, NavShell and Autocomplete.
#include <gtest/gtest.h>

#include <deque>

#include "vesk_ui/recording_painter.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/autocomplete.h"
#include "vesk_ui/widgets/nav_shell.h"
#include "vesk_ui/widgets/toggle_group.h"

namespace vesk_ui::widgets {
namespace {

DrawContext draw_context() { return {Theme::dark(), Clock::time_point{}, 1.0f}; }

Event pointer(PointerKind kind, float x, float y, PointerButton button = PointerButton::Primary) {
    PointerEvent p;
    p.kind = kind;
    p.physical = {x, y};
    p.button = button;
    return Event{p};
}

Event key(std::string name, std::uint32_t mods = 0) {
    KeyEvent k;
    k.key = std::move(name);
    k.modifiers = mods;
    return Event{k};
}

Event typed(std::string text) {
    KeyEvent k;
    k.text = std::move(text);
    return Event{k};
}

bool send(Widget& w, const Event& e) {
    EventContext ctx;
    return w.handle_event(e, ctx);
}

void click(Widget& w, Point p, PointerButton button = PointerButton::Primary) {
    send(w, pointer(PointerKind::Down, p.x, p.y, button));
    send(w, pointer(PointerKind::Up, p.x, p.y, button));
}

// --- ToggleGroup -----------------------------------------------------------

TEST(ToggleGroup, ClicksAndArrowsChooseAndReportOnlyChanges) {
    std::vector<std::size_t> changes;
    ToggleGroup group({{"List", Icon::ViewList, "v.list", false}, {"Grid", Icon::ViewGrid, "v.grid", false}});
    group.set_on_change([&](std::size_t i) { changes.push_back(i); });
    const Size size = group.measure({1000, 100});
    EXPECT_EQ(size.width, 2 * ToggleGroup::icon_option_width);
    group.apply_layout(Rect::from_xywh(10, 0, size.width, 32));

    click(group, group.option_rect(0)->center());  // already chosen: no report
    click(group, group.option_rect(1)->center());
    EXPECT_EQ(group.selected(), 1u);

    // A press on one option released over another chooses nothing.
    send(group, pointer(PointerKind::Down, group.option_rect(0)->center().x, 16));
    send(group, pointer(PointerKind::Up, group.option_rect(1)->center().x, 16));
    EXPECT_EQ(group.selected(), 1u);

    EXPECT_FALSE(send(group, key("ArrowLeft")));  // not focused
    group.set_focus(true);
    EXPECT_TRUE(send(group, key("ArrowLeft")));
    EXPECT_TRUE(send(group, key("ArrowLeft")));  // stays on the first
    EXPECT_EQ(changes, (std::vector<std::size_t>{1, 0}));

    EXPECT_TRUE(group.perform_semantic_action("v.grid", SemanticAction::Press));
    auto node = group.accessibility();
    ASSERT_TRUE(node);
    ASSERT_EQ(node->children.size(), 2u);
    EXPECT_EQ(node->children[0].label, "List");  // icon-only, still named
    EXPECT_FALSE(node->children[0].flags & access_flags::checked);
    EXPECT_TRUE(node->children[1].flags & access_flags::checked);

    RecordingPainter p;
    group.draw(p, draw_context());
    EXPECT_TRUE(p.balanced());
    EXPECT_EQ(p.find_text("List"), nullptr);
}

// --- NavShell --------------------------------------------------------------

// A child that records what reached it.
class Probe : public Widget {
public:
    void draw(Painter& painter, const DrawContext&) override { painter.fill_rect(bounds_, Color::rgb(0x123456)); }
    bool handle_event(const Event& e, EventContext&) override {
        if (const auto* p = e.pointer(); p && p->kind == PointerKind::Down) ++presses;
        if (e.key()) ++keys;
        if (const auto* p = e.pointer(); p && p->kind == PointerKind::Down) capture = capture_on_press;
        if (const auto* p = e.pointer(); p && p->kind == PointerKind::Up) capture = false;
        return consume;
    }
    bool wants_pointer_capture() const override { return capture; }
    int presses = 0;
    int keys = 0;
    bool consume = true;
    bool capture_on_press = false;
    bool capture = false;
};

struct ShellFixture {
    ShellFixture() {
        auto s = std::make_unique<Probe>();
        auto c = std::make_unique<Probe>();
        sidebar = s.get();
        content = c.get();
        shell = std::make_unique<NavShell>(std::move(s), std::move(c));
        shell->set_sidebar_width(200).set_content_min_width(600).sidebar_over_content();
    }
    Probe* sidebar;
    Probe* content;
    std::unique_ptr<NavShell> shell;
};

TEST(NavShell, WideShellDocksTheSidebarBesideTheContent) {
    ShellFixture f;
    f.shell->apply_layout(Rect::from_xywh(0, 0, 1000, 700));
    EXPECT_FALSE(f.shell->narrow());
    EXPECT_EQ(f.sidebar->bounds(), Rect::from_xywh(0, 0, 200, 700));
    EXPECT_EQ(f.content->bounds(), Rect::from_xywh(200, 0, 800, 700));
    click(*f.shell, {50, 50});
    click(*f.shell, {500, 50});
    EXPECT_EQ(f.sidebar->presses, 1);
    EXPECT_EQ(f.content->presses, 1);

    // A sidebar that captures the pointer gets the release outside itself.
    f.sidebar->capture_on_press = true;
    send(*f.shell, pointer(PointerKind::Down, 50, 50));
    EXPECT_TRUE(f.shell->wants_pointer_capture());
    send(*f.shell, pointer(PointerKind::Up, 600, 50));
    EXPECT_FALSE(f.shell->wants_pointer_capture());
    EXPECT_EQ(f.content->presses, 1);
}

TEST(NavShell, NarrowShellSlidesTheSidebarOverTheContentAndSnaps) {
    ShellFixture f;
    f.shell->apply_layout(Rect::from_xywh(0, 0, 700, 500));
    ASSERT_TRUE(f.shell->overlay());
    EXPECT_FALSE(f.shell->sidebar_shown());
    EXPECT_EQ(f.content->bounds(), Rect::from_xywh(0, 0, 700, 500));

    // Pulled out a little from the edge: snaps back closed.
    send(*f.shell, pointer(PointerKind::Down, 2, 100));
    send(*f.shell, pointer(PointerKind::Move, 60, 100));
    EXPECT_NEAR(f.shell->reveal(), 0.3f, 1e-4);
    EXPECT_NEAR(f.shell->sidebar_rect().right, 60, 1e-3);
    send(*f.shell, pointer(PointerKind::Up, 60, 100));
    f.shell->snap_closed(false);  // skip the animation
    EXPECT_FALSE(f.shell->sidebar_shown());

    // Pulled past half: snaps open, over the content, which keeps its width.
    send(*f.shell, pointer(PointerKind::Down, 2, 100));
    send(*f.shell, pointer(PointerKind::Move, 150, 100));
    send(*f.shell, pointer(PointerKind::Up, 150, 100));
    EXPECT_TRUE(f.shell->needs_animation_frame());
    f.shell->snap_open(false);
    f.shell->apply_layout(Rect::from_xywh(0, 0, 700, 500));
    EXPECT_EQ(f.sidebar->bounds(), Rect::from_xywh(0, 0, 200, 500));
    EXPECT_EQ(f.content->bounds().width(), 700);
    EXPECT_EQ(f.content->presses, 0);

    RecordingPainter p;
    f.shell->draw(p, draw_context());
    EXPECT_TRUE(p.balanced());
    EXPECT_EQ(p.with_color(Color::rgb(0x123456)).size(), 2u);  // content, then the sidebar on top
    const PaintOp* last = nullptr;
    for (const auto& op : p.ops())
        if (op.is_drawing()) last = &op;
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->rect, f.sidebar->bounds());

    // A press on the scrim closes the sidebar and reaches nothing.
    click(*f.shell, {400, 100});
    EXPECT_EQ(f.content->presses, 0);
    f.shell->apply_layout(Rect::from_xywh(0, 0, 700, 500));
    EXPECT_TRUE(f.shell->needs_animation_frame());

    // F9 toggles; Escape closes; neither reaches the content.
    f.shell->snap_closed(false);
    EXPECT_TRUE(send(*f.shell, key("F9")));
    EXPECT_TRUE(send(*f.shell, key("Escape")));
    EXPECT_EQ(f.content->keys, 0);

    // Widening docks it again.
    f.shell->apply_layout(Rect::from_xywh(0, 0, 1000, 500));
    EXPECT_FALSE(f.shell->overlay());
    EXPECT_EQ(f.shell->reveal(), 1.0f);
    EXPECT_EQ(f.content->bounds().left, 200);
}

// --- Autocomplete ----------------------------------------------------------

// Suggests "<text>-0" … "<text>-(n-1)", one per advance() call.
class SlowSource : public SuggestionSource {
public:
    explicit SlowSource(std::size_t n) : n_(n) {}
    void request(const std::string& text) override {
        text_ = text;
        out_.clear();
        ++requests;
    }
    bool advance(Clock::time_point) override {
        if (!pending()) return false;
        std::string s = text_ + "-" + std::to_string(out_.size());
        out_.push_back({s, s, std::nullopt});
        return true;
    }
    bool pending() const override { return out_.size() < n_; }
    const std::vector<Suggestion>& suggestions() const override { return out_; }
    int requests = 0;

private:
    std::size_t n_;
    std::string text_;
    std::vector<Suggestion> out_;
};

struct FieldFixture {
    explicit FieldFixture(std::size_t n = 3) : source(std::make_shared<SlowSource>(n)) {
        field.set_source(source);
        field.apply_layout(Rect::from_xywh(100, 10, 300, 32));
        field.begin("start");
    }
    void settle() {
        while (field.busy()) field.pump(Clock::now());
    }
    Autocomplete field{"path", "Type a path"};
    std::shared_ptr<SlowSource> source;
};

TEST(Autocomplete, TypingAsksTheSourceAndWorkIsDoneOnlyWhenPumped) {
    FieldFixture f;
    EXPECT_FALSE(f.field.popup_open());
    EXPECT_FALSE(f.field.take_dirty());
    send(f.field, typed("a"));  // replaces the selected text
    EXPECT_EQ(f.field.text(), "a");
    EXPECT_TRUE(f.field.take_dirty());
    EXPECT_FALSE(f.field.take_dirty());
    EXPECT_EQ(f.source->requests, 1);
    EXPECT_TRUE(f.field.busy());
    EXPECT_TRUE(f.field.suggestions().empty());  // nothing computed inside the keystroke
    EXPECT_TRUE(f.field.pump(Clock::now()));
    EXPECT_EQ(f.field.suggestions().size(), 1u);
    f.settle();
    EXPECT_TRUE(f.field.popup_open());
    EXPECT_EQ(f.field.suggestions().size(), 3u);
    EXPECT_GT(f.field.popup_rect().top, f.field.bounds().bottom);

    RecordingPainter p;
    f.field.draw(p, draw_context());
    EXPECT_TRUE(p.balanced());
    EXPECT_NE(p.find_text("a-2"), nullptr);

    // Without focus nothing is pending and no popup shows.
    f.field.end();
    EXPECT_FALSE(f.field.busy());
    EXPECT_FALSE(f.field.popup_open());
}

TEST(Autocomplete, KeyboardMovesTheHighlightTakesAndSubmits) {
    FieldFixture f;
    send(f.field, typed("x"));
    f.settle();
    EXPECT_TRUE(send(f.field, key("ArrowDown")));
    EXPECT_TRUE(send(f.field, key("ArrowDown")));
    EXPECT_EQ(f.field.highlighted(), 1u);
    EXPECT_TRUE(send(f.field, key("ArrowUp")));
    EXPECT_TRUE(send(f.field, key("ArrowUp")));  // back to the text
    EXPECT_FALSE(f.field.highlighted());
    for (int i = 0; i < 5; ++i) send(f.field, key("ArrowDown"));
    EXPECT_EQ(f.field.highlighted(), 2u);  // not past the last

    // Enter on a highlighted row takes it and keeps editing.
    f.field.take_dirty();
    EXPECT_TRUE(send(f.field, key("Enter")));
    EXPECT_EQ(f.field.text(), "x-2");
    EXPECT_TRUE(f.field.take_dirty());
    EXPECT_FALSE(f.field.take_submitted());
    f.settle();

    // Tab takes the first; Enter without a highlight submits.
    EXPECT_TRUE(send(f.field, key("Tab")));
    EXPECT_EQ(f.field.text(), "x-2-0");
    EXPECT_TRUE(send(f.field, key("Enter")));
    EXPECT_EQ(f.field.take_submitted(), "x-2-0");
    EXPECT_FALSE(f.field.take_submitted());
}

TEST(Autocomplete, EscapeClosesThePopupThenCancelsAndAPressOutsideCancels) {
    FieldFixture f;
    send(f.field, typed("q"));
    f.settle();
    ASSERT_TRUE(f.field.popup_open());
    EXPECT_TRUE(send(f.field, key("Escape")));
    EXPECT_FALSE(f.field.popup_open());
    EXPECT_FALSE(f.field.take_cancelled());
    EXPECT_TRUE(send(f.field, key("ArrowDown")));  // opens it again
    EXPECT_TRUE(f.field.popup_open());
    send(f.field, key("Escape"));
    EXPECT_TRUE(send(f.field, key("Escape")));
    EXPECT_TRUE(f.field.take_cancelled());

    // A click on a row takes it; a press elsewhere cancels and is not consumed.
    FieldFixture g;
    send(g.field, typed("r"));
    g.settle();
    const Rect popup = g.field.popup_rect();
    click(g.field, {popup.left + 20, popup.top + 4 + Autocomplete::row_height * 1.5f});
    EXPECT_EQ(g.field.text(), "r-1");
    EXPECT_FALSE(send(g.field, pointer(PointerKind::Down, 50, 400)));
    EXPECT_TRUE(g.field.take_cancelled());
    EXPECT_FALSE(g.field.input().focused());

    auto node = f.field.accessibility();
    ASSERT_TRUE(node);
    EXPECT_EQ(node->id, "path");
}

TEST(Autocomplete, LongListsScrollWithTheHighlight) {
    FieldFixture f(20);
    send(f.field, typed("n"));
    f.settle();
    for (int i = 0; i < 12; ++i) send(f.field, key("ArrowDown"));
    EXPECT_EQ(f.field.highlighted(), 11u);
    RecordingPainter p;
    f.field.draw(p, draw_context());
    EXPECT_NE(p.find_text("n-11"), nullptr);
    EXPECT_EQ(p.find_text("n-3"), nullptr);  // scrolled out above
    auto node = f.field.accessibility();
    ASSERT_EQ(node->children.size(), 1u);
    EXPECT_EQ(node->children[0].children.size(), 20u);
    EXPECT_TRUE(node->children[0].children[11].flags & access_flags::selected);
}

}  // namespace
}  // namespace vesk_ui::widgets
