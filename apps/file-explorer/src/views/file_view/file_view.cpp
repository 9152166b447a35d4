#include "views/file_view/file_view.h"

#include <algorithm>
#include <cmath>

#include "i18n/i18n.h"
#include "views/file_view/entry_state.h"
#include "views/file_view/item_layout.h"

namespace file_explorer::views {

using vesk_ui::Point;
using vesk_ui::Rect;

namespace {

constexpr float drag_threshold = 6.0f;

bool viewport_contains(const std::optional<Rect>& viewport, Point p) {
    return !viewport || viewport->contains(p);
}

}  // namespace

FileView::FileView(ViewLayoutMode mode, FileViewSetup setup)
    : entries_(std::move(setup.entries)),
      selection_(std::move(setup.selection)),
      mode_(mode),
      z_(zoom_for_step(setup.zoom_step)),
      t_(clamp_scale(setup.scale)),
      geometry_(mode, z_, t_, Rect{}),
      rename_(std::move(setup.rename)),
      viewport_(setup.viewport),
      thumbnails_(setup.thumbnails),
      workspace_roots_(std::move(setup.workspace_roots)),
      commands_(std::move(setup.commands)) {}

FileView::FileView(FileViewSetup setup, model::SortKey sort_key, model::SortDirection sort_direction)
    : FileView(ViewLayoutMode::List, std::move(setup)) {
    sort_key_ = sort_key;
    sort_direction_ = sort_direction;
}

FileView::FileView(FileViewSetup setup) : FileView(ViewLayoutMode::Grid, std::move(setup)) {}

void FileView::set_environment_scale(float t) {
    t_ = clamp_scale(t);
    relayout();
}

vesk_ui::Size FileView::measure(vesk_ui::Size available) {
    float width = available.width;
    if (!std::isfinite(width)) width = grid_cells(bounds_.width(), z_, t_).cell_width + 20 * z_;
    width = std::max(width, 0.0f);
    std::size_t n = entries_.size();
    float height = mode_ == ViewLayoutMode::List
                       ? ViewGeometry::list_content_height(z_, t_, n)
                       : ViewGeometry::grid_content_height(z_, grid_cells(width, z_, t_), n);
    return {width, height};
}

void FileView::apply_layout(const Rect& bounds) {
    bounds_ = bounds;
    relayout();
}

void FileView::relayout() {
    geometry_ = ViewGeometry(mode_, z_, t_, bounds_);
    rename_rect_.reset();
    if (!rename_.index || *rename_.index >= entries_.size()) return;
    ItemLayout item(geometry_, vesk_ui::text_renderer());
    rename_rect_ = item.rename_rect(*rename_.index);
    if (rename_.field) rename_.field->apply_layout(*rename_rect_);
    if (rename_.on_rect) rename_.on_rect(*rename_rect_);
}

std::optional<Rect> FileView::item_rect(std::size_t i) const {
    if (i >= entries_.size()) return std::nullopt;
    return geometry_.item_rect(i);
}

void FileView::push(command::Command c) {
    if (commands_) commands_->push(std::move(c));
}

bool FileView::handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) {
    if (const auto* p = event.pointer()) return on_pointer(*p, ctx);
    if (const auto* k = event.key()) return on_key(*k, ctx);
    return false;
}

