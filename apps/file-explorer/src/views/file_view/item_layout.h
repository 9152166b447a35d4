// Where the parts of one row or cell go: icon, badge, name, the other
// columns, the grid label and the rename editor. Shared by painting and
// layout so that the editor lands exactly where the name would be.
#pragma once

#include <cstddef>

#include "views/file_view/layout.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/text.h"

namespace vesk_ui {
struct Theme;
}

namespace file_explorer::views {

class ItemLayout {
public:
    // Fonts come from `theme` scaled by the zoom and the environment scale.
    ItemLayout(const ViewGeometry& geometry, const vesk_ui::TextRenderer& text);
    ItemLayout(const ViewGeometry& geometry, const vesk_ui::TextRenderer& text, const vesk_ui::Theme& theme);

    const vesk_ui::FontSpec& text_font() const { return text_font_; }
    const vesk_ui::FontSpec& header_font() const { return header_font_; }
    // Line height of the row text ("Ag") and of the grid label ("Mg").
    float text_height() const { return text_height_; }
    float label_height() const { return label_height_; }

    // --- list ---
    // The selection background and the cursor outline.
    static vesk_ui::Rect highlight_rect(const vesk_ui::Rect& row) { return row.inset(8, 2); }
    vesk_ui::Rect list_icon_rect(const vesk_ui::Rect& row) const;
    // From 12 units right of the icon to 12 units before the Name column's end.
    Span list_name_span(const vesk_ui::Rect& row) const;
    // Top of the text line box, centred on the row.
    float list_text_top(const vesk_ui::Rect& row) const;
    float header_text_top(const vesk_ui::Rect& header) const;
    // Where the Name title starts: in line with the row icons.
    float name_title_left() const;

    // --- grid ---
    // Side of the icon box: 44 at least, 46·z for folders and 1.3 × 46·z
    // for files at most, limited by the room the label leaves.
    float grid_icon_side(bool is_dir) const;
    // The icon box, 12·z below the cell top. A folder's box is centred in
    // the room of a file's so that labels line up along a row.
    vesk_ui::Rect grid_icon_box(const vesk_ui::Rect& cell, bool is_dir) const;
    // The label line box: 6·z below the icon area, as high as "Mg".
    vesk_ui::Rect grid_label_rect(const vesk_ui::Rect& cell) const;
    float grid_label_width(const vesk_ui::Rect& cell) const { return cell.width() - 10; }

    // The badge over an icon box, in its lower right corner.
    static vesk_ui::Rect badge_rect(const vesk_ui::Rect& icon, bool grid);

    // The rename editor for entry `i`.
    vesk_ui::Rect rename_rect(std::size_t i) const;

private:
    const ViewGeometry& g_;
    vesk_ui::FontSpec text_font_;
    vesk_ui::FontSpec header_font_;
    float text_height_ = 0;
    float label_height_ = 0;
};

}  // namespace file_explorer::views
