#include <algorithm>

#include "vesk_ui/recording_painter.h"
#include "vesk_ui/text.h"

namespace vesk_ui {

const char* paint_op_kind_name(PaintOp::Kind kind) {
    using K = PaintOp::Kind;
    switch (kind) {
        case K::FillRect: return "fill_rect";
        case K::FillRoundedRect: return "fill_rounded_rect";
        case K::StrokeRoundedRect: return "stroke_rounded_rect";
        case K::Line: return "line";
        case K::FillPath: return "fill_path";
        case K::StrokePath: return "stroke_path";
        case K::Shadow: return "shadow";
        case K::Image: return "image";
        case K::Text: return "text";
        case K::PushClip: return "push_clip";
        case K::PopClip: return "pop_clip";
        case K::PushOpacity: return "push_opacity";
        case K::PopOpacity: return "pop_opacity";
        case K::PushOffset: return "push_offset";
        case K::PopOffset: return "pop_offset";
    }
    return "?";
}

PaintOp& RecordingPainter::record(PaintOp::Kind kind) {
    PaintOp& op = ops_.emplace_back();
    op.kind = kind;
    op.opacity = opacity_;
    op.offset = offset_;
    if (!clips_.empty()) op.clip = clips_.back();
    return op;
}

void RecordingPainter::fill_rect(const Rect& r, Color c) {
    PaintOp& op = record(PaintOp::Kind::FillRect);
    op.rect = to_window(r);
    op.color = c;
}

void RecordingPainter::fill_rounded_rect(const Rect& r, float radius, Color c) {
    PaintOp& op = record(PaintOp::Kind::FillRoundedRect);
    op.rect = to_window(r);
    op.radius = radius;
    op.color = c;
}

void RecordingPainter::stroke_rounded_rect(const Rect& r, float radius, float width, Color c) {
    PaintOp& op = record(PaintOp::Kind::StrokeRoundedRect);
    op.rect = to_window(r);
    op.radius = radius;
    op.width = width;
    op.color = c;
}

void RecordingPainter::draw_line(Point a, Point b, float width, Color c) {
    PaintOp& op = record(PaintOp::Kind::Line);
    op.a = a + offset_;
    op.b = b + offset_;
    op.rect = {std::min(op.a.x, op.b.x), std::min(op.a.y, op.b.y), std::max(op.a.x, op.b.x),
               std::max(op.a.y, op.b.y)};
    op.width = width;
    op.color = c;
}

void RecordingPainter::fill_path(const Path& path, Color c) {
    PaintOp& op = record(PaintOp::Kind::FillPath);
    op.path = path;
    op.rect = to_window(path.bounds());
    op.color = c;
}

void RecordingPainter::stroke_path(const Path& path, const Stroke& stroke, Color c) {
    PaintOp& op = record(PaintOp::Kind::StrokePath);
    op.path = path;
    op.rect = to_window(path.bounds());
    op.width = stroke.width;
    op.color = c;
}

void RecordingPainter::draw_shadow(const Rect& r, float radius, float blur, Color c) {
    PaintOp& op = record(PaintOp::Kind::Shadow);
    op.rect = to_window(r);
    op.radius = radius;
    op.width = blur;
    op.color = c;
}

void RecordingPainter::draw_image(const Image& image, const Rect& dst, const Rect& src, float radius) {
    PaintOp& op = record(PaintOp::Kind::Image);
    op.rect = to_window(dst);
    op.image_src = src;
    op.radius = radius;
    op.image_id = image.id;
}

void RecordingPainter::draw_text(Point origin, std::string_view text, const FontSpec& font, Color c) {
    PaintOp& op = record(PaintOp::Kind::Text);
    TextMetrics m = text_renderer().measure(text, font);
    op.rect = to_window(Rect::from_xywh(origin.x, origin.y, m.width, m.height));
    op.text = std::string(text);
    op.font = font;
    op.color = c;
}

void RecordingPainter::push_clip(const Rect& r) {
    Rect clip = to_window(r);
    if (!clips_.empty()) clip = clip.intersected(clips_.back());
    PaintOp& op = record(PaintOp::Kind::PushClip);
    op.rect = clip;
    clips_.push_back(clip);
}

void RecordingPainter::pop_clip() {
    record(PaintOp::Kind::PopClip);
    if (clips_.empty()) {
        ++stray_pops_;
        return;
    }
    clips_.pop_back();
}

void RecordingPainter::push_opacity(float opacity) {
    PaintOp& op = record(PaintOp::Kind::PushOpacity);
    op.width = opacity;
    opacities_.push_back(opacity_);
    opacity_ *= std::clamp(opacity, 0.0f, 1.0f);
}

void RecordingPainter::pop_opacity() {
    record(PaintOp::Kind::PopOpacity);
    if (opacities_.empty()) {
        ++stray_pops_;
        return;
    }
    opacity_ = opacities_.back();
    opacities_.pop_back();
}

void RecordingPainter::push_offset(Point offset) {
    PaintOp& op = record(PaintOp::Kind::PushOffset);
    op.a = offset;
    offsets_.push_back(offset_);
    offset_ = offset_ + offset;
}

void RecordingPainter::pop_offset() {
    record(PaintOp::Kind::PopOffset);
    if (offsets_.empty()) {
        ++stray_pops_;
        return;
    }
    offset_ = offsets_.back();
    offsets_.pop_back();
}

void RecordingPainter::clear() {
    ops_.clear();
    clips_.clear();
    opacities_.clear();
    offsets_.clear();
    offset_ = {};
    opacity_ = 1.0f;
    stray_pops_ = 0;
}

std::vector<std::string> RecordingPainter::texts() const {
    std::vector<std::string> out;
    for (const auto& op : ops_)
        if (op.kind == PaintOp::Kind::Text) out.push_back(op.text);
    return out;
}

const PaintOp* RecordingPainter::find_text(std::string_view text, bool exact) const {
    for (const auto& op : ops_) {
        if (op.kind != PaintOp::Kind::Text) continue;
        if (exact ? op.text == text : op.text.find(text) != std::string::npos) return &op;
    }
    return nullptr;
}

std::size_t RecordingPainter::count(PaintOp::Kind kind) const {
    return std::size_t(std::count_if(ops_.begin(), ops_.end(), [&](const PaintOp& op) { return op.kind == kind; }));
}

std::vector<const PaintOp*> RecordingPainter::with_color(Color c) const {
    std::vector<const PaintOp*> out;
    for (const auto& op : ops_)
        if (op.is_drawing() && op.kind != PaintOp::Kind::Image && op.color == c) out.push_back(&op);
    return out;
}

bool rect_within(const Rect& inner, const Rect& outer, float tolerance) {
    return inner.left >= outer.left - tolerance && inner.top >= outer.top - tolerance &&
           inner.right <= outer.right + tolerance && inner.bottom <= outer.bottom + tolerance;
}

}  // namespace vesk_ui
