// Geometry of the file view: list rows and columns, grid cells, the visible
// range and hit testing. Pure functions of the zoom, the environment scale,
// the view bounds and the entry count, so that drawing, input and
// accessibility all agree on where an entry is.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "vesk_ui/geometry.h"

namespace file_explorer::views {

enum class ViewLayoutMode : unsigned char { List, Grid };

// Zoom from the root widget's zoom step (1 + 0.15 per step), clamped.
float zoom_for_step(int step);
float clamp_zoom(float z);         // 0.5 to 3.0
float clamp_scale(float t);        // 0.5 to 4.0

// A horizontal extent.
struct Span {
    float left = 0;
    float right = 0;
    float width() const { return right - left; }
    bool contains(float x) const { return x >= left && x < right; }
};

// The list's three columns; Size and Modified only when the view is wide
// enough for them.
struct ListColumns {
    Span name;
    std::optional<Span> size;
    std::optional<Span> modified;
};

enum class Column : unsigned char { Name = 1, Size = 2, Modified = 3 };

// Grid cell size and column count for a view width.
struct GridCells {
    float cell_width = 0;
    float cell_height = 0;
    float gap = 0;
    std::size_t columns = 1;
};

// Half-open index range [first, end).
struct IndexRange {
    std::size_t first = 0;
    std::size_t end = 0;
    bool empty() const { return end <= first; }
    std::size_t size() const { return empty() ? 0 : end - first; }
    bool operator==(const IndexRange&) const = default;
};

ListColumns list_columns(float x0, float x1, float z, float t);
GridCells grid_cells(float width, float z, float t);

// Grid keyboard moves: by a row for Up and Down, by one for Left and Right.
enum class GridMove : unsigned char { Up, Down, Left, Right };
std::optional<GridMove> grid_move_for_key(std::string_view key);
// The target of a move from `cursor`, never below 0 and clamped to the last
// of `count` entries; the first entry when there is no cursor yet.
std::size_t grid_step(std::optional<std::size_t> cursor, GridMove move, std::size_t columns, std::size_t count);

// Everything that places entries, for one mode, zoom, scale and bounds.
class ViewGeometry {
public:
    ViewGeometry(ViewLayoutMode mode, float z, float t, const vesk_ui::Rect& bounds);

    ViewLayoutMode mode() const { return mode_; }
    float zoom() const { return z_; }
    float scale() const { return t_; }
    const vesk_ui::Rect& bounds() const { return bounds_; }

    float header_height() const { return 30 * z_ * t_; }
    float row_height() const { return 34 * z_ * t_; }
    float margin() const { return 10 * z_; }
    const ListColumns& columns() const { return columns_; }
    const GridCells& cells() const { return cells_; }

    // The row (list) or cell (grid) of entry `i`.
    vesk_ui::Rect item_rect(std::size_t i) const;
    // The header band: at the top of the view, or at the viewport's top
    // while the list is scrolled down.
    vesk_ui::Rect header_rect(const std::optional<vesk_ui::Rect>& viewport) const;

    // The entries to paint for the viewport (all of them without one).
    IndexRange visible_range(const std::optional<vesk_ui::Rect>& viewport, std::size_t count) const;
    // The entry under `p`, if any. The header band and the gaps between
    // grid cells hit nothing.
    std::optional<std::size_t> hit_test(vesk_ui::Point p, const std::optional<vesk_ui::Rect>& viewport,
                                        std::size_t count) const;
    // The header column under `p` in list mode, if `p` is in the header band.
    std::optional<Column> header_hit(vesk_ui::Point p, const std::optional<vesk_ui::Rect>& viewport) const;
    bool in_header(vesk_ui::Point p, const std::optional<vesk_ui::Rect>& viewport) const;

    // Content height for `count` entries (the grid with `cells` for the
    // width being measured).
    static float list_content_height(float z, float t, std::size_t count);
    static float grid_content_height(float z, const GridCells& cells, std::size_t count);

private:
    ViewLayoutMode mode_;
    float z_;
    float t_;
    vesk_ui::Rect bounds_;
    ListColumns columns_;
    GridCells cells_;
};

}  // namespace file_explorer::views
