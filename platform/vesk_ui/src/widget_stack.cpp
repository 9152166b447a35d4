#include <algorithm>
#include <cmath>

#include "vesk_ui/painter.h"
#include "vesk_ui/widgets/stack.h"

namespace vesk_ui::widgets {

Stack& Stack::set_spacing(float spacing) {
    spacing_ = spacing;
    return *this;
}
Stack& Stack::set_padding(Insets padding) {
    padding_ = padding;
    return *this;
}
Stack& Stack::set_cross_align(CrossAlign align) {
    cross_align_ = align;
    return *this;
}
Stack& Stack::set_background(std::optional<Color> color) {
    background_ = color;
    return *this;
}

Size Stack::measure(Size available) {
    Size inner{std::max(0.0f, available.width - padding_.left - padding_.right),
               std::max(0.0f, available.height - padding_.top - padding_.bottom)};
    float used = 0, widest = 0;
    for (auto& item : items_) {
        // Flexible children take their share later; here only their minimum.
        Size offer = make(item.flex > 0 ? 0 : main(inner), cross(inner));
        item.measured = item.widget->measure(offer);
        used += main(item.measured);
        widest = std::max(widest, cross(item.measured));
    }
    if (!items_.empty()) used += spacing_ * float(items_.size() - 1);
    Size content = make(used, widest);
    return {content.width + padding_.left + padding_.right, content.height + padding_.top + padding_.bottom};
}

void Stack::apply_layout(const Rect& bounds) {
    bounds_ = bounds;
    Rect inner{bounds.left + padding_.left, bounds.top + padding_.top, bounds.right - padding_.right,
               bounds.bottom - padding_.bottom};
    Size inner_size{std::max(0.0f, inner.width()), std::max(0.0f, inner.height())};
    float fixed = 0, flex_total = 0;
    for (auto& item : items_) {
        if (item.flex > 0) {
            flex_total += item.flex;
        } else {
            item.measured = item.widget->measure(make(main(inner_size), cross(inner_size)));
            fixed += main(item.measured);
        }
    }
    if (!items_.empty()) fixed += spacing_ * float(items_.size() - 1);
    float left_over = std::max(0.0f, main(inner_size) - fixed);

    float pos = axis_ == Axis::Vertical ? inner.top : inner.left;
    for (auto& item : items_) {
        float extent = item.flex > 0 ? left_over * item.flex / flex_total : main(item.measured);
        float cross_extent = cross(inner_size);
        float cross_start = axis_ == Axis::Vertical ? inner.left : inner.top;
        if (cross_align_ != CrossAlign::Stretch) {
            Size wanted = item.flex > 0 ? item.widget->measure(make(extent, cross(inner_size))) : item.measured;
            float c = std::min(cross(wanted), cross_extent);
            if (cross_align_ == CrossAlign::Center) cross_start += (cross_extent - c) / 2;
            if (cross_align_ == CrossAlign::End) cross_start += cross_extent - c;
            cross_extent = c;
        }
        Rect r = axis_ == Axis::Vertical ? Rect{cross_start, pos, cross_start + cross_extent, pos + extent}
                                         : Rect{pos, cross_start, pos + extent, cross_start + cross_extent};
        item.widget->apply_layout(r);
        pos += extent + spacing_;
    }
}

void Stack::draw(Painter& painter, const DrawContext& ctx) {
    if (background_) painter.fill_rect(bounds_, *background_);
    for (auto& item : items_) item.widget->draw(painter, ctx);
}

bool Stack::handle_event(const Event& event, EventContext& ctx) {
    // Later children are painted on top, so they see pointer events first.
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if (it->widget->handle_event(event, ctx)) return true;
    return false;
}

std::vector<Widget*> Stack::children() {
    std::vector<Widget*> out;
    out.reserve(items_.size());
    for (auto& item : items_) out.push_back(item.widget.get());
    return out;
}

std::optional<AccessNode> Stack::accessibility() const {
    AccessNode node;
    node.role = Role::Group;
    node.rect = bounds_;
    for (const auto& item : items_)
        if (auto child = item.widget->accessibility()) node.children.push_back(std::move(*child));
    if (node.children.empty()) return std::nullopt;
    return node;
}

bool Stack::perform_semantic_action(std::string_view node_id, SemanticAction action) {
    for (auto& item : items_)
        if (item.widget->perform_semantic_action(node_id, action)) return true;
    return false;
}

bool Stack::needs_animation_frame() const {
    for (const auto& item : items_)
        if (item.widget->needs_animation_frame()) return true;
    return false;
}

}  // namespace vesk_ui::widgets
