// The toolkit's painter interface. The window and the off-screen renderer
// implement it over the backend; tests use RecordingPainter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vesk_ui/geometry.h"

namespace vesk_ui {

// An outline in logical units, built from moves, lines, cubic curves and
// closes. Icons are paths.
class Path {
public:
    enum class Verb : std::uint8_t { Move, Line, Cubic, Close };

    Path& move_to(Point p);
    Path& line_to(Point p);
    Path& cubic_to(Point c1, Point c2, Point end);
    Path& close();
    Path& add_rect(const Rect& r);
    Path& add_rounded_rect(const Rect& r, float radius);
    Path& add_ellipse(const Rect& r);
    // An open circular arc; angles in radians, clockwise on screen from the
    // positive x axis.
    Path& add_arc(Point center, float radius, float start_angle, float sweep_angle);

    const std::vector<Verb>& verbs() const { return verbs_; }
    // One point per Move/Line, three per Cubic, none per Close.
    const std::vector<Point>& points() const { return points_; }
    bool empty() const { return verbs_.empty(); }
    Rect bounds() const;
    // Every point scaled by `scale`, then moved by `offset`.
    Path mapped(float scale, Point offset) const;

private:
    std::vector<Verb> verbs_;
    std::vector<Point> points_;
};

enum class LineCap : std::uint8_t { Butt, Round, Square };
enum class LineJoin : std::uint8_t { Miter, Round, Bevel };

struct Stroke {
    float width = 1.0f;
    LineCap cap = LineCap::Round;
    LineJoin join = LineJoin::Round;
};

// Premultiplied 32-bit ARGB pixels (0xAARRGGBB in native order), shared and
// immutable once built. `id` identifies the picture for backend caches.
struct Image {
    int width = 0;
    int height = 0;
    std::shared_ptr<const std::vector<std::uint32_t>> pixels;
    std::uint64_t id = 0;

    bool empty() const { return width <= 0 || height <= 0 || !pixels; }
    static Image from_pixels(int width, int height, std::vector<std::uint32_t> argb);
};

enum class FontWeight : std::uint16_t { Regular = 400, Medium = 500, Semibold = 600, Bold = 700 };

// Font choice in logical units. The family is the toolkit's (Inter, with
// DejaVu Sans as fallback); `monospace` picks DejaVu Sans Mono.
struct FontSpec {
    float size = 13.0f;
    FontWeight weight = FontWeight::Regular;
    bool italic = false;
    bool monospace = false;
    bool operator==(const FontSpec&) const = default;
};

class Painter {
public:
    virtual ~Painter() = default;

    virtual void fill_rect(const Rect& r, Color c) = 0;
    virtual void fill_rounded_rect(const Rect& r, float radius, Color c) = 0;
    virtual void stroke_rounded_rect(const Rect& r, float radius, float width, Color c) = 0;
    virtual void draw_line(Point a, Point b, float width, Color c) = 0;
    virtual void fill_path(const Path& path, Color c) = 0;
    virtual void stroke_path(const Path& path, const Stroke& stroke, Color c) = 0;
    // A soft drop shadow under a rounded rectangle (menus, sheets, cards).
    virtual void draw_shadow(const Rect& r, float radius, float blur, Color c) = 0;
    // Draws `src` of the image (pixel coordinates) into `dst`, clipped to a
    // rounded rectangle of `radius` when it is positive.
    virtual void draw_image(const Image& image, const Rect& dst, const Rect& src, float radius) = 0;
    // One line of text; `origin` is the top-left of the line box, whose
    // height is the font's line height.
    virtual void draw_text(Point origin, std::string_view text, const FontSpec& font, Color c) = 0;

    // Clips and opacity nest; every push has one pop.
    virtual void push_clip(const Rect& r) = 0;
    virtual void pop_clip() = 0;
    virtual void push_opacity(float opacity) = 0;
    virtual void pop_opacity() = 0;
    // Moves the origin of everything painted until the matching pop.
    virtual void push_offset(Point offset) = 0;
    virtual void pop_offset() = 0;
};

}  // namespace vesk_ui
