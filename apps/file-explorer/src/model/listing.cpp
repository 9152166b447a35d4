#include "model/listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>

#include "fileops/paths.h"
#include "fileops/text.h"
#include "model/mime.h"

namespace file_explorer::model {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// Far beyond any date a local calendar can show; such times count as unreadable.
constexpr std::int64_t kLargestShownSeconds = std::int64_t{1} << 55;

std::optional<ModifiedTime> modification_time(const struct stat& status) {
    std::int64_t seconds = status.st_mtim.tv_sec;
    long nanos = status.st_mtim.tv_nsec;
    if (seconds > kLargestShownSeconds || seconds < -kLargestShownSeconds) return std::nullopt;
    if (nanos < 0 || nanos >= 1'000'000'000) return std::nullopt;
    return ModifiedTime{seconds, static_cast<std::uint32_t>(nanos)};
}

void read_collab_fields(FileEntry& entry) {
    if (!entry.is_dir) {
        entry.sync_state = read_sync_state(entry.path).value_or(SyncState::Unknown);
        if (auto hash = read_content_hash(entry.path)) entry.collab.edit().content_hash = *hash;
    }
    if (auto id = read_record_id(entry.path)) entry.collab.edit().record_id = *id;
    if (auto availability = read_availability(entry.path)) entry.collab.edit().availability = *availability;
    if (auto share = read_share(entry.path)) entry.collab.edit().share = *share;
    if (auto history = read_history(entry.path)) entry.collab.edit().history = *history;
    if (!entry.is_dir) {
        if (auto metadata = read_metadata(entry.path)) entry.collab.edit().metadata = *metadata;
    }
}

FileEntry make_entry(const std::string& folder, std::string_view raw_name, const struct stat* status,
                     bool collaborative) {
    FileEntry entry;
    entry.path = fileops::join_path(folder, raw_name);
    entry.is_dir = status && S_ISDIR(status->st_mode);
    entry.mime = guess_mime(raw_name);
    if (collaborative) read_collab_fields(entry);
    entry.name = fileops::lossy_utf8(raw_name);
    if (status) {
        entry.modified = modification_time(*status);
        entry.size = static_cast<std::uint64_t>(status->st_size);
    }
    return entry;
}

}  // namespace

std::expected<std::vector<FileEntry>, std::string> list_directory(const std::string& folder, bool collaborative) {
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) return std::unexpected(std::string(std::strerror(errno)));
    int fd = dirfd(dir.get());

    std::vector<FileEntry> entries;
    while (const dirent* item = readdir(dir.get())) {
        std::string_view raw_name = item->d_name;
        if (raw_name == "." || raw_name == "..") continue;
        struct stat status {};
        bool have_status = fstatat(fd, item->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0;
        entries.push_back(make_entry(folder, raw_name, have_status ? &status : nullptr, collaborative));
    }
    return entries;
}

}  // namespace file_explorer::model
