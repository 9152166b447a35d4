#include "fileops/trash_mounts.h"

#include <sys/stat.h>

#include <array>
#include <fstream>
#include <sstream>

#include "fileops/paths.h"

namespace file_explorer::fileops {
namespace {

// mountinfo writes space, tab, newline and backslash as "\ooo".
std::string decode_octal(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            std::string_view digits = field.substr(i + 1, 3);
            bool octal = digits.size() == 3 && digits.find_first_not_of("01234567") == std::string_view::npos;
            if (octal) {
                out.push_back(static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0')));
                i += 3;
                continue;
            }
        }
        out.push_back(field[i]);
    }
    return out;
}

std::vector<std::string_view> split_spaces(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t pos = 0;
    while (pos < line.size()) {
        std::size_t end = line.find(' ', pos);
        if (end == std::string_view::npos) end = line.size();
        if (end > pos) out.push_back(line.substr(pos, end - pos));
        pos = end + 1;
    }
    return out;
}

std::optional<std::string> walk_up_device(const std::string& path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) return std::nullopt;
    std::string top = path;
    while (true) {
        auto parent = parent_path(top);
        if (!parent || parent->empty() || same_path(*parent, top)) return top;
        struct stat parent_status {};
        if (lstat(parent->c_str(), &parent_status) != 0 || parent_status.st_dev != status.st_dev) return top;
        top = *parent;
    }
}

}  // namespace

std::vector<MountPoint> parse_mountinfo(std::string_view text) {
    std::vector<MountPoint> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::vector<std::string_view> fields = split_spaces(text.substr(pos, end - pos));
        pos = end + 1;
        // id parent major:minor root mount-point options [optional...] - type source super-options
        std::size_t dash = 6;
        while (dash < fields.size() && fields[dash] != "-") ++dash;
        if (fields.size() < 5 || dash + 1 >= fields.size()) continue;
        std::string path = decode_octal(fields[4]);
        if (path.empty() || path.front() != '/') continue;
        out.push_back(MountPoint{std::move(path), std::string(fields[dash + 1])});
    }
    return out;
}

std::vector<MountPoint> read_mount_table() {
    std::ifstream in("/proc/self/mountinfo");
    if (!in) return {};
    std::stringstream text;
    text << in.rdbuf();
    return parse_mountinfo(text.str());
}

bool may_hold_trash(std::string_view type) {
    static constexpr std::array<std::string_view, 20> skipped = {
        "autofs",    "proc",      "sysfs",     "cgroup",  "cgroup2",     "devpts",    "mqueue",
        "debugfs",   "tracefs",   "securityfs", "pstore", "bpf",         "configfs",  "fusectl",
        "hugetlbfs", "binfmt_misc", "nsfs",    "rpc_pipefs", "efivarfs", "selinuxfs",
    };
    for (std::string_view s : skipped)
        if (type == s) return false;
    return true;
}

std::optional<std::string> mount_top(const std::string& path, const std::vector<MountPoint>& table) {
    if (table.empty()) return walk_up_device(path);
    const MountPoint* best = nullptr;
    std::size_t best_depth = 0;
    for (const MountPoint& mount : table) {
        if (!path_starts_with(path, mount.path)) continue;
        std::size_t depth = path_components(mount.path).parts.size();
        // Later lines mount over earlier ones at the same place.
        if (!best || depth >= best_depth) {
            best = &mount;
            best_depth = depth;
        }
    }
    if (!best) return walk_up_device(path);
    return best->path;
}

}  // namespace file_explorer::fileops
