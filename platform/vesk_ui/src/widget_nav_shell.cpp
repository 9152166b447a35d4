#include <algorithm>
#include <cmath>

#include "vesk_ui/painter.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/nav_shell.h"

namespace vesk_ui::widgets {

NavShell::NavShell(WidgetBox sidebar, WidgetBox content) : sidebar_(std::move(sidebar)), content_(std::move(content)) {}

NavShell& NavShell::set_sidebar_width(float width) {
    sidebar_width_ = std::max(1.0f, width);
    return *this;
}

NavShell& NavShell::set_content_min_width(float width) {
    content_min_width_ = std::max(0.0f, width);
    return *this;
}

NavShell& NavShell::sidebar_over_content(bool over) {
    over_content_ = over;
    return *this;
}

void NavShell::set_target(float target, bool animate) {
    open_ = target > 0.5f;
    drag_origin_.reset();
    if (!animate || !overlay()) {
        anim_start_.reset();
        reveal_ = overlay() ? target : 1.0f;
        place_children();
        return;
    }
    anim_from_ = reveal_;
    anim_to_ = target;
    anim_start_ = Clock::now();
}

void NavShell::snap_open(bool animate) { set_target(1, animate); }
void NavShell::snap_closed(bool animate) { set_target(0, animate); }
void NavShell::toggle() { set_target(open_ ? 0 : 1, true); }

float NavShell::reveal_at(Clock::time_point now) const {
    if (!anim_start_) return open_ ? 1.0f : 0.0f;
    const float t = std::clamp(std::chrono::duration<float>(now - *anim_start_).count() /
                                   std::chrono::duration<float>(snap_duration).count(),
                               0.0f, 1.0f);
    const float eased = 1 - (1 - t) * (1 - t) * (1 - t);
    return anim_from_ + (anim_to_ - anim_from_) * eased;
}

void NavShell::apply_layout(const Rect& bounds) {
    bounds_ = bounds;
    const bool was_narrow = narrow_;
    narrow_ = bounds.width() < sidebar_width_ + content_min_width_;
    // Becoming narrow closes the sidebar: it would cover most of the window.
    // (A shell that starts narrow keeps what it was told before.)
    if (narrow_ && !was_narrow && laid_out_) {
        open_ = false;
        anim_start_.reset();
        drag_origin_.reset();
    }
    laid_out_ = true;
    if (!overlay()) {
        reveal_ = 1;
    } else if (!drag_origin_) {
        const auto now = Clock::now();
        reveal_ = reveal_at(now);
        if (anim_start_ && now - *anim_start_ >= snap_duration) anim_start_.reset();
    }
    place_children();
}

void NavShell::place_children() {
    const Rect& b = bounds_;
    const float w = std::min(sidebar_width_, std::max(0.0f, b.width()));
    if (overlay()) {
        const float right = b.left + w * reveal_;
        sidebar_rect_ = Rect{right - w, b.top, right, b.bottom};
        content_rect_ = b;
    } else {
        sidebar_rect_ = Rect{b.left, b.top, b.left + w, b.bottom};
        content_rect_ = Rect{b.left + w, b.top, b.right, b.bottom};
    }
    sidebar_->apply_layout(sidebar_rect_);
    content_->apply_layout(content_rect_);
}

void NavShell::draw(Painter& painter, const DrawContext& ctx) {
    if (!bounds_.valid()) return;
    content_->draw(painter, ctx);
    if (reveal_ <= 0) return;
    painter.push_clip(bounds_);
    if (overlay()) {
        painter.fill_rect(content_rect_, ctx.theme.scrim.with_alpha(reveal_ * 0.8f));
        painter.draw_shadow(sidebar_rect_, 0, 24, ctx.theme.shadow.with_alpha(reveal_));
    }
    sidebar_->draw(painter, ctx);
    painter.pop_clip();
}

bool NavShell::handle_overlay_pointer(const PointerEvent& p, EventContext& ctx) {
    const Point at = p.logical();
    const float w = std::min(sidebar_width_, std::max(1.0f, bounds_.width()));
    if (drag_origin_) {
        if (p.kind == PointerKind::Move) {
            reveal_ = std::clamp((at.x - *drag_origin_) / w, 0.0f, 1.0f);
            place_children();
        } else if (p.kind == PointerKind::Up || p.kind == PointerKind::Leave) {
            set_target(reveal_ >= 0.5f ? 1.0f : 0.0f, true);
        }
        ctx.redraw = ctx.handled = true;
        return true;
    }
    const bool primary_down = p.kind == PointerKind::Down && p.button == PointerButton::Primary;
    if (reveal_ <= 0) {
        if (primary_down && bounds_.contains(at) && at.x - bounds_.left < edge_grab) {
            drag_origin_ = bounds_.left;
            reveal_ = std::clamp((at.x - bounds_.left) / w, 0.0f, 1.0f);
            place_children();
            ctx.redraw = ctx.handled = true;
            return true;
        }
        return content_->handle_event(Event{p}, ctx);
    }
    if (sidebar_rect_.contains(at) || sidebar_->wants_pointer_capture()) return sidebar_->handle_event(Event{p}, ctx);
    // The content lies under the scrim: a press there closes the sidebar.
    if (p.kind == PointerKind::Down) {
        snap_closed();
        ctx.redraw = ctx.handled = true;
        return true;
    }
    return false;
}

bool NavShell::handle_event(const Event& event, EventContext& ctx) {
    if (const auto* p = event.pointer()) {
        if (overlay()) return handle_overlay_pointer(*p, ctx);
        if (sidebar_->wants_pointer_capture()) return sidebar_->handle_event(event, ctx);
        // Both see moves and leaves (hover ends in one when it starts in the other).
        if (p->kind == PointerKind::Move || p->kind == PointerKind::Leave) {
            bool used = sidebar_->handle_event(event, ctx);
            return content_->handle_event(event, ctx) || used;
        }
        if (sidebar_rect_.contains(p->logical()) && sidebar_->handle_event(event, ctx)) return true;
        return content_->handle_event(event, ctx);
    }
    if (const auto* k = event.key(); k && k->pressed && !event.no_reprocess && k->modifiers == 0 && overlay()) {
        if (k->named("F9") || (k->named("Escape") && (open_ || reveal_ > 0))) {
            if (k->named("F9")) toggle();
            else snap_closed();
            ctx.redraw = ctx.handled = true;
            return true;
        }
    }
    if (reveal_ > 0 && sidebar_->handle_event(event, ctx)) return true;
    return content_->handle_event(event, ctx);
}

std::optional<AccessNode> NavShell::accessibility() const {
    AccessNode node;
    node.role = Role::Group;
    node.rect = bounds_;
    if (reveal_ > 0)
        if (auto s = sidebar_->accessibility()) node.children.push_back(std::move(*s));
    if (auto c = content_->accessibility()) node.children.push_back(std::move(*c));
    return node;
}

bool NavShell::perform_semantic_action(std::string_view node_id, SemanticAction action) {
    return sidebar_->perform_semantic_action(node_id, action) || content_->perform_semantic_action(node_id, action);
}

bool NavShell::needs_animation_frame() const {
    return anim_start_.has_value() || sidebar_->needs_animation_frame() || content_->needs_animation_frame();
}

bool NavShell::wants_pointer_capture() const { return drag_origin_.has_value() || sidebar_->wants_pointer_capture(); }

}  // namespace vesk_ui::widgets
