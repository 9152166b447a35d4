// The file view: the entries of the current folder as a list with column
// headers or as a grid of icon cells.
//
// The root widget builds a fresh view on every layout from copies of its
// entries and selection. The view paints only the entries inside the
// viewport, reports intent through the command channel and never changes
// the root's state; a click is applied to the view's own copy of the
// selection at once so that the next frame shows it.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "command/command.h"
#include "model/file_entry.h"
#include "model/ordering.h"
#include "views/file_view/layout.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/selection.h"
#include "vesk_ui/widget.h"

namespace thumbnail {
class ThumbnailService;
}

namespace file_explorer::views {

class ItemLayout;

// The inline rename: the entry under the editor and where the editor goes.
// The view computes the editor's rectangle on every layout; it lays out and
// paints `field` there when given, and tells `on_rect` about it.
struct RenameState {
    std::optional<std::size_t> index;
    vesk_ui::Widget* field = nullptr;
    std::function<void(const vesk_ui::Rect&)> on_rect;
};

// The entries a view shows. The root widget rebuilds its views after every
// event that changes state, so the entries are shared read-only instead of
// copied: a folder of 100,000 entries would otherwise be copied per click.
class SharedEntries {
public:
    using List = std::vector<model::FileEntry>;
    SharedEntries() : list_(std::make_shared<const List>()) {}
    SharedEntries(List list) : list_(std::make_shared<const List>(std::move(list))) {}
    SharedEntries(std::initializer_list<model::FileEntry> list) : SharedEntries(List(list)) {}
    SharedEntries(std::shared_ptr<const List> list) : list_(list ? std::move(list) : std::make_shared<const List>()) {}

    std::size_t size() const { return list_->size(); }
    bool empty() const { return list_->empty(); }
    const model::FileEntry& operator[](std::size_t i) const { return (*list_)[i]; }
    List::const_iterator begin() const { return list_->begin(); }
    List::const_iterator end() const { return list_->end(); }

private:
    std::shared_ptr<const List> list_;
};

// What both kinds of view are built from.
struct FileViewSetup {
    SharedEntries entries;
    vesk_ui::SelectionModel selection;
    int zoom_step = 0;
    float scale = 1.0f;  // the environment scale of the layout context
    RenameState rename;
    std::optional<vesk_ui::Rect> viewport;
    thumbnail::ThumbnailService* thumbnails = nullptr;
    // Files inside these folders ask for collaborative thumbnails.
    std::vector<std::string> workspace_roots;
    command::CommandChannelRef commands;
};

// One automation region: "file_row:" and the entry name, with its rectangle.
struct AutomationRegion {
    std::string name;
    vesk_ui::Rect rect;
};

class FileView final : public vesk_ui::Widget {
public:
    // List mode, with the sort state for the header arrow.
    FileView(FileViewSetup setup, model::SortKey sort_key, model::SortDirection sort_direction);
    // Grid mode.
    explicit FileView(FileViewSetup setup);

    // --- widget -----------------------------------------------------------
    // Width: the width offered, or when it is not finite (the scroll
    // container asking for the content width) one grid cell plus margins.
    // Height: the rows or cells of every entry.
    vesk_ui::Size measure(vesk_ui::Size available) override;
    void apply_layout(const vesk_ui::Rect& bounds) override;
    void draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) override;
    bool handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) override;
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override { focused_ = focused; }
    std::optional<vesk_ui::AccessNode> accessibility() const override;

    // --- root widget's side -----------------------------------------------
    void set_environment_scale(float t);
    void set_viewport(std::optional<vesk_ui::Rect> viewport) { viewport_ = viewport; }
    const std::optional<vesk_ui::Rect>& viewport() const { return viewport_; }
    // One region per entry, in display order.
    std::vector<AutomationRegion> automation_regions() const;
    // The row or cell of entry `i` (for menus opened from the keyboard).
    std::optional<vesk_ui::Rect> item_rect(std::size_t i) const;
    // Where the rename editor goes, after a layout with a rename row.
    const std::optional<vesk_ui::Rect>& rename_rect() const { return rename_rect_; }

    ViewLayoutMode mode() const { return mode_; }
    const ViewGeometry& geometry() const { return geometry_; }
    const vesk_ui::SelectionModel& selection() const { return selection_; }
    std::optional<std::size_t> hovered() const { return hover_; }
    std::size_t columns() const { return geometry_.cells().columns; }

private:
    struct Press {
        std::string path;
        bool is_dir = false;
        vesk_ui::Point position;
    };

    FileView(ViewLayoutMode mode, FileViewSetup setup);

    void relayout();
    void push(command::Command c);
    bool on_pointer(const vesk_ui::PointerEvent& e, vesk_ui::EventContext& ctx);
    bool on_key(const vesk_ui::KeyEvent& e, vesk_ui::EventContext& ctx);
    bool on_primary_press(vesk_ui::Point p, std::uint32_t modifiers, vesk_ui::EventContext& ctx);

    // Painting, in painting.cpp.
    void draw_list(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx);
    void draw_list_row(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, const ItemLayout& item,
                       std::size_t i);
    void draw_header(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, const ItemLayout& item);
    void draw_grid(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx);
    void draw_grid_cell(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, const ItemLayout& item,
                        std::size_t i);
    void draw_item_background(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, std::size_t i,
                              const vesk_ui::Rect& rect);
    void draw_cursor(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx);
    void draw_rename_field(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx);
    // The thumbnail for entry `i` when ready; asks for it otherwise.
    std::optional<vesk_ui::Image> thumbnail_for(std::size_t i);

    SharedEntries entries_;
    vesk_ui::SelectionModel selection_;
    ViewLayoutMode mode_;
    model::SortKey sort_key_ = model::SortKey::Name;
    model::SortDirection sort_direction_ = model::SortDirection::Ascending;
    float z_;
    float t_;
    ViewGeometry geometry_;
    RenameState rename_;
    std::optional<vesk_ui::Rect> rename_rect_;
    std::optional<vesk_ui::Rect> viewport_;
    thumbnail::ThumbnailService* thumbnails_;
    std::vector<std::string> workspace_roots_;
    command::CommandChannelRef commands_;

    std::optional<std::size_t> hover_;
    std::optional<vesk_ui::Point> pointer_;  // set while the pointer is over the view
    std::optional<Press> press_;
    bool focused_ = false;
};

}  // namespace file_explorer::views
