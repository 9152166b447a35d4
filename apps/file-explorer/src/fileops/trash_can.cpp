#include "fileops/trash_can.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include <fmt/core.h>

#include "fileops/paths.h"
#include "fileops/text.h"
#include "fileops/trash_sys.h"

namespace file_explorer::fileops {
namespace {

std::optional<std::string> canonical(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) return std::nullopt;
    return std::string(resolved.get());
}

std::string failure(const std::string& path, int err) {
    return fmt::format("{}: {}", lossy_utf8(path), std::strerror(err));
}

// A folder owned by `uid`. Per-mount cans live in folders other users can
// write to, so there a symbolic link never counts; the home can is the
// user's own and may be a link they made.
bool is_own_folder(const std::string& path, uid_t uid, bool follow = false) {
    struct stat status {};
    int rc = follow ? stat(path.c_str(), &status) : lstat(path.c_str(), &status);
    return rc == 0 && S_ISDIR(status.st_mode) && status.st_uid == uid;
}

// "$top/.Trash" may hold per-user cans only when it is a real folder with
// the sticky bit, so nobody can replace another user's can.
bool is_shared_trash_safe(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && (status.st_mode & S_ISVTX) != 0;
}

// Creates `path` when missing; it must then be a real folder owned by `uid`.
std::expected<void, std::string> ensure_folder(const std::string& path, uid_t uid, bool follow) {
    if (trash_sys::make_folder(path, 0700) != 0 && errno != EEXIST) return std::unexpected(failure(path, errno));
    if (!is_own_folder(path, uid, follow)) return std::unexpected(failure(path, ENOTDIR));
    return {};
}

std::expected<void, std::string> ensure_can(const std::string& can, uid_t uid, bool home = false) {
    auto made = ensure_folder(can, uid, home);
    if (!made) return made;
    for (const char* sub : {"files", "info"}) {
        made = ensure_folder(join_path(can, sub), uid, false);
        if (!made) return made;
    }
    return {};
}

// Creates every missing folder of `path` (the XDG data folder may not exist
// yet), private to the user as the base directory rules ask.
std::expected<void, std::string> ensure_parents(const std::string& path) {
    PathComponents parts = path_components(path);
    std::string prefix = parts.absolute ? "" : ".";
    for (std::string_view part : parts.parts) {
        prefix += "/";
        prefix += part;
        if (trash_sys::make_folder(prefix, 0700) != 0 && errno != EEXIST) return std::unexpected(failure(prefix, errno));
    }
    return {};
}

// The mount of the home can, judged by its deepest existing folder.
std::optional<std::string> home_top(const std::string& home_can, const std::vector<MountPoint>& table) {
    std::string probe = home_can;
    while (true) {
        if (auto real = canonical(probe)) return mount_top(*real, table);
        auto parent = parent_path(probe);
        if (!parent || parent->empty() || same_path(*parent, probe)) return std::nullopt;
        probe = *parent;
    }
}

std::expected<TrashCan, std::string> volume_can(const std::string& top, uid_t uid) {
    std::string uid_text = std::to_string(uid);
    std::string shared = join_path(top, ".Trash");
    if (is_shared_trash_safe(shared)) {
        std::string can = join_path(shared, uid_text);
        if (ensure_can(can, uid)) return TrashCan{can, top};
    }
    std::string can = join_path(top, ".Trash-" + uid_text);
    auto made = ensure_can(can, uid);
    if (!made) return std::unexpected(made.error());
    return TrashCan{can, top};
}

}  // namespace

std::expected<TrashCan, std::string> trash_can_for(const std::string& home_can, uid_t uid,
                                                   const std::string& canonical_parent,
                                                   const std::vector<MountPoint>& table) {
    auto item_top = mount_top(canonical_parent, table);
    if (!item_top) return std::unexpected(failure(canonical_parent, errno ? errno : ENOENT));
    auto trash_top = home_top(home_can, table);
    if (trash_top && *trash_top == *item_top) {
        if (auto parents = parent_path(home_can); parents && !parents->empty()) {
            auto made = ensure_parents(*parents);
            if (!made) return std::unexpected(made.error());
        }
        auto made = ensure_can(home_can, uid, true);
        if (!made) return std::unexpected(made.error());
        return TrashCan{home_can, ""};
    }
    return volume_can(*item_top, uid);
}

std::vector<TrashCan> existing_trash_cans(const std::string& home_can, uid_t uid,
                                          const std::vector<MountPoint>& table) {
    std::vector<TrashCan> cans;
    auto add = [&](std::string path, std::string top) {
        if (!is_own_folder(path, uid, top.empty())) return;
        for (const TrashCan& can : cans)
            if (same_path(can.path, path)) return;
        cans.push_back(TrashCan{std::move(path), std::move(top)});
    };
    add(home_can, "");
    std::string uid_text = std::to_string(uid);
    for (const MountPoint& mount : table) {
        if (!may_hold_trash(mount.type)) continue;
        std::string shared = join_path(mount.path, ".Trash");
        if (is_shared_trash_safe(shared)) add(join_path(shared, uid_text), mount.path);
        add(join_path(mount.path, ".Trash-" + uid_text), mount.path);
    }
    return cans;
}

}  // namespace file_explorer::fileops
