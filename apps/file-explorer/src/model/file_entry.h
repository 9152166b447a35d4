// One listed item of a folder or an archive folder.
//
// Paths are std::string byte strings (see fileops/paths.h): the raw bytes of
// the file system, whatever their encoding. Names are UTF-8 for display.
// Entries are plain values: copies are independent and deep.
#pragma once

#include <compare>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "model/collab_fields.h"
#include "model/mime.h"

namespace file_explorer::model {

// An instant, as the file system stores modification times.
struct ModifiedTime {
    std::int64_t seconds = 0;  // since 1970-01-01 00:00 UTC
    std::uint32_t nanoseconds = 0;
    auto operator<=>(const ModifiedTime&) const = default;
};

// The instant in the local time zone; none when it cannot be represented.
std::optional<std::tm> to_local_time(ModifiedTime time);

// Holds an entry's collaborative fields out of line, since most entries have
// none: an empty box costs one pointer. Copies copy the fields.
class CollabBox {
public:
    CollabBox() = default;
    CollabBox(const CollabBox& other);
    CollabBox& operator=(const CollabBox& other);
    CollabBox(CollabBox&&) noexcept = default;
    CollabBox& operator=(CollabBox&&) noexcept = default;
    ~CollabBox() = default;

    // The fields; all absent when none were ever set.
    const CollabFields& operator*() const;
    const CollabFields* operator->() const { return &**this; }
    // The fields for writing, created on first use.
    CollabFields& edit();
    bool has_value() const { return fields_ != nullptr; }

    bool operator==(const CollabBox& other) const { return **this == *other; }

private:
    std::unique_ptr<CollabFields> fields_;
};

struct FileEntry {
    std::string name;  // file name as UTF-8, invalid sequences shown as U+FFFD
    std::string path;  // folder joined with the raw file name
    std::uint64_t size = 0;
    std::optional<ModifiedTime> modified;
    MimeType mime;
    CollabBox collab;  // content hash, record id and projections
    bool is_dir = false;  // from the item's own status: a link to a folder is no folder
    SyncState sync_state = SyncState::Unknown;

    bool operator==(const FileEntry&) const = default;
};

}  // namespace file_explorer::model
