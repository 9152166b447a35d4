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

// The children of the folder `inner` ("" for the root) of the archive at
// `archive`, each with its path from the archive root, or an error text.
std::expected<std::vector<ArchiveEntry>, std::string> list_archive_folder(const std::string& archive,
                                                                          const std::string& inner);

}  // namespace file_explorer::fileops
