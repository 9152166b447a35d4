// Mounted file systems, as far as the Trash needs them: which mount holds a
// path (its "top directory"), and which mounts may hold trash cans.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace file_explorer::fileops {

struct MountPoint {
    std::string path;  // absolute, octal escapes decoded
    std::string type;  // "ext4", "tmpfs", ...
};

// The mount points of a /proc/self/mountinfo text, in its order. Malformed
// lines are dropped.
std::vector<MountPoint> parse_mountinfo(std::string_view text);

// The current process's mount table; empty when it cannot be read.
std::vector<MountPoint> read_mount_table();

// Whether trash cans are looked for on mounts of this type: kernel and
// automounter file systems never hold user data, and touching an automount
// point would mount it.
bool may_hold_trash(std::string_view type);

// The top directory of the mount holding `path`, which must be absolute and
// free of symbolic links: the longest mount point it starts with. Without a
// table it walks up the folders while they stay on the same device. None
// when `path` cannot be examined.
std::optional<std::string> mount_top(const std::string& path, const std::vector<MountPoint>& table);

}  // namespace file_explorer::fileops
