#include "fileops/trash_ops.h"

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "fileops/paths.h"

namespace file_explorer::fileops {
namespace {

std::string no_data_folder(TrashOperation operation) {
    return TrashError{operation, "no data folder: neither XDG_DATA_HOME nor HOME is set"}.describe();
}

std::vector<TrashItem> matching(std::vector<TrashItem> listed, const std::vector<std::string>& paths) {
    std::vector<TrashItem> found;
    for (TrashItem& item : listed) {
        bool wanted = std::any_of(paths.begin(), paths.end(), [&](const std::string& path) {
            auto folder = parent_path(path);
            return file_name(path) == item.name && folder && same_path(*folder, join_path(item.can, "files"));
        });
        if (wanted) found.push_back(std::move(item));
    }
    return found;
}

std::expected<std::vector<TrashItem>, std::string> find_items(const Trash& trash, const std::vector<std::string>& paths) {
    auto listed = trash.list();
    if (!listed) return std::unexpected(listed.error().describe());
    return matching(std::move(*listed), paths);
}

}  // namespace

std::optional<std::string> trash_files_folder() {
    auto trash = Trash::for_current_user();
    if (!trash) return std::nullopt;
    return trash->home_files_folder();
}

void ensure_trash_files_folder() {
    auto folder = trash_files_folder();
    if (!folder) return;
    std::error_code ignored;
    std::filesystem::create_directories(*folder, ignored);
}

std::optional<std::vector<std::string>> trash_snapshot() {
    auto folder = trash_files_folder();
    if (!folder) return std::nullopt;
    std::vector<std::string> paths;
    DIR* dir = opendir(folder->c_str());
    // A Trash not made yet holds nothing; without this the very first Move
    // to Trash could never be undone.
    if (!dir && errno == ENOENT) return paths;
    if (!dir) return std::nullopt;
    while (dirent* entry = readdir(dir)) {
        std::string_view name = entry->d_name;
        if (name != "." && name != "..") paths.push_back(join_path(*folder, name));
    }
    closedir(dir);
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::expected<void, std::string> move_to_trash(const std::vector<std::string>& paths) {
    auto trash = Trash::for_current_user();
    if (!trash) return std::unexpected(no_data_folder(TrashOperation::move));
    auto moved = trash->move_to_trash(paths);
    if (!moved) return std::unexpected(moved.error().describe());
    return {};
}

std::expected<std::vector<TrashItem>, std::string> find_trash_items(const std::vector<std::string>& paths) {
    auto trash = Trash::for_current_user();
    if (!trash) return std::unexpected(no_data_folder(TrashOperation::list));
    return find_items(*trash, paths);
}

std::expected<std::size_t, std::string> restore_trash_entries(const std::vector<std::string>& paths) {
    auto trash = Trash::for_current_user();
    if (!trash) return std::unexpected(no_data_folder(TrashOperation::restore));
    auto items = find_items(*trash, paths);
    if (!items) return std::unexpected(items.error());
    auto restored = trash->restore(*items);
    if (!restored) return std::unexpected(restored.error().describe());
    return items->size();
}

std::expected<std::size_t, std::string> purge_trash_entries(const std::vector<std::string>& paths) {
    auto trash = Trash::for_current_user();
    if (!trash) return std::unexpected(no_data_folder(TrashOperation::purge));
    auto items = find_items(*trash, paths);
    if (!items) return std::unexpected(items.error());
    auto purged = trash->purge(*items);
    if (!purged) return std::unexpected(purged.error().describe());
    return items->size();
}

std::expected<std::size_t, std::string> empty_trash() {
    auto trash = Trash::for_current_user();
    if (!trash) return std::unexpected(no_data_folder(TrashOperation::list));
    auto listed = trash->list();
    if (!listed) return std::unexpected(listed.error().describe());
    auto purged = trash->purge(*listed);
    if (!purged) return std::unexpected(purged.error().describe());
    return listed->size();
}

}  // namespace file_explorer::fileops
