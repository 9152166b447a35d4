#include <cmath>

#include "vesk_ui/painter.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/button.h"

namespace vesk_ui::widgets {

namespace {
constexpr float icon_size = 16;
constexpr float pad_x = 12;
constexpr float icon_gap = 6;
}  // namespace

Button::Button(std::string label, std::function<void()> on_click)
    : label_(std::move(label)), on_click_(std::move(on_click)) {}

Button& Button::set_label(std::string label) {
    label_ = std::move(label);
    return *this;
}
Button& Button::set_icon(std::optional<Icon> icon) {
    icon_ = icon;
    return *this;
}
Button& Button::set_variant(Variant variant) {
    variant_ = variant;
    return *this;
}
Button& Button::set_enabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled) hovered_ = pressed_ = false;
    return *this;
}
Button& Button::set_on_click(std::function<void()> on_click) {
    on_click_ = std::move(on_click);
    return *this;
}
Button& Button::set_id(std::string id) {
    id_ = std::move(id);
    return *this;
}
Button& Button::set_description(std::string description) {
    description_ = std::move(description);
    return *this;
}
Button& Button::set_checked(std::optional<bool> checked) {
    checked_ = checked;
    return *this;
}

bool Button::activate() {
    if (!enabled_) return false;
    if (on_click_) on_click_();
    return true;
}

Size Button::measure(Size available) {
    const Theme& theme = Theme::dark();
    float width = 0;
    if (icon_) width += icon_size;
    if (!label_.empty()) {
        if (icon_) width += icon_gap;
        width += std::ceil(text_renderer().measure(label_, theme.body_strong).width);
    }
    // Icon-only buttons are square.
    float pad = label_.empty() ? (theme.control_height - icon_size) / 2 : pad_x;
    return {std::min(width + 2 * pad, std::max(available.width, theme.control_height)), theme.control_height};
}

void Button::draw(Painter& painter, const DrawContext& ctx) {
    const Theme& t = ctx.theme;
    const Rect& r = bounds_;
    if (!r.valid()) return;
    float radius = t.radius_m;
    Color fg = t.text_primary;
    bool checked = checked_.value_or(false);

    switch (variant_) {
        case Variant::Primary: {
            Color fill = pressed_ ? t.accent_a_pressed : hovered_ ? t.accent_a_hover : t.accent_a;
            painter.fill_rounded_rect(r, radius, enabled_ ? fill : t.surface_raised);
            fg = enabled_ ? t.text_on_accent : t.text_disabled;
            break;
        }
        case Variant::Danger: {
            Color fill = t.danger;
            if (hovered_) fill = fill.with_alpha(0.9f);
            if (pressed_) fill = fill.with_alpha(0.8f);
            painter.fill_rounded_rect(r, radius, enabled_ ? fill : t.surface_raised);
            fg = enabled_ ? t.text_on_accent : t.text_disabled;
            break;
        }
        case Variant::Standard:
            painter.fill_rounded_rect(r, radius, t.surface_raised);
            if (enabled_ && (hovered_ || pressed_))
                painter.fill_rounded_rect(r, radius, pressed_ ? t.surface_pressed : t.surface_hover);
            painter.stroke_rounded_rect(r.inset(0.5f), radius - 0.5f, 1, t.border);
            break;
        case Variant::Flat:
            if (checked) painter.fill_rounded_rect(r, radius, t.selection_focused);
            if (enabled_ && (hovered_ || pressed_))
                painter.fill_rounded_rect(r, radius, pressed_ ? t.surface_pressed : t.surface_hover);
            fg = checked ? t.text_primary : t.text_secondary;
            if (hovered_) fg = t.text_primary;
            break;
    }
    if (!enabled_) fg = t.text_disabled;
    if (focused_) painter.stroke_rounded_rect(r.inset(-2), radius + 2, 2, t.focus_ring);

    float content = 0;
    float label_width = label_.empty() ? 0 : text_renderer().measure(label_, t.body_strong).width;
    if (icon_) content += icon_size;
    if (!label_.empty()) content += (icon_ ? icon_gap : 0) + label_width;
    float x = std::max(r.left + 4, r.left + (r.width() - content) / 2);
    if (icon_) {
        float y = r.top + (r.height() - icon_size) / 2;
        Rect box = Rect::from_xywh(x, y, icon_size, icon_size);
        if (icons::is_line_icon(*icon_))
            draw_icon(painter, *icon_, box, fg, ctx.scale);
        else
            draw_icon(painter, *icon_, box, t, ctx.scale);
        x += icon_size + icon_gap;
    }
    if (!label_.empty()) {
        Rect text_box{x, r.top, r.right - 4, r.bottom};
        std::string shown = text_renderer().elide(label_, t.body_strong, text_box.width());
        text_renderer().draw_text(painter, text_box, shown, t.body_strong, fg);
    }
}

bool Button::handle_event(const Event& event, EventContext& ctx) {
    if (!enabled_) return false;
    if (const auto* p = event.pointer()) {
        bool inside = bounds_.contains(p->logical());
        switch (p->kind) {
            case PointerKind::Move:
            case PointerKind::Leave: {
                bool hover = inside && p->kind == PointerKind::Move;
                if (hover != hovered_) {
                    hovered_ = hover;
                    ctx.redraw = true;
                }
                return false;
            }
            case PointerKind::Down:
                if (!inside || p->button != PointerButton::Primary) return false;
                pressed_ = true;
                ctx.redraw = ctx.handled = true;
                return true;
            case PointerKind::Up:
                if (!pressed_ || p->button != PointerButton::Primary) return false;
                pressed_ = false;
                ctx.redraw = ctx.handled = true;
                if (inside) activate();
                return true;
        }
    }
    if (const auto* k = event.key()) {
        if (!focused_ || !k->pressed || event.no_reprocess) return false;
        if ((k->named("Enter") || k->named("NumpadEnter") || k->text == " ") && k->modifiers == 0) {
            activate();
            ctx.redraw = ctx.handled = true;
            return true;
        }
    }
    return false;
}

std::optional<AccessNode> Button::accessibility() const {
    AccessNode node;
    node.role = Role::Button;
    node.label = label_;
    node.description = description_;
    node.id = id_;
    node.rect = bounds_;
    node.flags = access_flags::focusable;
    if (focused_) node.flags |= access_flags::focused;
    if (!enabled_) node.flags |= access_flags::disabled;
    if (checked_.value_or(false)) node.flags |= access_flags::checked;
    return node;
}

bool Button::perform_semantic_action(std::string_view node_id, SemanticAction action) {
    if (id_.empty() || node_id != id_ || !is_activating(action)) return false;
    return activate();
}

}  // namespace vesk_ui::widgets
