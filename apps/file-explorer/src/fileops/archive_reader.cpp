#include "fileops/archive_reader.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fileops/archive_locale.h"
#include "fileops/paths.h"

namespace file_explorer::fileops {
namespace {

// Read size for the archive file; large enough that a gzip stream is fed in
// few calls, small enough that members are not read far ahead of their use.
constexpr std::size_t kReadBlock = 64 * 1024;

bool equals_ascii_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool has_gzip_magic(int fd) {
    unsigned char magic[2] = {0, 0};
    return pread(fd, magic, sizeof magic, 0) == 2 && magic[0] == 0x1f && magic[1] == 0x8b;
}

void enable_format(struct archive* handle, ArchiveFormat format) {
    switch (format) {
    case ArchiveFormat::zip:
        // Reads from the central directory, so the listed sizes and names
        // are the ones ZIP readers agree on.
        archive_read_support_format_zip_seekable(handle);
        break;
    case ArchiveFormat::tar_gz:
        archive_read_support_filter_gzip(handle);
        archive_read_support_format_tar(handle);
        break;
    case ArchiveFormat::tar:
        archive_read_support_format_tar(handle);
        break;
    }
}

bool is_skipped_link(struct archive_entry* entry, ArchiveFormat format) {
    if (archive_entry_filetype(entry) == AE_IFLNK) return true;
    return format != ArchiveFormat::zip && archive_entry_hardlink(entry) != nullptr;
}

MemberKind member_kind(struct archive_entry* entry, std::string_view name, ArchiveFormat format) {
    if (format == ArchiveFormat::zip) return !name.empty() && name.back() == '/' ? MemberKind::folder : MemberKind::file;
    switch (archive_entry_filetype(entry)) {
    case AE_IFDIR:
        return MemberKind::folder;
    case AE_IFREG:
        return MemberKind::file;
    default:
        return MemberKind::other;
    }
}

}  // namespace

ArchiveFormat archive_format(std::string_view path) {
    std::string_view name = file_name(path);
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return ArchiveFormat::tar;
    std::string_view extension = name.substr(dot + 1);
    if (equals_ascii_nocase(extension, "zip")) return ArchiveFormat::zip;
    if (equals_ascii_nocase(extension, "gz") || equals_ascii_nocase(extension, "tgz")) return ArchiveFormat::tar_gz;
    return ArchiveFormat::tar;
}

std::expected<void, std::string> ArchiveBudget::admit(std::uint64_t declared_size) {
    if (entries_ >= ArchiveLimits::max_entries) return std::unexpected(std::string("archive has too many entries"));
    std::uint64_t total = 0;
    if (__builtin_add_overflow(total_size_, declared_size, &total))
        return std::unexpected(std::string("archive size overflow"));
    if (total > ArchiveLimits::max_total_size)
        return std::unexpected(std::string("archive expands beyond the safety limit"));
    ++entries_;
    total_size_ = total;
    return {};
}

std::expected<std::string, std::string> sanitize_entry_path(std::string_view name) {
    if (!name.empty() && name.front() == '/') return std::unexpected(std::string("archive entry escapes its destination"));
    std::string out;
    out.reserve(name.size());
    std::size_t pos = 0;
    while (pos <= name.size()) {
        std::size_t end = name.find('/', pos);
        if (end == std::string_view::npos) end = name.size();
        std::string_view part = name.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") return std::unexpected(std::string("archive entry escapes its destination"));
        if (!out.empty()) out.push_back('/');
        out.append(part);
    }
    if (out.empty()) return std::unexpected(std::string("empty archive entry"));
    return out;
}

std::expected<ArchiveReader, std::string> ArchiveReader::open(const std::string& path) {
    Utf8NameScope names;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::unexpected(std::string(std::strerror(errno)));
    ArchiveFormat format = archive_format(path);
    if (format == ArchiveFormat::tar_gz && !has_gzip_magic(fd)) {
        ::close(fd);
        return std::unexpected(std::string("invalid gzip header"));
    }
    struct archive* handle = archive_read_new();
    if (handle == nullptr) {
        ::close(fd);
        return std::unexpected(std::string(std::strerror(ENOMEM)));
    }
    ArchiveReader reader(handle, fd, format);
    enable_format(handle, format);
    if (archive_read_open_fd(handle, fd, kReadBlock) != ARCHIVE_OK) return std::unexpected(reader.error_text());
    return reader;
}

ArchiveReader::ArchiveReader(ArchiveReader&& other) noexcept
    : handle_(other.handle_), fd_(other.fd_), format_(other.format_), budget_(other.budget_) {
    other.handle_ = nullptr;
    other.fd_ = -1;
}

ArchiveReader::~ArchiveReader() {
    if (handle_ != nullptr) archive_read_free(handle_);
    if (fd_ >= 0) ::close(fd_);
}

std::string ArchiveReader::error_text() const {
    // Some of libarchive's texts end in a line break; a status line must not.
    std::string_view text = archive_error_string(handle_) != nullptr ? archive_error_string(handle_) : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
    if (!text.empty()) return std::string(text);
    int err = archive_errno(handle_);
    return err != 0 ? std::strerror(err) : "unreadable archive";
}

std::expected<std::optional<ArchiveMember>, std::string> ArchiveReader::next() {
    Utf8NameScope names;
    for (;;) {
        struct archive_entry* entry = nullptr;
        int status = archive_read_next_header(handle_, &entry);
        if (status == ARCHIVE_EOF) return std::nullopt;
        if (status < ARCHIVE_WARN) return std::unexpected(error_text());
        const char* raw_name = archive_entry_pathname(entry);
        // A warning with a name is a charset note; without one the member
        // cannot be placed.
        if (raw_name == nullptr && status == ARCHIVE_WARN) return std::unexpected(error_text());
        std::string_view name = raw_name != nullptr ? raw_name : "";

        if (is_skipped_link(entry, format_)) continue;
        std::uint64_t size = archive_entry_size_is_set(entry) ? static_cast<std::uint64_t>(archive_entry_size(entry)) : 0;
        if (auto admitted = budget_.admit(size); !admitted) return std::unexpected(admitted.error());
        auto path = sanitize_entry_path(name);
        if (!path) return std::unexpected(path.error());
        return ArchiveMember{std::move(*path), size, member_kind(entry, name, format_)};
    }
}

std::expected<MemberBlock, std::string> ArchiveReader::read_block() {
    Utf8NameScope names;
    const void* data = nullptr;
    std::size_t size = 0;
    la_int64_t offset = 0;
    int status = archive_read_data_block(handle_, &data, &size, &offset);
    std::uint64_t at = offset > 0 ? static_cast<std::uint64_t>(offset) : 0;
    if (status == ARCHIVE_EOF) return MemberBlock{nullptr, 0, at, true};
    // Warnings here are damaged contents (a CRC mismatch), not notes.
    if (status != ARCHIVE_OK) return std::unexpected(error_text());
    return MemberBlock{data, size, at, false};
}

}  // namespace file_explorer::fileops
