// Moving dropped items into a folder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace file_explorer::fileops {

struct MoveSummary {
    std::size_t moved = 0;
    std::size_t failed = 0;
    std::string destination_label;  // the folder's name, or its whole path

    // "files-moved-with-failures" when some failed, else "files-nothing-to-move"
    // when nothing moved, else "files-moved-to-folder".
    std::string status() const;
};

// Moves each item into `destination` in order, skipping those that already
// live directly in it, that are the destination, or that contain it (by path
// components); skipped items count neither as moved nor as failed. The
// caller reloads the shown folder when anything moved.
MoveSummary move_items_into(const std::vector<std::string>& items, const std::string& destination);

}  // namespace file_explorer::fileops
