#include "fileops/trash.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include <fmt/core.h>
#include <spdlog/spdlog.h>

#include "fileops/paths.h"
#include "fileops/text.h"
#include "fileops/trash_can.h"
#include "fileops/trash_info.h"
#include "fileops/trash_sys.h"
#include "fileops/trash_tree.h"

namespace file_explorer::fileops {
namespace {

constexpr std::string_view info_suffix = ".trashinfo";
constexpr std::size_t max_info_size = 64 * 1024;
constexpr int max_name_number = 9999;

std::unexpected<TrashError> fail(TrashOperation operation, std::string details) {
    return std::unexpected(TrashError{operation, std::move(details)});
}

std::string shown(const std::string& path) { return lossy_utf8(path); }

std::string system_failure(const std::string& path, int err) {
    return fmt::format("{}: {}", shown(path), std::strerror(err));
}

std::optional<std::string> canonical(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) return std::nullopt;
    return std::string(resolved.get());
}

std::string local_now() {
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return format_deletion_date(local);
}

// Drops the bytes of a UTF-8 sequence cut off at the end.
void trim_partial_utf8(std::string& text) {
    std::size_t i = text.size();
    while (i > 0 && (static_cast<unsigned char>(text[i - 1]) & 0xC0) == 0x80) --i;
    if (i == 0) return;
    auto lead = static_cast<unsigned char>(text[i - 1]);
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (text.size() - (i - 1) < length) text.resize(i - 1);
}

// The n-th candidate name inside "files": the name itself, then "stem 2.ext",
// "stem 3.ext"...; shortened so that "<name>.trashinfo" fits a file name.
std::string candidate_name(const std::string& name, int n) {
    std::size_t dot = name.rfind('.');
    bool has_ext = dot != std::string::npos && dot > 0;
    std::string stem = has_ext ? name.substr(0, dot) : name;
    std::string ext = has_ext ? name.substr(dot) : "";
    std::string number = n > 1 ? " " + std::to_string(n) : "";
    const std::size_t limit = NAME_MAX - info_suffix.size();
    if (stem.size() + number.size() + ext.size() <= limit) return stem + number + ext;
    if (number.size() + ext.size() + 1 > limit / 2) {
        stem += ext;
        ext.clear();
    }
    stem.resize(limit - number.size() - ext.size());
    trim_partial_utf8(stem);
    return stem + number + ext;
}

bool exists(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

// Where one item goes and what its record says.
struct Placement {
    std::string original;  // canonical parent + name
    TrashCan can;
    std::string stored_path;  // the record's Path: absolute, or relative to the can's top
    bool is_folder = false;
};

std::expected<Placement, std::string> plan_item(const std::string& path, const std::string& home_can, uid_t uid,
                                                const std::vector<MountPoint>& table) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) return std::unexpected(system_failure(path, errno));
    std::string name(file_name(path));
    auto parent = parent_path(path);
    if (name.empty() || !parent) return std::unexpected(system_failure(path, EINVAL));
    auto real_parent = canonical(parent->empty() ? "." : *parent);
    if (!real_parent) return std::unexpected(system_failure(*parent, errno));

    Placement placement;
    placement.original = join_path(*real_parent, name);
    placement.is_folder = S_ISDIR(status.st_mode);
    auto can = trash_can_for(home_can, uid, *real_parent, table);
    if (!can) return std::unexpected(can.error());
    placement.can = std::move(*can);

    // Trashing a can, a folder holding one, or something already inside one
    // would tangle the Trash up in itself.
    std::string real_can = canonical(placement.can.path).value_or(placement.can.path);
    if (path_starts_with(real_can, placement.original) || path_starts_with(placement.original, real_can))
        return std::unexpected(fmt::format("{}: the Trash cannot hold itself", shown(path)));

