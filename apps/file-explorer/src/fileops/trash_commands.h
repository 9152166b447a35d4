// The Trash commands as the executor runs them: Move to Trash with its
// one-step undo, Restore, Permanently delete and Empty Trash. Each gives the
// status message to show and whether the shown folder must be loaded again;
// the caller owns the undo record and passes it in.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace file_explorer::fileops {

// The Trash-files paths the last Move to Trash added.
struct TrashUndoRecord {
    std::vector<std::string> paths;

    bool operator==(const TrashUndoRecord&) const = default;
};

struct TrashCommandResult {
    std::string status;
    bool reload = false;

    bool operator==(const TrashCommandResult&) const = default;
};

// The record a Move to Trash of `trashed` items leaves: the paths in `after`
// and not in `before` (both sorted, as snapshots are), only when both snapshots exist and exactly `trashed`
// paths are new. Items that went to another mount's can, or anything else
// that changed the Trash meanwhile, leave no record.
std::optional<TrashUndoRecord> undo_record_from(const std::optional<std::vector<std::string>>& before,
                                                const std::optional<std::vector<std::string>>& after,
                                                std::size_t trashed);

// Whether `location` is the Trash files folder, where Delete asks to
// delete permanently instead of trashing.
bool is_trash_files_folder(const std::string& location);

// `move-to-trash` outside the Trash; none without a selection. On failure
// the record stays as it was.
std::optional<TrashCommandResult> trash_selection(const std::vector<std::string>& selected,
                                                  std::optional<TrashUndoRecord>& undo);

// `undo-trash`. Restores nothing unless every recorded path is still in the
// Trash and matches exactly one item; a failed restore keeps the record so
// it may be tried again.
TrashCommandResult undo_move_to_trash(std::optional<TrashUndoRecord>& undo);

// `restore` of selected Trash entries; clears the record, and gives none
// without a selection.
std::optional<TrashCommandResult> restore_selection(const std::vector<std::string>& selected,
                                                    std::optional<TrashUndoRecord>& undo);

// `delete-permanently` after its confirmation.
TrashCommandResult delete_permanently(const std::vector<std::string>& paths, std::optional<TrashUndoRecord>& undo);

// `empty-trash` after its confirmation: purges every item of every can.
TrashCommandResult confirm_empty_trash(std::optional<TrashUndoRecord>& undo);

}  // namespace file_explorer::fileops
