// A single-line text field: UTF-8 aware caret and selection, word moves,
// clipboard, input-method text with its pre-edit string, a placeholder, and
// horizontal scrolling that keeps the caret in view. Keys act only while the
// field has focus; Enter and Escape are left to the owner unless it asked
// for them (on_submit, on_cancel).
#pragma once

#include <functional>
#include <string>

#include "vesk_ui/painter.h"
#include "vesk_ui/widget.h"

namespace vesk_ui::widgets {

class TextInput : public Widget {
public:
    explicit TextInput(std::string id = {}, int kind = 0, std::string placeholder = {});

    // Replaces the text (caret at the end, nothing selected). Programmatic
    // changes do not count for take_dirty().
    void set_text(std::string text);
    const std::string& text() const { return text_; }
    void set_placeholder(std::string placeholder) { placeholder_ = std::move(placeholder); }
    const std::string& placeholder() const { return placeholder_; }
    const std::string& id() const { return id_; }
    int kind() const { return kind_; }
    void set_font(const FontSpec& font) { font_ = font; }

    void select_all();
    // Byte offsets, moved back to code point boundaries; the caret ends at
    // `end`.
    void select_range(std::size_t start, std::size_t end);
    std::size_t caret() const { return caret_; }
    std::size_t anchor() const { return anchor_; }
    bool has_selection() const { return caret_ != anchor_; }
    std::string selected_text() const;
    const std::string& preedit() const { return preedit_; }

    // Whether the user changed the text since the last call.
    bool take_dirty();

    void set_on_submit(std::function<void()> f) { on_submit_ = std::move(f); }
    void set_on_cancel(std::function<void()> f) { on_cancel_ = std::move(f); }
    // Called after every change the user makes.
    void set_on_change(std::function<void(const std::string&)> f) { on_change_ = std::move(f); }

    bool focused() const { return focused_; }
    float scroll_x() const { return scroll_x_; }
    // The caret's rectangle in window coordinates (for the input method).
    Rect caret_rect() const;

    Size measure(Size available) override;
    void apply_layout(const Rect& bounds) override;
    void draw(Painter& painter, const DrawContext& ctx) override;
    bool handle_event(const Event& event, EventContext& ctx) override;
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override;
    std::optional<AccessNode> accessibility() const override;

private:
    bool handle_key(const KeyEvent& key);
    bool handle_pointer(const PointerEvent& pointer);
    void insert(std::string_view text);
    void erase_selection();
    void move_caret(std::size_t to, bool extend);
    void changed();
    std::size_t offset_at(float x) const;
    float x_of(std::size_t offset) const;
    void keep_caret_visible();
    Rect text_area() const;

    std::string id_;
    int kind_ = 0;
    std::string placeholder_;
    std::string text_;
    std::string preedit_;
    FontSpec font_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    float scroll_x_ = 0;
    bool focused_ = false;
    bool dirty_ = false;
    bool dragging_ = false;
    std::function<void()> on_submit_;
    std::function<void()> on_cancel_;
    std::function<void(const std::string&)> on_change_;
};

}  // namespace vesk_ui::widgets
