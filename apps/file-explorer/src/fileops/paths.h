// Byte-string paths.
//
// A path is a std::string holding the raw bytes the kernel takes: no encoding
// is assumed, so names that are not valid UTF-8 keep working for every file
// operation. std::filesystem::path is avoided on purpose: it keeps a heap list
// of its components, which listings of 100,000 entries cannot afford.
//
// Component rules: "/" separates components; repeated separators, a trailing
// separator and "." components (except a leading one) do not count. So
// "/a//b/" and "/a/./b" are the same path as "/a/b", while "/a/b" and "a/b"
// are different (one is absolute).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace file_explorer::fileops {

struct PathComponents {
    bool absolute = false;
    std::vector<std::string_view> parts;  // views into the parsed path
};

PathComponents path_components(std::string_view path);

// folder + "/" + name; an absolute `name` replaces the folder; an empty folder
// gives `name` alone.
std::string join_path(std::string_view folder, std::string_view name);

// The path without its last component; none for "/", "" and paths whose last
// component is "..". The parent of a single relative name is "".
std::optional<std::string> parent_path(std::string_view path);

// The last component when it is an ordinary name, else empty ("/", "..").
std::string_view file_name(std::string_view path);

// Component-wise equality and prefix test: "/var/workspace/a" starts with
// "/var/workspace", "/var/workspace2" does not.
bool same_path(std::string_view a, std::string_view b);
bool path_starts_with(std::string_view path, std::string_view base);

}  // namespace file_explorer::fileops
