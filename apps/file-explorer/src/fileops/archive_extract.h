// Extracting an archive into a new folder, all or nothing.
//
// Members are written into a private temporary folder beside the destination
// ("." + name + ".extracting-" + pid + "-" + counter) which is renamed to the
// destination only when every member was written completely; on any failure
// it is removed with everything in it. Links are never created or followed,
// devices and FIFOs are never created, and no permissions, owners or times are
// taken from the archive.
#pragma once

#include <cstdint>
#include <expected>
#include <string>

namespace file_explorer::fileops {

// The folder to extract `archive` into: its folder (or `current` when it has
// none) joined with its file name without trailing ".gz", then ".tar", then
// ".zip" (each removed case-sensitively while it remains); "Archive" for a
// name that is not UTF-8. A taken name is followed by "name 2", "name 3", ...
std::string extraction_destination(const std::string& archive, const std::string& current);

// Extracts every member of `archive` into the new folder `destination` and
// gives the number of files written.
std::expected<std::uint64_t, std::string> extract_archive(const std::string& archive, const std::string& destination);

}  // namespace file_explorer::fileops
