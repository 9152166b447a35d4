#include <gtest/gtest.h>

#include "vesk_ui/services.h"
#include "vesk_ui/widgets/text_input.h"

namespace vesk_ui::widgets {
namespace {

Event key(std::string name, std::uint32_t modifiers = 0) {
    KeyEvent k;
    k.key = std::move(name);
    k.modifiers = modifiers;
    return Event{k};
}
Event chars(std::string text, std::uint32_t modifiers = 0) {
    KeyEvent k;
    k.text = std::move(text);
    k.modifiers = modifiers;
    return Event{k};
}

struct Field {
    TextInput input{"files.rename_input", 1, "New name"};
    Field() {
        input.apply_layout(Rect::from_xywh(0, 0, 200, 30));
        input.set_focus(true);
    }
    bool send(const Event& e) {
        EventContext ctx;
        return input.handle_event(e, ctx);
    }
};

TEST(TextInput, Utf8CaretMovesAndDeletes) {
    Field f;
    f.input.set_text("h\xC3\xA9llo w\xC3\xB6rld");  // "héllo wörld"
    EXPECT_FALSE(f.input.take_dirty());              // programmatic
    f.send(key("Home"));
    f.send(key("ArrowRight"));
    f.send(key("ArrowRight"));
    EXPECT_EQ(f.input.caret(), 3u);  // past the two-byte é
    f.send(key("Backspace"));
    EXPECT_EQ(f.input.text(), "hllo w\xC3\xB6rld");
    EXPECT_TRUE(f.input.take_dirty());
    EXPECT_FALSE(f.input.take_dirty());
    f.send(key("ArrowRight", mods::control));
    EXPECT_EQ(f.input.caret(), 4u);  // end of "hllo"
    f.send(key("ArrowRight", mods::control));
    EXPECT_EQ(f.input.caret(), f.input.text().size());
    f.send(key("Backspace", mods::control));
    EXPECT_EQ(f.input.text(), "hllo ");
    f.send(key("Home"));
    f.send(key("Delete", mods::control));
    EXPECT_EQ(f.input.text(), " ");
}

TEST(TextInput, SelectionIsReplacedByTypingAndClipboard) {
    Field f;
    f.input.set_text("report.txt");
    f.send(key("Home"));
    for (int i = 0; i < 6; ++i) f.send(key("ArrowRight", mods::shift));
    EXPECT_EQ(f.input.selected_text(), "report");
    f.send(chars("x", mods::control));  // cut
    EXPECT_EQ(platform_services().clipboard_text(), "report");
    EXPECT_EQ(f.input.text(), ".txt");
    f.send(chars("\xC3\x9C"));  // Ü
    f.send(chars("v", mods::control));
    EXPECT_EQ(f.input.text(), "\xC3\x9Creport.txt");
    f.send(chars("a", mods::control));
    f.send(chars("\x01", mods::control));  // Ctrl+A as a control character
    EXPECT_EQ(f.input.selected_text(), f.input.text());
    f.send(key("ArrowLeft"));  // collapses to the start
    EXPECT_EQ(f.input.caret(), 0u);
    EXPECT_FALSE(f.input.has_selection());

    platform_services().clipboard_copy("two\nlines\x07");
    f.send(key("End"));
    f.send(chars("v", mods::control));
    EXPECT_EQ(f.input.text(), "\xC3\x9Creport.txttwo lines");
}

TEST(TextInput, InputMethodAndOwnershipOfKeys) {
    Field f;
    f.input.set_text("ab");
    EventContext ctx;
    EXPECT_TRUE(f.input.handle_event(Event{TextInputEvent{"", "ni"}}, ctx));
    EXPECT_EQ(f.input.preedit(), "ni");
    EXPECT_EQ(f.input.text(), "ab");
    EXPECT_FALSE(f.input.take_dirty());
    f.input.handle_event(Event{TextInputEvent{"\xE4\xBD\xA0", ""}}, ctx);  // 你
    EXPECT_EQ(f.input.text(), "ab\xE4\xBD\xA0");
    EXPECT_EQ(f.input.preedit(), "");
    EXPECT_TRUE(f.input.take_dirty());

    // Enter and Escape belong to the owner unless it asked for them.
    EXPECT_FALSE(f.send(key("Enter")));
    bool submitted = false;
    f.input.set_on_submit([&] { submitted = true; });
    EXPECT_TRUE(f.send(key("Enter")));
    EXPECT_TRUE(submitted);
    // Keys the toolkit marked as used, and keys while unfocused, are ignored.
    Event used = chars("z");
    used.no_reprocess = true;
    EXPECT_FALSE(f.send(used));
    f.input.set_focus(false);
    EXPECT_FALSE(f.send(chars("z")));
    EXPECT_EQ(f.input.text(), "ab\xE4\xBD\xA0");
}

TEST(TextInput, ScrollsToKeepTheCaretVisible) {
    Field f;
    f.input.set_text(std::string(200, 'w'));
    EXPECT_GT(f.input.scroll_x(), 0.0f);
    Rect caret = f.input.caret_rect();
    EXPECT_LE(caret.right, f.input.bounds().right);
    f.send(key("Home"));
    EXPECT_EQ(f.input.scroll_x(), 0.0f);
}

}  // namespace
}  // namespace vesk_ui::widgets

namespace vesk_ui::widgets {
namespace {

Event press(float x, float y, int clicks) {
    PointerEvent p;
    p.kind = PointerKind::Down;
    p.physical = {x, y};
    p.button = PointerButton::Primary;
    p.click_count = clicks;
    return Event{p};
}

TEST(TextInput, ClicksPlaceTheCaretAndSelectWords) {
    TextInput input("files.path_input");
    input.apply_layout(Rect::from_xywh(0, 0, 300, 30));
    input.set_text("alpha beta");
    EventContext ctx;
    ASSERT_TRUE(input.handle_event(press(1, 15, 1), ctx));
    EXPECT_TRUE(input.focused());
    EXPECT_EQ(input.caret(), 0u);
    input.handle_event(press(290, 15, 1), ctx);  // past the end
    EXPECT_EQ(input.caret(), input.text().size());
    input.handle_event(press(299, 15, 2), ctx);
    EXPECT_EQ(input.selected_text(), "beta");
    input.handle_event(press(5, 15, 3), ctx);
    EXPECT_EQ(input.selected_text(), "alpha beta");
    EXPECT_FALSE(input.handle_event(press(5, 45, 1), ctx));  // below the field
}

}  // namespace
}  // namespace vesk_ui::widgets
