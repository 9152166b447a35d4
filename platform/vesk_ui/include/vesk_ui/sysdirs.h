// The user's home and standard folders (XDG user directories).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk_ui::sysdirs {

// The value of VESK_UI_HOME when it is set and not empty: the toolkit's
// override of the home folder (tests, demos, sandboxed sessions).
std::optional<std::string> user_home_override();
// The override, else $HOME, else the password database's entry; empty when
// none of them is known.
std::string home_dir();

enum class StandardDir : std::uint8_t {
    Desktop, Documents, Downloads, Music, Pictures, Videos, Templates, PublicShare,
};
const char* standard_dir_name(StandardDir dir);

struct UserDirs {
    std::string home;
    // Absolute paths; empty when the folder is not configured (a folder set
    // to the home folder itself counts as not configured, as xdg-user-dirs
    // uses that to disable one).
    std::string desktop;
    std::string documents;
    std::string downloads;
    std::string music;
    std::string pictures;
    std::string videos;
    std::string templates;
    std::string public_share;

    // Reads $XDG_CONFIG_HOME/user-dirs.dirs (default ~/.config) for the
    // home folder of home_dir(); missing entries get the usual English names
    // only when those folders exist.
    static UserDirs from_system();
    // Same with explicit inputs, for tests.
    static UserDirs from_text(std::string_view user_dirs_file, const std::string& home);

    const std::string& path_of(StandardDir dir) const;
    // Which standard folder `path` is, if any (trailing slashes ignored).
    std::optional<StandardDir> classify(std::string_view path) const;
    // Documents, Downloads, Pictures, Music, Videos: the configured ones
    // that exist, in that order, for the sidebar.
    std::vector<std::string> content_places() const;
};

}  // namespace vesk_ui::sysdirs