bool FileView::on_pointer(const vesk_ui::PointerEvent& e, vesk_ui::EventContext& ctx) {
    Point p = e.logical();
    bool inside = bounds_.contains(p) && viewport_contains(viewport_, p);
    switch (e.kind) {
        case vesk_ui::PointerKind::Leave: {
            pointer_.reset();
            if (hover_) ctx.redraw = true;
            hover_.reset();
            return false;
        }
        case vesk_ui::PointerKind::Move: {
            pointer_ = inside ? std::optional<Point>(p) : std::nullopt;
            auto hit = inside ? geometry_.hit_test(p, viewport_, entries_.size()) : std::nullopt;
            if (hit != hover_) ctx.redraw = true;
            hover_ = hit;
            if (press_ && std::hypot(p.x - press_->position.x, p.y - press_->position.y) > drag_threshold) {
                push(command::Command::start_drag(press_->path, press_->is_dir));
                press_.reset();
            }
            return false;
        }
        case vesk_ui::PointerKind::Up:
            if (e.button == vesk_ui::Button::Primary) press_.reset();
            return false;
        case vesk_ui::PointerKind::Down: break;
    }
    if (!inside) return false;
    if (e.button == vesk_ui::Button::Secondary) {
        auto hit = geometry_.hit_test(p, viewport_, entries_.size());
        if (hit && !selection_.is_selected(*hit)) selection_.select_only(*hit);
        push(command::Command::context_menu_requested(hit));
        ctx.redraw = true;
        ctx.handled = true;
        return true;
    }
    if (e.button == vesk_ui::Button::Primary) return on_primary_press(p, e.modifiers, ctx);
    return false;
}

bool FileView::on_primary_press(Point p, std::uint32_t modifiers, vesk_ui::EventContext& ctx) {
    if (geometry_.in_header(p, viewport_)) {
        if (auto column = geometry_.header_hit(p, viewport_))
            push(command::Command::sort_by_column(static_cast<int>(*column)));
        ctx.handled = true;
        return true;
    }
    auto hit = geometry_.hit_test(p, viewport_, entries_.size());
    if (!hit) return false;
    bool primary = (modifiers & vesk_ui::mods::primary) != 0;
    bool shift = (modifiers & vesk_ui::mods::shift) != 0;
    selection_.apply_click(*hit, primary, shift);
    push(command::Command::item_clicked(*hit, primary, shift));
    if (!primary && !shift) {
        const model::FileEntry& entry = entries_[*hit];
        press_ = Press{entry.path, entry.is_dir, p};
        push(command::Command::item_pressed(entry.path, p.x, p.y, entry.is_dir));
    }
    ctx.redraw = true;
    ctx.handled = true;
    return true;
}

bool FileView::on_key(const vesk_ui::KeyEvent& e, vesk_ui::EventContext& ctx) {
    if (mode_ != ViewLayoutMode::Grid || !focused_ || !e.pressed || e.repeat || entries_.empty()) return false;
    std::optional<GridMove> move = grid_move_for_key(e.key);
    if (!move) return false;
    std::size_t target = grid_step(selection_.primary(), *move, geometry_.cells().columns, entries_.size());
    push(command::Command::move_cursor(target, e.has(vesk_ui::mods::shift)));
    ctx.handled = true;
    return true;
}

std::optional<vesk_ui::AccessNode> FileView::accessibility() const {
    vesk_ui::AccessNode node;
    node.role = vesk_ui::Role::List;
    node.label = i18n::tr("files-a11y-list");
    auto cursor = selection_.primary();
    if (cursor && *cursor < entries_.size()) node.value = entries_[*cursor].name;
    node.rect = viewport_ ? bounds_.intersected(*viewport_) : bounds_;
    if (focused_) node.flags |= vesk_ui::access_flags::focused;
    node.flags |= vesk_ui::access_flags::focusable;
    node.children.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const model::FileEntry& entry = entries_[i];
        vesk_ui::AccessNode child;
        child.role = vesk_ui::Role::ListItem;
        child.label = entry.name;
        child.description = describe(entry_state(entry), entry.size);
        child.rect = geometry_.item_rect(i);
        child.flags = vesk_ui::access_flags::selectable;
        if (selection_.is_selected(i)) child.flags |= vesk_ui::access_flags::selected;
        node.children.push_back(std::move(child));
    }
    return node;
}

std::vector<AutomationRegion> FileView::automation_regions() const {
    std::vector<AutomationRegion> out;
    out.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        out.push_back({"file_row:" + entries_[i].name, geometry_.item_rect(i)});
    return out;
}

}  // namespace file_explorer::views
