// The identity of one thumbnail: either the content hash of a collaborative
// file or a local file's path with its modification time and byte size,
// always together with the thumbnail size. A changed file gets a new key, so
// cached pictures of its old content are never shown.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace thumbnail {

struct ThumbKey {
    enum class Kind : std::uint8_t { Content, File };

    Kind kind = Kind::File;
    std::array<std::uint8_t, 32> content_hash{};  // Content keys only
    std::string path;                             // File keys only (raw bytes)
    std::int64_t mtime_ms = 0;                    // File keys only
    std::uint64_t byte_size = 0;                  // File keys only
    int size = 0;                                 // thumbnail size in pixels

    static ThumbKey from_content(const std::array<std::uint8_t, 32>& hash, int size);
    // A negative modification time (before 1970 or unknown) counts as 0.
    static ThumbKey from_file(std::string path, std::int64_t mtime_ms, std::uint64_t byte_size,
                              int size);

    bool operator==(const ThumbKey&) const = default;

    // Unambiguous byte encoding of the fields: the disk cache names files by
    // its SHA-256.
    std::string canonical_bytes() const;
    // 64 lower-case hex digits plus ".png".
    std::string cache_file_name() const;
    std::size_t hash() const;
};

}  // namespace thumbnail

template <>
struct std::hash<thumbnail::ThumbKey> {
    std::size_t operator()(const thumbnail::ThumbKey& key) const { return key.hash(); }
};
