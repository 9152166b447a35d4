// The path bar: the current folder as breadcrumbs, or, while editing, a
// text field with completion where a path can be typed.
//
// The bar lives as long as the toolbar that holds it; the root widget hands
// it the current folder, the home folder and the workspace roots on every
// layout. A layout while editing leaves the field and its text alone. Typed
// paths are resolved against the folder that was current when editing
// began; whether they exist is the navigation's business.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command/command.h"
#include "views/breadcrumb_bar/breadcrumb_bar.h"
#include "vesk_ui/widget.h"
#include "vesk_ui/widgets/autocomplete.h"

namespace file_explorer::views {

class PathCompletionSource;

class PathBar final : public vesk_ui::Widget {
public:
    static constexpr float height = 32;

    explicit PathBar(command::CommandChannelRef commands = nullptr);
    ~PathBar() override;

    void set_commands(command::CommandChannelRef commands);
    // Current folder, home folder and workspace roots; the crumbs follow
    // them unless the bar is being edited.
    void update(const std::string& current, const std::optional<std::string>& home,
                const std::vector<std::string>& workspace_roots);
    void begin_edit();
    void end_edit();
    bool editing() const { return editing_; }
    const std::string& edit_base() const { return edit_base_; }

    vesk_ui::widgets::Autocomplete& field() { return *field_; }
    const vesk_ui::widgets::Autocomplete& field() const { return *field_; }
    BreadcrumbBar& crumbs() { return crumbs_; }
    const BreadcrumbBar& crumbs() const { return crumbs_; }

    // Completion work between frames (see Autocomplete).
    bool pump(vesk_ui::Clock::time_point deadline);
    bool busy() const;

    // The drop target for the current folder's parent (display mode only).
    std::optional<vesk_ui::Rect> parent_target_rect() const;
    void set_drop_highlight(bool on) { crumbs_.set_drop_highlight(on); }

    vesk_ui::Size measure(vesk_ui::Size available) override;
    void apply_layout(const vesk_ui::Rect& bounds) override;
    void draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) override;
    bool handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) override;
    bool is_focusable() const override { return true; }
    // Keyboard focus of the crumbs (the field has its own while editing).
    void set_focus(bool focused) override { crumbs_.set_focus(focused); }
    std::optional<vesk_ui::AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view node_id, vesk_ui::SemanticAction action) override;

private:
    // After the children saw an event: starts or ends editing as they asked.
    bool settle(vesk_ui::EventContext& ctx);
    void submit(const std::string& text);

    command::CommandChannelRef commands_;
    std::string current_;
    std::optional<std::string> home_;
    std::vector<std::string> roots_;
    BreadcrumbBar crumbs_;
    std::unique_ptr<vesk_ui::widgets::Autocomplete> field_;
    std::shared_ptr<PathCompletionSource> source_;
    bool editing_ = false;
    std::string edit_base_;
};

}  // namespace file_explorer::views
