// Names the user types for items, and renaming an item in its folder.
//
// Failures are finished, localized message texts ready for the status line.
#pragma once

#include <expected>
#include <string>
#include <string_view>

namespace file_explorer::fileops {

// The typed text trimmed of white space at both ends, when it is one ordinary
// path component: not empty ("files-name-empty"), no "/" and neither "." nor
// ".." ("files-name-slash").
std::expected<std::string, std::string> validate_entry_name(std::string_view text);

// Renames the item at `path` to the validated `text` within its folder and
// gives the new path. Never replaces another item: a taken name fails with
// "files-name-exists"; only a case-only change of the same item on a file
// system that ignores case goes through. System failures give the system's
// description of the error.
std::expected<std::string, std::string> rename_entry(const std::string& path, std::string_view text);

}  // namespace file_explorer::fileops
