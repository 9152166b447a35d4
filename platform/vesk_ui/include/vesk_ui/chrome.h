// Shared pieces of the toolkit's look that views paint themselves: selection
// backgrounds, the keyboard cursor, focus rings, state badges, menu and
// sheet surfaces, hairlines, and pictures scaled to cover a box.
#pragma once

#include "vesk_ui/geometry.h"
#include "vesk_ui/icons.h"
#include "vesk_ui/painter.h"

namespace vesk_ui {

struct Theme;

namespace chrome {

// `v` on the device pixel grid of `scale`.
float snap(float v, float scale);
// Edges on whole device pixels.
Rect snap_rect(const Rect& r, float scale);

struct ItemState {
    bool selected = false;
    bool focused = false;  // the view has keyboard focus
    bool hovered = false;
};
// The background of a row or cell by its state; nothing for a plain item.
void draw_selection(Painter& painter, const Rect& r, const ItemState& state, const Theme& theme, float radius = 6);
// The keyboard cursor: a 2-unit outline inside `r`.
void draw_cursor_outline(Painter& painter, const Rect& r, const Theme& theme, float radius = 6);
void draw_focus_ring(Painter& painter, const Rect& r, const Theme& theme, float radius = 6);

// Where a state badge sits on an icon: its lower right corner, about 45 %
// of the icon's side (never under 10 units), reaching slightly outside.
Rect badge_rect(const Rect& icon_box);
void draw_badge(Painter& painter, Icon badge, const Rect& icon_box, Color color, float scale = 1.0f);

// Menus and popups: shadow, overlay surface, hairline border.
void draw_menu_surface(Painter& painter, const Rect& r, const Theme& theme);
// Sheets: the scrim over the window, then a raised panel.
void draw_scrim(Painter& painter, const Rect& window, const Theme& theme);
void draw_sheet_surface(Painter& painter, const Rect& r, const Theme& theme);
// The card that follows the pointer during a drag.
void draw_drag_card(Painter& painter, const Rect& r, const Theme& theme);
// A one-device-pixel line between two points on a horizontal or vertical.
void draw_hairline(Painter& painter, Point a, Point b, Color color, float scale = 1.0f);

}  // namespace chrome

namespace image_store {
// The part of `image` (in pixels) that, scaled up or down, fills `dst`
// without distortion: the centre, cropped to the box's proportions.
Rect cover_source(const Image& image, const Rect& dst);
void paint_image_cover(Painter& painter, const Image& image, const Rect& dst, float radius = 0);
}  // namespace image_store

}  // namespace vesk_ui
