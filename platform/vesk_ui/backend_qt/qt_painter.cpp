#include "qt_painter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "qt_fonts.h"

namespace vesk_ui::qt {

QColor to_qcolor(Color c) { return QColor(c.r, c.g, c.b, c.a); }

QPainterPath to_qpath(const Path& path) {
    QPainterPath out;
    out.setFillRule(Qt::WindingFill);
    const auto& pts = path.points();
    std::size_t i = 0;
    for (Path::Verb verb : path.verbs()) {
        switch (verb) {
        case Path::Verb::Move:
            if (i >= pts.size()) return out;
            out.moveTo(pts[i].x, pts[i].y);
            ++i;
            break;
        case Path::Verb::Line:
            if (i >= pts.size()) return out;
            out.lineTo(pts[i].x, pts[i].y);
            ++i;
            break;
        case Path::Verb::Cubic:
            if (i + 2 >= pts.size()) return out;
            out.cubicTo(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, pts[i + 2].x, pts[i + 2].y);
            i += 3;
            break;
        case Path::Verb::Close:
            out.closeSubpath();
            break;
        }
    }
    return out;
}

namespace {

QRectF to_qrect(const Rect& r) { return QRectF(r.left, r.top, r.width(), r.height()); }

float clamp_radius(const Rect& r, float radius) {
    return std::clamp(radius, 0.0f, std::min(r.width(), r.height()) / 2);
}

QPainterPath rounded(const Rect& r, float radius) {
    QPainterPath path;
    float rr = clamp_radius(r, radius);
    if (rr <= 0)
        path.addRect(to_qrect(r));
    else
        path.addRoundedRect(to_qrect(r), rr, rr);
    return path;
}

Qt::PenCapStyle qt_cap(LineCap cap) {
    switch (cap) {
    case LineCap::Butt: return Qt::FlatCap;
    case LineCap::Round: return Qt::RoundCap;
    case LineCap::Square: return Qt::SquareCap;
    }
    return Qt::RoundCap;
}

Qt::PenJoinStyle qt_join(LineJoin join) {
    switch (join) {
    case LineJoin::Miter: return Qt::MiterJoin;
    case LineJoin::Round: return Qt::RoundJoin;
    case LineJoin::Bevel: return Qt::BevelJoin;
    }
    return Qt::RoundJoin;
}

bool usable(const Rect& r) { return r.valid(); }

// Decoded and scaled pictures, bounded by their total size. Painting runs on
// the UI thread only.
struct ImageCache {
    using Key = std::tuple<std::uint64_t, int, int, int, int, int, int>;
    std::map<Key, QImage> entries;
    qsizetype bytes = 0;
    static constexpr qsizetype kBudget = 96 * 1024 * 1024;

    void put(const Key& key, const QImage& img) {
        if (bytes + img.sizeInBytes() > kBudget) {
            entries.clear();
            bytes = 0;
        }
        entries.emplace(key, img);
        bytes += img.sizeInBytes();
    }
};

ImageCache& image_cache() {
    static ImageCache* cache = new ImageCache;
    return *cache;
}

}  // namespace

QImage image_for(const Image& image, const Rect& src_in, int pixel_w, int pixel_h) {
    if (image.empty() || pixel_w <= 0 || pixel_h <= 0) return {};
    if (image.pixels->size() < std::size_t(image.width) * std::size_t(image.height)) return {};
    // Wraps the shared pixels without copying; whoever keeps the result also
    // keeps `image` alive for as long as it is used.
    QImage whole(reinterpret_cast<const uchar*>(image.pixels->data()), image.width, image.height,
                 image.width * 4, QImage::Format_ARGB32_Premultiplied);
    Rect full{0, 0, float(image.width), float(image.height)};
    Rect src = src_in.valid() ? src_in.intersected(full) : full;
    if (!src.valid()) return {};
    QRect sr(int(std::floor(src.left)), int(std::floor(src.top)),
             std::max(1, int(std::lround(src.width()))), std::max(1, int(std::lround(src.height()))));
    sr = sr.intersected(QRect(0, 0, image.width, image.height));
    if (sr == QRect(0, 0, image.width, image.height) && pixel_w == image.width && pixel_h == image.height)
        return whole;

    ImageCache::Key key{image.id, sr.x(), sr.y(), sr.width(), sr.height(), pixel_w, pixel_h};
    auto& cache = image_cache();
    if (image.id != 0) {
        auto it = cache.entries.find(key);
        if (it != cache.entries.end()) return it->second;
    }
    QImage part = sr == whole.rect() ? whole : whole.copy(sr);
    QImage scaled = part.scaled(pixel_w, pixel_h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.format() != QImage::Format_ARGB32_Premultiplied)
        scaled = scaled.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.id != 0) cache.put(key, scaled);
    return scaled;
}

