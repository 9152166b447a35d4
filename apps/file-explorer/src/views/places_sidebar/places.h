// The places of the sidebar beyond the favourites, which one is active, and
// where each row lies.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "views/favorites/place.h"
#include "vesk_ui/geometry.h"

namespace file_explorer::views {

// One place per workspace root (its last component, or "Workspace"), then
// Root "/", then the Trash when its folder is known.
std::vector<Place> system_places(const std::vector<std::string>& workspace_roots,
                                 const std::optional<std::string>& trash_files);

// The index over all places (favourites first) of the first favourite that
// is `current`, else of the first system place that is.
std::optional<std::size_t> active_place(const std::vector<Place>& favourites, const std::vector<Place>& system,
                                        std::string_view current);

// Where the sidebar draws its headers and rows, for `s` the environment scale.
struct SidebarGeometry {
    static constexpr float inset = 12;
    static constexpr float top_gap = 12;
    static constexpr float header_height = 26;
    static constexpr float row_height = 34;

    vesk_ui::Rect bounds;
    float s = 1.0f;
    std::size_t favourites = 0;
    std::size_t system = 0;

    float row_h() const { return row_height * s; }
    float header_h() const { return header_height * s; }
    // Top of the Favourites header (when there are favourites) and of its rows.
    float favourites_top() const { return bounds.top + top_gap; }
    float favourite_rows_top() const { return favourites_top() + header_h(); }
    // Top of the System header: after the last favourite, or where the
    // Favourites header would be when there is none.
    float system_top() const;
    float system_rows_top() const { return system_top() + header_h(); }
    // Row `i` over all places (favourites first), in the rest position.
    vesk_ui::Rect row(std::size_t i) const;
    // The row under `p`, over all places.
    std::optional<std::size_t> hit(vesk_ui::Point p) const;
    // The favourite slot a row dragged with its top at `row_top` would drop into.
    std::size_t reorder_target(float row_top) const;
};

// Where favourite `i` rests while favourite `from` is dragged to `to`: the
// others close up behind it and open a gap at the target. None for `from`.
std::optional<std::size_t> reorder_slot(std::size_t i, std::size_t from, std::size_t to);

}  // namespace file_explorer::views
