#include "views/favorites/favorites.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"

namespace file_explorer::views {

namespace {

using vesk_ui::Icon;
using vesk_ui::sysdirs::StandardDir;

constexpr std::string_view kFileName = "favorites";

Icon icon_for(StandardDir dir) {
    switch (dir) {
        case StandardDir::Desktop: return Icon::PlaceDesktop;
        case StandardDir::Documents: return Icon::PlaceDocuments;
        case StandardDir::Downloads: return Icon::PlaceDownloads;
        case StandardDir::Music: return Icon::PlaceMusic;
        case StandardDir::Pictures: return Icon::PlacePictures;
        case StandardDir::Videos: return Icon::PlaceVideos;
        case StandardDir::Templates:
        case StandardDir::PublicShare: return Icon::Folder;
    }
    return Icon::Folder;
}

std::string errno_text(const char* what, int err) { return std::string(what) + ": " + std::strerror(err); }

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Reads at most `limit` + 1 bytes; nothing when the file cannot be read or
// is larger than `limit`.
std::optional<std::string> read_bounded(const std::string& path, std::size_t limit) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string out;
    char buf[16384];
    bool ok = true;
    while (true) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        out.append(buf, static_cast<std::size_t>(n));
        if (out.size() > limit) {
            ok = false;
            break;
        }
    }
    ::close(fd);
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace

Place derive_place(const std::string& path, const std::optional<std::string>& home,
                   const vesk_ui::sysdirs::UserDirs& dirs) {
    Place place;
    place.path = path;
    if (home && !home->empty() && fileops::same_path(path, *home)) {
        place.label = i18n::tr("files-place-home");
        place.icon = Icon::PlaceHome;
        place.home = true;
        return place;
    }
    if (auto dir = dirs.classify(path)) place.icon = icon_for(*dir);
    std::string_view name = fileops::file_name(path);
    place.label = fileops::lossy_utf8(name.empty() ? std::string_view(path) : name);
    return place;
}

std::vector<Place> default_favorites(const std::optional<std::string>& home, const vesk_ui::sysdirs::UserDirs& dirs) {
    std::vector<Place> out;
    if (home && !home->empty()) out.push_back(derive_place(*home, home, dirs));
    for (const std::string& path : dirs.content_places()) out.push_back(derive_place(path, home, dirs));
    return out;
}

std::vector<std::string> parse_favorites(std::string_view text) {
    std::vector<std::string> out;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        line = fileops::trim_white_space(line);
        if (!line.empty()) out.emplace_back(line);
    }
    return out;
}

std::string format_favorites(const std::vector<Place>& places) {
    std::string out;
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (i > 0) out += '\n';
        out += fileops::lossy_utf8(places[i].path);
    }
    return out;
}

std::expected<void, std::string> write_file_atomically(const std::string& path, std::string_view bytes) {
    static std::atomic<unsigned> counter{0};
    const auto folder = fileops::parent_path(path);
    if (!folder || fileops::file_name(path).empty()) return std::unexpected("not a file path: " + path);
    if (!folder->empty()) {
        std::error_code ec;
        std::filesystem::create_directories(*folder, ec);
        if (ec) return std::unexpected("create " + *folder + ": " + ec.message());
    }
    // A hidden name that says whose it is: ".favorites.tmp-<pid>-<n>".
    std::string temp_name(1, '.');
    temp_name.append(fileops::file_name(path));
    temp_name.append(".tmp-");
    temp_name.append(std::to_string(::getpid()));
    temp_name.push_back('-');
    temp_name.append(std::to_string(counter.fetch_add(1)));
    const std::string temp = fileops::join_path(*folder, temp_name);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return std::unexpected(errno_text("create temporary file", errno));
    std::string error;
    if (!write_all(fd, bytes)) error = errno_text("write", errno);
    else if (::fsync(fd) != 0) error = errno_text("flush", errno);
    if (::close(fd) != 0 && error.empty()) error = errno_text("close", errno);
    if (error.empty() && ::rename(temp.c_str(), path.c_str()) != 0) error = errno_text("rename", errno);
    if (!error.empty()) {
        ::unlink(temp.c_str());
        return std::unexpected(error);
    }
    // The rename itself lasts only once the folder is flushed too.
    if (int dir = ::open(folder->empty() ? "." : folder->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

FavoritesStore FavoritesStore::load(std::optional<std::string> state_dir, std::optional<std::string> home,
                                    vesk_ui::sysdirs::UserDirs dirs) {
    FavoritesStore store;
    store.state_dir_ = std::move(state_dir);
    store.home_ = std::move(home);
    store.dirs_ = std::move(dirs);
    if (auto file = store.file_path())
        if (auto text = read_bounded(*file, max_file_bytes))
            for (const std::string& path : parse_favorites(*text))
                store.places_.push_back(derive_place(path, store.home_, store.dirs_));
    if (store.places_.empty()) store.places_ = default_favorites(store.home_, store.dirs_);
    return store;
}

std::optional<std::string> FavoritesStore::file_path() const {
    if (!state_dir_ || state_dir_->empty()) return std::nullopt;
    return fileops::join_path(*state_dir_, kFileName);
}

const Place* FavoritesStore::find(std::string_view path) const {
    for (const Place& p : places_)
        if (fileops::same_path(p.path, path)) return &p;
    return nullptr;
}

bool FavoritesStore::add(const std::string& path) {
    if (find(path)) return false;
    places_.push_back(derive_place(path, home_, dirs_));
    return true;
}

bool FavoritesStore::remove(std::string_view path) {
    const auto before = places_.size();
    std::erase_if(places_, [&](const Place& p) { return fileops::same_path(p.path, path); });
    return places_.size() < before;
}

bool FavoritesStore::move(std::size_t from, std::size_t to) {
    if (from >= places_.size() || to >= places_.size() || from == to) return false;
    Place moved = std::move(places_[from]);
    places_.erase(places_.begin() + static_cast<std::ptrdiff_t>(from));
    places_.insert(places_.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    return true;
}

std::expected<void, std::string> FavoritesStore::save() const {
    auto file = file_path();
    if (!file) return std::unexpected("no state folder");
    return write_file_atomically(*file, format_favorites(places_));
}

}  // namespace file_explorer::views
