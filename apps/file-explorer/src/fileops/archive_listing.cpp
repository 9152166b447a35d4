#include "fileops/archive_listing.h"

#include <string_view>
#include <unordered_map>

#include "fileops/archive_reader.h"

namespace file_explorer::fileops {
namespace {

// The member path below `inner` ("" for the root), or none when the member
// lies elsewhere or is `inner` itself.
std::optional<std::string_view> below(std::string_view path, std::string_view inner) {
    if (inner.empty()) return path;
    if (path.size() <= inner.size() + 1 || !path.starts_with(inner) || path[inner.size()] != '/') return std::nullopt;
    return path.substr(inner.size() + 1);
}

}  // namespace

std::expected<std::vector<ArchiveEntry>, std::string> read_archive_index(const std::string& archive) {
    auto reader = ArchiveReader::open(archive);
    if (!reader) return std::unexpected(reader.error());
    std::vector<ArchiveEntry> index;
    for (;;) {
        auto member = reader->next();
        if (!member) return std::unexpected(member.error());
        if (!*member) return index;
        bool is_dir = (*member)->kind == MemberKind::folder;
        index.push_back(ArchiveEntry{std::move((*member)->path), is_dir ? 0 : (*member)->size, is_dir});
    }
}

std::expected<std::vector<ArchiveEntry>, std::string> list_archive_folder(const std::string& archive,
                                                                          const std::string& inner) {
    std::string folder;
    if (!inner.empty()) {
        // A path made only of "." components is the root as well.
        auto sanitized = sanitize_entry_path(inner);
        if (sanitized) folder = std::move(*sanitized);
        else if (sanitized.error() != "empty archive entry") return std::unexpected(sanitized.error());
    }
    auto index = read_archive_index(archive);
    if (!index) return std::unexpected(index.error());

    std::vector<ArchiveEntry> children;
    std::unordered_map<std::string, std::size_t> by_name;
    for (const ArchiveEntry& entry : *index) {
        auto rest = below(entry.path, folder);
        if (!rest) continue;
        std::size_t slash = rest->find('/');
        std::string_view name = rest->substr(0, slash);
        bool is_dir = entry.is_dir || slash != std::string_view::npos;
        auto [it, added] = by_name.try_emplace(std::string(name), children.size());
        if (added) {
            std::string path = folder.empty() ? std::string(name) : folder + "/" + std::string(name);
            children.push_back(ArchiveEntry{std::move(path), is_dir ? 0 : entry.size, is_dir});
            continue;
        }
        ArchiveEntry& child = children[it->second];
        if (is_dir && !child.is_dir) child = ArchiveEntry{std::move(child.path), 0, true};
    }
    return children;
}

}  // namespace file_explorer::fileops
