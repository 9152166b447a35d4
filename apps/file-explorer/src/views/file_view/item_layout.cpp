#include "views/file_view/item_layout.h"

#include <algorithm>

#include "vesk_ui/theme.h"

namespace file_explorer::views {

using vesk_ui::Rect;

namespace {

vesk_ui::FontSpec scaled(vesk_ui::FontSpec font, float factor) {
    font.size *= factor;
    return font;
}

}  // namespace

ItemLayout::ItemLayout(const ViewGeometry& geometry, const vesk_ui::TextRenderer& text)
    : ItemLayout(geometry, text, vesk_ui::Theme::dark()) {}

ItemLayout::ItemLayout(const ViewGeometry& geometry, const vesk_ui::TextRenderer& text,
                       const vesk_ui::Theme& theme)
    : g_(geometry) {
    float factor = geometry.zoom() * geometry.scale();
    text_font_ = scaled(theme.body, factor);
    header_font_ = scaled(theme.caption, factor);
    header_font_.weight = vesk_ui::FontWeight::Medium;
    text_height_ = text.measure("Ag", text_font_).height;
    label_height_ = text.measure("Mg", text_font_).height;
}

Rect ItemLayout::list_icon_rect(const Rect& row) const {
    float side = 18 * g_.zoom();
    float left = g_.columns().name.left + 4;
    float top = row.top + (row.height() - side) / 2;
    return Rect::from_xywh(left, top, side, side);
}

Span ItemLayout::list_name_span(const Rect& row) const {
    float left = list_icon_rect(row).right + 12;
    float right = g_.columns().name.right - 12;
    return {left, std::max(left, right)};
}

float ItemLayout::list_text_top(const Rect& row) const { return row.top + (row.height() - text_height_) / 2; }

float ItemLayout::header_text_top(const Rect& header) const {
    return header.top + (header.height() - text_height_) / 2;
}

float ItemLayout::name_title_left() const { return g_.columns().name.left + 4; }

float ItemLayout::grid_icon_side(bool is_dir) const {
    float z = g_.zoom();
    float room = g_.cells().cell_height - 12 * z - 6 * z - label_height_ - 6 * z;
    float most = is_dir ? 46 * z : 1.3f * 46 * z;
    return std::max(44.0f, std::min(most, room));
}

Rect ItemLayout::grid_icon_box(const Rect& cell, bool is_dir) const {
    float area = grid_icon_side(false);
    float side = grid_icon_side(is_dir);
    float top = cell.top + 12 * g_.zoom() + (area - side) / 2;
    float left = cell.left + (cell.width() - side) / 2;
    return Rect::from_xywh(left, top, side, side);
}

Rect ItemLayout::grid_label_rect(const Rect& cell) const {
    float top = cell.top + 12 * g_.zoom() + grid_icon_side(false) + 6 * g_.zoom();
    return {cell.left + 5, top, cell.right - 5, top + label_height_};
}

Rect ItemLayout::badge_rect(const Rect& icon, bool grid) {
    // Hang over the icon's lower right corner, as badges on desktop icons do;
    // in the grid far enough out to leave a tile's extension label readable.
    float side = grid ? std::clamp(icon.width() * 0.3f, 12.0f, 22.0f) : std::max(icon.width() * 0.62f, 8.0f);
    float overhang = grid ? side * 0.4f : side * 0.25f;
    return {icon.right - side + overhang, icon.bottom - side + overhang, icon.right + overhang,
            icon.bottom + overhang};
}

Rect ItemLayout::rename_rect(std::size_t i) const {
    Rect item = g_.item_rect(i);
    if (g_.mode() == ViewLayoutMode::Grid) {
        Rect label = grid_label_rect(item);
        return {item.left + 6, label.top - 4, item.right - 6, label.top + label_height_ + 6};
    }
    Span name = list_name_span(item);
    Rect inner = highlight_rect(item);
    float height = std::min(text_height_ + 8, inner.height());
    float top = item.top + (item.height() - height) / 2;
    return {name.left, top, name.right, top + height};
}

}  // namespace file_explorer::views
