#include <algorithm>
#include <cctype>
#include <cmath>

#include "vesk_ui/services.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/utf8.h"
#include "vesk_ui/widgets/text_input.h"

namespace vesk_ui::widgets {

namespace {

constexpr float pad_x = 8;
constexpr float caret_width = 1.5f;

// Single-line text: line breaks and tabs become spaces, other control
// characters and invalid bytes are dropped or replaced.
std::string sanitize(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
        std::size_t len = 1;
        char32_t cp = utf8::decode(in, i, &len);
        i += len;
        if (cp == '\r' && i < in.size() && in[i] == '\n') continue;
        if (cp == '\n' || cp == '\r' || cp == '\t') cp = ' ';
        else if (cp < 0x20 || cp == 0x7F) continue;
        utf8::append(out, cp);
    }
    return out;
}

}  // namespace

TextInput::TextInput(std::string id, int kind, std::string placeholder)
    : id_(std::move(id)), kind_(kind), placeholder_(std::move(placeholder)), font_(Theme::dark().body) {}

void TextInput::set_text(std::string text) {
    text_ = sanitize(text);
    caret_ = anchor_ = text_.size();
    preedit_.clear();
    keep_caret_visible();
}

void TextInput::select_all() {
    anchor_ = 0;
    caret_ = text_.size();
    keep_caret_visible();
}

void TextInput::select_range(std::size_t start, std::size_t end) {
    anchor_ = utf8::floor_boundary(text_, std::min(start, text_.size()));
    caret_ = utf8::floor_boundary(text_, std::min(end, text_.size()));
    keep_caret_visible();
}

std::string TextInput::selected_text() const {
    auto [lo, hi] = std::minmax(caret_, anchor_);
    return text_.substr(lo, hi - lo);
}

bool TextInput::take_dirty() {
    bool d = dirty_;
    dirty_ = false;
    return d;
}

void TextInput::set_focus(bool focused) {
    focused_ = focused;
    if (!focused) {
        preedit_.clear();
        dragging_ = false;
    }
}

void TextInput::changed() {
    dirty_ = true;
    keep_caret_visible();
    if (on_change_) on_change_(text_);
}

void TextInput::erase_selection() {
    auto [lo, hi] = std::minmax(caret_, anchor_);
    text_.erase(lo, hi - lo);
    caret_ = anchor_ = lo;
}

void TextInput::insert(std::string_view raw) {
    std::string clean = sanitize(raw);
    if (clean.empty() && !has_selection()) return;
    erase_selection();
    text_.insert(caret_, clean);
    caret_ += clean.size();
    anchor_ = caret_;
    changed();
}

void TextInput::move_caret(std::size_t to, bool extend) {
    caret_ = to;
    if (!extend) anchor_ = to;
    keep_caret_visible();
}

