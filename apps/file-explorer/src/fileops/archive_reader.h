// Reading ZIP, TAR and gzip-compressed TAR archives member by member, with
// the safety rules every reader of untrusted archives applies: links are
// skipped, the number of members and their total declared size are bounded,
// and every member path is confined below the archive root.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <string_view>

struct archive;  // libarchive's reader handle

namespace file_explorer::fileops {

// Decided by the extension alone, ASCII case ignored: "zip" is ZIP, "gz" and
// "tgz" a gzip stream holding a TAR, anything else a plain TAR.
enum class ArchiveFormat { zip, tar, tar_gz };
ArchiveFormat archive_format(std::string_view path);

struct ArchiveLimits {
    static constexpr std::uint64_t max_entries = 100'000;
    static constexpr std::uint64_t max_total_size = 17'179'869'184;  // 16 GiB, inclusive
};

// Running totals of the members accepted so far.
class ArchiveBudget {
public:
    // Admits one more member of `declared_size` bytes, or gives the limit it
    // breaks: the count first, then overflow of the total, then the total.
    std::expected<void, std::string> admit(std::uint64_t declared_size);

private:
    std::uint64_t entries_ = 0;
    std::uint64_t total_size_ = 0;
};

// The member name as a relative path of ordinary components joined by "/":
// "." and empty components are dropped; a leading "/" or a ".." anywhere
// fails with "archive entry escapes its destination"; nothing left fails with
// "empty archive entry".
std::expected<std::string, std::string> sanitize_entry_path(std::string_view name);

enum class MemberKind {
    folder,
    file,
    other,  // TAR devices, FIFOs and sockets: listed as files, never created
};

struct ArchiveMember {
    std::string path;           // sanitized
    std::uint64_t size = 0;     // declared (uncompressed) size
    MemberKind kind = MemberKind::file;
};

// One slice of the current member's contents at `offset`; `last` marks the
// end of the member (its offset is then the member's full length, which lets
// sparse TAR members end in a hole).
struct MemberBlock {
    const void* data = nullptr;
    std::size_t size = 0;
    std::uint64_t offset = 0;
    bool last = false;
};

class ArchiveReader {
public:
    static std::expected<ArchiveReader, std::string> open(const std::string& path);
    ArchiveReader(ArchiveReader&& other) noexcept;
    ArchiveReader& operator=(ArchiveReader&&) = delete;
    ArchiveReader(const ArchiveReader&) = delete;
    ~ArchiveReader();

    ArchiveFormat format() const { return format_; }

    // The next member that is not a link, after the limits and the path rules;
    // none after the last one.
    std::expected<std::optional<ArchiveMember>, std::string> next();

    // The next block of the member that next() gave last.
    std::expected<MemberBlock, std::string> read_block();

private:
    ArchiveReader(struct archive* handle, int fd, ArchiveFormat format) : handle_(handle), fd_(fd), format_(format) {}
    std::string error_text() const;

    struct archive* handle_ = nullptr;
    int fd_ = -1;
    ArchiveFormat format_;
    ArchiveBudget budget_;
};

}  // namespace file_explorer::fileops
