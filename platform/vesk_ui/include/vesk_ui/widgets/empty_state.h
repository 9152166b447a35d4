// What a view shows instead of content: an empty folder, a load in
// progress (with a spinner), or an error with an action ("Try Again").
// Everything is centred in the bounds; the texts come translated.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "vesk_ui/icons.h"
#include "vesk_ui/widget.h"
#include "vesk_ui/widgets/button.h"
#include "vesk_ui/widgets/spinner.h"

namespace vesk_ui::widgets {

class EmptyState : public Widget {
public:
    EmptyState(std::string title, std::string detail = {});

    EmptyState& set_icon(std::optional<Icon> icon);
    // A spinner in place of the icon.
    EmptyState& set_busy(bool busy);
    EmptyState& set_error(bool error);
    // A primary button under the texts; `id` is its semantic identifier.
    EmptyState& set_action(std::string label, std::function<void()> on_click, std::string id = {});
    EmptyState& set_id(std::string id);

    const std::string& title() const { return title_; }
    const std::string& detail() const { return detail_; }
    Button* action() { return action_.get(); }
    // The rectangles of the last layout (for tests and hit tests).
    const Rect& title_rect() const { return title_rect_; }
    const Rect& detail_rect() const { return detail_rect_; }

    bool needs_animation_frame() const override { return busy_; }
    Size measure(Size available) override;
    void apply_layout(const Rect& bounds) override;
    void draw(Painter& painter, const DrawContext& ctx) override;
    bool handle_event(const Event& event, EventContext& ctx) override;
    std::vector<Widget*> children() override;
    std::optional<AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view node_id, SemanticAction action) override;

private:
    float content_height(float width) const;

    std::string title_;
    std::string detail_;
    std::string id_;
    std::optional<Icon> icon_;
    bool busy_ = false;
    bool error_ = false;
    std::unique_ptr<Button> action_;
    Spinner spinner_;
    Rect icon_rect_;
    Rect title_rect_;
    Rect detail_rect_;
    std::vector<std::string> detail_lines_;
};

}  // namespace vesk_ui::widgets
