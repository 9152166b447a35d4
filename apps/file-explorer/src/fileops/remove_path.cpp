#include "fileops/remove_path.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "fileops/errno_text.h"
#include "fileops/fault_seam.h"
#include "fileops/owned_fd.h"
#include "fileops/paths.h"

namespace file_explorer::fileops {
namespace {

using Result = std::expected<void, std::string>;

Result fail(int err) { return std::unexpected(errno_text(err)); }

Result remove_folder(int parent, const char* name, const std::string& path, bool second_pass = false);

// Unlinks one entry of the open folder `dir`; `writable` records whether the
// folder was already opened up for its owner.
int unlink_entry(int dir, bool& writable, const char* name, int flags, const std::string& path) {
    if (int err = injected_error(FaultSite::remove, path)) return err;
    if (unlinkat(dir, name, flags) == 0 || errno == ENOENT) return 0;
    int err = errno;
    if ((err != EACCES && err != EPERM) || writable) return err;
    // A read-only folder (for example a copy of one) keeps its entries; open
    // it up once and try again.
    writable = true;
    struct stat status {};
    if (fstat(dir, &status) != 0 || fchmod(dir, (status.st_mode & 07777) | S_IRWXU) != 0) return err;
    if (unlinkat(dir, name, flags) == 0 || errno == ENOENT) return 0;
    return errno;
}

bool is_folder_entry(int dir, const struct dirent& entry) {
    if (entry.d_type != DT_UNKNOWN) return entry.d_type == DT_DIR;
    struct stat status {};
    return fstatat(dir, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode);
}

Result remove_contents(int dir, bool& writable, const std::string& path) {
    OwnedFd copy(dup(dir));
    if (!copy.valid()) return fail(errno);
    DirListing listing(fdopendir(copy.get()));
    if (!listing) return fail(errno);
    copy.release();  // the listing owns it now
    while (true) {
        errno = 0;
        struct dirent* entry = readdir(listing.get());
        if (entry == nullptr) {
            if (errno != 0) return fail(errno);
            return {};
        }
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        std::string child = join_path(path, name);
        if (is_folder_entry(dir, *entry)) {
            if (auto removed = remove_folder(dir, name, child); !removed) return removed;
            continue;
        }
        if (int err = unlink_entry(dir, writable, name, 0, child)) {
            // It turned into a folder since it was listed.
            if (err != EISDIR) return fail(err);
            if (auto removed = remove_folder(dir, name, child); !removed) return removed;
        }
    }
}

// Removes the folder `name` of the open folder `parent`, contents first.
Result remove_folder(int parent, const char* name, const std::string& path, bool second_pass) {
    OwnedFd dir(openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!dir.valid()) {
        if (errno == ENOENT) return {};
        if (errno != ENOTDIR && errno != ELOOP) return fail(errno);
        bool writable = false;  // no longer a folder: unlink whatever it is
        if (int err = unlink_entry(parent, writable, name, 0, path)) return fail(err);
        return {};
    }
    bool writable = false;
    if (auto emptied = remove_contents(dir.get(), writable, path); !emptied) return emptied;
    dir = OwnedFd();
    bool parent_writable = false;
    int err = unlink_entry(parent, parent_writable, name, AT_REMOVEDIR, path);
    // Entries removed during the listing can hide later ones; one more pass.
    if (err == ENOTEMPTY && !second_pass) return remove_folder(parent, name, path, true);
    if (err != 0) return fail(err);
    return {};
}

}  // namespace

Result remove_path(const std::string& path) {
    if (path.find('\0') != std::string::npos) return fail(EINVAL);
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) return errno == ENOENT ? Result{} : fail(errno);
    if (!S_ISDIR(status.st_mode)) {
        if (int err = injected_error(FaultSite::remove, path)) return fail(err);
        if (unlink(path.c_str()) != 0 && errno != ENOENT) return fail(errno);
        return {};
    }
    auto parent = parent_path(path);
    std::string name(file_name(path));
    // "/" and paths ending in ".." name no entry of a parent that could go.
    if (!parent || name.empty()) return fail(EINVAL);
    OwnedFd parent_dir(open(parent->empty() ? "." : parent->c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!parent_dir.valid()) return fail(errno);
    return remove_folder(parent_dir.get(), name.c_str(), path);
}

}  // namespace file_explorer::fileops
