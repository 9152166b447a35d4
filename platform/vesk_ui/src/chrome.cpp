#include <algorithm>
#include <cmath>

#include "vesk_ui/chrome.h"
#include "vesk_ui/theme.h"

namespace vesk_ui {

namespace chrome {

float snap(float v, float scale) {
    if (scale <= 0) return v;
    return std::round(v * scale) / scale;
}

Rect snap_rect(const Rect& r, float scale) {
    return {snap(r.left, scale), snap(r.top, scale), snap(r.right, scale), snap(r.bottom, scale)};
}

void draw_selection(Painter& painter, const Rect& r, const ItemState& state, const Theme& theme, float radius) {
    if (state.selected)
        painter.fill_rounded_rect(r, radius, state.focused ? theme.selection_focused : theme.selection);
    else if (state.hovered)
        painter.fill_rounded_rect(r, radius, theme.selection_hover);
}

void draw_cursor_outline(Painter& painter, const Rect& r, const Theme& theme, float radius) {
    painter.stroke_rounded_rect(r.inset(1), std::max(0.0f, radius - 1), 2, theme.cursor_outline);
}

void draw_focus_ring(Painter& painter, const Rect& r, const Theme& theme, float radius) {
    painter.stroke_rounded_rect(r.inset(-2), radius + 2, 2, theme.focus_ring);
}

Rect badge_rect(const Rect& icon_box) {
    float side = std::max(10.0f, std::min(icon_box.width(), icon_box.height()) * 0.45f);
    float overhang = side * 0.2f;
    return Rect::from_xywh(icon_box.right - side + overhang, icon_box.bottom - side + overhang, side, side);
}

void draw_badge(Painter& painter, Icon badge, const Rect& icon_box, Color color, float scale) {
    icons::draw_icon(painter, badge, badge_rect(icon_box), color, scale);
}

void draw_menu_surface(Painter& painter, const Rect& r, const Theme& theme) {
    painter.draw_shadow(r.translated(0, 4), theme.radius_l, 24, theme.shadow);
    painter.fill_rounded_rect(r, theme.radius_l, theme.surface_overlay);
    painter.stroke_rounded_rect(r.inset(0.5f), theme.radius_l - 0.5f, 1, theme.border);
}

void draw_scrim(Painter& painter, const Rect& window, const Theme& theme) { painter.fill_rect(window, theme.scrim); }

void draw_sheet_surface(Painter& painter, const Rect& r, const Theme& theme) {
    float radius = theme.radius_l + 2;
    painter.draw_shadow(r.translated(0, 8), radius, 40, theme.shadow);
    painter.fill_rounded_rect(r, radius, theme.surface_raised);
    painter.stroke_rounded_rect(r.inset(0.5f), radius - 0.5f, 1, theme.border);
}

void draw_drag_card(Painter& painter, const Rect& r, const Theme& theme) {
    painter.draw_shadow(r.translated(0, 6), theme.radius_l, 20, theme.shadow);
    painter.fill_rounded_rect(r, theme.radius_l, theme.surface_overlay.with_alpha(0.96f));
    painter.stroke_rounded_rect(r.inset(0.5f), theme.radius_l - 0.5f, 1, theme.accent_a.with_alpha(0.6f));
}

void draw_hairline(Painter& painter, Point a, Point b, Color color, float scale) {
    float s = scale > 0 ? scale : 1.0f;
    float width = 1.0f / s;
    // Centre the line in a device pixel so it covers exactly one.
    auto centre = [&](float v) { return (std::floor(v * s) + 0.5f) / s; };
    if (a.y == b.y) a.y = b.y = centre(a.y);
    if (a.x == b.x) a.x = b.x = centre(a.x);
    painter.draw_line(a, b, width, color);
}

}  // namespace chrome

namespace image_store {

Rect cover_source(const Image& image, const Rect& dst) {
    if (image.empty() || !dst.valid()) return {};
    float iw = float(image.width), ih = float(image.height);
    float box_ratio = dst.width() / dst.height();
    if (iw / ih > box_ratio) {
        float w = ih * box_ratio;
        return Rect::from_xywh((iw - w) / 2, 0, w, ih);
    }
    float h = iw / box_ratio;
    return Rect::from_xywh(0, (ih - h) / 2, iw, h);
}

void paint_image_cover(Painter& painter, const Image& image, const Rect& dst, float radius) {
    Rect src = cover_source(image, dst);
    if (src.empty()) return;
    painter.draw_image(image, dst, src, radius);
}

}  // namespace image_store

}  // namespace vesk_ui
