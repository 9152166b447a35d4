#include "fileops/trash_sys.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace file_explorer::fileops::trash_sys {
namespace {

thread_local FaultHook fault_hook;

// True when the hook fails this step; errno is then set.
bool injected(Step step) {
    if (!fault_hook) return false;
    int err = fault_hook(step);
    if (err == 0) return false;
    errno = err;
    return true;
}

}  // namespace

ScopedFault::ScopedFault(FaultHook hook) : previous_(std::exchange(fault_hook, std::move(hook))) {}

ScopedFault::~ScopedFault() { fault_hook = std::move(previous_); }

int make_folder(const std::string& path, mode_t mode) {
    if (injected(Step::make_folder)) return -1;
    return mkdir(path.c_str(), mode);
}

int create_info(const std::string& path) {
    if (injected(Step::create_info)) return -1;
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}

bool write_all(int fd, std::string_view bytes, Step step) {
    if (injected(step)) return false;
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

int close_file(int fd, Step step) {
    if (injected(step)) {
        int err = errno;
        close(fd);
        errno = err;
        return -1;
    }
    return close(fd);
}

int rename_no_replace(const std::string& from, const std::string& to) {
    if (injected(Step::move_item)) return -1;
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL) return -1;
    // File systems without the no-replace flag: check, then rename. The gap
    // between the two is the best such a file system allows.
    struct stat status {};
    if (lstat(to.c_str(), &status) == 0) {
        errno = EEXIST;
        return -1;
    }
    return rename(from.c_str(), to.c_str());
}

int remove_file(const std::string& path, Step step) {
    if (injected(step)) return -1;
    return unlink(path.c_str());
}

int remove_at(int dir_fd, const char* name, int flags) {
    if (injected(Step::remove_data)) return -1;
    return unlinkat(dir_fd, name, flags);
}

int rename_over(const std::string& from, const std::string& to, Step step) {
    if (injected(step)) return -1;
    return rename(from.c_str(), to.c_str());
}

}  // namespace file_explorer::fileops::trash_sys
