// A seam for making the engine's system calls fail on purpose.
//
// Every file-system call of the copy and move engine first asks the hook of
// the calling thread whether it should fail, and with which errno. Without a
// hook the question is one thread-local load. Tests install a hook to make one
// step after another fail (or to change the file system at a chosen moment)
// and check that nothing is lost.
#pragma once

#include <functional>
#include <string_view>
#include <utility>

namespace file_explorer::fileops {

enum class FaultSite {
    inspect,      // lstat of a destination name
    make_folder,  // mkdir of a staging folder, a copied folder or a new folder
    create_file,  // exclusive creation of a copied file
    make_link,    // creation of a copied symbolic link
    open_source,  // opening an entry that is being copied
    copy_data,    // each chunk of file content
    rename,       // every no-replace rename; the path is the target
    remove,       // each unlink or rmdir while removing a tree
};

// Returns the errno the call at `site` on `path` should fail with, or 0 to let
// it run. A hook may also change the file system before answering 0.
using FaultHook = std::function<int(FaultSite site, std::string_view path)>;

namespace detail {
inline thread_local const FaultHook* active_fault_hook = nullptr;
}

inline int injected_error(FaultSite site, std::string_view path) {
    const FaultHook* hook = detail::active_fault_hook;
    return hook ? (*hook)(site, path) : 0;
}

// Installs a hook for the calling thread for the lifetime of the object.
class ScopedFaultHook {
public:
    explicit ScopedFaultHook(FaultHook hook) : hook_(std::move(hook)), previous_(detail::active_fault_hook) {
        detail::active_fault_hook = &hook_;
    }
    ~ScopedFaultHook() { detail::active_fault_hook = previous_; }
    ScopedFaultHook(const ScopedFaultHook&) = delete;
    ScopedFaultHook& operator=(const ScopedFaultHook&) = delete;

private:
    FaultHook hook_;
    const FaultHook* previous_;
};

}  // namespace file_explorer::fileops
