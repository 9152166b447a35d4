#include "fileops/archive_compress.h"
#include "fileops/owned_fd.h"

#include <archive.h>
#include <archive_entry.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "fileops/archive_locale.h"
#include "fileops/paths.h"
#include "fileops/text.h"

namespace file_explorer::fileops {
namespace {

constexpr std::size_t kCopyBuffer = 256 * 1024;
constexpr int kOutputBlock = 64 * 1024;

std::unexpected<std::string> system_error(int err) { return std::unexpected(std::string(std::strerror(err))); }

// The name without its last extension; a leading "." does not start one.
std::string_view stem_of(std::string_view name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return name;
    return name.substr(0, dot);
}

bool exists_following_links(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0;
}

// Deletes the part file on every exit that did not commit.
class PartFile {
public:
    explicit PartFile(std::string path) : path_(std::move(path)) {}
    ~PartFile() {
        if (!committed_) unlink(path_.c_str());
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;
    void commit() { committed_ = true; }

private:
    std::string path_;
    bool committed_ = false;
};

// libarchive's ZIP writer on an open file, with the entry options every
// entry shares, and refusing a second entry of the same name.
class ZipWriter {
public:
    explicit ZipWriter(int fd)
        : fd_(fd), handle_(archive_write_new()), entry_(archive_entry_new()), buffer_(kCopyBuffer) {
        if (handle_ == nullptr || entry_ == nullptr) return;
        archive_write_set_format_zip(handle_);
        archive_write_zip_set_compression_deflate(handle_);
        archive_write_set_bytes_per_block(handle_, kOutputBlock);
        archive_write_set_bytes_in_last_block(handle_, 1);  // no padding after the central directory
        opened_ = archive_write_open2(handle_, this, nullptr, &ZipWriter::write_output, nullptr, nullptr) == ARCHIVE_OK;
    }
    ~ZipWriter() {
        // Freeing closes the writer; an unfinished one must not append its
        // central directory to the file.
        abandoned_ = !finished_;
        if (handle_ != nullptr) archive_write_free(handle_);
        if (entry_ != nullptr) archive_entry_free(entry_);
    }
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    std::expected<void, std::string> ready() const {
        if (handle_ == nullptr || entry_ == nullptr) return system_error(ENOMEM);
        if (!opened_) return std::unexpected(error_text());
        return {};
    }

    std::expected<void, std::string> add_folder(const std::string& name) {
        auto started = start_entry(name + "/", AE_IFDIR, 0755, 0);
        if (!started) return started;
        return finish_entry();
    }

    // Streams up to `size` bytes of the open file `fd`.
    std::expected<void, std::string> add_file(const std::string& name, int fd, std::uint64_t size) {
        auto started = start_entry(name, AE_IFREG, 0644, size);
        if (!started) return started;
        std::uint64_t left = size;
        while (left > 0) {
            std::size_t want = left < buffer_.size() ? static_cast<std::size_t>(left) : buffer_.size();
            ssize_t n = read(fd, buffer_.data(), want);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return system_error(errno);
            if (n == 0) break;  // the file shrank meanwhile: its current contents are stored
            Utf8NameScope names;
            if (archive_write_data(handle_, buffer_.data(), static_cast<std::size_t>(n)) < 0)
                return std::unexpected(error_text());
            left -= static_cast<std::uint64_t>(n);
        }
        return finish_entry();
    }

    // Writes the central directory.
    std::expected<void, std::string> finish() {
        Utf8NameScope names;
        finished_ = true;
        if (archive_write_close(handle_) != ARCHIVE_OK) return std::unexpected(error_text());
        return {};
    }

private:
    static la_ssize_t write_output(struct archive* handle, void* self, const void* data, std::size_t size) {
        auto* writer = static_cast<ZipWriter*>(self);
        if (writer->abandoned_) return static_cast<la_ssize_t>(size);
        const char* bytes = static_cast<const char*>(data);
        std::size_t left = size;
        while (left > 0) {
            ssize_t n = ::write(writer->fd_, bytes, left);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                archive_set_error(handle, errno, "%s", std::strerror(errno));
                return -1;
            }
            bytes += n;
            left -= static_cast<std::size_t>(n);
        }
        return static_cast<la_ssize_t>(size);
    }

    std::expected<void, std::string> start_entry(const std::string& name, unsigned type, int permissions,
                                                 std::uint64_t size) {
        if (!names_.insert(name).second)
            return std::unexpected("duplicate file name in the archive: " + name);
        Utf8NameScope names;
        archive_entry_clear(entry_);
        archive_entry_set_pathname_utf8(entry_, name.c_str());
        archive_entry_set_filetype(entry_, type);
        archive_entry_set_perm(entry_, static_cast<mode_t>(permissions));
        // Without a modification time the writer stores 1980-01-01 00:00:00.
        archive_entry_set_size(entry_, static_cast<la_int64_t>(size));
        if (archive_write_header(handle_, entry_) != ARCHIVE_OK) return std::unexpected(error_text());
        return {};
    }

    std::expected<void, std::string> finish_entry() {
        Utf8NameScope names;
        if (archive_write_finish_entry(handle_) != ARCHIVE_OK) return std::unexpected(error_text());
        return {};
    }

