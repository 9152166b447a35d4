// A text field with suggestions: a TextInput and, under it, a popup of
// candidates that a SuggestionSource computes from the text.
//
// Sources work in bounded steps so that typing never waits on them: a change
// of the text only asks the source to start over (request), and the owner
// drives the work between frames with pump() while busy() is true. The popup
// shows whatever the source has found so far.
//
// Keys while focused: Down and Up move the highlight through the popup; Tab
// takes the highlighted (or the first) suggestion; Enter takes the
// highlighted suggestion when there is one and otherwise submits the text;
// Escape closes the popup, or cancels when it is closed. A primary press
// outside the field and the popup also cancels (without consuming the
// press). The owner polls take_submitted() and take_cancelled().
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vesk_ui/icons.h"
#include "vesk_ui/widget.h"
#include "vesk_ui/widgets/text_input.h"

namespace vesk_ui::widgets {

struct Suggestion {
    std::string label;        // shown in the popup
    std::string replacement;  // the field's whole text once it is chosen
    std::optional<Icon> icon;
};

class SuggestionSource {
public:
    virtual ~SuggestionSource() = default;
    // Starts over for `text`. Must be cheap: the real work happens in advance().
    virtual void request(const std::string& text) = 0;
    // Works until `deadline` at most (one small step at least); true when
    // the suggestions changed.
    virtual bool advance(Clock::time_point deadline) = 0;
    virtual bool pending() const = 0;
    virtual const std::vector<Suggestion>& suggestions() const = 0;
};

class Autocomplete : public Widget {
public:
    static constexpr float row_height = 28;
    static constexpr std::size_t max_visible_rows = 8;
    static constexpr float popup_min_width = 280;

    Autocomplete(std::string id, std::string placeholder);

    void set_source(std::shared_ptr<SuggestionSource> source) { source_ = std::move(source); }
    TextInput& input() { return input_; }
    const TextInput& input() const { return input_; }
    const std::string& text() const { return input_.text(); }
    const std::string& id() const { return input_.id(); }

    // Starts an edit: focus, `text` selected as a whole, no popup until the
    // user changes the text.
    void begin(std::string text);
    // Ends the edit: no focus, no popup, nothing pending.
    void end();

    // Whether the user changed the text (typing, deleting, taking a
    // suggestion) since the last call.
    bool take_dirty();
    std::optional<std::string> take_submitted();
    bool take_cancelled();

    // Lets the source work until `deadline`; true when the popup changed.
    bool pump(Clock::time_point deadline);
    bool busy() const;

    bool popup_open() const;
    const std::vector<Suggestion>& suggestions() const;
    std::optional<std::size_t> highlighted() const { return highlight_; }
    // Where the popup is drawn (empty while closed).
    Rect popup_rect() const;
    // Takes suggestion `i` (as Tab would).
    bool accept(std::size_t i);

    Size measure(Size available) override;
    void apply_layout(const Rect& bounds) override;
    void draw(Painter& painter, const DrawContext& ctx) override;
    bool handle_event(const Event& event, EventContext& ctx) override;
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override;
    std::optional<AccessNode> accessibility() const override;

private:
    bool handle_key(const KeyEvent& key, const Event& event, EventContext& ctx);
    bool handle_pointer(const PointerEvent& p, const Event& event, EventContext& ctx);
    void text_changed();
    void move_highlight(int delta);
    void keep_highlight_visible();
    std::optional<std::size_t> row_at(Point p) const;
    void draw_popup(Painter& painter, const DrawContext& ctx);

    TextInput input_;
    std::shared_ptr<SuggestionSource> source_;
    std::optional<std::size_t> highlight_;
    std::optional<std::size_t> hover_;
    std::size_t first_row_ = 0;  // first visible row of the popup
    bool dismissed_ = true;      // popup closed until the next change
    bool dirty_ = false;
    std::optional<std::string> submitted_;
    bool cancelled_ = false;
};

}  // namespace vesk_ui::widgets