    const std::string& top = placement.can.top;
    if (top.empty()) {
        placement.stored_path = placement.original;
    } else {
        std::size_t skip = top == "/" ? 1 : top.size() + 1;
        placement.stored_path = placement.original.substr(std::min(skip, placement.original.size()));
    }
    return placement;
}

// Writes "info/<name>.trashinfo" exclusively. false when the name is taken
// (try another); an error when the record cannot be made.
std::expected<bool, std::string> create_record(const std::string& info_path, const std::string& text) {
    int fd = trash_sys::create_info(info_path);
    if (fd < 0) {
        if (errno == EEXIST) return false;
        return std::unexpected(system_failure(info_path, errno));
    }
    bool written = trash_sys::write_all(fd, text, trash_sys::Step::write_info);
    int err = written ? 0 : errno;
    if (trash_sys::close_file(fd, trash_sys::Step::close_info) != 0 && written) err = errno;
    if (written && err == 0) return true;
    if (trash_sys::remove_file(info_path, trash_sys::Step::remove_info) != 0)
        spdlog::warn("file_explorer::fileops: could not remove {}: {}", shown(info_path), std::strerror(errno));
    return std::unexpected(system_failure(info_path, err));
}

// Moves one planned item into its can and gives its path inside "files".
std::expected<std::string, std::string> trash_item(const Placement& placement) {
    std::string files = join_path(placement.can.path, "files");
    std::string info = join_path(placement.can.path, "info");
    std::string text = format_trash_info(placement.stored_path, local_now());
    std::string name(file_name(placement.original));
    for (int n = 1; n <= max_name_number; ++n) {
        std::string candidate = candidate_name(name, n);
        std::string target = join_path(files, candidate);
        if (exists(target)) continue;
        std::string info_path = join_path(info, candidate + std::string(info_suffix));
        auto created = create_record(info_path, text);
        if (!created) return std::unexpected(created.error());
        if (!*created) continue;

        int moved = trash_sys::rename_no_replace(placement.original, target);
        int err = errno;
        if (moved == 0) {
            if (placement.is_folder) update_directory_sizes(placement.can.path, candidate);
            return target;
        }
        // The item stays where it was, so its record goes again.
        if (trash_sys::remove_file(info_path, trash_sys::Step::remove_info) != 0) {
            return std::unexpected(fmt::format("{}; {}", system_failure(placement.original, err),
                                               system_failure(info_path, errno)));
        }
        if (err != EEXIST) return std::unexpected(system_failure(placement.original, err));
    }
    return std::unexpected(fmt::format("{}: no free name in the Trash", shown(placement.original)));
}

std::optional<std::string> read_record(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat status {};
    std::string text;
    bool ok = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    char buffer[4096];
    while (ok) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        text.append(buffer, static_cast<std::size_t>(n));
        ok = text.size() <= max_info_size;
    }
    close(fd);
    if (!ok) return std::nullopt;
    return text;
}

bool has_dot_dot(const std::string& path) {
    for (std::string_view part : path_components(path).parts)
        if (part == "..") return true;
    return false;
}

// The absolute original path of a record in `can`; none when unusable. The
// home trash stores absolute paths; per-mount cans may store either.
std::optional<std::string> original_of(const TrashInfo& info, const TrashCan& can) {
    if (has_dot_dot(info.path)) return std::nullopt;
    bool absolute = info.path.front() == '/';
    if (can.top.empty()) return absolute ? std::optional(info.path) : std::nullopt;
    return absolute ? info.path : join_path(can.top, info.path);
}

std::optional<TrashItem> read_item(const TrashCan& can, const std::string& info_name) {
    TrashItem item;
    item.can = can.path;
    item.top = can.top;
    item.name = info_name.substr(0, info_name.size() - info_suffix.size());
    item.info_path = join_path(join_path(can.path, "info"), info_name);
    item.files_path = join_path(join_path(can.path, "files"), item.name);
    auto text = read_record(item.info_path);
    if (!text) return std::nullopt;
    item.info_text = std::move(*text);
    if (auto info = parse_trash_info(item.info_text)) {
        item.original_path = original_of(*info, can);
        item.deletion_date = info->deletion_date;
    }
    return item;
}

