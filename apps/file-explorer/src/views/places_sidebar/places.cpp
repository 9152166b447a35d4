#include "views/places_sidebar/places.h"

#include <algorithm>
#include <cmath>

#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"

namespace file_explorer::views {

std::vector<Place> system_places(const std::vector<std::string>& workspace_roots,
                                 const std::optional<std::string>& trash_files) {
    std::vector<Place> out;
    for (const std::string& root : workspace_roots) {
        std::string_view name = fileops::file_name(root);
        out.push_back({name.empty() ? i18n::tr("files-place-workspace") : fileops::lossy_utf8(name), root,
                       vesk_ui::Icon::PlaceWorkspace, false});
    }
    // Every folder shown is absolute, so the root of the current one is "/".
    out.push_back({i18n::tr("files-place-root"), "/", vesk_ui::Icon::PlaceComputer, false});
    if (trash_files) out.push_back({i18n::tr("files-place-trash"), *trash_files, vesk_ui::Icon::PlaceTrash, false});
    return out;
}

std::optional<std::size_t> active_place(const std::vector<Place>& favourites, const std::vector<Place>& system,
                                        std::string_view current) {
    for (std::size_t i = 0; i < favourites.size(); ++i)
        if (fileops::same_path(favourites[i].path, current)) return i;
    for (std::size_t i = 0; i < system.size(); ++i)
        if (fileops::same_path(system[i].path, current)) return favourites.size() + i;
    return std::nullopt;
}

float SidebarGeometry::system_top() const {
    if (favourites == 0) return favourites_top();
    return favourite_rows_top() + float(favourites) * row_h();
}

vesk_ui::Rect SidebarGeometry::row(std::size_t i) const {
    const float top = i < favourites ? favourite_rows_top() + float(i) * row_h()
                                     : system_rows_top() + float(i - favourites) * row_h();
    return {bounds.left + inset, top, bounds.right - inset, top + row_h()};
}

std::optional<std::size_t> SidebarGeometry::hit(vesk_ui::Point p) const {
    if (p.x < bounds.left + inset || p.x >= bounds.right - inset) return std::nullopt;
    auto row_in = [&](float rows_top, std::size_t count) -> std::optional<std::size_t> {
        if (count == 0 || p.y < rows_top) return std::nullopt;
        const auto r = static_cast<std::size_t>(std::floor((p.y - rows_top) / row_h()));
        if (r >= count) return std::nullopt;
        return r;
    };
    if (auto r = row_in(favourite_rows_top(), favourites)) return *r;
    if (auto r = row_in(system_rows_top(), system)) return favourites + *r;
    return std::nullopt;
}

std::size_t SidebarGeometry::reorder_target(float row_top) const {
    if (favourites == 0) return 0;
    const float slot = std::round((row_top - favourite_rows_top()) / row_h());
    return static_cast<std::size_t>(std::clamp(slot, 0.0f, float(favourites - 1)));
}

std::optional<std::size_t> reorder_slot(std::size_t i, std::size_t from, std::size_t to) {
    if (i == from) return std::nullopt;
    const std::size_t closed = i < from ? i : i - 1;
    return closed < to ? closed : closed + 1;
}

}  // namespace file_explorer::views