QtPainter::QtPainter(QPainter& painter) : p_(painter) {
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p_.setRenderHint(QPainter::TextAntialiasing, true);
}

bool QtPainter::prepare() {
    if (!clips_.empty() && !clips_.back().valid()) return false;
    if (!state_dirty_) return true;
    state_dirty_ = false;
    p_.resetTransform();
    if (clips_.empty())
        p_.setClipping(false);
    else
        p_.setClipRect(to_qrect(clips_.back()), Qt::ReplaceClip);
    if (!offsets_.empty()) p_.setTransform(QTransform::fromTranslate(offsets_.back().x, offsets_.back().y));
    p_.setOpacity(opacities_.empty() ? 1.0 : qreal(opacities_.back()));
    return true;
}

void QtPainter::fill_rect(const Rect& r, Color c) {
    if (!usable(r) || c.a == 0 || !prepare()) return;
    p_.fillRect(to_qrect(r), to_qcolor(c));
}

void QtPainter::fill_rounded_rect(const Rect& r, float radius, Color c) {
    if (!usable(r) || c.a == 0 || !prepare()) return;
    p_.fillPath(rounded(r, radius), to_qcolor(c));
}

void QtPainter::stroke_rounded_rect(const Rect& r, float radius, float width, Color c) {
    if (!usable(r) || c.a == 0 || !(width > 0) || !prepare()) return;
    // The stroke stays inside the rectangle, like a border.
    Rect inner = r.inset(width / 2);
    if (!inner.valid()) inner = Rect::from_xywh(r.center().x, r.center().y, 0.01f, 0.01f);
    QPen pen(to_qcolor(c), width);
    pen.setJoinStyle(Qt::RoundJoin);
    p_.strokePath(rounded(inner, radius - width / 2), pen);
}

void QtPainter::draw_line(Point a, Point b, float width, Color c) {
    if (c.a == 0 || !(width > 0) || !prepare()) return;
    QPen pen(to_qcolor(c), width, Qt::SolidLine, Qt::FlatCap);
    p_.setPen(pen);
    p_.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
}

void QtPainter::fill_path(const Path& path, Color c) {
    if (path.empty() || c.a == 0 || !prepare()) return;
    p_.fillPath(to_qpath(path), to_qcolor(c));
}

void QtPainter::stroke_path(const Path& path, const Stroke& stroke, Color c) {
    if (path.empty() || c.a == 0 || !(stroke.width > 0) || !prepare()) return;
    QPen pen(to_qcolor(c), stroke.width, Qt::SolidLine, qt_cap(stroke.cap), qt_join(stroke.join));
    p_.strokePath(to_qpath(path), pen);
}

void QtPainter::draw_shadow(const Rect& r, float radius, float blur, Color c) {
    if (!usable(r) || c.a == 0 || !prepare()) return;
    if (!(blur > 0)) {
        p_.fillPath(rounded(r, radius), to_qcolor(c));
        return;
    }
    // A few nested translucent rounded rectangles from half the blur inside
    // the edge to half the blur outside, dropped slightly: their overlap
    // falls off like a blurred edge and costs only a handful of fills.
    constexpr int kLayers = 6;
    const float target = c.a / 255.0f;
    const float layer_alpha = 1.0f - std::pow(1.0f - target, 1.0f / kLayers);
    Color layer = c;
    layer.a = std::uint8_t(std::clamp(layer_alpha * 255.0f + 0.5f, 1.0f, 255.0f));
    const QColor qc = to_qcolor(layer);
    const float drop = blur * 0.25f;
    for (int i = 0; i < kLayers; ++i) {
        float d = -blur / 2 + blur * float(i) / float(kLayers - 1);
        Rect lr{r.left - d, r.top - d + drop, r.right + d, r.bottom + d + drop};
        if (!lr.valid()) continue;
        p_.fillPath(rounded(lr, std::max(0.0f, radius + d)), qc);
    }
}

