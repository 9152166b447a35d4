// The freedesktop.org Trash: moving items into trash cans, listing them,
// restoring them without ever replacing anything, and purging them.
//
// Trash cans: the home trash "$XDG_DATA_HOME/Trash" for items on the same
// mount as the data folder; on every other mount "$top/.Trash/$uid" when
// "$top/.Trash" is a real folder with the sticky bit, else "$top/.Trash-$uid"
// (created 0700). A can holds "files/N" and its record "info/N.trashinfo";
// the record is created exclusively before the item moves, so an item never
// sits in "files" without one. Folders also get a line in the can's
// "directorysizes" cache.
//
// Paths are raw bytes; names need not be UTF-8.
#pragma once

#include <sys/types.h>

#include <expected>
#include <optional>
#include <string>
#include <vector>

namespace file_explorer::fileops {

enum class TrashOperation { move, list, restore, purge };

// A failed Trash operation; `describe` gives the text shown to the user.
struct TrashError {
    TrashOperation operation = TrashOperation::move;
    std::string details;

    std::string describe() const;
    bool operator==(const TrashError&) const = default;
};

// The details of a restore whose item is no longer in "files".
inline constexpr const char* trash_data_missing = "trash item referenced by .trashinfo is missing from trash/files";

struct TrashItem {
    std::string can;         // the trash can folder
    std::string top;         // the mount's top folder for a per-mount can; empty for the home trash
    std::string name;        // the item's name inside "files"
    std::string info_path;   // <can>/info/<name>.trashinfo
    std::string files_path;  // <can>/files/<name>
    // Where the item came from, absolute; none when the record is unusable
    // (such items can be purged but not restored).
    std::optional<std::string> original_path;
    std::string deletion_date;  // "YYYY-MM-DDThh:mm:ss" local time, or empty
    // The record as listed. Restore and purge act on an item only while its
    // record is still exactly this, so a stale listing never touches an item
    // trashed later under the same name.
    std::string info_text;

    bool operator==(const TrashItem&) const = default;
};

class Trash {
public:
    // `data_home` is the XDG data folder (the home trash is its "Trash").
    Trash(std::string data_home, uid_t uid);

    // The current user's Trash from XDG_DATA_HOME (else HOME/.local/share);
    // none without either.
    static std::optional<Trash> for_current_user();

    const std::string& home_can() const { return home_can_; }
    std::string home_files_folder() const;

    // Moves every path into the trash can of its mount, in order, and gives
    // where each landed inside "files". Every path is checked to exist before
    // the first moves; the first failure stops, leaving earlier items
    // trashed and the failing one where it was, without a record.
    std::expected<std::vector<std::string>, TrashError> move_to_trash(const std::vector<std::string>& paths) const;

    // Every item of every trash can of this user: the home trash first, then
    // the mounts in mount-table order; within a can ordered by name.
    std::expected<std::vector<TrashItem>, TrashError> list() const;

    // Moves the listed items back, creating missing parent folders. An
    // occupied original path stops with an error and leaves that item and
    // the following ones in the Trash.
    std::expected<void, TrashError> restore(const std::vector<TrashItem>& items) const;

    // Deletes the listed items' data and records.
    std::expected<void, TrashError> purge(const std::vector<TrashItem>& items) const;

private:
    std::string data_home_;
    std::string home_can_;
    uid_t uid_;
};

}  // namespace file_explorer::fileops
