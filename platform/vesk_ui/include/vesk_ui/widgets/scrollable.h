// A viewport onto a child taller (or wider) than itself. Wheel: one notch
// (a delta of 1) scrolls three lines; PageUp/PageDown/Home/End while
// focused; a thin overlay scroll bar whose thumb can be dragged. The offset
// is clamped to the content and can live with the owner, so it survives the
// rebuilds of the widget tree (with_persisted_offset).
#pragma once

#include <memory>

#include "vesk_ui/widget.h"

namespace vesk_ui::widgets {

class Scrollable : public Widget {
public:
    static constexpr float line_height = 20;
    static constexpr float lines_per_notch = 3;

    explicit Scrollable(WidgetBox child);

    // Reads the offset from, and writes every change to, the owner's floats
    // (either may be null). Returns *this for chaining.
    Scrollable& with_persisted_offset(float* x, float* y);
    Scrollable& set_horizontal(bool enabled);

    Widget& child() { return *child_; }
    Point offset() const { return offset_; }
    // Sets the offset (clamped at the next layout and here when known).
    void set_offset(Point offset);
    // Scrolls the least needed to show `r` (in content coordinates as laid
    // out, i.e. window coordinates of the child at the current offset).
    void reveal(const Rect& r);
    const Rect& viewport() const { return bounds_; }
    // The child's rectangle at the current offset.
    const Rect& content_rect() const { return content_; }
    Size max_offset() const;

    Size measure(Size available) override { return available; }
    void apply_layout(const Rect& bounds) override;
    void draw(Painter& painter, const DrawContext& ctx) override;
    bool handle_event(const Event& event, EventContext& ctx) override;
    std::vector<Widget*> children() override { return {child_.get()}; }
    bool is_focusable() const override { return true; }
    void set_focus(bool focused) override { focused_ = focused; }
    std::optional<AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view node_id, SemanticAction action) override;
    bool needs_animation_frame() const override { return child_->needs_animation_frame(); }

private:
    bool scroll_by(float dx, float dy);
    void store();
    void relayout_child();
    // The vertical scroll bar's track and thumb, if the content overflows.
    std::optional<Rect> thumb_rect() const;
    Rect track_rect() const;

    WidgetBox child_;
    Point offset_;
    Size content_size_;
    Rect content_;
    float* persisted_x_ = nullptr;
    float* persisted_y_ = nullptr;
    bool horizontal_ = false;
    bool focused_ = false;
    bool bar_hovered_ = false;
    std::optional<float> drag_from_;  // pointer y minus thumb top while dragging
};

}  // namespace vesk_ui::widgets
