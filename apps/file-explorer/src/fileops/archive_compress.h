// Packing selected items into a new ZIP file.
//
// The ZIP is written under "<target>.part" (the target's extension replaced
// by "zip.part"), flushed to disk and only then renamed to the target without
// replacing anything; on every failure the part file is deleted, so a reader
// never sees a half-written ZIP and a failed attempt leaves nothing behind.
#pragma once

#include <expected>
#include <string>
#include <vector>

namespace file_explorer::fileops {

// `current` / "<base>.zip", or "<base> 2.zip", "<base> 3.zip", ... when taken.
// The base is the single item's name without its last extension, or
// "Archive" for several items or a name that is not UTF-8.
std::string zip_target_path(const std::string& current, const std::vector<std::string>& items);

// The target with its extension replaced by "zip.part".
std::string zip_part_path(const std::string& target);

// Writes `items` (in order, each under its own name at the top level, folders
// with their contents; links inside folders, devices and FIFOs left out) to a
// new ZIP at `target`. Entries are deflated at the default level and carry
// 1980-01-01 00:00:00, fixed permissions and UTF-8 names; nothing of the
// items' own times or permissions is stored.
std::expected<void, std::string> create_zip(const std::vector<std::string>& items, const std::string& target);

}  // namespace file_explorer::fileops
