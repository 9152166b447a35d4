// The window's content column beside the sidebar: the toolbar (with the
// path bar) on top and, below it, the body the root widget gives it (the
// scroller around the file view, or the empty, loading or error state).
// Both are owned by the root widget; the column only places them and passes
// events to the toolbar first.
#pragma once

#include "vesk_ui/widget.h"

namespace file_explorer::views {
class FileToolbar;
}

namespace file_explorer::files_app {

class ContentColumn final : public vesk_ui::Widget {
public:
    explicit ContentColumn(views::FileToolbar& toolbar) : toolbar_(toolbar) {}

    void set_body(vesk_ui::Widget* body) { body_ = body; }
    const vesk_ui::Rect& body_rect() const { return body_rect_; }

    void apply_layout(const vesk_ui::Rect& bounds) override;
    void draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) override;
    bool handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) override;
    std::vector<vesk_ui::Widget*> children() override;
    bool perform_semantic_action(std::string_view node_id, vesk_ui::SemanticAction action) override;
    bool needs_animation_frame() const override;

private:
    views::FileToolbar& toolbar_;
    vesk_ui::Widget* body_ = nullptr;
    vesk_ui::Rect body_rect_;
};

}  // namespace file_explorer::files_app
