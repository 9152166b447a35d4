#include "files_app/content_column.h"

#include "views/toolbar/toolbar.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/theme.h"

namespace file_explorer::files_app {

void ContentColumn::apply_layout(const vesk_ui::Rect& bounds) {
    bounds_ = bounds;
    const float bar = std::min(views::FileToolbar::height, std::max(0.0f, bounds.height()));
    toolbar_.apply_layout({bounds.left, bounds.top, bounds.right, bounds.top + bar});
    body_rect_ = {bounds.left, bounds.top + bar, bounds.right, bounds.bottom};
    if (body_) body_->apply_layout(body_rect_);
}

void ContentColumn::draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) {
    painter.fill_rect(bounds_, ctx.theme.surface);
    if (body_) body_->draw(painter, ctx);
    // After the body: the path bar's suggestions reach down over it.
    toolbar_.draw(painter, ctx);
}

bool ContentColumn::handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) {
    if (toolbar_.handle_event(event, ctx)) return true;
    return body_ && body_->handle_event(event, ctx);
}

std::vector<vesk_ui::Widget*> ContentColumn::children() {
    std::vector<vesk_ui::Widget*> out{&toolbar_};
    if (body_) out.push_back(body_);
    return out;
}

bool ContentColumn::perform_semantic_action(std::string_view node_id, vesk_ui::SemanticAction action) {
    if (toolbar_.perform_semantic_action(node_id, action)) return true;
    return body_ && body_->perform_semantic_action(node_id, action);
}

bool ContentColumn::needs_animation_frame() const { return body_ && body_->needs_animation_frame(); }

}  // namespace file_explorer::files_app
