#include "fileops/paths.h"

#include <algorithm>

namespace file_explorer::fileops {

PathComponents path_components(std::string_view path) {
    PathComponents out;
    out.absolute = !path.empty() && path.front() == '/';
    std::size_t pos = 0;
    bool first = true;
    while (pos <= path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string_view::npos) end = path.size();
        std::string_view part = path.substr(pos, end - pos);
        // "." only counts at the start of a relative path ("./a").
        bool keep = !part.empty() && (part != "." || (first && !out.absolute));
        if (keep) out.parts.push_back(part);
        first = false;
        pos = end + 1;
    }
    return out;
}

std::string join_path(std::string_view folder, std::string_view name) {
    if (!name.empty() && name.front() == '/') return std::string(name);
    if (folder.empty()) return std::string(name);
    std::string out;
    out.reserve(folder.size() + 1 + name.size());
    out.append(folder);
    if (out.back() != '/') out.push_back('/');
    out.append(name);
    return out;
}

std::optional<std::string> parent_path(std::string_view path) {
    PathComponents c = path_components(path);
    if (c.parts.empty()) return std::nullopt;
    if (c.parts.back() == "..") return std::nullopt;
    std::string out = c.absolute ? "/" : "";
    for (std::size_t i = 0; i + 1 < c.parts.size(); ++i) {
        if (i > 0) out.push_back('/');
        out.append(c.parts[i]);
    }
    return out;
}

std::string_view file_name(std::string_view path) {
    PathComponents c = path_components(path);
    if (c.parts.empty()) return {};
    std::string_view last = c.parts.back();
    if (last == ".." || last == ".") return {};
    return last;
}

bool same_path(std::string_view a, std::string_view b) {
    if (a == b) return true;
    PathComponents ca = path_components(a);
    PathComponents cb = path_components(b);
    return ca.absolute == cb.absolute && ca.parts == cb.parts;
}

bool path_starts_with(std::string_view path, std::string_view base) {
    PathComponents cp = path_components(path);
    PathComponents cb = path_components(base);
    if (cp.absolute != cb.absolute || cb.parts.size() > cp.parts.size()) return false;
    return std::equal(cb.parts.begin(), cb.parts.end(), cp.parts.begin());
}

}  // namespace file_explorer::fileops
