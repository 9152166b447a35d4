#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>

#include "vesk_ui/painter.h"

namespace vesk_ui {

namespace {
// Cubic control distance that approximates a quarter circle.
constexpr float kappa = 0.5522847f;
}  // namespace

Path& Path::move_to(Point p) {
    verbs_.push_back(Verb::Move);
    points_.push_back(p);
    return *this;
}

Path& Path::line_to(Point p) {
    if (verbs_.empty()) return move_to(p);
    verbs_.push_back(Verb::Line);
    points_.push_back(p);
    return *this;
}

Path& Path::cubic_to(Point c1, Point c2, Point end) {
    if (verbs_.empty()) move_to(c1);
    verbs_.push_back(Verb::Cubic);
    points_.push_back(c1);
    points_.push_back(c2);
    points_.push_back(end);
    return *this;
}

Path& Path::close() {
    if (!verbs_.empty() && verbs_.back() != Verb::Close) verbs_.push_back(Verb::Close);
    return *this;
}

Path& Path::add_rect(const Rect& r) {
    move_to({r.left, r.top});
    line_to({r.right, r.top});
    line_to({r.right, r.bottom});
    line_to({r.left, r.bottom});
    return close();
}

Path& Path::add_rounded_rect(const Rect& r, float radius) {
    float rad = std::clamp(radius, 0.0f, std::min(r.width(), r.height()) / 2);
    if (rad <= 0) return add_rect(r);
    float k = rad * kappa;
    move_to({r.left + rad, r.top});
    line_to({r.right - rad, r.top});
    cubic_to({r.right - rad + k, r.top}, {r.right, r.top + rad - k}, {r.right, r.top + rad});
    line_to({r.right, r.bottom - rad});
    cubic_to({r.right, r.bottom - rad + k}, {r.right - rad + k, r.bottom}, {r.right - rad, r.bottom});
    line_to({r.left + rad, r.bottom});
    cubic_to({r.left + rad - k, r.bottom}, {r.left, r.bottom - rad + k}, {r.left, r.bottom - rad});
    line_to({r.left, r.top + rad});
    cubic_to({r.left, r.top + rad - k}, {r.left + rad - k, r.top}, {r.left + rad, r.top});
    return close();
}

Path& Path::add_ellipse(const Rect& r) {
    float rx = r.width() / 2, ry = r.height() / 2;
    float cx = r.left + rx, cy = r.top + ry;
    float kx = rx * kappa, ky = ry * kappa;
    move_to({cx + rx, cy});
    cubic_to({cx + rx, cy + ky}, {cx + kx, cy + ry}, {cx, cy + ry});
    cubic_to({cx - kx, cy + ry}, {cx - rx, cy + ky}, {cx - rx, cy});
    cubic_to({cx - rx, cy - ky}, {cx - kx, cy - ry}, {cx, cy - ry});
    cubic_to({cx + kx, cy - ry}, {cx + rx, cy - ky}, {cx + rx, cy});
    return close();
}

Path& Path::add_arc(Point center, float radius, float start_angle, float sweep_angle) {
    if (radius <= 0 || sweep_angle == 0) return *this;
    int segments = std::max(1, int(std::ceil(std::fabs(sweep_angle) / (3.14159265f / 2) - 1e-4f)));
    float step = sweep_angle / float(segments);
    float k = 4.0f / 3.0f * std::tan(step / 4) * radius;
    auto at = [&](float a) { return Point{center.x + radius * std::cos(a), center.y + radius * std::sin(a)}; };
    move_to(at(start_angle));
    for (int i = 0; i < segments; ++i) {
        float a0 = start_angle + step * float(i), a1 = a0 + step;
        Point p0 = at(a0), p1 = at(a1);
        cubic_to({p0.x - k * std::sin(a0), p0.y + k * std::cos(a0)}, {p1.x + k * std::sin(a1), p1.y - k * std::cos(a1)},
                 p1);
    }
    return *this;
}

// Control points included: a cubic never leaves their hull, so this is a
// safe (if slightly generous) box for damage and clipping.
Rect Path::bounds() const {
    if (points_.empty()) return {};
    float inf = std::numeric_limits<float>::infinity();
    Rect b{inf, inf, -inf, -inf};
    for (Point p : points_) {
        b.left = std::min(b.left, p.x);
        b.top = std::min(b.top, p.y);
        b.right = std::max(b.right, p.x);
        b.bottom = std::max(b.bottom, p.y);
    }
    return b;
}

Path Path::mapped(float scale, Point offset) const {
    Path out;
    out.verbs_ = verbs_;
    out.points_.reserve(points_.size());
    for (Point p : points_) out.points_.push_back({p.x * scale + offset.x, p.y * scale + offset.y});
    return out;
}

Image Image::from_pixels(int width, int height, std::vector<std::uint32_t> argb) {
    static std::atomic<std::uint64_t> next_id{1};
    Image image;
    if (width <= 0 || height <= 0) return image;
    // A short buffer would be read past its end by every backend.
    if (argb.size() < std::size_t(width) * std::size_t(height)) return image;
    image.width = width;
    image.height = height;
    image.pixels = std::make_shared<const std::vector<std::uint32_t>>(std::move(argb));
    image.id = next_id.fetch_add(1, std::memory_order_relaxed);
    return image;
}

}  // namespace vesk_ui
