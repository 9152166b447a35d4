// The on-disk records of a freedesktop.org trash can: ".trashinfo" files and
// the "directorysizes" cache. Pure text functions, no file access.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace file_explorer::fileops {

// Percent-encodes raw path bytes as in a URL path: letters, digits, "-._~"
// and "/" stay, every other byte becomes "%XX" (upper-case hex). Spaces,
// "%", newlines and bytes that are not UTF-8 all survive the round trip.
std::string percent_encode_path(std::string_view bytes);

// The raw bytes of an encoded value; none for a broken escape or a NUL byte.
std::optional<std::string> percent_decode(std::string_view text);

// "YYYY-MM-DDThh:mm:ss" of a broken-down local time.
std::string format_deletion_date(const std::tm& local);
bool is_deletion_date(std::string_view text);

struct TrashInfo {
    std::string path;           // decoded bytes, as stored (absolute or relative)
    std::string deletion_date;  // empty when missing or not in the expected form
};

// The full ".trashinfo" text for an already decoded path.
std::string format_trash_info(std::string_view path, std::string_view deletion_date);

// Reads the "[Trash Info]" group; none without a usable Path key.
std::optional<TrashInfo> parse_trash_info(std::string_view text);

// One line of "directorysizes": the disk usage of a trashed folder in bytes,
// the modification time of its ".trashinfo" in seconds since the epoch, and
// its name inside "files".
struct DirectorySize {
    std::uint64_t size = 0;
    std::int64_t mtime = 0;
    std::string name;  // raw bytes

    bool operator==(const DirectorySize&) const = default;
};

// Malformed lines are dropped.
std::vector<DirectorySize> parse_directory_sizes(std::string_view text);
std::string format_directory_sizes(const std::vector<DirectorySize>& lines);

}  // namespace file_explorer::fileops
