// The system calls of the Trash facility, each behind one named step.
//
// Every call that changes the disk goes through these wrappers, so a test can
// make any single step fail (with an errno of its choice) and check that the
// facility leaves the item either where it was or fully in the Trash. The
// hook is thread-local: tests running on other threads are not affected.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

namespace file_explorer::fileops::trash_sys {

enum class Step {
    make_folder,    // mkdir of a trash can, its "files"/"info", or a restore parent
    create_info,    // exclusive creation of a ".trashinfo"
    write_info,     // writing its contents
    close_info,     // flushing and closing it
    move_item,      // rename into "files" or back to the original path
    remove_info,    // unlink of a ".trashinfo"
    remove_data,    // unlink/rmdir inside "files" when purging
    write_sizes,    // writing the new "directorysizes" next to the old one
    replace_sizes,  // renaming it over the old one
};

// Returns 0 to let the step run, or an errno to fail it with.
using FaultHook = std::function<int(Step)>;

// Installs `hook` on this thread for the lifetime of the guard.
class ScopedFault {
public:
    explicit ScopedFault(FaultHook hook);
    ~ScopedFault();
    ScopedFault(const ScopedFault&) = delete;
    ScopedFault& operator=(const ScopedFault&) = delete;

private:
    FaultHook previous_;
};

// The wrappers return what the system call returns and leave errno set.
int make_folder(const std::string& path, mode_t mode);
int create_info(const std::string& path);  // a descriptor, mode 0600, O_EXCL
bool write_all(int fd, std::string_view bytes, Step step);
int close_file(int fd, Step step);
int rename_no_replace(const std::string& from, const std::string& to);
int remove_file(const std::string& path, Step step);
int remove_at(int dir_fd, const char* name, int flags);  // Step::remove_data
int rename_over(const std::string& from, const std::string& to, Step step);

}  // namespace file_explorer::fileops::trash_sys
