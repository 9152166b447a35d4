#include "views/file_view/layout.h"

#include <algorithm>
#include <cmath>

namespace file_explorer::views {

using vesk_ui::Point;
using vesk_ui::Rect;

namespace {

// A row index from a float that may be negative, huge or not a number.
std::size_t to_index(double value, std::size_t limit) {
    if (!(value > 0)) return 0;
    if (value >= static_cast<double>(limit)) return limit;
    return static_cast<std::size_t>(value);
}

// First and end row for a viewport, in rows of `pitch` starting at `top`.
// One extra row above and below keeps partly visible rows painted.
std::pair<std::size_t, std::size_t> visible_rows(double top, double pitch, double vt, double vb, std::size_t rows) {
    if (!(pitch > 0)) return {0, rows};
    double first = std::max(std::floor((vt - top) / pitch), 0.0);
    if (first > 0) first -= 1;
    std::size_t f = to_index(first, rows);
    std::size_t e = to_index(std::ceil((vb - top) / pitch) + 1, rows);
    return {std::min(f, e), e};
}

}  // namespace

float clamp_zoom(float z) {
    if (!std::isfinite(z)) return 1.0f;
    return std::clamp(z, 0.5f, 3.0f);
}

float clamp_scale(float t) {
    if (!std::isfinite(t)) return 1.0f;
    return std::clamp(t, 0.5f, 4.0f);
}

float zoom_for_step(int step) { return clamp_zoom(1.0f + 0.15f * static_cast<float>(step)); }

ListColumns list_columns(float x0, float x1, float z, float t) {
    float width = x1 - x0;
    float margin = 10 * z;
    ListColumns c;
    float right = x1 - margin;
    if (width > 560 * z * t) {
        c.modified = Span{right - 158 * z * t, right};
        right = c.modified->left - margin;
    }
    if (width > 340 * z * t) {
        c.size = Span{right - 96 * z * t, right};
        right = c.size->left - margin;
    }
    c.name = Span{x0 + margin, std::max(right, x0 + margin)};
    return c;
}

GridCells grid_cells(float width, float z, float t) {
    GridCells g;
    float inner = std::max(width - 20 * z, 0.0f);
    g.gap = 16 * z * std::sqrt(t);
    float nominal = 112 * z * t;
    float half = std::max((inner - g.gap) / 2, 0.0f);
    bool two_nominal_fit = 2 * nominal + g.gap <= inner;
    g.cell_width = (half >= 132 && !two_nominal_fit) ? half : nominal;
    g.cell_height = 104 * z + 36 * z * std::max(t - 1, 0.0f);
    if (g.cell_width < nominal) g.cell_height = std::min(g.cell_height, 0.9f * g.cell_width);
    float pitch = g.cell_width + g.gap;
    g.columns = 1;
    if (pitch > 0) {
        float n = std::floor((inner + g.gap) / pitch);
        if (n > 1) g.columns = static_cast<std::size_t>(n);
    }
    return g;
}

std::optional<GridMove> grid_move_for_key(std::string_view key) {
    if (key == "ArrowUp") return GridMove::Up;
    if (key == "ArrowDown") return GridMove::Down;
    if (key == "ArrowLeft") return GridMove::Left;
    if (key == "ArrowRight") return GridMove::Right;
    return std::nullopt;
}

std::size_t grid_step(std::optional<std::size_t> cursor, GridMove move, std::size_t columns, std::size_t count) {
    if (!cursor || count == 0) return 0;
    std::size_t from = *cursor;
    std::size_t target = from;
    switch (move) {
        case GridMove::Down: target = from + columns; break;
        case GridMove::Up: target = from >= columns ? from - columns : 0; break;
        case GridMove::Right: target = from + 1; break;
        case GridMove::Left: target = from > 0 ? from - 1 : 0; break;
    }
    return std::min(target, count - 1);
}

ViewGeometry::ViewGeometry(ViewLayoutMode mode, float z, float t, const Rect& bounds)
    : mode_(mode), z_(clamp_zoom(z)), t_(clamp_scale(t)), bounds_(bounds),
      columns_(list_columns(bounds.left, bounds.right, z_, t_)),
      cells_(grid_cells(bounds.width(), z_, t_)) {}

Rect ViewGeometry::item_rect(std::size_t i) const {
    if (mode_ == ViewLayoutMode::List) {
        float top = bounds_.top + header_height() + row_height() * static_cast<float>(i);
        return {bounds_.left, top, bounds_.right, top + row_height()};
    }
    std::size_t col = i % cells_.columns;
    std::size_t row = i / cells_.columns;
    float left = bounds_.left + margin() + static_cast<float>(col) * (cells_.cell_width + cells_.gap);
    float top = bounds_.top + margin() + static_cast<float>(row) * (cells_.cell_height + cells_.gap);
    return {left, top, left + cells_.cell_width, top + cells_.cell_height};
}

Rect ViewGeometry::header_rect(const std::optional<Rect>& viewport) const {
    float top = bounds_.top;
    if (viewport && viewport->top > top) top = viewport->top;
    return {bounds_.left, top, bounds_.right, top + header_height()};
}

IndexRange ViewGeometry::visible_range(const std::optional<Rect>& viewport, std::size_t count) const {
    if (!viewport) return {0, count};
    if (mode_ == ViewLayoutMode::List) {
        auto [f, e] = visible_rows(double(bounds_.top) + header_height(), row_height(), viewport->top,
                                   viewport->bottom, count);
        return {f, e};
    }
    std::size_t cols = cells_.columns;
    std::size_t rows = (count + cols - 1) / cols;
    auto [f, e] = visible_rows(double(bounds_.top) + margin(), cells_.cell_height + cells_.gap, viewport->top,
                               viewport->bottom, rows);
    return {std::min(f * cols, count), std::min(e * cols, count)};
}

bool ViewGeometry::in_header(Point p, const std::optional<Rect>& viewport) const {
    if (mode_ != ViewLayoutMode::List) return false;
    Rect band = header_rect(viewport);
    return p.x >= bounds_.left && p.x < bounds_.right && p.y >= band.top && p.y < band.bottom;
}

std::optional<Column> ViewGeometry::header_hit(Point p, const std::optional<Rect>& viewport) const {
    if (!in_header(p, viewport)) return std::nullopt;
    if (columns_.name.contains(p.x)) return Column::Name;
    if (columns_.size && columns_.size->contains(p.x)) return Column::Size;
    if (columns_.modified && columns_.modified->contains(p.x)) return Column::Modified;
    return std::nullopt;
}

std::optional<std::size_t> ViewGeometry::hit_test(Point p, const std::optional<Rect>& viewport,
                                                  std::size_t count) const {
    if (!(p.x >= bounds_.left && p.x < bounds_.right) || !(p.y >= bounds_.top)) return std::nullopt;
    if (mode_ == ViewLayoutMode::List) {
        if (in_header(p, viewport)) return std::nullopt;
        double offset = double(p.y) - bounds_.top - header_height();
        if (offset < 0 || !(row_height() > 0)) return std::nullopt;
        std::size_t i = to_index(std::floor(offset / row_height()), count);
        if (i >= count) return std::nullopt;
        return i;
    }
    double pitch_x = cells_.cell_width + cells_.gap;
    double pitch_y = cells_.cell_height + cells_.gap;
    double dx = double(p.x) - bounds_.left - margin();
    double dy = double(p.y) - bounds_.top - margin();
    if (dx < 0 || dy < 0 || !(pitch_x > 0) || !(pitch_y > 0)) return std::nullopt;
    double col = std::floor(dx / pitch_x);
    double row = std::floor(dy / pitch_y);
    // Inside the cell, not in the gap after it.
    if (dx - col * pitch_x >= cells_.cell_width || dy - row * pitch_y >= cells_.cell_height) return std::nullopt;
    if (col >= static_cast<double>(cells_.columns)) return std::nullopt;
    std::size_t r = to_index(row, count);
    std::size_t c = static_cast<std::size_t>(col);
    if (r >= count) return std::nullopt;
    std::size_t i = r * cells_.columns + c;
    if (i >= count) return std::nullopt;
    return i;
}

float ViewGeometry::list_content_height(float z, float t, std::size_t count) {
    return 30 * z * t + 34 * z * t * static_cast<float>(count) + 6;
}

float ViewGeometry::grid_content_height(float z, const GridCells& cells, std::size_t count) {
    std::size_t rows = (count + cells.columns - 1) / cells.columns;
    return 10 * z + static_cast<float>(rows) * (cells.cell_height + cells.gap);
}

}  // namespace file_explorer::views