bool TextInput::handle_key(const KeyEvent& k) {
    const bool shift = k.has(mods::shift);
    const bool word = k.has(mods::control);  // Ctrl moves by words
    const bool primary = k.has(mods::primary);
    auto [lo, hi] = std::minmax(caret_, anchor_);

    if (k.named("ArrowLeft")) {
        if (has_selection() && !shift) move_caret(lo, false);
        else move_caret(word ? utf8::prev_word(text_, caret_) : utf8::prev(text_, caret_), shift);
        return true;
    }
    if (k.named("ArrowRight")) {
        if (has_selection() && !shift) move_caret(hi, false);
        else move_caret(word ? utf8::next_word(text_, caret_) : utf8::next(text_, caret_), shift);
        return true;
    }
    if (k.named("Home")) {
        move_caret(0, shift);
        return true;
    }
    if (k.named("End")) {
        move_caret(text_.size(), shift);
        return true;
    }
    if (k.named("Backspace")) {
        if (!has_selection()) anchor_ = word ? utf8::prev_word(text_, caret_) : utf8::prev(text_, caret_);
        if (has_selection()) {
            erase_selection();
            changed();
        }
        return true;
    }
    if (k.named("Delete")) {
        if (!has_selection()) anchor_ = word ? utf8::next_word(text_, caret_) : utf8::next(text_, caret_);
        if (has_selection()) {
            erase_selection();
            changed();
        }
        return true;
    }
    if (k.named("Enter") || k.named("NumpadEnter")) {
        if (!on_submit_) return false;
        on_submit_();
        return true;
    }
    if (k.named("Escape")) {
        if (!on_cancel_) return false;
        on_cancel_();
        return true;
    }
    if (primary && !k.text.empty() && !k.has(mods::alt)) {
        if (k.text.size() != 1) return false;
        // Some platforms report Ctrl+letter as the control character.
        auto raw = static_cast<unsigned char>(k.text[0]);
        char c = raw >= 1 && raw <= 26 ? char('a' + raw - 1) : char(std::tolower(raw));
        switch (c) {
            case 'a': select_all(); return true;
            case 'c':
                if (has_selection()) text_selection::clipboard_copy(selected_text());
                return true;
            case 'x':
                if (has_selection()) {
                    text_selection::clipboard_copy(selected_text());
                    erase_selection();
                    changed();
                }
                return true;
            case 'v': insert(platform_services().clipboard_text()); return true;
            default: return false;
        }
    }
    // Plain characters. Alt alone is for menu accelerators; AltGr arrives as
    // text without modifiers or as Control+Alt.
    bool alt_only = k.has(mods::alt) && !k.has(mods::control);
    if (!k.text.empty() && !alt_only && (!k.has(mods::primary) || k.has(mods::alt))) {
        insert(k.text);
        return true;
    }
    return false;
}

bool TextInput::handle_pointer(const PointerEvent& p) {
    Point at = p.logical();
    switch (p.kind) {
        case PointerKind::Down: {
            if (!bounds_.contains(at) || p.button != PointerButton::Primary) return false;
            focused_ = true;  // a click into a field is for typing there
            std::size_t pos = offset_at(at.x);
            if (p.click_count >= 3) {
                select_all();
            } else if (p.click_count == 2) {
                std::size_t start = utf8::prev_word(text_, utf8::next(text_, pos));
                select_range(start, utf8::next_word(text_, start));
            } else {
                move_caret(pos, p.modifiers & mods::shift);
                dragging_ = true;
            }
            return true;
        }
        case PointerKind::Move:
            if (!dragging_) return false;
            move_caret(offset_at(at.x), true);
            return true;
        case PointerKind::Up:
        case PointerKind::Leave:
            if (!dragging_) return false;
            dragging_ = false;
            return true;
    }
    return false;
}

bool TextInput::handle_event(const Event& event, EventContext& ctx) {
    bool used = false;
    if (const auto* p = event.pointer()) {
        used = handle_pointer(*p);
    } else if (!focused_ || event.no_reprocess) {
        return false;
    } else if (const auto* k = event.key()) {
        // Releases of keys the field acts on are its own too.
        if (!k->pressed) return false;
        used = handle_key(*k);
    } else if (const auto* t = event.text_input()) {
        if (!t->commit.empty()) insert(t->commit);
        preedit_ = sanitize(t->preedit);
        used = true;
    }
    if (used) ctx.redraw = ctx.handled = true;
    return used;
}

Rect TextInput::text_area() const { return {bounds_.left + pad_x, bounds_.top, bounds_.right - pad_x, bounds_.bottom}; }

float TextInput::x_of(std::size_t offset) const {
    return text_renderer().measure(std::string_view(text_).substr(0, offset), font_).width;
}

std::size_t TextInput::offset_at(float x) const {
    return text_renderer().hit_test(text_, font_, x - text_area().left + scroll_x_);
}

