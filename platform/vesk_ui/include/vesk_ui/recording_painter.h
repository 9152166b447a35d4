// A painter that paints nothing and remembers every call, for tests:
// "a text 'Loading…' was drawn inside R", "the row was filled with the
// selection colour", "every clip was popped".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vesk_ui/painter.h"

namespace vesk_ui {

struct PaintOp {
    enum class Kind : std::uint8_t {
        FillRect, FillRoundedRect, StrokeRoundedRect, Line, FillPath, StrokePath, Shadow, Image, Text,
        PushClip, PopClip, PushOpacity, PopOpacity, PushOffset, PopOffset,
    };
    Kind kind = Kind::FillRect;
    // In window coordinates (the pushed offsets applied). For text, the line
    // box measured with the current text renderer; for paths, their bounds;
    // for lines, the box spanned by both ends.
    Rect rect;
    Color color;
    float radius = 0;
    float width = 0;       // stroke and line width, shadow blur
    float opacity = 1.0f;  // the effective opacity when painted (push_opacity: its own factor)
    Point a, b;            // line ends, in window coordinates
    std::string text;
    FontSpec font;
    Path path;             // in the widget's own coordinates (offset in `offset`)
    Point offset;          // the total pushed offset at the time of the call
    std::optional<Rect> clip;  // the effective clip in window coordinates
    std::uint64_t image_id = 0;
    Rect image_src;

    // Painted something visible (not a stack operation).
    bool is_drawing() const { return kind < Kind::PushClip; }
};

const char* paint_op_kind_name(PaintOp::Kind kind);

class RecordingPainter final : public Painter {
public:
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

    const std::vector<PaintOp>& ops() const { return ops_; }
    void clear();

    // Every drawn text, in order.
    std::vector<std::string> texts() const;
    // The first text op whose text equals `text` (or contains it, when
    // `exact` is false).
    const PaintOp* find_text(std::string_view text, bool exact = true) const;
    std::size_t count(PaintOp::Kind kind) const;
    // Ops that painted with exactly this colour.
    std::vector<const PaintOp*> with_color(Color c) const;

    // Stack discipline: every push popped, no pop without a push.
    bool balanced() const { return clips_.empty() && opacities_.empty() && offsets_.empty() && stray_pops_ == 0; }
    int stray_pops() const { return stray_pops_; }
    std::size_t open_clips() const { return clips_.size(); }
    std::size_t open_opacities() const { return opacities_.size(); }
    std::size_t open_offsets() const { return offsets_.size(); }

private:
    PaintOp& record(PaintOp::Kind kind);
    Rect to_window(const Rect& r) const { return r.translated(offset_.x, offset_.y); }

    std::vector<PaintOp> ops_;
    std::vector<Rect> clips_;
    std::vector<float> opacities_;
    std::vector<Point> offsets_;
    Point offset_;
    float opacity_ = 1.0f;
    int stray_pops_ = 0;
};

// True when `inner` lies within `outer` (with a small tolerance for
// rounding).
bool rect_within(const Rect& inner, const Rect& outer, float tolerance = 0.01f);

}  // namespace vesk_ui
