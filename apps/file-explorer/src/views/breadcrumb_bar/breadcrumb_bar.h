// The path bar's display mode: the current folder as a row of crumbs.
// Clicking a crumb opens its folder; clicking the bar elsewhere, or Enter on
// the current folder's crumb, asks for the text editor instead.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "command/command.h"
#include "views/breadcrumb_bar/crumbs.h"
#include "vesk_ui/widget.h"

namespace file_explorer::views {

class BreadcrumbBar final : public vesk_ui::Widget {
public:
    static constexpr float text_size = 13;
    static constexpr float separator_space = 6;  // on each side of "›"
    static constexpr float hover_slack = 3;      // a crumb's hit area reaches this far past its text
    static constexpr float pad_x = 10;           // from the bar's edge to the first crumb

    explicit BreadcrumbBar(command::CommandChannelRef commands = nullptr);

    void set_commands(command::CommandChannelRef commands) { commands_ = std::move(commands); }
    // Replaces the crumbs; hover and keyboard focus are kept only when the
    // crumbs stay the same.
    void set_crumbs(std::vector<Crumb> crumbs);
    const std::vector<Crumb>& crumbs() const { return crumbs_; }
    // The shown pieces after the last layout.
    const std::vector<CrumbSlot>& slots() const { return slots_; }
    // Window rectangle of crumb `i` (its text), when it is shown.
    std::optional<vesk_ui::Rect> crumb_rect(std::size_t i) const;
    // The crumb of the current folder's parent (or the "…" standing for
    // it): the target for dropping items into the parent folder.
    std::optional<vesk_ui::Rect> parent_target_rect() const;
    // Shows the parent target as the place a drag would drop into.
    void set_drop_highlight(bool on) { drop_highlight_ = on; }

    std::optional<std::size_t> hovered() const { return hovered_; }
    std::optional<std::size_t> focused_crumb() const { return focus_crumb_; }
    bool focused() const { return focused_; }
    // True once after a press or key that asks for the text editor.
    bool take_edit_request() { return std::exchange(edit_request_, false); }

    vesk_ui::Size measure(vesk_ui::Size available) override;
    void apply_layout(const vesk_ui::Rect& bounds) override;
    void draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) override;
    bool handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) override;
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override { focused_ = focused; }
    std::optional<vesk_ui::AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view node_id, vesk_ui::SemanticAction action) override;

private:
    bool shown(std::size_t crumb) const;
    std::optional<std::size_t> crumb_at(vesk_ui::Point p) const;
    void activate(std::size_t crumb);
    void move_focus(int delta);
    float text_left() const { return bounds_.left + pad_x; }

    command::CommandChannelRef commands_;
    std::vector<Crumb> crumbs_;
    std::vector<CrumbSlot> slots_;
    std::optional<std::size_t> hovered_;
    std::optional<std::size_t> focus_crumb_;
    bool focused_ = false;
    bool edit_request_ = false;
    bool drop_highlight_ = false;
};

}  // namespace file_explorer::views
