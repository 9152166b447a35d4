#include <cmath>

#include "vesk_ui/painter.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/toggle_group.h"

namespace vesk_ui::widgets {

namespace {
constexpr float icon_size = 16;
constexpr float pad_x = 12;
constexpr float icon_gap = 6;
constexpr float inner = 2;  // between the outline and the chosen segment
}  // namespace

ToggleGroup::ToggleGroup(std::vector<Option> options, std::size_t selected)
    : options_(std::move(options)), selected_(options_.empty() ? 0 : std::min(selected, options_.size() - 1)) {}

ToggleGroup& ToggleGroup::set_on_change(std::function<void(std::size_t)> on_change) {
    on_change_ = std::move(on_change);
    return *this;
}
ToggleGroup& ToggleGroup::set_id(std::string id) {
    id_ = std::move(id);
    return *this;
}
ToggleGroup& ToggleGroup::set_label(std::string label) {
    label_ = std::move(label);
    return *this;
}

void ToggleGroup::set_selected(std::size_t index) {
    if (index < options_.size()) selected_ = index;
}

bool ToggleGroup::choose(std::size_t i) {
    if (i >= options_.size() || i == selected_) return false;
    selected_ = i;
    if (on_change_) on_change_(i);
    return true;
}

std::optional<Rect> ToggleGroup::option_rect(std::size_t i) const {
    if (i >= rects_.size()) return std::nullopt;
    return rects_[i];
}

float ToggleGroup::option_width(const Option& o) const {
    const bool label = o.show_label && !o.label.empty();
    if (!label) return icon_option_width;
    float w = std::ceil(text_renderer().measure(o.label, Theme::dark().body_strong).width) + 2 * pad_x;
    if (o.icon) w += icon_size + icon_gap;
    return w;
}

Size ToggleGroup::measure(Size available) {
    (void)available;
    float w = 0;
    for (const auto& o : options_) w += option_width(o);
    return {w, Theme::dark().control_height};
}

void ToggleGroup::apply_layout(const Rect& bounds) {
    bounds_ = bounds;
    rects_.clear();
    float natural = 0;
    for (const auto& o : options_) natural += option_width(o);
    // Extra width is shared evenly; too little squeezes every option alike.
    const float factor = natural > 0 ? bounds.width() / natural : 0;
    float x = bounds.left;
    for (const auto& o : options_) {
        float w = option_width(o) * factor;
        rects_.push_back(Rect{x, bounds.top, x + w, bounds.bottom});
        x += w;
    }
}

void ToggleGroup::draw(Painter& painter, const DrawContext& ctx) {
    const Theme& t = ctx.theme;
    if (!bounds_.valid()) return;
    const float radius = t.radius_m;
    painter.fill_rounded_rect(bounds_, radius, t.input_bg);
    painter.stroke_rounded_rect(bounds_.inset(0.5f), radius - 0.5f, 1, t.border);
    if (focused_) painter.stroke_rounded_rect(bounds_.inset(-2), radius + 2, 2, t.focus_ring);

    for (std::size_t i = 0; i < options_.size() && i < rects_.size(); ++i) {
        const Option& o = options_[i];
        const Rect seg = rects_[i].inset(inner);
        const bool chosen = i == selected_;
        if (chosen) {
            painter.fill_rounded_rect(seg, radius - inner, t.surface_overlay);
            painter.stroke_rounded_rect(seg.inset(0.5f), radius - inner - 0.5f, 1, t.border);
        } else if (hovered_ == i) {
            painter.fill_rounded_rect(seg, radius - inner, t.surface_hover);
        }
        Color fg = chosen ? t.text_primary : (hovered_ == i ? t.text_primary : t.text_secondary);
        const bool label = o.show_label && !o.label.empty();
        float content = (o.icon ? icon_size : 0) + (label ? text_renderer().measure(o.label, t.body_strong).width : 0) +
                        (o.icon && label ? icon_gap : 0);
        float x = seg.left + std::max(0.0f, (seg.width() - content) / 2);
        if (o.icon) {
            Rect box = Rect::from_xywh(x, seg.top + (seg.height() - icon_size) / 2, icon_size, icon_size);
            draw_icon(painter, *o.icon, box, chosen ? t.accent_a_hover : fg, ctx.scale);
            x += icon_size + icon_gap;
        }
        if (label) {
            Rect box{x, seg.top, seg.right, seg.bottom};
            text_renderer().draw_text(painter, box, text_renderer().elide(o.label, t.body_strong, box.width()),
                                      t.body_strong, fg);
        }
    }
    // Hairlines between two unchosen neighbours keep the segments apart.
    for (std::size_t i = 1; i < rects_.size(); ++i) {
        if (i == selected_ || i - 1 == selected_) continue;
        float x = rects_[i].left;
        painter.draw_line({x, bounds_.top + 8}, {x, bounds_.bottom - 8}, 1, t.divider);
    }
}

std::optional<std::size_t> ToggleGroup::option_at(Point p) const {
    for (std::size_t i = 0; i < rects_.size(); ++i)
        if (rects_[i].contains(p)) return i;
    return std::nullopt;
}

bool ToggleGroup::handle_event(const Event& event, EventContext& ctx) {
    if (const auto* p = event.pointer()) {
        const Point at = p->logical();
        switch (p->kind) {
            case PointerKind::Move:
            case PointerKind::Leave: {
                auto hover = p->kind == PointerKind::Move ? option_at(at) : std::nullopt;
                if (hover != hovered_) {
                    hovered_ = hover;
                    ctx.redraw = true;
                }
                return false;
            }
            case PointerKind::Down: {
                if (p->button != PointerButton::Primary) return false;
                pressed_ = option_at(at);
                if (!pressed_) return false;
                ctx.redraw = ctx.handled = true;
                return true;
            }
            case PointerKind::Up: {
                if (!pressed_ || p->button != PointerButton::Primary) return false;
                auto pressed = *pressed_;
                pressed_.reset();
                if (option_at(at) == pressed) choose(pressed);
                ctx.redraw = ctx.handled = true;
                return true;
            }
        }
    }
    if (const auto* k = event.key()) {
        if (!focused_ || !k->pressed || event.no_reprocess || k->modifiers != 0) return false;
        bool used = false;
        if (k->named("ArrowLeft") && selected_ > 0) used = choose(selected_ - 1);
        else if (k->named("ArrowRight")) used = choose(selected_ + 1);
        if (k->named("ArrowLeft") || k->named("ArrowRight")) {
            ctx.redraw = ctx.redraw || used;
            ctx.handled = true;
            return true;
        }
    }
    return false;
}

std::optional<AccessNode> ToggleGroup::accessibility() const {
    AccessNode node;
    node.role = Role::Group;
    node.label = label_;
    node.id = id_;
    node.rect = bounds_;
    if (focused_) node.flags |= access_flags::focused;
    for (std::size_t i = 0; i < options_.size(); ++i) {
        AccessNode option;
        option.role = Role::Button;
        option.label = options_[i].label;
        option.id = options_[i].id;
        option.rect = i < rects_.size() ? rects_[i] : Rect{};
        option.flags = access_flags::focusable | (i == selected_ ? access_flags::checked : 0);
        node.children.push_back(std::move(option));
    }
    return node;
}

bool ToggleGroup::perform_semantic_action(std::string_view node_id, SemanticAction action) {
    if (!is_activating(action) || node_id.empty()) return false;
    for (std::size_t i = 0; i < options_.size(); ++i) {
        if (options_[i].id != node_id) continue;
        choose(i);
        return true;
    }
    return false;
}

}  // namespace vesk_ui::widgets
