// The loop around one root widget: events in, frames out, and wake-ups only
// when the widget asks for them. The window and the window-less automation
// host both drive their root through it.
#pragma once

#include <QTimer>

#include <functional>
#include <string_view>

#include "event_map.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/widget.h"

namespace vesk_ui::qt {

class Driver {
public:
    // `request_frame` asks the owner to call paint() soon (the window's
    // update request, or a queued call off screen).
    Driver(WidgetBox root, const Theme& theme, std::function<void()> request_frame);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    Widget& root() { return *root_; }
    const Theme& theme() const { return theme_; }
    Size size() const { return size_; }
    float scale() const { return scale_; }

    // Window size in logical units and the display scale. A change asks for
    // a frame unless the caller is about to paint one anyway.
    void set_viewport(Size logical, float scale, bool request = true);
    // Hands one event to the root, then does its after-event work: rebuilds
    // a dirty structure and asks for a frame when something changed.
    EventContext dispatch(const Event& event);
    // A semantic action on an accessibility node (screen readers): the
    // root first, then the widget whose node it is. Returns whether anything
    // changed; a change reaches the screen like an event's.
    bool perform_semantic_action(std::string_view node_id, SemanticAction action);

    // Pointer input at a logical position: builds the event in physical
    // pixels with the display scale and counts multiple clicks.
    EventContext pointer(PointerKind kind, Point logical, Button button, std::uint32_t modifiers);
    Point last_pointer() const { return last_pointer_; }
    // Asks for a frame even if the root reports no change (the window was
    // exposed, or something drew the root elsewhere).
    void invalidate() { request_frame(); }

    // Input from the automation door is synthetic: the window starts no
    // platform drag for it.
    void set_synthetic(bool on) { synthetic_ = on; }
    bool synthetic() const { return synthetic_; }

    // Brings structure and layout up to date without drawing, so that what
    // the root reports matches the last event.
    void settle();
    // Paints one frame.
    void paint(Painter& painter);
    // Re-reads the root's wishes: wake deadline, animation, idle work.
    void schedule();

    // No frame pending, no animation, no idle work and no wake-up within
    // `horizon`.
    bool idle(Clock::duration horizon) const;
    bool frame_pending() const { return frame_pending_; }
    // Called after every paint and every wake (for waiters such as the
    // automation door).
    void set_after_work(std::function<void()> hook) { after_work_ = std::move(hook); }

private:
    void request_frame();
    void wake();
    void layout_now();
    // Runs widget code; an exception is reported and swallowed so that one
    // failing widget does not end the program.
    template <typename F>
    void guarded(std::string_view what, F&& fn);

    WidgetBox root_;
    const Theme& theme_;
    std::function<void()> request_frame_;
    std::function<void()> after_work_;
    QTimer wake_timer_;
    QTimer animation_timer_;
    Size size_{0, 0};
    float scale_ = 1.0f;
    bool frame_pending_ = false;
    bool layout_dirty_ = true;
    bool environment_sent_ = false;
    bool synthetic_ = false;
    bool was_animating_ = false;
    ClickCounter clicks_;
    Point last_pointer_;
};

}  // namespace vesk_ui::qt
