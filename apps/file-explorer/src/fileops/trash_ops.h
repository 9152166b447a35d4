// The Trash as the rest of the program sees it: the home trash's "files"
// folder is the place the user browses, and its entries are named by their
// paths there. Failures are the facility's description of what went wrong.
#pragma once

#include <cstddef>
#include <expected>
#include <optional>
#include <string>
#include <vector>

#include "fileops/trash.h"

namespace file_explorer::fileops {

// "<XDG data home>/Trash/files"; none without a data folder.
std::optional<std::string> trash_files_folder();

// Creates the Trash files folder with any missing parents (0777 less umask)
// when the Trash place is opened; failures are ignored by design.
void ensure_trash_files_folder();

// The paths of the entries now in the Trash files folder, sorted; empty
// when the folder does not exist yet, none when it cannot be listed.
std::optional<std::vector<std::string>> trash_snapshot();

std::expected<void, std::string> move_to_trash(const std::vector<std::string>& paths);

// The listed items whose place in "files" is one of `paths`, in listing
// order. A name is only matched within the can whose "files" folder holds
// the path, so an item of the same name in another can is never picked.
std::expected<std::vector<TrashItem>, std::string> find_trash_items(const std::vector<std::string>& paths);

// Restore or purge exactly the items `find_trash_items` matches; the result
// is their number.
std::expected<std::size_t, std::string> restore_trash_entries(const std::vector<std::string>& paths);
std::expected<std::size_t, std::string> purge_trash_entries(const std::vector<std::string>& paths);

// Purges every item of every can; the result is their number.
std::expected<std::size_t, std::string> empty_trash();

}  // namespace file_explorer::fileops
