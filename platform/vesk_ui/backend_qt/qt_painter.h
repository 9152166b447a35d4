// The toolkit's Painter over a QPainter: the window's backing store and the
// off-screen image both paint through it.
#pragma once

#include <QPainter>

#include <vector>

#include "vesk_ui/painter.h"

namespace vesk_ui::qt {

class QtPainter final : public Painter {
public:
    // `painter` stays owned by the caller and must outlive this object.
    explicit QtPainter(QPainter& painter);

    void fill_rect(const Rect& r, Color c) override;
    void fill_rounded_rect(const Rect& r, float radius, Color c) override;
    void stroke_rounded_rect(const Rect& r, float radius, float width, Color c) override;
    void draw_line(Point a, Point b, float width, Color c) override;
    void fill_path(const Path& path, Color c) override;
    void stroke_path(const Path& path, const Stroke& stroke, Color c) override;
    void draw_shadow(const Rect& r, float radius, float blur, Color c) override;
    void draw_image(const Image& image, const Rect& dst, const Rect& src, float radius) override;
    void draw_text(Point origin, std::string_view text, const FontSpec& font, Color c) override;

    void push_clip(const Rect& r) override;
    void pop_clip() override;
    void push_opacity(float opacity) override;
    void pop_opacity() override;
    void push_offset(Point offset) override;
    void pop_offset() override;

private:
    // Offsets, clips and opacity are kept here and applied to the QPainter
    // before each drawing call, so pushes and pops of different kinds may
    // interleave freely.
    bool prepare();

    QPainter& p_;
    std::vector<Point> offsets_;
    std::vector<Rect> clips_;  // absolute, each already intersected with the one below
    std::vector<float> opacities_;
    bool state_dirty_ = true;
};

QColor to_qcolor(Color c);
QPainterPath to_qpath(const Path& path);

// The image's pixels as a QImage, or its `src` part scaled to `pixel_w` ×
// `pixel_h` device pixels; cached by Image::id.
QImage image_for(const Image& image, const Rect& src, int pixel_w, int pixel_h);

}  // namespace vesk_ui::qt
