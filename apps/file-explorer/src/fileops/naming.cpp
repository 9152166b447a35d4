#include "fileops/naming.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"

namespace file_explorer::fileops {
namespace {

std::string system_error(int err) { return std::strerror(err); }

std::optional<std::string> canonical_path(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) return std::nullopt;
    return std::string(resolved.get());
}

// The target exists; it may still be the item itself under another spelling
// (a case-only change on a file system that ignores case).
bool is_same_item(const std::string& path, const std::string& target, const struct stat& target_status) {
    if (S_ISLNK(target_status.st_mode)) return false;
    struct stat item_status {};
    if (lstat(path.c_str(), &item_status) != 0 || S_ISLNK(item_status.st_mode)) return false;
    auto a = canonical_path(path);
    auto b = canonical_path(target);
    return a && b && *a == *b;
}

std::string name_exists(const std::string& name) {
    return i18n::tr_args("files-name-exists", i18n::Args().text("name", name));
}

// Moves `path` to the free name `target` without ever replacing an item that
// appears there meanwhile.
std::expected<void, std::string> rename_no_replace(const std::string& path, const std::string& target,
                                                   const std::string& name) {
    if (renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return {};
    int err = errno;
    if (err == EEXIST) return std::unexpected(name_exists(name));
    if (err != EINVAL) return std::unexpected(system_error(err));
    // The file system does not support the no-replace flag: check again and
    // fall back to the plain rename.
    struct stat status {};
    if (lstat(target.c_str(), &status) == 0) return std::unexpected(name_exists(name));
    if (std::rename(path.c_str(), target.c_str()) != 0) return std::unexpected(system_error(errno));
    return {};
}

}  // namespace

std::expected<std::string, std::string> validate_entry_name(std::string_view text) {
    std::string_view name = trim_white_space(text);
    if (name.empty()) return std::unexpected(i18n::tr("files-name-empty"));
    if (name.find('/') != std::string_view::npos || name == "." || name == "..")
        return std::unexpected(i18n::tr("files-name-slash"));
    return std::string(name);
}

std::expected<std::string, std::string> rename_entry(const std::string& path, std::string_view text) {
    auto name = validate_entry_name(text);
    if (!name) return std::unexpected(name.error());
    // The C interfaces would cut the name at a NUL byte and act on another name.
    if (name->find('\0') != std::string::npos) return std::unexpected(std::string("file name contained an unexpected NUL byte"));
    auto parent = parent_path(path);
    if (!parent) return std::unexpected(i18n::tr("files-no-parent"));
    std::string target = join_path(*parent, *name);
    if (same_path(target, path)) return target;

    struct stat target_status {};
    if (lstat(target.c_str(), &target_status) != 0) {
        auto moved = rename_no_replace(path, target, *name);
        if (!moved) return std::unexpected(moved.error());
        return target;
    }
    if (!is_same_item(path, target, target_status)) return std::unexpected(name_exists(*name));
    // Same item: a no-replace rename would refuse the item's own other spelling.
    if (std::rename(path.c_str(), target.c_str()) != 0) return std::unexpected(system_error(errno));
    return target;
}

}  // namespace file_explorer::fileops
