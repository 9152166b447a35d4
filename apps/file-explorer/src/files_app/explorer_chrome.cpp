// The root widget's chrome: the navigation shell with the places sidebar,
// the toolbar with the path bar, the favourites, keyboard focus between
// them, drops onto places and onto the parent folder, and what the chrome
// publishes to automation and assistive technology.
#include <sys/stat.h>

#include <algorithm>
#include <cmath>

#include <nlohmann/json.hpp>

#include "command/local_key.h"
#include "files_app/content_column.h"
#include "files_app/explorer_widget.h"
#include "fileops/move_into.h"
#include "fileops/paths.h"
#include "fileops/text.h"
#include "fileops/trash_commands.h"
#include "i18n/i18n.h"
#include "views/file_view/file_view.h"
#include "views/places_sidebar/places_sidebar.h"
#include "views/toolbar/toolbar.h"
#include "vesk_ui/widgets/empty_state.h"
#include "vesk_ui/widgets/nav_shell.h"
#include "vesk_ui/widgets/scrollable.h"

namespace file_explorer::files_app {

namespace {

using command::Command;
using command::Kind;
using vesk_actions::InvokeOutcome;
using vesk_actions::Operation;
using vesk_actions::OperationClass;
using vesk_actions::Resource;

constexpr float kSidebarWidth = 232;
// How long completion may work between two frames.
constexpr auto kCompletionSlice = std::chrono::milliseconds(4);

bool is_directory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

float environment_scale(float s) { return std::isfinite(s) ? std::clamp(s, 0.5f, 4.0f) : 1.0f; }

// A JSON text member of `payload`, or "" when it is absent or no text.
std::string text_member(const nlohmann::json& payload, const char* name) {
    if (!payload.is_object()) return {};
    auto it = payload.find(name);
    return it != payload.end() && it->is_string() ? it->get<std::string>() : std::string();
}

}  // namespace

void FileExplorerWidget::init_chrome() {
    favorites_ = views::FavoritesStore::load(config_.config_dir, config_.home, config_.user_dirs);
    reorder_ = std::make_shared<views::ReorderState>();
    toolbar_ = std::make_unique<views::FileToolbar>(channel_);
    auto sidebar = std::make_unique<views::PlacesSidebar>();
    sidebar_ = sidebar.get();
    auto column = std::make_unique<ContentColumn>(*toolbar_);
    content_ = column.get();
    shell_ = std::make_unique<vesk_ui::widgets::NavShell>(std::move(sidebar), std::move(column));
    shell_->set_sidebar_width(kSidebarWidth).sidebar_over_content();
}

void FileExplorerWidget::build_chrome() {
    views::ToolbarState state;
    state.can_go_back = !back_stack_.empty();
    state.can_go_forward = !forward_stack_.empty();
    state.can_go_up = fileops::parent_path(location_).has_value();
    state.grid_mode = view_mode_ == model::ViewMode::Grid;
    state.in_archive = is_archive_location();
    toolbar_->set_state(state);
    toolbar_->path_bar().update(location_, config_.home, sidebar_roots_);
    toolbar_->build();

    views::SidebarSetup setup;
    setup.favourites = favorites_.places();
    setup.system = views::system_places(sidebar_roots_, trash_files_folder());
    setup.current = location_;
    setup.scale = env_.scale;
    setup.reorder = reorder_;
    setup.commands = channel_;
    sidebar_->update(std::move(setup));

    content_->set_body(scroller_ ? static_cast<vesk_ui::Widget*>(scroller_.get()) : state_view_.get());
    apply_focus();
}

// --- keyboard focus ----------------------------------------------------------

bool FileExplorerWidget::location_editing() const { return toolbar_->path_bar().editing(); }

void FileExplorerWidget::apply_focus() {
    const bool editing = location_editing();
    if (file_view_) file_view_->set_focus(!editing && focus_area_ == FocusArea::Content);
    sidebar_->set_focus(!editing && focus_area_ == FocusArea::Sidebar);
    if (!editing) toolbar_->path_bar().set_focus(focus_area_ == FocusArea::Breadcrumbs);
}

void FileExplorerWidget::begin_location_edit() {
    if (!location_editing()) toolbar_->path_bar().begin_edit();
    apply_focus();
    structure_dirty_ = redraw_ = true;
}

void FileExplorerWidget::focus_at(vesk_ui::Point p) {
    // A press anywhere else ends the location edit, also where another part
    // (the sidebar) takes the press before the path bar could see it.
    auto& bar = toolbar_->path_bar();
    if (bar.editing() && !bar.bounds().contains(p) && !bar.field().popup_rect().contains(p)) {
        bar.end_edit();
        structure_dirty_ = redraw_ = true;
    }
    FocusArea area = focus_area_;
    if (shell_->sidebar_shown() && shell_->sidebar_rect().contains(p)) area = FocusArea::Sidebar;
    // The toolbar does its work at once; the keyboard goes back to the files.
    else if (content_->bounds().contains(p)) area = FocusArea::Content;
    if (area == focus_area_) return;
    focus_area_ = area;
    apply_focus();
    redraw_ = true;
}

// Tab and Shift + Tab: sidebar, breadcrumbs, files, round again.
bool FileExplorerWidget::cycle_focus(bool backwards) {
    std::vector<FocusArea> order;
    if (shell_->sidebar_shown()) order.push_back(FocusArea::Sidebar);
    order.push_back(FocusArea::Breadcrumbs);
    order.push_back(FocusArea::Content);
    auto at = std::find(order.begin(), order.end(), focus_area_);
    std::size_t i = at == order.end() ? order.size() - 1 : std::size_t(at - order.begin());
    i = backwards ? (i + order.size() - 1) % order.size() : (i + 1) % order.size();
    focus_area_ = order[i];
    apply_focus();
    redraw_ = true;
    return true;
}

// --- drops ------------------------------------------------------------------

std::optional<std::string> FileExplorerWidget::drop_destination(vesk_ui::Point p) const {
    if (!active_drag_) return std::nullopt;
    const auto& dragged = active_drag_->paths;
    if (shell_->sidebar_shown() && shell_->sidebar_rect().contains(p)) {
        auto i = sidebar_->place_at(p);
        if (!i) return std::nullopt;
        const std::string& path = sidebar_->place(*i).path;
        if (std::any_of(dragged.begin(), dragged.end(), [&](const auto& d) { return fileops::same_path(d, path); }))
            return std::nullopt;
        return path;
    }
    if (auto target = toolbar_->path_bar().parent_target_rect(); target && target->contains(p))
        return fileops::parent_path(location_);
    return std::nullopt;
}

void FileExplorerWidget::drop_dragged_items(vesk_ui::Point p) {
    const auto destination = drop_destination(p);
    if (!destination) return;
    // Items moved into the Trash folder by a plain move would lie there
    // without their ".trashinfo" records; onto the Trash place they are
    // moved to the Trash as Delete does.
    if (!in_trash_folder() && fileops::is_trash_files_folder(*destination)) {
        if (auto result = fileops::trash_selection(active_drag_->paths, trash_undo_))
            finish_command(result->status, result->reload);
        return;
    }
    const fileops::MoveSummary summary = fileops::move_items_into(active_drag_->paths, *destination);
    // A failed move may still have changed the folder (a source rebuilt
    // from its staged copy), so only a drop that touched nothing keeps it.
    if (summary.moved + summary.failed > 0) refresh();
    set_status(summary.status());
}

void FileExplorerWidget::show_drop_target() {
    std::optional<std::size_t> place;
    bool parent = false;
    const vesk_ui::Point at{float(last_pointer_x_), float(last_pointer_y_)};
    if (active_drag_ && !active_drag_->client_drag && drop_destination(at)) {
        if (shell_->sidebar_rect().contains(at)) place = sidebar_->place_at(at);
        else parent = true;
    }
    sidebar_->set_drop_target(place);
    toolbar_->path_bar().set_drop_highlight(parent);
}

// --- commands ---------------------------------------------------------------

std::optional<bool> FileExplorerWidget::execute_chrome_command(const Command& c) {
    // Every change is written at once; a failed write keeps the list for
    // this window only.
    auto save = [this] { static_cast<void>(favorites_.save()); };
    switch (c.kind) {
        case Kind::AddFavourite:
            if (!favorites_.add(c.path)) return false;
            save();
            set_status(i18n::tr("files-added-favourite"));
            return true;
        case Kind::RemoveFavourite:
            if (!favorites_.remove(c.path)) return false;
            save();
            set_status(i18n::tr("files-removed-favourite"));
            return true;
        case Kind::ReorderFavourites:
            if (!c.index || !favorites_.move(*c.index, c.index2)) return false;
            save();
            structure_dirty_ = true;
            return true;
        default: return std::nullopt;
    }
}

bool FileExplorerWidget::pump_completion() {
    auto& bar = toolbar_->path_bar();
    if (!bar.busy()) return false;
    return bar.pump(vesk_ui::Clock::now() + kCompletionSlice);
}

bool FileExplorerWidget::needs_idle_sync() const { return toolbar_->path_bar().busy(); }

// --- resources and invocations ----------------------------------------------

Operation FileExplorerWidget::favourite_operation() const {
    const bool favourite = favorites_.find(location_) != nullptr;
    Operation op;
    op.name = favourite ? "remove-favorite" : "add-favorite";
    op.title = favourite ? "Remove from Favourites" : "Add to Favourites";
    op.action = "files.folder-command";
    op.payload_json = nlohmann::json(op.name).dump();
    op.operation_class = OperationClass::Effect;
    if (is_archive_location() || !is_directory(location_))
        op.unavailable = {"location_unavailable", "The current location cannot be a favourite"};
    return op;
}

namespace {

Resource place_resource_of(const views::Place& place) {
    Resource r;
    r.id = command::place_resource_id(place.path);
    r.kind = "files.place";
    r.label = place.label;
    Operation open;
    open.name = "open";
    open.title = i18n::tr("files-menu-open");
    open.action = "files.open";
    open.payload_json = nlohmann::json(fileops::lossy_utf8(place.path)).dump();
    open.operation_class = OperationClass::View;
    r.operations.push_back(std::move(open));
    return r;
}

}  // namespace

void FileExplorerWidget::append_place_resources(std::vector<Resource>& out) const {
    std::vector<views::Place> places = favorites_.places();
    for (auto& p : views::system_places(sidebar_roots_, trash_files_folder())) places.push_back(std::move(p));
    std::vector<std::string> seen;
    for (const auto& place : places) {
        Resource r = place_resource_of(place);
        if (std::find(seen.begin(), seen.end(), r.id) != seen.end()) continue;
        seen.push_back(r.id);
        out.push_back(std::move(r));
    }
}

std::optional<Resource> FileExplorerWidget::place_resource(std::string_view id) const {
    std::vector<Resource> all;
    append_place_resources(all);
    for (auto& r : all)
        if (r.id == id) return std::move(r);
    return std::nullopt;
}

std::optional<InvokeOutcome> FileExplorerWidget::invoke_chrome(const vesk_actions::Invocation& inv,
                                                               const nlohmann::json& payload) {
    if (inv.action == "vesk.ui.control.invoke") {
        // The control is named by its action identifier, alone or as
        // {"control": …, "value": …}.
        std::string control = payload.is_string() ? payload.get<std::string>() : text_member(payload, "control");
        if (load_error_ && (control == "files.retry" || control == "files-retry-folder")) {
            refresh();
            redraw_ = true;
            return InvokeOutcome::success();
        }
        if (control.empty() || !toolbar_->invoke_control(control, text_member(payload, "value"))) return std::nullopt;
        drain_commands();
        structure_dirty_ = redraw_ = true;
        return InvokeOutcome::success();
    }
    if (inv.action != "files.folder-command" || !payload.is_string()) return std::nullopt;
    const std::string name = payload.get<std::string>();
    if (name != "add-favorite" && name != "remove-favorite") return std::nullopt;
    if (inv.operation_class != OperationClass::Effect) return InvokeOutcome::fail("file command has an invalid operation kind");
    if (is_archive_location() || !is_directory(location_))
        return InvokeOutcome::fail("the current location cannot be a favourite");
    execute(Command::with_path(name == "add-favorite" ? Kind::AddFavourite : Kind::RemoveFavourite, location_));
    structure_dirty_ = redraw_ = true;
    return InvokeOutcome::success();
}

void FileExplorerWidget::append_chrome_access(vesk_ui::AccessNode& root) const {
    if (shell_->sidebar_shown())
        if (auto places = sidebar_->accessibility()) root.children.push_back(std::move(*places));
    if (auto bar = toolbar_->accessibility()) root.children.push_back(std::move(*bar));
}

// --- screenshot scenes --------------------------------------------------------

void FileExplorerWidget::show_sidebar_for_scene() { shell_->snap_open(false); }

vesk_ui::Point FileExplorerWidget::sidebar_row_centre(std::size_t i) const {
    const std::size_t system = views::system_places(sidebar_roots_, trash_files_folder()).size();
    const views::SidebarGeometry g{vesk_ui::Rect{0, 0, kSidebarWidth, 100000}, environment_scale(env_.scale),
                                   favorites_.places().size(), system};
    return g.row(i).center();
}

void FileExplorerWidget::set_favourite_drag_for_scene(std::size_t from, std::size_t to) {
    const std::size_t n = favorites_.places().size();
    if (n < 2) return;
    from = std::min(from, n - 1);
    to = std::min(to, n - 1);
    if (from == to) to = from == 0 ? 1 : from - 1;
    const vesk_ui::Point grabbed = sidebar_row_centre(from);
    const vesk_ui::Point target = sidebar_row_centre(to);
    views::ReorderState& drag = *reorder_;
    drag = views::ReorderState{};
    drag.pressed = from;
    drag.press = grabbed;
    drag.grab_offset = views::SidebarGeometry::row_height * environment_scale(env_.scale) / 2;  // grabbed mid-row
    drag.dragging = true;
    drag.target = to;
    // Held a little off the slot's centre, as a hand would.
    drag.pointer = {target.x + 14, target.y + 5};
    structure_dirty_ = redraw_ = true;
}

void FileExplorerWidget::set_drag_for_scene(std::vector<std::string> paths, vesk_ui::Point pointer) {
    active_drag_ = ActiveDrag{std::move(paths), false};
    last_pointer_x_ = pointer.x;
    last_pointer_y_ = pointer.y;
    redraw_ = true;
}

}  // namespace file_explorer::files_app
