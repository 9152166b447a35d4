// A navigation shell: a sidebar beside the main content.
//
// In a wide shell the sidebar is docked at the left edge and the content
// takes the rest. When the shell is narrower than the sidebar plus the
// content's minimum width, the sidebar closes. With sidebar_over_content()
// it then slides in over the content (with a scrim) instead of squeezing it:
// dragging from the left edge pulls it out, and on release it snaps open or
// closed, whichever is nearer; a press on the content, Escape or F9 close
// it; F9 opens it. Without that mode a narrow shell keeps the sidebar docked.
#pragma once

#include "vesk_ui/widget.h"

namespace vesk_ui::widgets {

class NavShell : public Widget {
public:
    static constexpr float default_sidebar_width = 232;
    static constexpr float default_content_min_width = 760;
    static constexpr float edge_grab = 12;  // width of the edge that pulls a closed sidebar out
    static constexpr std::chrono::milliseconds snap_duration{160};

    NavShell(WidgetBox sidebar, WidgetBox content);

    NavShell& set_sidebar_width(float width);
    NavShell& set_content_min_width(float width);
    NavShell& sidebar_over_content(bool over = true);

    Widget& sidebar() { return *sidebar_; }
    Widget& content() { return *content_; }
    const Widget& sidebar() const { return *sidebar_; }
    const Widget& content() const { return *content_; }

    // True when the sidebar floats over the content (narrow shell).
    bool overlay() const { return over_content_ && narrow_; }
    bool narrow() const { return narrow_; }
    // How far the sidebar is out: 1 when docked or open, 0 when closed.
    float reveal() const { return reveal_; }
    bool sidebar_shown() const { return reveal_ > 0; }
    // Open or close the overlay sidebar; animated unless `animate` is false.
    void snap_open(bool animate = true);
    void snap_closed(bool animate = true);
    void toggle();

    const Rect& sidebar_rect() const { return sidebar_rect_; }
    const Rect& content_rect() const { return content_rect_; }

    Size measure(Size available) override { return available; }
    void apply_layout(const Rect& bounds) override;
    void draw(Painter& painter, const DrawContext& ctx) override;
    bool handle_event(const Event& event, EventContext& ctx) override;
    std::vector<Widget*> children() override { return {sidebar_.get(), content_.get()}; }
    std::optional<AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view node_id, SemanticAction action) override;
    bool needs_animation_frame() const override;
    bool wants_pointer_capture() const override;

private:
    void set_target(float target, bool animate);
    float reveal_at(Clock::time_point now) const;
    void place_children();
    bool handle_overlay_pointer(const PointerEvent& p, EventContext& ctx);

    WidgetBox sidebar_;
    WidgetBox content_;
    float sidebar_width_ = default_sidebar_width;
    float content_min_width_ = default_content_min_width;
    bool over_content_ = false;
    bool narrow_ = false;
    bool laid_out_ = false;
    bool open_ = false;  // the overlay sidebar's resting state
    float reveal_ = 1;
    // A snap in progress: from where, to where, since when.
    float anim_from_ = 0;
    float anim_to_ = 0;
    std::optional<Clock::time_point> anim_start_;
    // An edge drag in progress: pointer x at the press minus the reveal then.
    std::optional<float> drag_origin_;
    Rect sidebar_rect_;
    Rect content_rect_;
};

}  // namespace vesk_ui::widgets
