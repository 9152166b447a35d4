#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <iterator>
#include <fstream>
#include <sstream>

#include "vesk_ui/sysdirs.h"

namespace vesk_ui::sysdirs {

namespace {

std::optional<std::string> env(const char* name) {
    const char* v = std::getenv(name);
    if (!v || !*v) return std::nullopt;
    return std::string(v);
}

bool is_dir(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string strip_trailing_slashes(std::string_view p) {
    while (p.size() > 1 && p.back() == '/') p.remove_suffix(1);
    return std::string(p);
}

std::string join(const std::string& home, std::string_view rest) {
    if (rest.empty()) return home;
    if (home.empty() || home.back() == '/') return home + std::string(rest);
    return home + "/" + std::string(rest);
}

// The value part of a user-dirs.dirs line: "$HOME/Foo", "/abs/path", with
// the shell quoting xdg-user-dirs writes (double quotes, backslash escapes).
std::optional<std::string> parse_value(std::string_view raw, const std::string& home) {
    while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\t' || raw.back() == '\r')) raw.remove_suffix(1);
    std::string value;
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"') {
        raw = raw.substr(1, raw.size() - 2);
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\\' && i + 1 < raw.size()) ++i;
            value += raw[i];
        }
    } else {
        value = std::string(raw);
    }
    std::string result;
    if (value == "$HOME") {
        result = home;
    } else if (value.starts_with("$HOME/")) {
        result = join(home, std::string_view(value).substr(6));
    } else if (value.starts_with("/")) {
        result = value;
    } else {
        // The format only allows $HOME-relative or absolute paths.
        return std::nullopt;
    }
    return strip_trailing_slashes(result);
}

struct KeyField {
    std::string_view key;
    std::string UserDirs::*field;
    std::string_view english;
};

constexpr KeyField key_fields[] = {
    {"XDG_DESKTOP_DIR", &UserDirs::desktop, "Desktop"},
    {"XDG_DOCUMENTS_DIR", &UserDirs::documents, "Documents"},
    {"XDG_DOWNLOAD_DIR", &UserDirs::downloads, "Downloads"},
    {"XDG_MUSIC_DIR", &UserDirs::music, "Music"},
    {"XDG_PICTURES_DIR", &UserDirs::pictures, "Pictures"},
    {"XDG_VIDEOS_DIR", &UserDirs::videos, "Videos"},
    {"XDG_TEMPLATES_DIR", &UserDirs::templates, "Templates"},
    {"XDG_PUBLICSHARE_DIR", &UserDirs::public_share, "Public"},
};

}  // namespace

std::optional<std::string> user_home_override() { return env("VESK_UI_HOME"); }

std::string home_dir() {
    if (auto o = user_home_override()) return strip_trailing_slashes(*o);
    if (auto h = env("HOME")) return strip_trailing_slashes(*h);
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir) return pw->pw_dir;
    return {};
}

const char* standard_dir_name(StandardDir dir) {
    switch (dir) {
        case StandardDir::Desktop: return "desktop";
        case StandardDir::Documents: return "documents";
        case StandardDir::Downloads: return "downloads";
        case StandardDir::Music: return "music";
        case StandardDir::Pictures: return "pictures";
        case StandardDir::Videos: return "videos";
        case StandardDir::Templates: return "templates";
        case StandardDir::PublicShare: return "public_share";
    }
    return "";
}

namespace {

constexpr std::size_t key_count = std::size(key_fields);

UserDirs parse_file(std::string_view text, const std::string& home, bool (&seen)[key_count]) {
    UserDirs dirs;
    dirs.home = home;
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        std::string_view l = line;
        while (!l.empty() && (l.front() == ' ' || l.front() == '\t')) l.remove_prefix(1);
        if (l.empty() || l.front() == '#') continue;
        auto eq = l.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = l.substr(0, eq);
        for (std::size_t k = 0; k < key_count; ++k) {
            const auto& kf = key_fields[k];
            if (kf.key != key) continue;
            seen[k] = true;
            auto value = parse_value(l.substr(eq + 1), home);
            // A folder set to the home folder means "disabled".
            if (value && *value != strip_trailing_slashes(home)) dirs.*kf.field = *value;
            else dirs.*kf.field = std::string();
        }
    }
    return dirs;
}

}  // namespace

UserDirs UserDirs::from_text(std::string_view text, const std::string& home) {
    bool seen[key_count] = {};
    return parse_file(text, home, seen);
}

UserDirs UserDirs::from_system() {
    std::string home = home_dir();
    std::string config = env("XDG_CONFIG_HOME").value_or(join(home, ".config"));
    std::string text;
    if (std::ifstream f(join(config, "user-dirs.dirs")); f) {
        std::ostringstream ss;
        ss << f.rdbuf();
        text = ss.str();
    }
    bool seen[key_count] = {};
    UserDirs dirs = parse_file(text, home, seen);
    // Without an entry, fall back to the conventional folder when it exists.
    for (std::size_t k = 0; k < key_count; ++k) {
        const auto& kf = key_fields[k];
        if (seen[k] || home.empty()) continue;
        std::string guess = join(home, kf.english);
        if (is_dir(guess)) dirs.*kf.field = guess;
    }
    return dirs;
}

const std::string& UserDirs::path_of(StandardDir dir) const {
    switch (dir) {
        case StandardDir::Desktop: return desktop;
        case StandardDir::Documents: return documents;
        case StandardDir::Downloads: return downloads;
        case StandardDir::Music: return music;
        case StandardDir::Pictures: return pictures;
        case StandardDir::Videos: return videos;
        case StandardDir::Templates: return templates;
        case StandardDir::PublicShare: return public_share;
    }
    return desktop;
}

std::optional<StandardDir> UserDirs::classify(std::string_view path) const {
    std::string p = strip_trailing_slashes(path);
    if (p.empty()) return std::nullopt;
    for (auto dir : {StandardDir::Desktop, StandardDir::Documents, StandardDir::Downloads, StandardDir::Music,
                     StandardDir::Pictures, StandardDir::Videos, StandardDir::Templates, StandardDir::PublicShare}) {
        const std::string& known = path_of(dir);
        if (!known.empty() && known == p) return dir;
    }
    return std::nullopt;
}

std::vector<std::string> UserDirs::content_places() const {
    std::vector<std::string> out;
    for (const std::string* p : {&documents, &downloads, &pictures, &music, &videos})
        if (is_dir(*p)) out.push_back(*p);
    return out;
}

}  // namespace vesk_ui::sysdirs
