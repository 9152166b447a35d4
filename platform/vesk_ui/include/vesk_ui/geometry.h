// Logical-unit geometry and colour shared by layout, painting and input.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vesk_ui {

struct Point {
    float x = 0;
    float y = 0;
    friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    bool operator==(const Point&) const = default;
};

struct Size {
    float width = 0;
    float height = 0;
    bool operator==(const Size&) const = default;
};

// Left, top, right, bottom edges; empty when right <= left or bottom <= top.
struct Rect {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;

    static Rect from_xywh(float x, float y, float w, float h) { return {x, y, x + w, y + h}; }
    float width() const { return right - left; }
    float height() const { return bottom - top; }
    Size size() const { return {width(), height()}; }
    Point origin() const { return {left, top}; }
    Point center() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool empty() const { return !(right > left && bottom > top); }
    // Finite coordinates and a positive area.
    bool valid() const {
        return std::isfinite(left) && std::isfinite(top) && std::isfinite(right) &&
               std::isfinite(bottom) && !empty();
    }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    Rect translated(float dx, float dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect inset(float d) const { return inset(d, d); }
    Rect inset(float dx, float dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
    Rect intersected(const Rect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
    bool intersects(const Rect& o) const { return !intersected(o).empty(); }
    bool operator==(const Rect&) const = default;
};

// Straight (not premultiplied) 8-bit RGBA.
struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;

    static constexpr Color rgb(std::uint32_t hex) {
        return {std::uint8_t(hex >> 16), std::uint8_t(hex >> 8), std::uint8_t(hex), 255};
    }
    static constexpr Color rgba(std::uint32_t hex) {
        return {std::uint8_t(hex >> 24), std::uint8_t(hex >> 16), std::uint8_t(hex >> 8), std::uint8_t(hex)};
    }
    constexpr Color with_alpha(float alpha) const {
        return {r, g, b, std::uint8_t(std::clamp(alpha, 0.0f, 1.0f) * a + 0.5f)};
    }
    bool operator==(const Color&) const = default;
};

}  // namespace vesk_ui
