// Collision-free names: the numbered variants of a name and the first one
// that is free in a folder. Nothing here writes to the file system.
#pragma once

#include <expected>
#include <string>
#include <string_view>

namespace file_explorer::fileops {

// Numbers 1 (the name itself) up to this one are tried; never more.
inline constexpr int kLastNameNumber = 9999;

// A name split at its last "." unless that dot starts the name:
// "report.txt" -> report + txt, "archive.tar.gz" -> archive.tar + gz,
// "notes." -> notes + "" (an empty extension), ".profile" and "README" have
// no extension and are their own stem.
struct NameParts {
    std::string full;
    std::string stem;
    std::string extension;
    bool has_extension = false;
};

NameParts name_parts(std::string_view name);

// n = 1 gives the full name; n >= 2 gives "stem n" followed by "." and the
// extension when there is one: "report 2.txt", ".profile 2", "notes 4.".
std::string numbered_name(const NameParts& parts, int n);

// True when no directory entry of that name exists (a dangling symbolic link
// occupies its name), false when one does; a failed test other than "does
// not exist" gives "files-destination-inspect-failed".
std::expected<bool, std::string> inspect_destination(const std::string& path);

// The folder joined with the first free numbered name of `name`, or the
// message of a failed inspection, or "files-destination-names-exhausted".
std::expected<std::string, std::string> choose_free_path(const std::string& folder, std::string_view name);

// The message for a folder whose numbers 1 to 9999 of `name` are all taken.
std::string names_exhausted_message(std::string_view name, std::string_view folder);

}  // namespace file_explorer::fileops
