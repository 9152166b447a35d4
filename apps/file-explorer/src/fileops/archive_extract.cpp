#include "fileops/archive_extract.h"
#include "fileops/owned_fd.h"

#include <fcntl.h>
#include <spdlog/spdlog.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <unordered_set>

#include "fileops/archive_reader.h"
#include "fileops/paths.h"
#include "fileops/text.h"

namespace file_explorer::fileops {
namespace {

constexpr int kTemporaryNameAttempts = 1000;

std::unexpected<std::string> system_error(int err) { return std::unexpected(std::string(std::strerror(err))); }

bool exists_following_links(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0;
}

void strip_suffixes(std::string& name, std::string_view suffix) {
    while (name.ends_with(suffix)) name.resize(name.size() - suffix.size());
}

// mkdir -p: every missing folder of `path`, mode 0777 before the umask.
std::expected<void, std::string> create_folders(const std::string& path) {
    PathComponents c = path_components(path);
    std::string prefix = c.absolute ? "/" : "";
    for (std::string_view part : c.parts) {
        if (!prefix.empty() && prefix.back() != '/') prefix.push_back('/');
        prefix.append(part);
        if (mkdir(prefix.c_str(), 0777) == 0) continue;
        int err = errno;
        struct stat status {};
        if (err == EEXIST && stat(prefix.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) continue;
        return system_error(err);
    }
    return {};
}

std::optional<std::string> reserve_temporary_folder(const std::string& parent, std::string_view name) {
    std::string prefix = "." + std::string(name) + ".extracting-" + std::to_string(getpid()) + "-";
    for (int i = 0; i < kTemporaryNameAttempts; ++i) {
        std::string candidate = join_path(parent, prefix + std::to_string(i));
        struct stat status {};
        if (lstat(candidate.c_str(), &status) != 0 && errno == ENOENT) return candidate;
    }
    return std::nullopt;
}

void remove_tree(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(path, error);
    if (error) spdlog::warn("file_explorer::fileops: could not remove {}: {}", lossy_utf8(path), error.message());
}

std::expected<void, std::string> rename_no_replace(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
    int err = errno;
    if (err == EEXIST) return std::unexpected(std::string("the destination already exists"));
    if (err != EINVAL) return system_error(err);
    // No support for the flag on this file system: check, then rename.
    struct stat status {};
    if (lstat(to.c_str(), &status) == 0) return std::unexpected(std::string("the destination already exists"));
    if (std::rename(from.c_str(), to.c_str()) != 0) return system_error(errno);
    return {};
}

// Writes the members of one archive below an open, freshly created folder.
class Extraction {
public:
    Extraction(ArchiveReader& reader, int root) : reader_(reader), root_(root) {}

    std::expected<std::uint64_t, std::string> run() {
        for (;;) {
            auto member = reader_.next();
            if (!member) return std::unexpected(member.error());
            if (!*member) return files_;
            auto placed = place(**member);
            if (!placed) return std::unexpected(placed.error());
        }
    }

private:
    std::expected<void, std::string> place(const ArchiveMember& member) {
        switch (member.kind) {
        case MemberKind::folder:
            return create_folders_below(member.path);
        case MemberKind::file:
            return write_file(member);
        case MemberKind::other:
            return {};
        }
        return {};
    }

    // The member's folders, relative to the root. Created folders are
    // remembered, as members usually share their folders.
    std::expected<void, std::string> create_folders_below(std::string_view path) {
        std::size_t end = 0;
        while (end != std::string_view::npos) {
            end = path.find('/', end + 1);
            std::string_view prefix = path.substr(0, end);
            if (created_.contains(std::string(prefix))) continue;
            if (mkdirat(root_, std::string(prefix).c_str(), 0777) != 0) {
                int err = errno;
                struct stat status {};
                bool is_folder = fstatat(root_, std::string(prefix).c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                                 S_ISDIR(status.st_mode);
                if (err != EEXIST || !is_folder) return system_error(err);
            }
            created_.emplace(prefix);
        }
        return {};
    }

    std::expected<void, std::string> write_file(const ArchiveMember& member) {
        std::size_t slash = member.path.rfind('/');
        if (slash != std::string::npos) {
            auto folders = create_folders_below(std::string_view(member.path).substr(0, slash));
            if (!folders) return folders;
        }
        OwnedFd file(openat(root_, member.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (file.get() < 0) return system_error(errno);
        auto copied = copy_contents(file.get(), member.size);
        if (!copied) return copied;
        if (file.close() != 0) return system_error(errno);
        ++files_;
        return {};
    }

    std::unexpected<std::string> truncated() const {
        return std::unexpected(std::string(reader_.format() == ArchiveFormat::zip ? "truncated ZIP entry"
                                                                                   : "truncated TAR entry"));
    }

    // Copies the member's blocks; stops as soon as the contents run past the
    // declared size, so a member lying about its size cannot fill the disk.
    std::expected<void, std::string> copy_contents(int fd, std::uint64_t declared) {
        std::uint64_t written = 0;
        for (;;) {
            auto block = reader_.read_block();
            if (!block) return std::unexpected(block.error());
            if (block->last) {
                if (block->offset <= written) break;
                // A sparse member may end in a hole.
                if (block->offset > declared) return truncated();
                if (ftruncate(fd, static_cast<off_t>(block->offset)) != 0) return system_error(errno);
                written = block->offset;
                break;
            }
            if (block->offset < written || block->offset > declared || block->size > declared - block->offset)
                return truncated();
            auto stored = write_at(fd, *block);
            if (!stored) return stored;
            written = block->offset + block->size;
        }
        if (written != declared) return truncated();
        return {};
    }

    static std::expected<void, std::string> write_at(int fd, const MemberBlock& block) {
        const char* data = static_cast<const char*>(block.data);
        std::size_t left = block.size;
        auto offset = static_cast<off_t>(block.offset);
        while (left > 0) {
            ssize_t n = pwrite(fd, data, left, offset);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return system_error(errno);
            data += n;
            left -= static_cast<std::size_t>(n);
            offset += n;
        }
        return {};
    }

    ArchiveReader& reader_;
    int root_;
    std::uint64_t files_ = 0;
    std::unordered_set<std::string> created_;
};

std::expected<std::uint64_t, std::string> extract_into(const std::string& archive, const std::string& folder) {
    OwnedFd root(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (root.get() < 0) return system_error(errno);
    auto reader = ArchiveReader::open(archive);
    if (!reader) return std::unexpected(reader.error());
    return Extraction(*reader, root.get()).run();
}

}  // namespace

std::string extraction_destination(const std::string& archive, const std::string& current) {
    std::string base(file_name(archive));
    if (lossy_utf8(base) != base) base = "Archive";
    strip_suffixes(base, ".gz");
    strip_suffixes(base, ".tar");
    strip_suffixes(base, ".zip");
    std::optional<std::string> parent = parent_path(archive);
    std::string folder = parent && !parent->empty() ? *parent : current;

    std::string candidate = join_path(folder, base);
    for (std::uint64_t n = 2; exists_following_links(candidate); n = n == UINT64_MAX ? n : n + 1)
        candidate = join_path(folder, base + " " + std::to_string(n));
    return candidate;
}

std::expected<std::uint64_t, std::string> extract_archive(const std::string& archive, const std::string& destination) {
    if (exists_following_links(destination)) return std::unexpected(std::string("the destination already exists"));
    std::optional<std::string> parent = parent_path(destination);
    if (!parent) return std::unexpected(std::string("destination has no parent"));
    std::string_view name = file_name(destination);
    if (name.empty()) return std::unexpected(std::string("destination has no name"));
    if (!parent->empty()) {
        auto created = create_folders(*parent);
        if (!created) return std::unexpected(created.error());
    }

    std::optional<std::string> temporary = reserve_temporary_folder(*parent, name);
    if (!temporary) return std::unexpected(std::string("could not reserve a temporary extraction folder"));
    if (mkdir(temporary->c_str(), 0777) != 0) return system_error(errno);

    auto extracted = extract_into(archive, *temporary);
    if (!extracted) {
        remove_tree(*temporary);
        return extracted;
    }
    if (auto moved = rename_no_replace(*temporary, destination); !moved) {
        remove_tree(*temporary);
        return std::unexpected(moved.error());
    }
    return extracted;
}

}  // namespace file_explorer::fileops