void QtPainter::draw_image(const Image& image, const Rect& dst, const Rect& src, float radius) {
    if (image.empty() || !usable(dst) || !prepare()) return;
    const qreal dpr = p_.device() ? p_.device()->devicePixelRatioF() : 1.0;
    const int pw = std::max(1, int(std::lround(dst.width() * dpr)));
    const int ph = std::max(1, int(std::lround(dst.height() * dpr)));
    QImage img = image_for(image, src, pw, ph);
    if (img.isNull()) return;
    if (radius <= 0) {
        p_.drawImage(to_qrect(dst), img);
        return;
    }
    // A textured fill keeps the rounded corners antialiased, which a clip
    // path would not.
    QBrush brush(img);
    QTransform t = QTransform::fromTranslate(dst.left, dst.top);
    t.scale(dst.width() / img.width(), dst.height() / img.height());
    brush.setTransform(t);
    p_.setPen(Qt::NoPen);
    p_.setBrush(brush);
    p_.drawPath(rounded(dst, radius));
    p_.setBrush(Qt::NoBrush);
}

void QtPainter::draw_text(Point origin, std::string_view text, const FontSpec& font, Color c) {
    if (text.empty() || c.a == 0 || !prepare()) return;
    QPaintDevice* device = p_.device();
    const qreal dpi = device ? qreal(device->logicalDpiY()) : reference_dpi();
    QFont qf = font_for(font, dpi);
    static std::map<std::tuple<float, int, bool, bool, qreal>, qreal> ascents;
    auto key = std::make_tuple(font.size, int(font.weight), font.italic, font.monospace, dpi);
    auto it = ascents.find(key);
    if (it == ascents.end()) it = ascents.emplace(key, QFontMetricsF(qf, device).ascent()).first;
    // The baseline sits on a device pixel boundary so that glyphs stay crisp
    // vertically.
    const qreal dpr = device ? device->devicePixelRatioF() : 1.0;
    const qreal offset_y = offsets_.empty() ? 0.0 : qreal(offsets_.back().y);
    qreal baseline = origin.y + it->second;
    baseline = std::round((baseline + offset_y) * dpr) / dpr - offset_y;
    p_.setFont(qf);
    p_.setPen(to_qcolor(c));
    p_.drawText(QPointF(origin.x, baseline), to_qstring(text));
}

void QtPainter::push_clip(const Rect& r) {
    Point o = offsets_.empty() ? Point{} : offsets_.back();
    Rect abs = r.translated(o.x, o.y);
    if (!clips_.empty()) abs = abs.intersected(clips_.back());
    if (!abs.valid()) abs = Rect{};
    clips_.push_back(abs);
    state_dirty_ = true;
}

void QtPainter::pop_clip() {
    if (clips_.empty()) return;
    clips_.pop_back();
    state_dirty_ = true;
}

void QtPainter::push_opacity(float opacity) {
    float base = opacities_.empty() ? 1.0f : opacities_.back();
    opacities_.push_back(base * std::clamp(std::isfinite(opacity) ? opacity : 1.0f, 0.0f, 1.0f));
    state_dirty_ = true;
}

void QtPainter::pop_opacity() {
    if (opacities_.empty()) return;
    opacities_.pop_back();
    state_dirty_ = true;
}

void QtPainter::push_offset(Point offset) {
    Point base = offsets_.empty() ? Point{} : offsets_.back();
    offsets_.push_back(base + offset);
    state_dirty_ = true;
}

void QtPainter::pop_offset() {
    if (offsets_.empty()) return;
    offsets_.pop_back();
    state_dirty_ = true;
}

}  // namespace vesk_ui::qt
