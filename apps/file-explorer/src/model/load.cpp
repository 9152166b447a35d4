#include "model/load.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "fileops/archive_listing.h"
#include "fileops/archive_location.h"
#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"
#include "model/listing.h"
#include "model/mime.h"
#include "model/workspace.h"

namespace file_explorer::model {
namespace {

void create_trash_folder(const std::string& path) {
    std::error_code ignored;  // a failure shows up as the read error
    std::filesystem::create_directories(path, ignored);
}

void drop_hidden(std::vector<FileEntry>& entries) {
    std::erase_if(entries, [](const FileEntry& e) { return !e.name.empty() && e.name.front() == '.'; });
}

}  // namespace

std::expected<std::vector<FileEntry>, std::string> list_archive_entries(const std::string& archive,
                                                                        const std::string& inner) {
    auto members = fileops::list_archive_folder(archive, inner);
    if (!members) return std::unexpected(members.error());
    std::vector<FileEntry> entries;
    entries.reserve(members->size());
    for (const fileops::ArchiveEntry& member : *members) {
        std::string_view raw_name = fileops::file_name(member.path);
        FileEntry entry;
        entry.name = fileops::lossy_utf8(raw_name);
        entry.path = fileops::join_path(archive, member.path);
        entry.is_dir = member.is_dir;
        entry.size = member.size;
        entry.mime = member.is_dir ? kDirectoryMime : guess_mime(raw_name);
        entries.push_back(std::move(entry));
    }
    return entries;
}

LoadOutcome load_location(const std::string& path, const LoadOptions& options) {
    if (options.trash_files_folder && fileops::same_path(path, *options.trash_files_folder))
        create_trash_folder(path);

    LoadOutcome outcome;
    std::expected<std::vector<FileEntry>, std::string> listed;
    if (auto location = fileops::find_archive_location(path)) {
        outcome.is_archive = true;
        listed = list_archive_entries(location->archive, location->inner);
    } else {
        listed = list_directory(path, is_collaborative_path(path, options.workspace_roots));
    }

    if (!listed) {
        outcome.error = i18n::tr_args("files-directory-read-failed", i18n::Args().text("error", listed.error()));
        return outcome;
    }
    outcome.entries = std::move(*listed);
    if (!options.show_hidden) drop_hidden(outcome.entries);
    // A listing grows by doubling; the entries live until the next load.
    outcome.entries.shrink_to_fit();
    sort_entries(outcome.entries, options.sort.key, options.sort.direction);
    if (outcome.is_archive) outcome.status_message = i18n::tr("files-archive-read-only");
    return outcome;
}

std::string status_text(const std::optional<std::string>& status_message, std::size_t entry_count,
                        std::size_t selected_count) {
    std::string base = status_message
                           ? *status_message
                           : i18n::tr_args("files-item-count",
                                           i18n::Args().number("count", static_cast<double>(entry_count)));
    if (selected_count == 0) return base;
    return i18n::tr_args("files-selected-count", i18n::Args()
                                                     .text("base", std::move(base))
                                                     .number("count", static_cast<double>(selected_count)));
}

}  // namespace file_explorer::model
