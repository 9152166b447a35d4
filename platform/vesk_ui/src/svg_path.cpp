#include "svg_path.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

namespace vesk_ui::svg {

namespace {

class Reader {
public:
    explicit Reader(std::string_view s) : s_(s) {}

    void skip_separators() {
        while (i_ < s_.size() && (std::isspace(static_cast<unsigned char>(s_[i_])) || s_[i_] == ',')) ++i_;
    }
    bool at_end() {
        skip_separators();
        return i_ >= s_.size();
    }
    bool next_is_number() {
        skip_separators();
        if (i_ >= s_.size()) return false;
        char c = s_[i_];
        return std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.';
    }
    std::optional<char> command() {
        skip_separators();
        if (i_ >= s_.size() || !std::isalpha(static_cast<unsigned char>(s_[i_]))) return std::nullopt;
        return s_[i_++];
    }
    std::optional<float> number() {
        if (!next_is_number()) return std::nullopt;
        std::string token;
        std::size_t j = i_;
        if (s_[j] == '-' || s_[j] == '+') token += s_[j++];
        bool dot = false, exp = false;
        while (j < s_.size()) {
            char c = s_[j];
            if (std::isdigit(static_cast<unsigned char>(c))) {
                token += c;
            } else if (c == '.' && !dot && !exp) {
                dot = true;
                token += c;
            } else if ((c == 'e' || c == 'E') && !exp) {
                exp = true;
                token += c;
                if (j + 1 < s_.size() && (s_[j + 1] == '-' || s_[j + 1] == '+')) token += s_[++j];
            } else {
                break;
            }
            ++j;
        }
        char* end = nullptr;
        float v = std::strtof(token.c_str(), &end);
        if (end == token.c_str()) return std::nullopt;
        i_ = j;
        return v;
    }
    // Arc flags may be written without separators ("a1 1 0 01 2 2").
    std::optional<bool> flag() {
        skip_separators();
        if (i_ >= s_.size() || (s_[i_] != '0' && s_[i_] != '1')) return std::nullopt;
        return s_[i_++] == '1';
    }

private:
    std::string_view s_;
    std::size_t i_ = 0;
};

// Appends the SVG elliptical arc from `p0` to `p` as cubic segments of at
// most a quarter turn each (SVG 1.1, appendix F.6).
void arc_to(Path& path, Point p0, float rx, float ry, float angle_deg, bool large, bool sweep, Point p) {
    if (p0 == p) return;
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0) {
        path.line_to(p);
        return;
    }
    const float phi = angle_deg * std::numbers::pi_v<float> / 180.0f;
    const float cos_phi = std::cos(phi), sin_phi = std::sin(phi);
    const float dx = (p0.x - p.x) / 2, dy = (p0.y - p.y) / 2;
    const float x1 = cos_phi * dx + sin_phi * dy;
    const float y1 = -sin_phi * dx + cos_phi * dy;
    float lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    float num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    float den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    float coef = den > 0 ? std::sqrt(std::max(0.0f, num / den)) : 0;
    if (large == sweep) coef = -coef;
    const float cx1 = coef * rx * y1 / ry;
    const float cy1 = -coef * ry * x1 / rx;
    const float cx = cos_phi * cx1 - sin_phi * cy1 + (p0.x + p.x) / 2;
    const float cy = sin_phi * cx1 + cos_phi * cy1 + (p0.y + p.y) / 2;

    auto angle = [](float ux, float uy, float vx, float vy) {
        return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
    };
    float theta = angle(1, 0, (x1 - cx1) / rx, (y1 - cy1) / ry);
    float delta = angle((x1 - cx1) / rx, (y1 - cy1) / ry, (-x1 - cx1) / rx, (-y1 - cy1) / ry);
    const float two_pi = 2 * std::numbers::pi_v<float>;
    if (!sweep && delta > 0) delta -= two_pi;
    if (sweep && delta < 0) delta += two_pi;

