// The user's favourite folders and the file that keeps them.
//
// The file holds one path per line in display order, separated by single
// line feeds, without a line feed after the last; labels and icons are
// derived again on every load. It is rewritten after every change, through
// a temporary file in the same folder that is flushed and renamed over the
// old one, so that a crash or a full disk leaves either the old list or the
// new one, never a truncated file.
#pragma once

#include <cstddef>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "views/favorites/place.h"
#include "vesk_ui/sysdirs.h"

namespace file_explorer::views {

// A favourite for `path`: Home for the home folder, the standard folder's
// icon for a user folder, the generic folder icon otherwise; the label is
// the last component (lossy text), or the whole path when it has none.
Place derive_place(const std::string& path, const std::optional<std::string>& home,
                   const vesk_ui::sysdirs::UserDirs& dirs);

// Home, then the toolkit's content places (Documents, Downloads, …).
std::vector<Place> default_favorites(const std::optional<std::string>& home, const vesk_ui::sysdirs::UserDirs& dirs);

// The paths of a favourites file: lines trimmed of white space, blank ones
// skipped.
std::vector<std::string> parse_favorites(std::string_view text);
// The file's content for `places`; paths that are not UTF-8 are written as
// text with U+FFFD in place of the bad bytes.
std::string format_favorites(const std::vector<Place>& places);

// Replaces `path` with `bytes` atomically (temporary file in the same
// folder, flushed, renamed), creating the folder and its parents first.
std::expected<void, std::string> write_file_atomically(const std::string& path, std::string_view bytes);

class FavoritesStore {
public:
    // Files larger than this count as damaged.
    static constexpr std::size_t max_file_bytes = 1 << 20;

    FavoritesStore() = default;
    // The state folder's "favorites" file, or the defaults when there is no
    // state folder or the file is missing, unreadable, too large or empty.
    static FavoritesStore load(std::optional<std::string> state_dir, std::optional<std::string> home,
                               vesk_ui::sysdirs::UserDirs dirs);

    const std::vector<Place>& places() const { return places_; }
    std::optional<std::string> file_path() const;
    // The favourite with this path (component by component), if any.
    const Place* find(std::string_view path) const;

    // Each returns whether the list changed; none writes the file.
    bool add(const std::string& path);
    bool remove(std::string_view path);
    // Takes the favourite at `from` out and inserts it at `to` (an index
    // after the removal); nothing when either is out of range or they are equal.
    bool move(std::size_t from, std::size_t to);

    // Writes the list (state folder created first). Without a state folder
    // there is nothing to write to and it fails.
    std::expected<void, std::string> save() const;

private:
    std::optional<std::string> state_dir_;
    std::optional<std::string> home_;
    vesk_ui::sysdirs::UserDirs dirs_;
    std::vector<Place> places_;
};

}  // namespace file_explorer::views