bool is_item_name(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

std::expected<std::vector<TrashItem>, int> list_can(const TrashCan& can) {
    std::string info = join_path(can.path, "info");
    DIR* dir = opendir(info.c_str());
    if (!dir) return std::unexpected(errno);
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
        std::string_view name = entry->d_name;
        if (name.size() > info_suffix.size() && name.ends_with(info_suffix) &&
            is_item_name(name.substr(0, name.size() - info_suffix.size())))
            names.emplace_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    std::vector<TrashItem> items;
    for (const std::string& name : names)
        if (auto item = read_item(can, name)) items.push_back(std::move(*item));
    return items;
}

// An item is acted on only when it is exactly what a listing gives now:
// one of this user's cans, consistent paths, the same record.
std::expected<void, std::string> check_listed(const TrashItem& item, const std::vector<TrashCan>& cans) {
    bool known = std::any_of(cans.begin(), cans.end(), [&](const TrashCan& can) {
        return can.path == item.can && can.top == item.top;
    });
    std::string files = join_path(join_path(item.can, "files"), item.name);
    std::string info = join_path(join_path(item.can, "info"), item.name + std::string(info_suffix));
    if (!known || !is_item_name(item.name) || files != item.files_path || info != item.info_path)
        return std::unexpected(fmt::format("{}: not an item of the Trash", shown(item.files_path)));
    auto text = read_record(item.info_path);
    if (!text || *text != item.info_text)
        return std::unexpected(fmt::format("{}: the item changed in the Trash", shown(item.info_path)));
    return {};
}

// Creates the missing folders above a restored item (mode 0777 less umask).
std::expected<void, std::string> make_parents(const std::string& path) {
    auto parent = parent_path(path);
    if (!parent || parent->empty()) return {};
    struct stat status {};
    if (stat(parent->c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) return {};
        return std::unexpected(system_failure(*parent, ENOTDIR));
    }
    auto above = make_parents(*parent);
    if (!above) return above;
    if (trash_sys::make_folder(*parent, 0777) != 0 && errno != EEXIST)
        return std::unexpected(system_failure(*parent, errno));
    return {};
}

std::string collision(const std::string& path) {
    return fmt::format("{}: an item with that name already exists", shown(path));
}

std::expected<void, std::string> restore_item(const TrashItem& item) {
    if (!item.original_path) return std::unexpected(fmt::format("{}: unreadable trash record", shown(item.info_path)));
    const std::string& target = *item.original_path;
    struct stat status {};
    if (lstat(item.files_path.c_str(), &status) != 0) {
        if (errno == ENOENT) return std::unexpected(std::string(trash_data_missing));
        return std::unexpected(system_failure(item.files_path, errno));
    }
    if (exists(target)) return std::unexpected(collision(target));
    auto parents = make_parents(target);
    if (!parents) return parents;
    if (trash_sys::rename_no_replace(item.files_path, target) != 0)
        return std::unexpected(errno == EEXIST ? collision(target) : system_failure(target, errno));
    // The item is back; a record left behind only shows up as an item whose
    // data is missing, so it is not worth failing the restore over.
    if (trash_sys::remove_file(item.info_path, trash_sys::Step::remove_info) != 0)
        spdlog::warn("file_explorer::fileops: could not remove {}: {}", shown(item.info_path), std::strerror(errno));
    if (S_ISDIR(status.st_mode)) update_directory_sizes(item.can, std::nullopt, item.name);
    return {};
}

std::expected<void, std::string> purge_item(const TrashItem& item) {
    struct stat status {};
    bool folder = lstat(item.files_path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    int err = remove_tree(join_path(item.can, "files"), item.name);
    if (err != 0) return std::unexpected(system_failure(item.files_path, err));
    if (trash_sys::remove_file(item.info_path, trash_sys::Step::remove_info) != 0 && errno != ENOENT)
        return std::unexpected(system_failure(item.info_path, errno));
    // Only folders have a line in the cache.
    if (folder) update_directory_sizes(item.can, std::nullopt, item.name);
    return {};
}

std::optional<std::string> data_home_from_environment() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    // Relative values are invalid and ignored, as the base directory rules say.
    if (xdg && xdg[0] == '/') return std::string(xdg);
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return join_path(home, ".local/share");
    return std::nullopt;
}

}  // namespace

