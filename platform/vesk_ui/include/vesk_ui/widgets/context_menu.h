// A pop-up menu: a rounded, shadowed column of items with separators,
// disabled items, check marks, right-aligned shortcut hints and submenu
// chevrons. The owner pushes the items, opens the menu at a point, lays it
// out (so that hit tests work at once) and asks after each event which item
// was chosen; choosing an item closes the menu unless it leads to a submenu.
//
// A separator at either end of the menu, or doubled, takes no room.
//
// Placement: the menu's top-left corner goes to the open point. When the
// menu does not fit inside the viewport to the right it opens leftwards
// (its right edge at the point, or at the given flip edge); when it does not
// fit below it opens upwards (its bottom edge at the point). It is then kept
// inside the viewport.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "vesk_ui/widget.h"

namespace vesk_ui::widgets {

struct MenuItem {
    std::string label;  // empty: a separator
    bool enabled = true;
    // None: the item takes no part in checking; false: unchecked.
    std::optional<bool> checked;
    std::string hint;    // shortcut text shown at the right edge
    bool submenu = false;  // leads to a submenu: chevron, stays open when chosen

    bool separator() const { return label.empty(); }
};

class ContextMenu : public Widget {
public:
    // Appends an item and gives its index.
    std::size_t push(MenuItem item);
    std::size_t push_separator() { return push(MenuItem{}); }
    void clear();

    // Opens at (x, y) in logical units. `flip_right`: where the menu's right
    // edge goes when it opens leftwards (default: x). The highlight starts
    // empty.
    void open_at(float x, float y, std::optional<float> flip_right = std::nullopt);
    void close();
    bool is_open() const { return open_; }
    // The area the menu stays inside (normally the window).
    void set_viewport(const Rect& viewport) { viewport_ = viewport; }
    // Submenus close on ArrowLeft as well as Escape.
    void set_submenu(bool submenu) { is_submenu_ = submenu; }

    // The item under `p` (separators and disabled items included), from the
    // last layout; none outside the menu or while closed.
    std::optional<std::size_t> item_at(Point p) const;
    // The item chosen by the last events, taken once.
    std::optional<std::size_t> take_chosen();

    std::size_t item_count() const { return items_.size(); }
    const MenuItem& item(std::size_t i) const { return items_[i]; }
    std::optional<std::size_t> highlighted() const { return highlight_; }
    void set_highlight(std::optional<std::size_t> index);
    // The menu surface and one row, from the last layout.
    const Rect& menu_rect() const { return bounds_; }
    Rect row_rect(std::size_t i) const { return i < rows_.size() ? rows_[i] : Rect{}; }

    // --- widget -----------------------------------------------------------
    // The menu's own size, at most the size offered.
    Size measure(Size available) override;
    // Sizes the menu within `box`'s size (its position does not matter) and
    // places it at the open point inside the viewport.
    void apply_layout(const Rect& box) override;
    void draw(Painter& painter, const DrawContext& ctx) override;
    // Keys: arrows, Home and End move the highlight over enabled items;
    // Enter or Space (and ArrowRight on a submenu item) choose; Escape
    // closes; a character jumps to the next item starting with it. Other
    // keys pass. Pointer: moves highlight, a primary press over an item
    // chooses it, a press outside closes the menu and passes on.
    bool handle_event(const Event& event, EventContext& ctx) override;
    std::optional<AccessNode> accessibility() const override;

    // Row metrics in logical units.
    static constexpr float row_height = 30;
    static constexpr float separator_height = 9;
    static constexpr float padding = 6;  // above the first and below the last row
    static constexpr float min_width = 196;

private:
    bool choose(std::size_t index);
    std::optional<std::size_t> step(std::optional<std::size_t> from, int direction) const;
    std::optional<std::size_t> typeahead(std::string_view text) const;
    bool selectable(std::size_t i) const { return i < items_.size() && !items_[i].separator() && items_[i].enabled; }
    bool has_checks() const;
    bool collapsed(std::size_t i) const;

    std::vector<MenuItem> items_;
    std::vector<Rect> rows_;
    bool open_ = false;
    bool is_submenu_ = false;
    Point origin_;
    std::optional<float> flip_right_;
    std::optional<Rect> viewport_;
    std::optional<std::size_t> highlight_;
    std::optional<std::size_t> chosen_;
};

}  // namespace vesk_ui::widgets
