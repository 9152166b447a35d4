// Paths that lead into ZIP and TAR archives, which are browsed like folders.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace file_explorer::fileops {

// Whether the path's file name is an archive name: extension "zip", "tar" or
// "tgz", or "gz" after a "tar" extension ("photos.tar.gz"), ASCII case ignored.
bool is_archive_name(std::string_view path);

struct ArchiveLocation {
    std::string archive;  // path of the archive file
    std::string inner;    // path inside the archive, "" for its root
    bool operator==(const ArchiveLocation&) const = default;
};

// The nearest of the path and its ancestors that is an existing regular file
// (links followed) with an archive name, with the rest of the path inside it;
// none when no ancestor qualifies.
std::optional<ArchiveLocation> find_archive_location(std::string_view path);

}  // namespace file_explorer::fileops
