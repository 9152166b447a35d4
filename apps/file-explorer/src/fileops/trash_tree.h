// Whole-tree work inside a trash can: deleting an item for good, measuring a
// folder for the "directorysizes" cache, and keeping that cache current.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace file_explorer::fileops {

// Deletes `name` inside the folder `folder` with everything below it. Never
// follows a symbolic link and never descends into another mounted file
// system; read-only folders inside are opened up first. A missing item is
// fine. Gives 0 or the errno of the first failure.
int remove_tree(const std::string& folder, const std::string& name);

// The disk usage of a folder tree in bytes (allocated blocks, hard links
// counted once, as `du -B1`); none when part of it cannot be read.
std::optional<std::uint64_t> disk_usage(const std::string& path);

// Rewrites the can's "directorysizes": drops the lines of names that are no
// longer in "files" and of `remove`, and adds one for the folder `add` (its
// size and its record's modification time). The cache only helps other
// programs size the Trash, so failures are logged, never fatal.
void update_directory_sizes(const std::string& can, std::optional<std::string> add, std::string_view remove = {});

}  // namespace file_explorer::fileops
