// The toolbar: Back, Forward and Up on the left, the path bar in the
// middle, the view controls on the right (view mode, sort, and View options
// or, inside an archive, Extract). Below 760 units of width it turns
// compact: Forward, the view-mode toggle and the sort button go (the view
// options menu offers them instead) and Extract loses its visible label.
//
// The toolbar owns no navigation logic: each control carries its action
// identifier and reports intent through the command channel. It lives as
// long as the root widget; the root hands it fresh state before each build.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "command/command.h"
#include "views/path_bar/path_bar.h"
#include "vesk_ui/widget.h"

namespace vesk_ui::widgets {
class ToggleGroup;
}

namespace file_explorer::views {

struct ToolbarState {
    bool can_go_back = false;
    bool can_go_forward = false;
    bool can_go_up = false;
    bool grid_mode = false;
    bool in_archive = false;
};

class FileToolbar final : public vesk_ui::Widget {
public:
    static constexpr float compact_below = 760;
    static constexpr float height = 48;
    static constexpr float button_width = 36;
    static constexpr float button_height = 32;
    static constexpr float wide_button_width = 104;

    explicit FileToolbar(command::CommandChannelRef commands);
    ~FileToolbar() override;

    void set_state(const ToolbarState& state) { state_ = state; }
    const ToolbarState& state() const { return state_; }
    PathBar& path_bar() { return *path_bar_; }
    const PathBar& path_bar() const { return *path_bar_; }

    // Brings the controls up to the state and the compact flag: new
    // controls when the set changes, else the same ones updated.
    void build();
    bool compact() const { return compact_; }
    // True once after the compact flag changed.
    bool take_structure_dirty() { return std::exchange(structure_dirty_, false); }

    // The View options button (none while Extract stands in its place), and
    // the sort control: the second control of the right group when it holds
    // two or more, else its only one.
    std::optional<vesk_ui::Rect> view_options_rect() const;
    std::optional<vesk_ui::Rect> sort_control_rect() const;
    // Identifiers of the controls shown, in screen order.
    std::vector<std::string> control_ids() const;
    // A control invocation by action identifier ("files.back"); for
    // "files.view-mode" `value` may name "list" or "grid" (else the other
    // mode). False when no shown, enabled control answers.
    bool invoke_control(std::string_view action, std::string_view value = {});

    vesk_ui::Size measure(vesk_ui::Size available) override { return {available.width, height}; }
    void apply_layout(const vesk_ui::Rect& bounds) override;
    void draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) override;
    bool handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) override;
    std::vector<vesk_ui::Widget*> children() override;
    std::optional<vesk_ui::AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view node_id, vesk_ui::SemanticAction action) override;

private:
    struct Control {
        std::unique_ptr<vesk_ui::Widget> widget;
        std::string id;
        float width = 0;
    };
    void push(command::Command c);
    void add_button(std::vector<Control>& group, std::string id, const char* message, vesk_ui::Icon icon,
                    command::Kind kind, bool enabled = true);
    void layout_controls();
    // The identifiers of the controls the state and width call for.
    std::vector<std::string> wanted_ids() const;
    Control* find(std::string_view id);
    const Control* find(std::string_view id) const;

    command::CommandChannelRef commands_;
    ToolbarState state_;
    std::unique_ptr<PathBar> path_bar_;
    std::vector<Control> left_;
    std::vector<Control> right_;
    vesk_ui::widgets::ToggleGroup* view_mode_ = nullptr;  // in right_
    bool compact_ = false;
    bool structure_dirty_ = false;
    bool built_ = false;
};

}  // namespace file_explorer::views
