#include <cmath>

#include "vesk_ui/painter.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/empty_state.h"
#include "vesk_ui/widgets/text.h"

namespace vesk_ui::widgets {

namespace {
constexpr float icon_side = 56;
constexpr float spinner_side = 28;
constexpr float max_text_width = 380;
constexpr float gap_after_icon = 16;
constexpr float gap_after_title = 6;
constexpr float gap_before_action = 18;

float line_height(const FontSpec& font) { return text_renderer().measure("Ag", font).height; }
}  // namespace

EmptyState::EmptyState(std::string title, std::string detail)
    : title_(std::move(title)), detail_(std::move(detail)), spinner_(spinner_side) {}

EmptyState& EmptyState::set_icon(std::optional<Icon> icon) {
    icon_ = icon;
    return *this;
}
EmptyState& EmptyState::set_busy(bool busy) {
    busy_ = busy;
    return *this;
}
EmptyState& EmptyState::set_error(bool error) {
    error_ = error;
    return *this;
}
EmptyState& EmptyState::set_action(std::string label, std::function<void()> on_click, std::string id) {
    action_ = std::make_unique<Button>(std::move(label), std::move(on_click));
    action_->set_variant(Button::Variant::Primary).set_id(std::move(id));
    return *this;
}
EmptyState& EmptyState::set_id(std::string id) {
    id_ = std::move(id);
    return *this;
}

float EmptyState::content_height(float width) const {
    const Theme& t = Theme::dark();
    float h = 0;
    if (busy_) h += spinner_side + gap_after_icon;
    else if (icon_) h += icon_side + gap_after_icon;
    h += line_height(t.title);
    if (!detail_.empty()) {
        auto lines = wrap_text(detail_, t.body, std::min(width, max_text_width), 3);
        h += gap_after_title + line_height(t.body) * float(lines.size());
    }
    if (action_) h += gap_before_action + t.control_height;
    return h;
}

Size EmptyState::measure(Size available) {
    return {available.width, std::min(available.height, content_height(available.width - 32))};
}

void EmptyState::apply_layout(const Rect& bounds) {
    bounds_ = bounds;
    const Theme& t = Theme::dark();
    float width = std::max(0.0f, std::min(bounds.width() - 32, max_text_width));
    float cx = bounds.center().x;
    float free = std::max(0.0f, bounds.height() - content_height(bounds.width() - 32));
    // Optical centre: a little above the middle, when there is room for it.
    float y = bounds.top + free / 2 - std::min(40.0f, free / 4);
    // The disc behind the icon reaches past the icon's box.
    if (icon_ && !busy_) y = std::max(y, bounds.top + std::min(14.0f, free / 2));

    icon_rect_ = {};
    if (busy_) {
        spinner_.apply_layout(Rect::from_xywh(cx - spinner_side / 2, y, spinner_side, spinner_side));
        y += spinner_side + gap_after_icon;
    } else if (icon_) {
        icon_rect_ = Rect::from_xywh(std::round(cx - icon_side / 2), std::round(y), icon_side, icon_side);
        y += icon_side + gap_after_icon;
    }
    float title_h = line_height(t.title);
    title_rect_ = {cx - width / 2, y, cx + width / 2, y + title_h};
    y += title_h;
    detail_lines_.clear();
    detail_rect_ = {};
    if (!detail_.empty()) {
        y += gap_after_title;
        detail_lines_ = wrap_text(detail_, t.body, width, 3);
        float h = line_height(t.body) * float(detail_lines_.size());
        detail_rect_ = {cx - width / 2, y, cx + width / 2, y + h};
        y += h;
    }
    if (action_) {
        y += gap_before_action;
        Size s = action_->measure({width, t.control_height});
        action_->apply_layout(Rect::from_xywh(std::round(cx - s.width / 2), y, s.width, s.height));
    }
}

void EmptyState::draw(Painter& painter, const DrawContext& ctx) {
    const Theme& t = ctx.theme;
    const auto& r = text_renderer();
    if (busy_) {
        spinner_.draw(painter, ctx);
    } else if (icon_ && icon_rect_.valid()) {
        // A soft disc behind the icon gives the state a focal point.
        Path disc;
        disc.add_ellipse(icon_rect_.inset(-14));
        painter.fill_path(disc, (error_ ? t.danger : t.accent_a).with_alpha(0.08f));
        if (icons::is_line_icon(*icon_))
            draw_icon(painter, *icon_, icon_rect_, error_ ? t.danger : t.text_tertiary, ctx.scale);
        else
            draw_icon(painter, *icon_, icon_rect_, t, ctx.scale);
    }
    std::string title = r.elide(title_, t.title, title_rect_.width());
    r.draw_text(painter, title_rect_, title, t.title, t.text_primary, Align::Center);
    float lh = line_height(t.body);
    float y = detail_rect_.top;
    for (const auto& line : detail_lines_) {
        r.draw_text(painter, Rect{detail_rect_.left, y, detail_rect_.right, y + lh}, line, t.body, t.text_secondary,
                    Align::Center);
        y += lh;
    }
    if (action_) action_->draw(painter, ctx);
}

bool EmptyState::handle_event(const Event& event, EventContext& ctx) {
    return action_ && action_->handle_event(event, ctx);
}

std::vector<Widget*> EmptyState::children() {
    if (action_) return {action_.get()};
    return {};
}

std::optional<AccessNode> EmptyState::accessibility() const {
    AccessNode node;
    node.role = Role::Status;
    node.label = title_;
    node.description = detail_;
    node.id = id_;
    node.rect = bounds_;
    if (busy_) node.flags |= access_flags::busy;
    if (error_) node.flags |= access_flags::error;
    if (action_)
        if (auto button = action_->accessibility()) node.children.push_back(std::move(*button));
    return node;
}

bool EmptyState::perform_semantic_action(std::string_view node_id, SemanticAction action) {
    return action_ && action_->perform_semantic_action(node_id, action);
}

}  // namespace vesk_ui::widgets
