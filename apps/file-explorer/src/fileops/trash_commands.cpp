#include "fileops/trash_commands.h"

#include <algorithm>

#include "fileops/paths.h"
#include "fileops/trash_ops.h"
#include "i18n/i18n.h"

namespace file_explorer::fileops {
namespace {

std::string counted(std::string_view id, std::size_t count) {
    return i18n::tr_args(id, i18n::Args().number("count", static_cast<double>(count)));
}

std::string with_error(std::string_view id, const std::string& error) {
    return i18n::tr_args(id, i18n::Args().text("error", error));
}

TrashCommandResult undo_unavailable(std::optional<TrashUndoRecord>& undo) {
    undo.reset();
    return {i18n::tr("files-undo-trash-unavailable"), false};
}

}  // namespace

std::optional<TrashUndoRecord> undo_record_from(const std::optional<std::vector<std::string>>& before,
                                                const std::optional<std::vector<std::string>>& after,
                                                std::size_t trashed) {
    if (!before || !after) return std::nullopt;
    TrashUndoRecord record;
    for (const std::string& path : *after)
        if (!std::binary_search(before->begin(), before->end(), path)) record.paths.push_back(path);
    if (record.paths.size() != trashed) return std::nullopt;
    return record;
}

bool is_trash_files_folder(const std::string& location) {
    auto folder = trash_files_folder();
    return folder && same_path(*folder, location);
}

std::optional<TrashCommandResult> trash_selection(const std::vector<std::string>& selected,
                                                  std::optional<TrashUndoRecord>& undo) {
    if (selected.empty()) return std::nullopt;
    auto before = trash_snapshot();
    auto moved = move_to_trash(selected);
    // Items before a failing one may already be in the Trash, so the folder
    // is loaded again either way.
    if (!moved) return TrashCommandResult{with_error("files-delete-failed", moved.error()), true};
    undo = undo_record_from(before, trash_snapshot(), selected.size());
    return TrashCommandResult{counted("files-moved-to-trash", selected.size()), true};
}

TrashCommandResult undo_move_to_trash(std::optional<TrashUndoRecord>& undo) {
    if (!undo) return {i18n::tr("files-undo-trash-unavailable"), false};
    auto snapshot = trash_snapshot();
    if (!snapshot) return undo_unavailable(undo);
    for (const std::string& path : undo->paths)
        if (!std::binary_search(snapshot->begin(), snapshot->end(), path)) return undo_unavailable(undo);

    auto trash = Trash::for_current_user();
    if (!trash) return undo_unavailable(undo);
    auto items = find_trash_items(undo->paths);
    if (!items) return {with_error("files-undo-trash-failed", items.error()), false};
    // An entry whose record is gone cannot be told apart from anything else:
    // refuse before restoring any of them.
    if (items->size() != undo->paths.size()) return undo_unavailable(undo);
    auto restored = trash->restore(*items);
    if (!restored) return {with_error("files-undo-trash-failed", restored.error().describe()), true};
    std::size_t count = undo->paths.size();
    undo.reset();
    return {counted("files-undo-trash-restored", count), true};
}

std::optional<TrashCommandResult> restore_selection(const std::vector<std::string>& selected,
                                                    std::optional<TrashUndoRecord>& undo) {
    undo.reset();
    if (selected.empty()) return std::nullopt;
    auto restored = restore_trash_entries(selected);
    // A restore stopped by a collision has still put back the items before
    // it, which the reloaded view shows.
    if (!restored) return TrashCommandResult{with_error("files-restore-failed", restored.error()), true};
    return TrashCommandResult{counted("files-restored", *restored), true};
}

TrashCommandResult delete_permanently(const std::vector<std::string>& paths, std::optional<TrashUndoRecord>& undo) {
    undo.reset();
    auto purged = purge_trash_entries(paths);
    if (!purged) return {with_error("files-delete-failed", purged.error()), true};
    return {counted("files-permanently-deleted", *purged), true};
}

TrashCommandResult confirm_empty_trash(std::optional<TrashUndoRecord>& undo) {
    undo.reset();
    auto purged = empty_trash();
    if (!purged) return {with_error("files-empty-trash-failed", purged.error()), true};
    if (*purged == 0) return {i18n::tr("files-trash-already-empty"), true};
    return {counted("files-emptied-trash", *purged), true};
}

}  // namespace file_explorer::fileops
