#include <algorithm>
#include <cmath>

#include "vesk_ui/painter.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/scrollable.h"

namespace vesk_ui::widgets {

namespace {
constexpr float bar_width = 6;
constexpr float bar_width_hover = 10;
constexpr float bar_margin = 2;
constexpr float min_thumb = 28;
}  // namespace

Scrollable::Scrollable(WidgetBox child) : child_(std::move(child)) {}

Scrollable& Scrollable::with_persisted_offset(float* x, float* y) {
    persisted_x_ = x;
    persisted_y_ = y;
    offset_ = {x ? *x : 0.0f, y ? *y : 0.0f};
    return *this;
}

Scrollable& Scrollable::set_horizontal(bool enabled) {
    horizontal_ = enabled;
    return *this;
}

Size Scrollable::max_offset() const {
    return {std::max(0.0f, content_size_.width - bounds_.width()),
            std::max(0.0f, content_size_.height - bounds_.height())};
}

void Scrollable::store() {
    if (persisted_x_) *persisted_x_ = offset_.x;
    if (persisted_y_) *persisted_y_ = offset_.y;
}

void Scrollable::set_offset(Point offset) {
    Size max = max_offset();
    float x = std::isfinite(offset.x) ? offset.x : 0.0f;
    float y = std::isfinite(offset.y) ? offset.y : 0.0f;
    offset_ = {horizontal_ ? std::clamp(x, 0.0f, max.width) : 0.0f, std::clamp(y, 0.0f, max.height)};
    store();
    relayout_child();
}

void Scrollable::relayout_child() {
    content_ = Rect::from_xywh(bounds_.left - offset_.x, bounds_.top - offset_.y, content_size_.width,
                               content_size_.height);
    child_->apply_layout(content_);
}

void Scrollable::apply_layout(const Rect& bounds) {
    bounds_ = bounds;
    float width = std::max(0.0f, bounds.width());
    float height = std::max(0.0f, bounds.height());
    // Vertical content: the child gets the viewport's width and says how
    // tall it is; horizontal scrolling also lets it be wider.
    Size wanted = child_->measure({horizontal_ ? INFINITY : width, INFINITY});
    float cw = horizontal_ ? std::max(width, std::isfinite(wanted.width) ? wanted.width : width) : width;
    float ch = std::max(height, std::isfinite(wanted.height) ? wanted.height : height);
    content_size_ = {cw, ch};
    set_offset(offset_);
}

bool Scrollable::scroll_by(float dx, float dy) {
    Point before = offset_;
    set_offset({offset_.x + dx, offset_.y + dy});
    return !(before == offset_);
}

void Scrollable::reveal(const Rect& r) {
    float dy = 0;
    if (r.top < bounds_.top) dy = r.top - bounds_.top;
    else if (r.bottom > bounds_.bottom) dy = std::min(r.bottom - bounds_.bottom, r.top - bounds_.top);
    float dx = 0;
    if (horizontal_) {
        if (r.left < bounds_.left) dx = r.left - bounds_.left;
        else if (r.right > bounds_.right) dx = std::min(r.right - bounds_.right, r.left - bounds_.left);
    }
    if (dx != 0 || dy != 0) scroll_by(dx, dy);
}

Rect Scrollable::track_rect() const {
    float w = bar_hovered_ || drag_from_ ? bar_width_hover : bar_width;
    return {bounds_.right - w - bar_margin, bounds_.top + bar_margin, bounds_.right - bar_margin,
            bounds_.bottom - bar_margin};
}

std::optional<Rect> Scrollable::thumb_rect() const {
    float max = max_offset().height;
    if (max <= 0 || content_size_.height <= 0) return std::nullopt;
    Rect track = track_rect();
    float len = std::max(min_thumb, track.height() * bounds_.height() / content_size_.height);
    len = std::min(len, track.height());
    float top = track.top + (track.height() - len) * (offset_.y / max);
    return Rect{track.left, top, track.right, top + len};
}

void Scrollable::draw(Painter& painter, const DrawContext& ctx) {
    if (!bounds_.valid()) return;
    painter.push_clip(bounds_);
    child_->draw(painter, ctx);
    painter.pop_clip();
    if (auto thumb = thumb_rect()) {
        Color c = bar_hovered_ || drag_from_ ? ctx.theme.scrollbar_hover : ctx.theme.scrollbar;
        painter.fill_rounded_rect(*thumb, thumb->width() / 2, c);
    }
}

bool Scrollable::handle_event(const Event& event, EventContext& ctx) {
    if (const auto* p = event.pointer()) {
        Point at = p->logical();
        if (drag_from_) {
            if (p->kind == PointerKind::Move) {
                Rect track = track_rect();
                auto thumb = thumb_rect();
                float room = track.height() - (thumb ? thumb->height() : 0);
                if (room > 0) {
                    float top = std::clamp(at.y - *drag_from_, track.top, track.top + room);
                    scroll_by(0, (top - track.top) / room * max_offset().height - offset_.y);
                }
                ctx.redraw = ctx.handled = true;
                return true;
            }
            if (p->kind == PointerKind::Up || p->kind == PointerKind::Leave) {
                drag_from_.reset();
                ctx.redraw = ctx.handled = true;
                return true;
            }
        }
        auto thumb = thumb_rect();
        Rect hot = track_rect();
        hot.left = bounds_.right - bar_width_hover - 2 * bar_margin;
        bool over_bar = thumb && hot.contains(at);
        if (p->kind == PointerKind::Move && over_bar != bar_hovered_) {
            bar_hovered_ = over_bar;
            ctx.redraw = true;
        }
        if (over_bar && p->kind == PointerKind::Down && p->button == PointerButton::Primary) {
            if (thumb->contains({thumb->left, at.y})) {
                drag_from_ = at.y - thumb->top;
            } else {
                // A click in the track pages towards the pointer.
                scroll_by(0, at.y < thumb->top ? -bounds_.height() * 0.9f : bounds_.height() * 0.9f);
            }
            ctx.redraw = ctx.handled = true;
            return true;
        }
        // Presses outside the viewport never reach clipped-away content.
        if (p->kind == PointerKind::Down && !bounds_.contains(at)) return false;
        return child_->handle_event(event, ctx);
    }
    if (child_->handle_event(event, ctx)) return true;

    if (const auto* w = event.wheel()) {
        if (!bounds_.contains(w->logical())) return false;
        // The primary modifier turns the wheel into zoom for the owner.
        if (w->modifiers & mods::primary) return false;
        float step = line_height * lines_per_notch;
        float dy = -w->dy * step, dx = -w->dx * step;
        if (horizontal_ && (w->modifiers & mods::shift) && dx == 0) std::swap(dx, dy);
        if (scroll_by(dx, dy)) ctx.redraw = true;
        ctx.handled = true;
        return true;
    }
    if (const auto* k = event.key()) {
        if (!focused_ || !k->pressed || event.no_reprocess || (k->modifiers & ~mods::shift) != 0) return false;
        float page = std::max(line_height, bounds_.height() - line_height * 2);
        bool moved = false;
        if (k->named("PageDown")) moved = scroll_by(0, page);
        else if (k->named("PageUp")) moved = scroll_by(0, -page);
        else if (k->named("Home")) moved = scroll_by(0, -offset_.y);
        else if (k->named("End")) moved = scroll_by(0, max_offset().height - offset_.y);
        else if (k->named("ArrowDown")) moved = scroll_by(0, line_height);
        else if (k->named("ArrowUp")) moved = scroll_by(0, -line_height);
        else return false;
        ctx.redraw = ctx.redraw || moved;
        ctx.handled = true;
        return true;
    }
    return false;
}

std::optional<AccessNode> Scrollable::accessibility() const {
    return child_->accessibility();
}

bool Scrollable::perform_semantic_action(std::string_view node_id, SemanticAction action) {
    return child_->perform_semantic_action(node_id, action);
}

}  // namespace vesk_ui::widgets