std::string TrashError::describe() const {
    switch (operation) {
        case TrashOperation::move:
            return "failed to move to trash: " + details;
        case TrashOperation::list:
            return "failed to list trash: " + details;
        case TrashOperation::restore:
            return "failed to restore from trash: " + details;
        case TrashOperation::purge:
            return "failed to purge from trash: " + details;
    }
    return details;
}

Trash::Trash(std::string data_home, uid_t uid)
    : data_home_(std::move(data_home)), home_can_(join_path(data_home_, "Trash")), uid_(uid) {}

std::optional<Trash> Trash::for_current_user() {
    auto data_home = data_home_from_environment();
    if (!data_home) return std::nullopt;
    return Trash(std::move(*data_home), getuid());
}

std::string Trash::home_files_folder() const { return join_path(home_can_, "files"); }

std::expected<std::vector<std::string>, TrashError> Trash::move_to_trash(const std::vector<std::string>& paths) const {
    // A missing item fails the whole request before anything moves.
    for (const std::string& path : paths) {
        struct stat status {};
        if (path.empty() || path.find('\0') != std::string::npos) return fail(TrashOperation::move, "empty path");
        if (lstat(path.c_str(), &status) != 0) return fail(TrashOperation::move, system_failure(path, errno));
    }
    std::vector<MountPoint> table = read_mount_table();
    std::vector<std::string> trashed;
    for (const std::string& path : paths) {
        auto placement = plan_item(path, home_can_, uid_, table);
        if (!placement) return fail(TrashOperation::move, placement.error());
        auto landed = trash_item(*placement);
        if (!landed) return fail(TrashOperation::move, landed.error());
        trashed.push_back(std::move(*landed));
    }
    return trashed;
}

std::expected<std::vector<TrashItem>, TrashError> Trash::list() const {
    std::vector<TrashItem> items;
    for (const TrashCan& can : existing_trash_cans(home_can_, uid_, read_mount_table())) {
        auto listed = list_can(can);
        if (listed) {
            std::move(listed->begin(), listed->end(), std::back_inserter(items));
            continue;
        }
        // Only the home trash must be readable; a can on some other mount
        // that cannot be read holds nothing we could show.
        if (can.top.empty() && listed.error() != ENOENT)
            return fail(TrashOperation::list, system_failure(join_path(can.path, "info"), listed.error()));
    }
    return items;
}

std::expected<void, TrashError> Trash::restore(const std::vector<TrashItem>& items) const {
    std::vector<TrashCan> cans = existing_trash_cans(home_can_, uid_, read_mount_table());
    for (const TrashItem& item : items) {
        auto checked = check_listed(item, cans);
        if (!checked) return fail(TrashOperation::restore, checked.error());
        auto restored = restore_item(item);
        if (!restored) return fail(TrashOperation::restore, restored.error());
    }
    return {};
}

std::expected<void, TrashError> Trash::purge(const std::vector<TrashItem>& items) const {
    std::vector<TrashCan> cans = existing_trash_cans(home_can_, uid_, read_mount_table());
    for (const TrashItem& item : items) {
        auto checked = check_listed(item, cans);
        if (!checked) return fail(TrashOperation::purge, checked.error());
        auto purged = purge_item(item);
        if (!purged) return fail(TrashOperation::purge, purged.error());
    }
    return {};
}

}  // namespace file_explorer::fileops
