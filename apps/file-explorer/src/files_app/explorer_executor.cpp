// The one executor: every request of a child, a shortcut, a menu or the
// action door ends here.
#include <functional>
#include <unordered_map>

#include "files_app/explorer_widget.h"
#include "fileops/archive_commands.h"
#include "fileops/archive_location.h"
#include "i18n/i18n.h"
#include "vesk_ui/services.h"

namespace file_explorer::files_app {

namespace {

using command::Kind;

// Requests that would write into the browsed archive.
bool writes_to_location(Kind kind) {
    switch (kind) {
        case Kind::OpenTerminal: case Kind::NewFolder: case Kind::StartRename: case Kind::CommitRename:
        case Kind::MoveToTrash: case Kind::Copy: case Kind::Cut: case Kind::Paste: case Kind::ExtractHere:
        case Kind::Compress: case Kind::NewFromTemplate: case Kind::ItemPressed: case Kind::StartDrag:
            return true;
        default:
            return false;
    }
}

std::optional<model::SortKey> column_key(int column) {
    switch (column) {
        case 1: return model::SortKey::Name;
        case 2: return model::SortKey::Size;
        case 3: return model::SortKey::Modified;
        default: return std::nullopt;
    }
}

}  // namespace

bool FileExplorerWidget::drain_commands() {
    bool changed = false;
    for (const auto& c : channel_->drain()) changed = execute(c) || changed;
    return changed;
}

bool FileExplorerWidget::execute(const command::Command& c) {
    if (is_archive_location() && writes_to_location(c.kind)) {
        set_status(i18n::tr("files-archive-read-only"));
        return true;
    }
    if (auto changed = execute_shell_command(c)) return *changed;
    if (auto changed = execute_chrome_command(c)) return *changed;
    const bool valid_index = c.index && *c.index < entries_.size();
    switch (c.kind) {
        case Kind::NavigateToPath: navigate(c.path); return true;
        case Kind::OpenPath: open_path(c.path); return true;
        case Kind::GoUp: go_up(); return true;
        case Kind::GoBack: go_back(); return true;
        case Kind::GoForward: go_forward(); return true;
        case Kind::Refresh: refresh(); return true;
        case Kind::ItemClicked:
            if (valid_index) click_item(*c.index, c.flag_b, c.flag_a);
            return valid_index;
        case Kind::ContextMenuRequested:
            prepare_context_selection(valid_index ? c.index : std::nullopt);
            open_item_menu(float(last_pointer_x_), float(last_pointer_y_));
            return true;
        case Kind::OpenItem:
            if (valid_index) open_entry(entries_[*c.index].path);
            return valid_index;
        case Kind::MoveCursor:
            if (valid_index) move_cursor(*c.index, c.flag_a);
            return valid_index;
        case Kind::SortByColumn: {
            auto key = column_key(c.number);
            if (!key) return false;
            resort([&] { model::sort_by_column(sort_, entries_, *key); });
            return true;
        }
        case Kind::SetViewMode:
            set_view_mode(c.number == 1 ? model::ViewMode::Grid : model::ViewMode::List);
            return true;
        case Kind::SetSortKey:
            if (c.number < 0 || c.number > 3) return false;
            resort([&] { model::set_sort_key(sort_, entries_, static_cast<model::SortKey>(c.number)); });
            return true;
        case Kind::ToggleSortDirection:
            resort([&] { model::toggle_sort_direction(sort_, entries_); });
            return true;
        case Kind::SetSortDirection:
            resort([&] {
                model::set_sort_direction(sort_, entries_, c.number == 1 ? model::SortDirection::Descending
                                                                         : model::SortDirection::Ascending);
            });
            return true;
        case Kind::SelectAll: select_all(); return true;
        case Kind::StartRename: start_rename(); return true;
        case Kind::CommitRename: commit_rename(); return true;
        case Kind::CancelRename: cancel_rename(); return true;
        case Kind::ZoomIn: set_zoom_step(zoom_step_ + 1); return true;
        case Kind::ZoomOut: set_zoom_step(zoom_step_ - 1); return true;
        case Kind::ToggleHidden: toggle_hidden(); return true;
        case Kind::ItemPressed:
            armed_drag_ = ArmedDrag{c.path, c.x, c.y, c.flag_a};
            return false;
        case Kind::StartDrag: return start_drag(c.path, c.flag_a);
        case Kind::ExtractHere:
            return apply_outcome(fileops::extract_selected_archives(selected_paths(), location_));
        case Kind::ExtractArchive: {
            auto archive = fileops::find_archive_location(location_);
            if (!archive) return false;
            // A listing that shows the archive itself extracts it as the
            // selection would, so that the reload shows the new folder.
            for (std::size_t i = 0; i < entries_.size(); ++i) {
                if (entries_[i].path != archive->archive) continue;
                selection_.select_only(i);
                return apply_outcome(fileops::extract_selected_archives({archive->archive}, location_));
            }
            return apply_outcome(fileops::extract_browsed_archive(archive->archive, location_));
        }
        case Kind::Compress: return apply_outcome(fileops::compress_selection(selected_paths(), location_));
        default:
            // Not available in this build: nothing happens and nothing is claimed.
            return false;
    }
}

// Re-sorting moves entries; the selection follows them by path so that a
// later command acts on the items the user chose, not on whatever moved into
// their positions.
void FileExplorerWidget::resort(const std::function<void()>& sort) {
    std::vector<std::string> selected_paths;
    for (std::size_t i : selection_.selected())
        if (i < entries_.size()) selected_paths.push_back(entries_[i].path);
    std::optional<std::string> primary_path;
    if (auto p = selection_.primary(); p && *p < entries_.size()) primary_path = entries_[*p].path;
    sort();
    view_entries_.reset();
    restore_selection(selected_paths, primary_path);
    structure_dirty_ = true;
}

void FileExplorerWidget::restore_selection(const std::vector<std::string>& paths,
                                           const std::optional<std::string>& primary) {
    selection_.clear();
    selection_.set_count(entries_.size());
    if (paths.empty()) return;
    std::unordered_map<std::string_view, std::size_t> index_of;
    index_of.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) index_of.emplace(entries_[i].path, i);
    std::optional<std::size_t> primary_index;
    for (const auto& path : paths) {
        auto it = index_of.find(path);
        if (it == index_of.end()) continue;
        if (primary && *primary == path) primary_index = it->second;
        else selection_.toggle(it->second);
    }
    // The primary goes last so that it becomes the cursor.
    if (primary_index) selection_.toggle(*primary_index);
}

std::vector<std::string> FileExplorerWidget::selected_paths() const {
    std::vector<std::string> paths;
    for (std::size_t i : selection_.selected())
        if (i < entries_.size()) paths.push_back(entries_[i].path);
    return paths;
}

// Shows an operation's outcome; a reload comes first because loading clears
// the status message.
bool FileExplorerWidget::apply_outcome(const fileops::ArchiveCommandOutcome& outcome) {
    if (outcome.reload) refresh();
    set_status(outcome.status);
    return true;
}

bool FileExplorerWidget::start_drag(const std::string& path, bool folder) {
    (void)folder;
    armed_drag_.reset();
    std::vector<std::string> paths = pending_drag_set_.empty() ? std::vector<std::string>{path} : pending_drag_set_;
    active_drag_ = ActiveDrag{paths, false};
    // The toolkit carries the drag on outside the window; a release inside
    // still arrives here as a release at its position.
    vesk_ui::dnd::start_file_drag(paths);
    return true;
}

}  // namespace file_explorer::files_app