    int segments = std::max(1, int(std::ceil(std::fabs(delta) / (std::numbers::pi_v<float> / 2) - 1e-4f)));
    float step = delta / float(segments);
    float k = 4.0f / 3.0f * std::tan(step / 4);
    auto point_at = [&](float t, float ox, float oy) {
        float ex = rx * (std::cos(t) + ox), ey = ry * (std::sin(t) + oy);
        return Point{cos_phi * ex - sin_phi * ey + cx, sin_phi * ex + cos_phi * ey + cy};
    };
    for (int i = 0; i < segments; ++i) {
        float t0 = theta + step * float(i), t1 = t0 + step;
        Point c1 = point_at(t0, -k * std::sin(t0), k * std::cos(t0));
        Point c2 = point_at(t1, k * std::sin(t1), -k * std::cos(t1));
        Point end = i + 1 == segments ? p : point_at(t1, 0, 0);
        path.cubic_to(c1, c2, end);
    }
}

}  // namespace

Path parse_path(std::string_view data) {
    Path path;
    Reader r(data);
    Point current, start, last_control;
    char previous = 0;
    char cmd = 0;
    while (!r.at_end()) {
        if (auto c = r.command()) {
            cmd = *c;
        } else if (cmd == 0 || !r.next_is_number()) {
            break;  // junk
        }
        const bool rel = std::islower(static_cast<unsigned char>(cmd));
        const char up = char(std::toupper(static_cast<unsigned char>(cmd)));
        const Point base = rel ? current : Point{};
        auto pt = [&]() -> std::optional<Point> {
            auto x = r.number();
            auto y = x ? r.number() : std::nullopt;
            if (!y) return std::nullopt;
            return Point{*x + base.x, *y + base.y};
        };
        bool ok = true;
        switch (up) {
            case 'M': {
                auto p = pt();
                if (!(ok = bool(p))) break;
                path.move_to(*p);
                current = start = *p;
                // Further pairs after a move are lines.
                cmd = rel ? 'l' : 'L';
                break;
            }
            case 'L': {
                auto p = pt();
                if (!(ok = bool(p))) break;
                path.line_to(*p);
                current = *p;
                break;
            }
            case 'H': {
                auto x = r.number();
                if (!(ok = bool(x))) break;
                current = {*x + (rel ? current.x : 0), current.y};
                path.line_to(current);
                break;
            }
            case 'V': {
                auto y = r.number();
                if (!(ok = bool(y))) break;
                current = {current.x, *y + (rel ? current.y : 0)};
                path.line_to(current);
                break;
            }
            case 'C': case 'S': {
                std::optional<Point> c1;
                if (up == 'C') {
                    c1 = pt();
                } else {
                    bool smooth = previous == 'C' || previous == 'S';
                    c1 = smooth ? Point{2 * current.x - last_control.x, 2 * current.y - last_control.y} : current;
                }
                auto c2 = c1 ? pt() : std::nullopt;
                auto p = c2 ? pt() : std::nullopt;
                if (!(ok = bool(p))) break;
                path.cubic_to(*c1, *c2, *p);
                last_control = *c2;
                current = *p;
                break;
            }
            case 'Q': case 'T': {
                std::optional<Point> q;
                if (up == 'Q') {
                    q = pt();
                } else {
                    bool smooth = previous == 'Q' || previous == 'T';
                    q = smooth ? Point{2 * current.x - last_control.x, 2 * current.y - last_control.y} : current;
                }
                auto p = q ? pt() : std::nullopt;
                if (!(ok = bool(p))) break;
                Point c1{current.x + 2.0f / 3 * (q->x - current.x), current.y + 2.0f / 3 * (q->y - current.y)};
                Point c2{p->x + 2.0f / 3 * (q->x - p->x), p->y + 2.0f / 3 * (q->y - p->y)};
                path.cubic_to(c1, c2, *p);
                last_control = *q;
                current = *p;
                break;
            }
            case 'A': {
                auto rx = r.number();
                auto ry = rx ? r.number() : std::nullopt;
                auto rot = ry ? r.number() : std::nullopt;
                auto large = rot ? r.flag() : std::nullopt;
                auto sweep = large ? r.flag() : std::nullopt;
                auto p = sweep ? pt() : std::nullopt;
                if (!(ok = bool(p))) break;
                if (path.empty()) path.move_to(current);
                arc_to(path, current, *rx, *ry, *rot, *large, *sweep, *p);
                current = *p;
                break;
            }
            case 'Z':
                path.close();
                current = start;
                // Numbers right after a close have no command to belong to.
                cmd = 0;
                break;
            default:
                ok = false;
        }
        if (!ok) break;
        previous = up;
    }
    return path;
}

}  // namespace vesk_ui::svg
