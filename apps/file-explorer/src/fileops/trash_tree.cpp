#include "fileops/trash_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include <spdlog/spdlog.h>

#include "fileops/paths.h"
#include "fileops/text.h"
#include "fileops/trash_info.h"
#include "fileops/trash_sys.h"

namespace file_explorer::fileops {
namespace {

constexpr std::size_t max_sizes_file = 16 * 1024 * 1024;

class Dir {
public:
    explicit Dir(int fd) : dir_(fd >= 0 ? fdopendir(fd) : nullptr) {
        if (fd >= 0 && !dir_) close(fd);
    }
    ~Dir() {
        if (dir_) closedir(dir_);
    }
    Dir(const Dir&) = delete;
    Dir& operator=(const Dir&) = delete;
    explicit operator bool() const { return dir_ != nullptr; }
    int fd() const { return dirfd(dir_); }

    // The next name other than "." and ".."; empty at the end.
    std::string next() {
        while (dirent* entry = readdir(dir_)) {
            std::string_view name = entry->d_name;
            if (name != "." && name != "..") return std::string(name);
        }
        return {};
    }

private:
    DIR* dir_;
};

int open_folder_at(int parent, const char* name) {
    return openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

std::vector<std::string> child_names(Dir& dir) {
    std::vector<std::string> names;
    for (std::string name = dir.next(); !name.empty(); name = dir.next()) names.push_back(std::move(name));
    return names;
}

int remove_at(int parent, const char* name, dev_t device) {
    struct stat status {};
    if (fstatat(parent, name, &status, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT ? 0 : errno;
    if (!S_ISDIR(status.st_mode)) return trash_sys::remove_at(parent, name, 0) == 0 || errno == ENOENT ? 0 : errno;
    // Another file system mounted below the item is not part of it.
    if (status.st_dev != device) return EBUSY;
    if ((status.st_mode & S_IRWXU) != S_IRWXU && fchmodat(parent, name, status.st_mode | S_IRWXU, 0) != 0)
        return errno;
    Dir dir(open_folder_at(parent, name));
    if (!dir) return errno;
    // Names are read first: removing while reading may skip entries.
    for (const std::string& child : child_names(dir)) {
        int err = remove_at(dir.fd(), child.c_str(), device);
        if (err != 0) return err;
    }
    return trash_sys::remove_at(parent, name, AT_REMOVEDIR) == 0 || errno == ENOENT ? 0 : errno;
}

using Seen = std::set<std::pair<dev_t, ino_t>>;

bool add_usage(int parent, const char* name, Seen& seen, std::uint64_t& total) {
    struct stat status {};
    if (fstatat(parent, name, &status, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (status.st_nlink > 1 && !S_ISDIR(status.st_mode) && !seen.emplace(status.st_dev, status.st_ino).second)
        return true;
    total += static_cast<std::uint64_t>(status.st_blocks) * 512;
    if (!S_ISDIR(status.st_mode)) return true;
    Dir dir(open_folder_at(parent, name));
    if (!dir) return false;
    for (std::string child = dir.next(); !child.empty(); child = dir.next())
        if (!add_usage(dir.fd(), child.c_str(), seen, total)) return false;
    return true;
}

std::optional<std::string> read_bounded(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string text;
    char buffer[8192];
    ssize_t n = 0;
    while ((n = read(fd, buffer, sizeof buffer)) > 0 && text.size() < max_sizes_file)
        text.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    if (n < 0) return std::nullopt;
    return text;
}

bool exists(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

// Writes next to the cache and renames over it, so readers never see half.
bool write_sizes(const std::string& can, const std::string& text) {
    std::string target = join_path(can, "directorysizes");
    std::string temp = target + ".XXXXXX";
    int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool written = trash_sys::write_all(fd, text, trash_sys::Step::write_sizes);
    bool closed = trash_sys::close_file(fd, trash_sys::Step::write_sizes) == 0;
    if (written && closed && trash_sys::rename_over(temp, target, trash_sys::Step::replace_sizes) == 0) return true;
    int err = errno;
    unlink(temp.c_str());
    errno = err;
    return false;
}

}  // namespace

int remove_tree(const std::string& folder, const std::string& name) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat status {};
    int err = fstat(fd, &status) == 0 ? remove_at(fd, name.c_str(), status.st_dev) : errno;
    close(fd);
    return err;
}

std::optional<std::uint64_t> disk_usage(const std::string& path) {
    Seen seen;
    std::uint64_t total = 0;
    if (!add_usage(AT_FDCWD, path.c_str(), seen, total)) return std::nullopt;
    return total;
}

void update_directory_sizes(const std::string& can, std::optional<std::string> add, std::string_view remove) {
    std::string path = join_path(can, "directorysizes");
    std::optional<std::string> old_text = read_bounded(path);
    std::vector<DirectorySize> old_lines = old_text ? parse_directory_sizes(*old_text) : std::vector<DirectorySize>{};
    std::string files = join_path(can, "files");

    std::vector<DirectorySize> lines;
    for (const DirectorySize& line : old_lines) {
        if (line.name == remove || (add && line.name == *add)) continue;
        if (exists(join_path(files, line.name))) lines.push_back(line);
    }
    if (add) {
        std::string info = join_path(join_path(can, "info"), *add + ".trashinfo");
        struct stat info_status {};
        auto size = disk_usage(join_path(files, *add));
        if (size && lstat(info.c_str(), &info_status) == 0) {
            lines.push_back(DirectorySize{*size, static_cast<std::int64_t>(info_status.st_mtime), *add});
        } else {
            spdlog::warn("file_explorer::fileops: could not measure trashed folder {}", lossy_utf8(*add));
        }
    }
    std::string text = format_directory_sizes(lines);
    if (old_text ? text == *old_text : lines.empty()) return;
    if (!write_sizes(can, text))
        spdlog::warn("file_explorer::fileops: could not update {}: {}", lossy_utf8(path), std::strerror(errno));
}

}  // namespace file_explorer::fileops
