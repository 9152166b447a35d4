// Removing an item of the engine's own making, or a quarantined source.
#pragma once

#include <expected>
#include <string>

namespace file_explorer::fileops {

// Removes the item at `path` without following symbolic links: a folder with
// everything in it, anything else by unlinking. A missing entry counts as
// success. A folder of the tree that refuses the removal of its entries
// because it is read-only is made writable for its owner first. A failure
// gives the system's description of the error; what was removed until then
// stays removed.
std::expected<void, std::string> remove_path(const std::string& path);

}  // namespace file_explorer::fileops
