// Reading the members of a browsed archive folder.
#pragma once

#include <cstdint>
#include <expected>
#include <string>
#include <vector>

namespace file_explorer::fileops {

// One member of an archive.
struct ArchiveEntry {
    std::string path;        // relative to the archive root, components joined by "/"
    std::uint64_t size = 0;  // declared (uncompressed) size; 0 for folders
    bool is_dir = false;
    bool operator==(const ArchiveEntry&) const = default;
};

// Every member of the archive in archive order, links left out, under the
// archive limits and path rules; any reader or rule error fails the whole
// index.
std::expected<std::vector<ArchiveEntry>, std::string> read_archive_index(const std::string& archive);

// The children of the folder `inner` ("" for the root) of the archive at
// `archive`, each with its path from the archive root, or an error text. A
// name that is a member's first component below `inner` becomes a folder when
// any member lies deeper under it or is a folder of that name; otherwise it is
// a file with the member's declared size.
std::expected<std::vector<ArchiveEntry>, std::string> list_archive_folder(const std::string& archive,
                                                                          const std::string& inner);

}  // namespace file_explorer::fileops