    std::string error_text() const {
        const char* text = archive_error_string(handle_);
        if (text != nullptr && *text != '\0') return text;
        int err = archive_errno(handle_);
        return err != 0 ? std::strerror(err) : "could not write the ZIP archive";
    }

    int fd_;
    struct archive* handle_;
    struct archive_entry* entry_;
    std::vector<char> buffer_;
    std::unordered_set<std::string> names_;
    bool opened_ = false;
    bool finished_ = false;
    bool abandoned_ = false;
};

std::expected<void, std::string> add_regular_file(ZipWriter& zip, const std::string& name, int folder,
                                                  const char* path) {
    OwnedFd file(openat(folder, path, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (file.get() < 0) return system_error(errno);
    struct stat status {};
    if (fstat(file.get(), &status) != 0) return system_error(errno);
    return zip.add_file(name, file.get(), static_cast<std::uint64_t>(status.st_size));
}

// Adds the folder open as `fd` under `name`, then its contents in the order
// the system lists them; only folders and regular files are packed, and
// nothing below the folder is reached through a link.
std::expected<void, std::string> add_folder_tree(ZipWriter& zip, const std::string& name, int fd) {
    DIR* listing = fdopendir(fd);
    if (listing == nullptr) {
        int err = errno;
        ::close(fd);
        return system_error(err);
    }
    std::unique_ptr<DIR, int (*)(DIR*)> guard(listing, &closedir);
    auto added = zip.add_folder(name);
    if (!added) return added;
    for (;;) {
        errno = 0;
        struct dirent* item = readdir(listing);
        if (item == nullptr) {
            if (errno != 0) return system_error(errno);
            return {};
        }
        std::string_view child = item->d_name;
        if (child == "." || child == "..") continue;
        unsigned char type = item->d_type;
        if (type == DT_UNKNOWN) {
            struct stat status {};
            if (fstatat(dirfd(listing), item->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) return system_error(errno);
            type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISREG(status.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        std::string child_name = name + "/" + lossy_utf8(child);
        if (type == DT_DIR) {
            int child_fd = openat(dirfd(listing), item->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child_fd < 0) return system_error(errno);
            auto tree = add_folder_tree(zip, child_name, child_fd);
            if (!tree) return tree;
        } else if (type == DT_REG) {
            auto file = add_regular_file(zip, child_name, dirfd(listing), item->d_name);
            if (!file) return file;
        }
    }
}

std::expected<void, std::string> add_item(ZipWriter& zip, const std::string& item) {
    std::string_view raw_name = file_name(item);
    if (raw_name.empty()) return std::unexpected(std::string("path has no file name"));
    std::string name = lossy_utf8(raw_name);
    struct stat status {};
    // A selected link to a folder is packed as that folder.
    if (stat(item.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        int fd = open(item.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return system_error(errno);
        return add_folder_tree(zip, name, fd);
    }
    if (lstat(item.c_str(), &status) != 0) return system_error(errno);
    if (!S_ISREG(status.st_mode)) return {};
    return add_regular_file(zip, name, AT_FDCWD, item.c_str());
}

std::expected<void, std::string> publish(const std::string& part, const std::string& target) {
    if (renameat2(AT_FDCWD, part.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return {};
    int err = errno;
    if (err != EINVAL) return system_error(err);
    // No support for the flag on this file system: check, then rename.
    struct stat status {};
    if (lstat(target.c_str(), &status) == 0) return system_error(EEXIST);
    if (std::rename(part.c_str(), target.c_str()) != 0) return system_error(errno);
    return {};
}

}  // namespace

std::string zip_target_path(const std::string& current, const std::vector<std::string>& items) {
    std::string base = "Archive";
    if (items.size() == 1) {
        std::string_view stem = stem_of(file_name(items.front()));
        if (!stem.empty() && lossy_utf8(stem) == stem) base = std::string(stem);
    }
    std::string candidate = join_path(current, base + ".zip");
    for (std::uint64_t n = 2; exists_following_links(candidate); n = n == UINT64_MAX ? n : n + 1)
        candidate = join_path(current, base + " " + std::to_string(n) + ".zip");
    return candidate;
}

std::string zip_part_path(const std::string& target) {
    std::string folder = parent_path(target).value_or("");
    return join_path(folder, std::string(stem_of(file_name(target))) + ".zip.part");
}

std::expected<void, std::string> create_zip(const std::vector<std::string>& items, const std::string& target) {
    std::string part = zip_part_path(target);
    // O_NOFOLLOW: a link planted under the part name must not redirect the
    // write (and the truncation) to another file.
    OwnedFd fd(open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (fd.get() < 0) return system_error(errno);
    PartFile guard(part);
    {
        ZipWriter zip(fd.get());
        if (auto ready = zip.ready(); !ready) return ready;
        for (const std::string& item : items) {
            auto added = add_item(zip, item);
            if (!added) return added;
        }
        if (auto finished = zip.finish(); !finished) return finished;
    }
    if (fsync(fd.get()) != 0) return system_error(errno);
    if (fd.close() != 0) return system_error(errno);
    if (auto published = publish(part, target); !published) return published;
    guard.commit();
    return {};
}

}  // namespace file_explorer::fileops
