#include "model/workspace.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "fileops/paths.h"

namespace file_explorer::model {
namespace {

bool exists(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0;
}

bool contains_path(const std::vector<std::string>& list, std::string_view path) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& p) { return fileops::same_path(p, path); });
}

}  // namespace

std::vector<std::string> resolve_workspace_roots(std::optional<std::string_view> env_value,
                                                 const std::optional<std::string>& home) {
    std::vector<std::string> roots;
    if (env_value) {
        std::string_view rest = *env_value;
        while (true) {
            std::size_t colon = rest.find(':');
            std::string piece(rest.substr(0, colon));
            if (!piece.empty() && exists(piece)) roots.push_back(piece);
            if (colon == std::string_view::npos) break;
            rest.remove_prefix(colon + 1);
        }
        return roots;
    }
    if (exists("/var/workspace")) roots.emplace_back("/var/workspace");
    if (home) {
        std::string shared = fileops::join_path(*home, "Shared");
        if (exists(shared) && !contains_path(roots, shared)) roots.push_back(shared);
    }
    return roots;
}

std::vector<std::string> workspace_roots(const std::optional<std::string>& home) {
    const char* env = std::getenv("VESK_WORKSPACE_ROOTS");
    return resolve_workspace_roots(env ? std::optional<std::string_view>(env) : std::nullopt, home);
}

std::vector<std::string> workspace_roots() { return workspace_roots(user_home()); }

std::optional<std::string> user_home() {
    const char* env = std::getenv("HOME");
    if (env && *env) return std::string(env);
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
    struct passwd pw {};
    struct passwd* found = nullptr;
    if (getpwuid_r(getuid(), &pw, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return std::nullopt;
    return std::string(found->pw_dir);
}

bool is_collaborative_path(std::string_view path, const std::vector<std::string>& roots) {
    return std::any_of(roots.begin(), roots.end(),
                       [&](const std::string& root) { return fileops::path_starts_with(path, root); });
}

}  // namespace file_explorer::model