void TextInput::keep_caret_visible() {
    float width = text_area().width();
    if (width <= 0) return;
    float caret_x = x_of(caret_) + text_renderer().measure(preedit_, font_).width;
    if (caret_x - scroll_x_ > width - caret_width) scroll_x_ = caret_x - width + caret_width;
    if (caret_x - scroll_x_ < 0) scroll_x_ = caret_x;
    // Never leave empty room at the end when the text could fill it.
    float total = x_of(text_.size()) + text_renderer().measure(preedit_, font_).width;
    scroll_x_ = std::clamp(scroll_x_, 0.0f, std::max(0.0f, total - width + caret_width));
}

Rect TextInput::caret_rect() const {
    Rect area = text_area();
    float lh = text_renderer().measure("Ag", font_).height;
    float x = area.left + x_of(caret_) - scroll_x_;
    float y = area.top + (area.height() - lh) / 2;
    return {x, y, x + caret_width, y + lh};
}

Size TextInput::measure(Size available) {
    // A comfortable width for a name or a path; stacks stretch it further.
    const Theme& t = Theme::dark();
    return {std::min(available.width, 240.0f), t.control_height};
}

void TextInput::apply_layout(const Rect& bounds) {
    bounds_ = bounds;
    keep_caret_visible();
}

void TextInput::draw(Painter& painter, const DrawContext& ctx) {
    const Theme& t = ctx.theme;
    if (!bounds_.valid()) return;
    const auto& r = text_renderer();
    painter.fill_rounded_rect(bounds_, t.radius_m, t.input_bg);
    if (focused_) {
        painter.stroke_rounded_rect(bounds_.inset(0.75f), t.radius_m - 0.75f, 1.5f, t.accent_a);
        painter.stroke_rounded_rect(bounds_.inset(-2), t.radius_m + 2, 2, t.focus_ring.with_alpha(0.35f));
    } else {
        painter.stroke_rounded_rect(bounds_.inset(0.5f), t.radius_m - 0.5f, 1, t.border);
    }

    Rect area = text_area();
    float lh = r.measure("Ag", font_).height;
    float y = area.top + (area.height() - lh) / 2;
    float x0 = area.left - scroll_x_;
    painter.push_clip(Rect{bounds_.left + 2, bounds_.top, bounds_.right - 2, bounds_.bottom});
    if (text_.empty() && preedit_.empty()) {
        r.draw_text(painter, area, r.elide(placeholder_, font_, area.width()), font_, t.text_tertiary);
    } else {
        if (has_selection()) {
            auto [lo, hi] = std::minmax(caret_, anchor_);
            Rect sel{x0 + x_of(lo), y, x0 + x_of(hi), y + lh};
            painter.fill_rect(sel, focused_ ? t.selection_focused : t.selection);
        }
        std::string_view before = std::string_view(text_).substr(0, caret_);
        std::string_view after = std::string_view(text_).substr(caret_);
        // The pre-edit string sits at the caret, underlined.
        if (preedit_.empty()) {
            painter.draw_text({x0, y}, text_, font_, t.text_primary);
        } else {
            float bw = r.measure(before, font_).width;
            float pw = r.measure(preedit_, font_).width;
            painter.draw_text({x0, y}, before, font_, t.text_primary);
            painter.draw_text({x0 + bw, y}, preedit_, font_, t.text_primary);
            painter.draw_line({x0 + bw, y + lh - 1}, {x0 + bw + pw, y + lh - 1}, 1, t.text_secondary);
            painter.draw_text({x0 + bw + pw, y}, after, font_, t.text_primary);
        }
    }
    if (focused_) {
        float cx = x0 + x_of(caret_) + r.measure(preedit_, font_).width;
        if (ctx.scale > 0) cx = std::round(cx * ctx.scale) / ctx.scale;
        painter.fill_rect(Rect{cx, y, cx + caret_width, y + lh}, t.accent_a_hover);
    }
    painter.pop_clip();
}

std::optional<AccessNode> TextInput::accessibility() const {
    AccessNode node;
    node.role = Role::TextInput;
    node.label = placeholder_;
    node.value = text_;
    node.id = id_;
    node.rect = bounds_;
    node.flags = access_flags::focusable | (focused_ ? access_flags::focused : 0);
    return node;
}

}  // namespace vesk_ui::widgets
