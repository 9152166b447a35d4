#include "fileops/archive_location.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "fileops/paths.h"

namespace file_explorer::fileops {
namespace {

bool equals_ascii_nocase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// Splits a file name into stem and extension; the extension is what follows
// the last "." unless that "." starts the name.
struct StemAndExtension {
    std::string_view stem;
    std::optional<std::string_view> extension;
};

StemAndExtension split_extension(std::string_view name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || name == "..") return {name, std::nullopt};
    return {name.substr(0, dot), name.substr(dot + 1)};
}

std::string join_components(const std::vector<std::string_view>& parts, std::size_t begin, std::size_t end,
                            bool absolute) {
    std::string out = absolute ? "/" : "";
    for (std::size_t i = begin; i < end; ++i) {
        if (i > begin) out.push_back('/');
        out.append(parts[i]);
    }
    return out;
}

bool is_regular_file(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

bool is_archive_name(std::string_view path) {
    std::string_view name = file_name(path);
    if (name.empty()) return false;
    auto [stem, extension] = split_extension(name);
    if (!extension) return false;
    for (std::string_view kind : {"zip", "tar", "tgz"}) {
        if (equals_ascii_nocase(*extension, kind)) return true;
    }
    if (!equals_ascii_nocase(*extension, "gz")) return false;
    auto inner = split_extension(stem).extension;
    return inner && equals_ascii_nocase(*inner, "tar");
}

std::optional<ArchiveLocation> find_archive_location(std::string_view path) {
    PathComponents c = path_components(path);
    for (std::size_t n = c.parts.size(); n > 0; --n) {
        // The name test is free; only a plausible name costs a status read.
        if (!is_archive_name(c.parts[n - 1])) continue;
        std::string candidate = join_components(c.parts, 0, n, c.absolute);
        if (!is_regular_file(candidate)) continue;
        return ArchiveLocation{candidate, join_components(c.parts, n, c.parts.size(), false)};
    }
    return std::nullopt;
}

}  // namespace file_explorer::fileops
