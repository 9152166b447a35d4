// Colours, spacing and fonts of the toolkit's look. One dark theme; widgets
// take every colour from here.
#pragma once

#include <array>

#include "vesk_ui/file_category.h"
#include "vesk_ui/geometry.h"
#include "vesk_ui/painter.h"

namespace vesk_ui {

struct Theme {
    // Surfaces, from the back to the front.
    Color window_bg;
    Color sidebar_bg;
    Color surface;          // content panes
    Color surface_raised;   // toolbars, cards, buttons
    Color surface_overlay;  // menus, sheets, popups
    Color surface_hover;    // laid over a surface under the pointer
    Color surface_pressed;
    Color input_bg;

    Color border;         // outlines of raised things
    Color border_subtle;  // hairlines inside panes
    Color divider;

    // Text tiers.
    Color text_primary;
    Color text_secondary;
    Color text_tertiary;
    Color text_disabled;
    Color text_on_accent;

    // Selection tiers for rows and cells.
    Color selection;          // selected, view without focus
    Color selection_focused;  // selected, view focused
    Color selection_hover;    // hovered, not selected
    Color cursor_outline;     // the keyboard cursor's outline
    Color focus_ring;

    Color scrim;   // behind sheets
    Color shadow;  // under menus, sheets and pills
    Color scrollbar;
    Color scrollbar_hover;

    // The two accents: A for ordinary emphasis (buttons, links, badges of
    // settled states), B for attention (transfers, failures, sort arrows).
    Color accent_a;
    Color accent_a_hover;
    Color accent_a_pressed;
    Color accent_b;

    Color danger;
    Color warning;
    Color success;

    std::array<Color, file_category_count> category;

    // Spacing scale and corner radii in logical units.
    float space_xs = 4;
    float space_s = 8;
    float space_m = 12;
    float space_l = 16;
    float space_xl = 24;
    float margin = 16;  // between floating things (status pill) and the window edge
    float radius_s = 4;
    float radius_m = 6;
    float radius_l = 10;
    float control_height = 30;

    FontSpec body;
    FontSpec body_strong;
    FontSpec caption;
    FontSpec title;
    FontSpec heading;
    FontSpec mono;

    static const Theme& dark();
    Color category_color(FileCategory c) const;
};

namespace launch {
// The theme screenshots are rendered with.
inline const Theme& shot_theme() { return Theme::dark(); }
}  // namespace launch

}  // namespace vesk_ui
