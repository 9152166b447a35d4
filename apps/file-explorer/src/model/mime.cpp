#include "model/mime.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

namespace file_explorer::model {
namespace {

struct MimeGlob {
    std::string_view suffix;  // after "*."
    MimeType mime;
};

#include "model/mime_table.inc"

const MimeType* find_glob(std::span<const MimeGlob> table, std::string_view suffix) {
    auto it = std::lower_bound(table.begin(), table.end(), suffix,
                               [](const MimeGlob& glob, std::string_view key) { return glob.suffix < key; });
    if (it == table.end() || it->suffix != suffix) return nullptr;
    return &it->mime;
}

}  // namespace

MimeType guess_mime(std::string_view file_name) {
    // Every "." starts a candidate suffix; the first one gives the longest.
    for (std::size_t dot = file_name.find('.'); dot != std::string_view::npos;
         dot = file_name.find('.', dot + 1)) {
        std::string_view suffix = file_name.substr(dot + 1);
        if (suffix.empty() || suffix.size() > kLongestGlobSuffix) continue;
        if (const MimeType* m = find_glob(kCaseSensitiveGlobs, suffix)) return *m;
        std::array<char, kLongestGlobSuffix> lower{};
        std::transform(suffix.begin(), suffix.end(), lower.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
        if (const MimeType* m = find_glob(kCaseInsensitiveGlobs, std::string_view(lower.data(), suffix.size())))
            return *m;
    }
    return kOctetStream;
}

}  // namespace file_explorer::model
