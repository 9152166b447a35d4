// The commands behind the menus and sheets: opening menus and sheets, the
// Trash with its undo, the file clipboard and new items. Each ends in a status message, a sheet or a menu.
#include "files_app/explorer_widget.h"
#include "files_app/terminal.h"
#include "fileops/new_items.h"
#include "fileops/paths.h"
#include "fileops/trash_ops.h"
#include "i18n/i18n.h"

namespace file_explorer::files_app {

namespace {

using command::Command;
using command::Kind;

}  // namespace

// The outcome of a command that may have changed the folder: reload first,
// since loading clears the status line.
void FileExplorerWidget::finish_command(const std::string& status, bool reload) {
    if (reload) refresh();
    set_status(status);
}

// After a new folder or file: it alone is selected and its rename starts.
void FileExplorerWidget::finish_creation(const std::optional<std::string>& created, const std::string& status) {
    if (created) {
        refresh();
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (!fileops::same_path(entries_[i].path, *created)) continue;
            selection_.select_only(i);
            start_rename();
            break;
        }
    }
    set_status(status);
}

bool FileExplorerWidget::show_properties() {
    const auto primary = selection_.primary();
    if (!primary || *primary >= entries_.size()) return false;
    open_sheet(properties_sheet(entries_[*primary]));
    return true;
}

bool FileExplorerWidget::move_selection_to_trash() {
    std::vector<std::string> paths = selected_paths();
    if (paths.empty()) return false;
    if (in_trash_folder()) {
        open_sheet(permanent_delete_sheet(std::move(paths)));
        return true;
    }
    auto result = fileops::trash_selection(paths, trash_undo_);
    if (!result) return false;
    finish_command(result->status, result->reload);
    return true;
}

// Outside the Trash folder the confirmation counts what the Trash holds,
// not the folder that happens to be shown.
bool FileExplorerWidget::request_empty_trash() {
    std::size_t count = entries_.size();
    if (!in_trash_folder()) {
        auto snapshot = fileops::trash_snapshot();
        count = snapshot ? snapshot->size() : 0;
    }
    if (count == 0) {
        set_status(i18n::tr("files-trash-already-empty"));
        return true;
    }
    open_sheet(empty_trash_sheet(count));
    return true;
}

std::optional<bool> FileExplorerWidget::execute_shell_command(const command::Command& c) {
    switch (c.kind) {
        // Menus and sheets.
        case Kind::ShowViewMenu: open_view_options_menu(); return true;
        case Kind::ShowSortMenu: open_sort_menu(); return true;
        case Kind::ShowTemplateMenu: open_template_menu_beside(false); return true;
        case Kind::FavouriteContextMenu: pending_place_menu_ = c.path; return true;
        case Kind::ShowShortcuts: open_sheet(shortcuts_sheet()); return true;
        case Kind::ShowProperties: return show_properties();

        // The Trash.
        case Kind::MoveToTrash: return move_selection_to_trash();
        case Kind::UndoTrash: {
            auto result = fileops::undo_move_to_trash(trash_undo_);
            finish_command(result.status, result.reload);
            return true;
        }
        case Kind::Restore: {
            // Trash items are matched by name: outside the Trash a selected
            // file would restore whatever Trash item shares its name.
            if (!in_trash_folder()) return false;
            auto result = fileops::restore_selection(selected_paths(), trash_undo_);
            if (!result) return false;
            finish_command(result->status, result->reload);
            return true;
        }
        case Kind::RequestEmptyTrash: return request_empty_trash();
        case Kind::DeletePermanently: {
            // Only Trash entries: any other path would purge the Trash item
            // that happens to share its name.
            const auto trash = trash_files_folder();
            std::vector<std::string> paths;
            for (const auto& path : c.paths) {
                const auto parent = fileops::parent_path(path);
                if (trash && parent && fileops::same_path(*parent, *trash)) paths.push_back(path);
            }
            if (paths.empty()) return false;
            auto result = fileops::delete_permanently(paths, trash_undo_);
            finish_command(result.status, result.reload);
            return true;
        }
        case Kind::EmptyTrash: {
            auto result = fileops::confirm_empty_trash(trash_undo_);
            finish_command(result.status, result.reload);
            return true;
        }

        // The window's file clipboard.
        case Kind::Copy: set_status(clipboard_.copy(selected_paths())); return true;
        case Kind::Cut: set_status(clipboard_.cut(selected_paths())); return true;
        case Kind::Paste: {
            auto report = clipboard_.paste_into(location_);
            if (!report) return false;
            finish_command(report->status(), true);
            return true;
        }

        // New items.
        case Kind::NewFolder: {
            auto outcome = fileops::new_folder_command(location_);
            finish_creation(outcome.created, outcome.status);
            return true;
        }
        case Kind::NewFromTemplate: {
            auto outcome = fileops::new_from_template_command(c.path, location_);
            finish_creation(outcome.created, outcome.status);
            return true;
        }

        // A terminal that cannot start is dropped without a message.
        case Kind::OpenTerminal: static_cast<void>(start_terminal(location_)); return false;
        default: return std::nullopt;
    }
}

}  // namespace file_explorer::files_app
