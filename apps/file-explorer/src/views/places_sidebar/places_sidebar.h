// The places sidebar: the favourites, then the system places (workspace
// roots, Root, Trash). The place that is the current folder is highlighted;
// a click or Enter opens a place; favourites are reordered by dragging and
// ask for their menu with a secondary click or the context-menu key.
//
// The root widget rebuilds the sidebar's data on every layout; the state of
// a favourite drag lives in a cell shared with the root, so a drag goes on
// across rebuilds.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command/command.h"
#include "views/favorites/place.h"
#include "views/places_sidebar/places.h"
#include "vesk_ui/widget.h"

namespace file_explorer::views {

// A favourite pressed and perhaps being dragged to a new position.
struct ReorderState {
    std::optional<std::size_t> pressed;  // favourite index
    vesk_ui::Point press;
    float grab_offset = 0;  // pointer y minus the row's top at the press
    bool dragging = false;
    std::size_t target = 0;
    float threshold = 4;
    vesk_ui::Point pointer;
};
using ReorderCell = std::shared_ptr<ReorderState>;

struct SidebarSetup {
    std::vector<Place> favourites;
    std::vector<Place> system;
    std::string current;
    float scale = 1.0f;  // the environment scale
    ReorderCell reorder;
    command::CommandChannelRef commands;
};

class PlacesSidebar final : public vesk_ui::Widget {
public:
    PlacesSidebar();

    // New data; hover, keyboard cursor and focus are kept.
    void update(SidebarSetup setup);

    std::size_t size() const { return favourites_.size() + system_.size(); }
    // Place `i` over all places (favourites first).
    const Place& place(std::size_t i) const;
    bool is_favourite(std::size_t i) const { return i < favourites_.size(); }
    const std::vector<Place>& favourites() const { return favourites_; }
    const std::vector<Place>& system() const { return system_; }
    SidebarGeometry geometry() const;
    std::optional<std::size_t> active() const { return active_; }
    std::optional<std::size_t> hovered() const { return hover_; }
    std::optional<std::size_t> cursor() const { return cursor_; }
    // The place under `p`, if any.
    std::optional<std::size_t> place_at(vesk_ui::Point p) const;
    // Marks the place a drag would drop into.
    void set_drop_target(std::optional<std::size_t> i) { drop_target_ = i; }

    void apply_layout(const vesk_ui::Rect& bounds) override;
    void draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) override;
    bool handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) override;
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override { focused_ = focused; }
    bool focused() const { return focused_; }
    std::optional<vesk_ui::AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view node_id, vesk_ui::SemanticAction action) override;
    bool wants_pointer_capture() const override { return reorder_->pressed.has_value(); }

private:
    void push(command::Command c);
    void open(std::size_t i);
    void ask_menu(std::size_t i);
    bool on_pointer(const vesk_ui::PointerEvent& p, vesk_ui::EventContext& ctx);
    bool on_key(const vesk_ui::KeyEvent& k, vesk_ui::EventContext& ctx);
    void draw_row(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, std::size_t i, const vesk_ui::Rect& r);
    void draw_header(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, const char* message, float top);
    std::string node_id(std::size_t i) const;

    std::vector<Place> favourites_;
    std::vector<Place> system_;
    std::string current_;
    float s_ = 1.0f;
    ReorderCell reorder_;
    command::CommandChannelRef commands_;
    std::optional<std::size_t> active_;
    std::optional<std::size_t> hover_;
    std::optional<std::size_t> cursor_;
    std::optional<std::size_t> drop_target_;
    bool focused_ = false;
};

}  // namespace file_explorer::views
