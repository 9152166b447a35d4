// What the root widget tells assistive technology and automation: its
// accessibility node, semantic actions, the snapshot, resources and
// invocations of their operations.
#include <sys/stat.h>

#include <algorithm>

#include <nlohmann/json.hpp>

#include "command/local_key.h"
#include "files_app/explorer_widget.h"
#include "files_app/terminal.h"
#include "fileops/archive_location.h"
#include "fileops/clipboard.h"
#include "fileops/naming.h"
#include "fileops/new_items.h"
#include "fileops/templates.h"
#include "fileops/trash_commands.h"
#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"
#include "native_observer/snapshot.h"
#include "thumbnail/service.h"
#include "views/file_view/file_view.h"
#include "vesk_ui/widgets/empty_state.h"
#include "vesk_ui/widgets/nav_shell.h"
#include "vesk_ui/widgets/scrollable.h"

namespace file_explorer::files_app {

namespace {

using vesk_actions::InvokeOutcome;
using vesk_actions::Operation;
using vesk_actions::OperationClass;
using vesk_actions::Resource;

native_observer::Rect4 rect4(const vesk_ui::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

Operation folder_op(std::string name, std::string title, std::string payload, OperationClass cls) {
    Operation op;
    op.name = std::move(name);
    op.title = std::move(title);
    op.action = "files.folder-command";
    op.payload_json = nlohmann::json(payload).dump();
    op.operation_class = cls;
    return op;
}

Operation entry_op(std::string name, const char* title_id, std::string action, std::string payload_json,
                   OperationClass cls) {
    Operation op;
    op.name = std::move(name);
    op.title = i18n::tr(title_id);
    op.action = std::move(action);
    op.payload_json = std::move(payload_json);
    op.operation_class = cls;
    return op;
}

bool is_directory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

const model::FileEntry* FileExplorerWidget::entry_for_resource(std::string_view id) const {
    for (const auto& entry : entries_)
        if (id == command::entry_resource_id(entry.path)) return &entry;
    return nullptr;
}

// Operations on one entry, named by the payload. Those that open a sheet or a
// picker are views; the rest are effects.
InvokeOutcome FileExplorerWidget::invoke_entry_command(const vesk_actions::Invocation& inv,
                                                       const nlohmann::json& payload) {
    if (!inv.resource_id.starts_with("files.entry:")) return InvokeOutcome::fail("missing file resource");
    const model::FileEntry* entry = entry_for_resource(inv.resource_id);
    if (!entry) return InvokeOutcome::fail("file entry is no longer visible");
    const std::string name = payload.is_string() ? payload.get<std::string>() : std::string();
    using command::Kind;
    struct Row {
        const char* payload;
        Kind kind;
        OperationClass cls;
    };
    static const Row kRows[] = {
        {"properties", Kind::ShowProperties, OperationClass::View},
        {"sharing", Kind::ShowSharing, OperationClass::View},
        {"history", Kind::OpenHistory, OperationClass::View},
        {"availability", Kind::ShowAvailability, OperationClass::View},
        {"send-nearby", Kind::SendNearby, OperationClass::View},
        {"restore", Kind::Restore, OperationClass::Effect},
        {"purge", Kind::DeletePermanently, OperationClass::Effect},
        {"copy", Kind::Copy, OperationClass::Effect},
        {"cut", Kind::Cut, OperationClass::Effect},
        {"trash", Kind::MoveToTrash, OperationClass::Effect},
        {"compress", Kind::Compress, OperationClass::Effect},
        {"extract", Kind::ExtractHere, OperationClass::Effect},
        {"keep-offline", Kind::KeepOffline, OperationClass::Effect},
        {"automatic-storage", Kind::UseAutomaticStorage, OperationClass::Effect},
        {"free-local-space", Kind::FreeLocalSpace, OperationClass::Effect},
        {"retry-transfer", Kind::RetryTransfer, OperationClass::Effect},
    };
    const Row* row = nullptr;
    for (const auto& r : kRows)
        if (name == r.payload) row = &r;
    if (!row) return InvokeOutcome::fail("missing file command");
    if (inv.operation_class != row->cls) return InvokeOutcome::fail("file command has an invalid operation kind");
    // Inside an archive the effects would write; the executor would only set
    // the refusal as the status, which is no success.
    if (is_archive_location() && row->cls == OperationClass::Effect)
        return InvokeOutcome::fail(i18n::tr("files-archive-read-only"));
    const auto trash = trash_files_folder();
    if (row->kind == Kind::DeletePermanently && trash && fileops::path_starts_with(entry->path, *trash))
        return InvokeOutcome::fail("Use the separately confirmed permanent-delete action for items already in Trash");
    const std::size_t index = static_cast<std::size_t>(entry - entries_.data());
    selection_.select_only(index);
    command::Command c = command::Command::simple(row->kind);
    if (row->kind == Kind::DeletePermanently) c = command::Command::with_paths(row->kind, {entry->path});
    if (!execute(c)) return InvokeOutcome::fail("file operation could not be applied");
    redraw_ = true;
    return InvokeOutcome::success();
}

std::string FileExplorerWidget::automation_snapshot() const {
    native_observer::SnapshotInput in;
    in.directory = location_;
    in.entry_count = entries_.size();
    in.order_hash = model::order_hash(entries_);
    in.is_loading = loading_;
    in.has_error = load_error_.has_value();
    if (thumbnails_) in.thumbnail_pending = thumbnails_->pending();
    for (std::size_t i : selection_.selected()) {
        in.selected_indices.push_back(i);
        if (i < entries_.size()) in.selected_names.push_back(entries_[i].name);
    }
    if (auto p = selection_.primary(); p && selection_.is_selected(*p)) in.primary_index = *p;
    in.offset_x = offset_x_;
    in.offset_y = offset_y_;
    in.last_cursor_x = last_pointer_x_;
    in.last_cursor_y = last_pointer_y_;
    in.root_rect = rect4(bounds_);
    if (scroller_) {
        in.viewport_rect = rect4(scroller_->viewport());
        in.content_rect = rect4(scroller_->content_rect());
    }
    in.view_mode = std::string(model::view_mode_name(view_mode_));
    in.sort_by = std::string(model::sort_key_name(sort_.key));
    in.sort_order = std::string(model::sort_direction_name(sort_.direction));
    return native_observer::automation_snapshot_json(in);
}

std::optional<vesk_ui::AccessNode> FileExplorerWidget::accessibility() const {
    // While a sheet is open, the dialog stands for the whole window.
    if (sheet_) return sheet_access_node(*sheet_, bounds_, sheet_focused_);
    vesk_ui::AccessNode root;
    root.role = vesk_ui::Role::Pane;
    root.label = i18n::tr("files-a11y-activity");
    root.description = i18n::tr_args("files-a11y-current-folder", i18n::Args().text("path", location_));
    root.rect = bounds_;
    if (loading_) {
        root.value = i18n::tr_args("files-loading-folder", i18n::Args().text("path", location_));
        root.flags |= vesk_ui::access_flags::busy;
    } else if (load_error_) {
        root.value = i18n::tr_args("files-a11y-load-error", i18n::Args().text("error", *load_error_));
        root.flags |= vesk_ui::access_flags::error;
    } else if (!entries_.empty()) {
        root.value = status_text();
    } else {
        const auto trash = trash_files_folder();
        root.value = i18n::tr(trash && fileops::same_path(*trash, location_) ? "files-empty-trash" : "files-empty-folder");
    }
    append_chrome_access(root);
    if ((loading_ || load_error_) && state_view_) {
        vesk_ui::AccessNode state;
        state.role = vesk_ui::Role::Group;
        state.label = state_view_->title();
        state.description = state_view_->detail();
        state.flags = root.flags;
        state.rect = state_view_->bounds();
        if (load_error_) {
            vesk_ui::AccessNode button;
            button.role = vesk_ui::Role::Button;
            button.label = i18n::tr("files-try-again");
            button.id = "files-retry-folder";
            button.flags = vesk_ui::access_flags::focusable;
            if (auto* action = state_view_->action()) button.rect = action->bounds();
            state.children.push_back(std::move(button));
        }
        root.children.push_back(std::move(state));
    }
    if (file_view_) {
        if (auto list = file_view_->accessibility()) root.children.push_back(std::move(*list));
    }
    if (auto menu = overlay_access_node()) root.children.push_back(std::move(*menu));
    return root;
}

bool FileExplorerWidget::perform_semantic_action(std::string_view node_id, vesk_ui::SemanticAction action) {
    if (node_id == "files-retry-folder" && action == vesk_ui::SemanticAction::Default) {
        refresh();
        redraw_ = true;
        return true;
    }
    // The sidebar, the toolbar and the path bar act through commands.
    if (shell_->perform_semantic_action(node_id, action)) {
        drain_commands();
        structure_dirty_ = redraw_ = true;
        return true;
    }
    return false;
}

std::vector<Resource> FileExplorerWidget::resources() {
    std::vector<Resource> out;
    if (auto folder = resource(command::folder_resource_id(location_))) out.push_back(std::move(*folder));
    if (!fileops::is_trash_files_folder(location_)) {
        const bool folder_exists = is_directory(location_);
        for (const auto& item : fileops::template_items()) {
            Resource t;
            t.id = item.resource_id;
            t.kind = "files.template";
            t.label = item.label;
            Operation create;
            create.name = "create";
            create.title = item.label;
            create.action = "files.new-from-template";
            create.payload_json = nlohmann::json(fileops::lossy_utf8(item.path)).dump();
            create.operation_class = OperationClass::Effect;
            if (!folder_exists)
                create.unavailable = {"location_unavailable", "The current location cannot contain a new file"};
            t.operations.push_back(std::move(create));
            out.push_back(std::move(t));
        }
    }
    append_place_resources(out);
    out.reserve(out.size() + entries_.size());
    for (const auto& entry : entries_) out.push_back(entry_resource(entry, command::entry_resource_id(entry.path)));
    return out;
}

std::optional<Resource> FileExplorerWidget::resource(std::string_view id) {
    if (id.starts_with("files.place:")) return place_resource(id);
    if (id == command::folder_resource_id(location_)) {
        const bool folder_exists = is_directory(location_);
        Resource r;
        r.id = std::string(id);
        r.kind = "files.folder";
        r.label = std::string(fileops::file_name(location_));
        if (r.label.empty()) r.label = location_;
        Operation refresh_op;
        refresh_op.name = "refresh";
        refresh_op.title = "Refresh folder";
        refresh_op.action = "files.refresh";
        refresh_op.operation_class = OperationClass::Effect;
        if (!folder_exists) refresh_op.unavailable = {"location_missing", "The current folder no longer exists"};
        r.operations.push_back(std::move(refresh_op));
        const OperationClass view = OperationClass::View;
        r.operations.push_back(folder_op("back", "Back", "back", view));
        r.operations.push_back(folder_op("forward", "Forward", "forward", view));
        r.operations.push_back(folder_op("up", "Parent folder", "up", view));
        r.operations.push_back(folder_op("open-terminal", "Open terminal here", "terminal", OperationClass::Effect));
        r.operations.push_back(folder_op("toggle-hidden", "Toggle hidden files", "hidden", view));
        r.operations.push_back(folder_op("list", "Use list view", "list", view));
        r.operations.push_back(folder_op("grid", "Use grid view", "grid", view));
        r.operations.push_back(folder_op("sort-name", "Sort by name", "sort-name", view));
        r.operations.push_back(folder_op("sort-size", "Sort by size", "sort-size", view));
        r.operations.push_back(folder_op("sort-type", "Sort by type", "sort-type", view));
        r.operations.push_back(folder_op("sort-modified", "Sort by modified date", "sort-modified", view));
        r.operations.push_back(folder_op("sort-ascending", "Sort ascending", "sort-ascending", view));
        r.operations.push_back(folder_op("sort-descending", "Sort descending", "sort-descending", view));
        r.operations.push_back(folder_op("zoom-in", "Increase item size", "zoom-in", view));
        r.operations.push_back(folder_op("zoom-out", "Decrease item size", "zoom-out", view));
        r.operations.push_back(folder_op("keyboard-shortcuts", "Keyboard shortcuts", "shortcuts", view));
        Operation new_folder;
        new_folder.name = "new-folder";
        new_folder.title = "New folder";
        new_folder.action = "files.new-folder";
        new_folder.operation_class = OperationClass::Effect;
        new_folder.text_argument = vesk_actions::TextArgument{"value", "Folder name", "New Folder"};
        if (!folder_exists)
            new_folder.unavailable = {"location_unavailable", "The current location cannot contain a new folder"};
        r.operations.push_back(std::move(new_folder));
        Operation paste;
        paste.name = "paste";
        paste.title = "Paste";
        paste.action = "files.paste";
        paste.operation_class = OperationClass::Effect;
        if (clipboard_.empty()) paste.unavailable = {fileops::kPasteUnavailableCode, fileops::kPasteUnavailableText};
        r.operations.push_back(std::move(paste));
        r.operations.push_back(favourite_operation());
        r.operations.push_back(folder_op("undo-trash", i18n::tr("files-undo-move-trash"), "undo-trash",
                                         OperationClass::Effect));
        r.operations.push_back(folder_op("empty-trash", i18n::tr("files-menu-empty-trash"), "empty-trash",
                                         OperationClass::Effect));
        return r;
    }
    if (const model::FileEntry* entry = entry_for_resource(id)) return entry_resource(*entry, std::string(id));
    return std::nullopt;
}

// One entry's resource; what it offers follows the item menu: nothing more
// than open inside an archive, restore and permanent delete inside the Trash.
Resource FileExplorerWidget::entry_resource(const model::FileEntry& entry, std::string id) const {
    Resource r;
    r.id = std::move(id);
    r.kind = "files.entry";
    r.label = entry.name;
    const std::string open_payload = nlohmann::json(fileops::lossy_utf8(entry.path)).dump();
    r.operations.push_back(entry_op("open", "files-menu-open", "files.open", open_payload, OperationClass::View));
    if (is_archive_location()) return r;
    if (fileops::is_trash_files_folder(location_)) {
        r.operations.push_back(entry_op("restore", "files-menu-restore", "files.entry-command", "\"restore\"",
                                        OperationClass::Effect));
        r.operations.push_back(entry_op("delete-permanently", "files-menu-delete-permanently",
                                        "files.entry-command", "\"purge\"", OperationClass::Effect));
        return r;
    }
    Operation rename = entry_op("rename", "files-menu-rename", "files.rename", "null", OperationClass::Effect);
    rename.text_argument = vesk_actions::TextArgument{"value", i18n::tr("files-action-rename-prompt"), entry.name};
    r.operations.push_back(std::move(rename));
    r.operations.push_back(entry_op("properties", "files-menu-properties", "files.entry-command",
                                    "\"properties\"", OperationClass::View));
    r.operations.push_back(entry_op("copy", "files-menu-copy", "files.entry-command", "\"copy\"",
                                    OperationClass::Effect));
    r.operations.push_back(entry_op("cut", "files-menu-cut", "files.entry-command", "\"cut\"",
                                    OperationClass::Effect));
    r.operations.push_back(entry_op("trash", "files-menu-move-trash", "files.entry-command", "\"trash\"",
                                    OperationClass::Effect));
    r.operations.push_back(entry_op("compress", "files-archive-compress", "files.entry-command", "\"compress\"",
                                    OperationClass::Effect));
    if (fileops::is_archive_name(entry.path))
        r.operations.push_back(entry_op("extract", "files-archive-extract-here", "files.entry-command",
                                        "\"extract\"", OperationClass::Effect));
    return r;
}

InvokeOutcome FileExplorerWidget::invoke_resource_operation_v2(const vesk_actions::Invocation& inv) {
    if (inv.operation_class == OperationClass::Effect && inv.action == "files.refresh") {
        refresh();
        return InvokeOutcome::success();
    }
    nlohmann::json payload = nlohmann::json::parse(inv.payload_json, nullptr, false);
    if (auto outcome = invoke_chrome(inv, payload)) return *outcome;
    if (inv.action == "vesk.ui.control.invoke") {
        drain_commands();
        return InvokeOutcome::not_handled();
    }
    if (inv.action == "files.folder-command") {
        if (!payload.is_string()) return InvokeOutcome::fail("file command has an invalid operation kind");
        const std::string name = payload.get<std::string>();
        struct FolderCommand {
            const char* payload;
            OperationClass cls;
            command::Command command;
        };
        using command::Command;
        using command::Kind;
        const FolderCommand table[] = {
            {"up", OperationClass::View, Command::simple(Kind::GoUp)},
            {"back", OperationClass::View, Command::simple(Kind::GoBack)},
            {"forward", OperationClass::View, Command::simple(Kind::GoForward)},
            {"list", OperationClass::View, Command::set_view_mode(command::ViewMode::List)},
            {"grid", OperationClass::View, Command::set_view_mode(command::ViewMode::Grid)},
            {"sort-name", OperationClass::View, Command::set_sort_key(0)},
            {"sort-size", OperationClass::View, Command::set_sort_key(1)},
            {"sort-modified", OperationClass::View, Command::set_sort_key(2)},
            {"sort-type", OperationClass::View, Command::set_sort_key(3)},
            {"sort-ascending", OperationClass::View, Command::set_sort_direction(0)},
            {"sort-descending", OperationClass::View, Command::set_sort_direction(1)},
            {"zoom-in", OperationClass::View, Command::simple(Kind::ZoomIn)},
            {"zoom-out", OperationClass::View, Command::simple(Kind::ZoomOut)},
            {"hidden", OperationClass::View, Command::simple(Kind::ToggleHidden)},
            {"shortcuts", OperationClass::View, Command::simple(Kind::ShowShortcuts)},
            {"undo-trash", OperationClass::Effect, Command::simple(Kind::UndoTrash)},
            {"empty-trash", OperationClass::Effect, Command::simple(Kind::RequestEmptyTrash)},
        };
        if (name == "terminal") {
            if (inv.operation_class != OperationClass::Effect)
                return InvokeOutcome::fail("file command has an invalid operation kind");
            if (is_archive_location()) return InvokeOutcome::fail(i18n::tr("files-archive-read-only"));
            if (auto started = start_terminal(location_); !started)
                return InvokeOutcome::fail("could not open terminal: " + started.error());
            return InvokeOutcome::success();
        }
        for (const auto& row : table) {
            if (name != row.payload) continue;
            if (inv.operation_class != row.cls) return InvokeOutcome::fail("file command has an invalid operation kind");
            execute(row.command);
            redraw_ = true;
            return InvokeOutcome::success();
        }
        return InvokeOutcome::not_handled();
    }
    if (inv.action == "files.entry-command") return invoke_entry_command(inv, payload);
    // The operations below write into the current folder or rename an entry
    // of it, which inside an archive is refused as the commands are.
    const bool writes = inv.action == "files.paste" || inv.action == "files.new-folder" ||
                        inv.action == "files.new-from-template" || inv.action == "files.rename";
    if (writes && is_archive_location()) return InvokeOutcome::fail(i18n::tr("files-archive-read-only"));
    if (inv.action == "files.paste") {
        if (clipboard_.empty()) return InvokeOutcome::fail(fileops::kClipboardEmpty);
        auto report = clipboard_.paste_into(location_);
        refresh();
        if (!report) return InvokeOutcome::fail(fileops::kClipboardEmpty);
        set_status(report->status());
        auto result = report->action_result();
        return result ? InvokeOutcome::success() : InvokeOutcome::fail(result.error());
    }
    if (inv.action == "files.new-folder") {
        auto value = inv.text_args.find("value");
        const std::string name = value != inv.text_args.end() ? value->second : i18n::tr("files-new-folder-default-name");
        auto made = fileops::create_folder(location_, name);
        if (!made) return InvokeOutcome::fail(made.error());
        refresh();
        return InvokeOutcome::success();
    }
    if (inv.action == "files.new-from-template") {
        auto made = fileops::new_from_template_resource(inv.resource_id, location_);
        if (!made) return InvokeOutcome::fail(made.error());
        refresh();
        return InvokeOutcome::success();
    }
    if (inv.action == "files.rename") {
        const model::FileEntry* entry = entry_for_resource(inv.resource_id);
        if (!entry) return InvokeOutcome::fail("missing file resource");
        auto value = inv.text_args.find("value");
        if (value == inv.text_args.end()) return InvokeOutcome::fail("missing new file name");
        // The offered default is the shown name; for a name that is not UTF-8
        // it differs from the real one and must not rename the item to itself.
        if (fileops::trim_white_space(value->second) == entry->name && entry->name != fileops::file_name(entry->path))
            return InvokeOutcome::success();
        auto renamed = fileops::rename_entry(entry->path, value->second);
        if (!renamed) return InvokeOutcome::fail(renamed.error());
        refresh();
        set_status(i18n::tr("files-renamed"));
        return InvokeOutcome::success();
    }
    if (inv.action == "files.open") {
        if (!payload.is_string()) return InvokeOutcome::fail("file location is no longer available");
        const std::string path = payload.get<std::string>();
        // Items inside an archive exist only in its index: the listing tells
        // whether one is still there, and opening it follows the archive rules.
        if (auto archive = fileops::find_archive_location(path); archive && !archive->inner.empty()) {
            const bool listed = std::any_of(entries_.begin(), entries_.end(), [&](const auto& e) { return e.path == path; });
            if (!listed) return InvokeOutcome::fail("file location is no longer available");
            open_entry(path);
            redraw_ = true;
            return InvokeOutcome::success();
        }
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) return InvokeOutcome::fail("file location is no longer available");
        open_path(path);
        redraw_ = true;
        return InvokeOutcome::success();
    }
    return InvokeOutcome::not_handled();
}

InvokeOutcome FileExplorerWidget::start_resource_operation_with_document(const vesk_actions::Invocation& inv,
                                                                        const std::string& document) {
    (void)document;
    if (operation_running_) return InvokeOutcome::fail("another file operation is still running");
    if (inv.action == "files.remote-dav") {
        if (inv.operation_class != OperationClass::Effect)
            return InvokeOutcome::fail("remote file operations must be effect actions");
        // No remote accounts are reachable from this build.
        return InvokeOutcome::not_handled();
    }
    // Everything else runs to its end at once; nothing in this build hands
    // work to a background area, so nothing is left running.
    return invoke_resource_operation_v2(inv);
}

}  // namespace file_explorer::files_app
