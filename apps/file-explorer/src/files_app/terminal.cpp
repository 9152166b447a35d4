#include "files_app/terminal.h"

#include <spawn.h>

#include <cstring>

extern char** environ;

namespace file_explorer::files_app {

std::expected<void, std::string> start_terminal(const std::string& folder) {
    posix_spawn_file_actions_t actions;
    if (int err = ::posix_spawn_file_actions_init(&actions); err != 0) return std::unexpected(std::strerror(err));
    int err = ::posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    if (err == 0) {
        char* argv[] = {const_cast<char*>("terminal"), nullptr};
        pid_t pid = 0;
        err = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ);
    }
    ::posix_spawn_file_actions_destroy(&actions);
    if (err != 0) return std::unexpected(std::strerror(err));
    return {};
}

}  // namespace file_explorer::files_app
