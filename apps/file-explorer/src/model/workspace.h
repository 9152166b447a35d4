// Workspace roots: the folders whose items carry collaborative state.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace file_explorer::model {

// The roots, in order. With `env_value` (the value of VESK_WORKSPACE_ROOTS,
// when set): its ":"-separated non-empty pieces that exist (links followed),
// and no defaults. Without: "/var/workspace" when it exists, then `home`
// joined with "Shared" when it exists and is not already listed.
std::vector<std::string> resolve_workspace_roots(std::optional<std::string_view> env_value,
                                                 const std::optional<std::string>& home);

// resolve_workspace_roots with the environment and the given home folder.
std::vector<std::string> workspace_roots(const std::optional<std::string>& home);

// resolve_workspace_roots with the environment and user_home().
std::vector<std::string> workspace_roots();

// $HOME when set and non-empty, else the home folder of the user database.
std::optional<std::string> user_home();

// Whether `path` is one of the roots or lies inside one, component-wise.
bool is_collaborative_path(std::string_view path, const std::vector<std::string>& roots);

}  // namespace file_explorer::model
