// The widget interface. Every widget measures, lays out, draws and handles
// events; the root widget of an application also answers the loop's
// questions (sync, wake deadlines, redraw, automation, resources).
//
// The loop, per frame: sync() when idle work is due, update(now),
// build_layout() when take_structure_dirty(), measure() and apply_layout()
// with the window rectangle, draw(), mark_drawn(). Between frames it sleeps
// until an event, next_wake_deadline(), or needs_animation_frame().
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vesk_actions/resource.h"
#include "vesk_ui/access.h"
#include "vesk_ui/event.h"
#include "vesk_ui/geometry.h"

namespace vesk_ui {

class Painter;
struct Theme;

using Clock = std::chrono::steady_clock;

struct DrawContext {
    const Theme& theme;
    Clock::time_point now;
    float scale = 1.0f;  // display scale, for pixel snapping
};

// Filled in by handle_event: whether the window must be painted again, and
// whether the event was used (so nothing else acts on it).
struct EventContext {
    bool redraw = false;
    bool handled = false;
};

// Facts about the desktop that widgets need.
struct InteractionEnvironment {
    float scale = 1.0f;
    std::chrono::milliseconds multi_click_interval{400};
};

class Widget {
public:
    virtual ~Widget() = default;

    // --- every widget -----------------------------------------------------
    // Preferred size given the space available.
    virtual Size measure(Size available) { return available; }
    // Takes the final bounds and lays out children inside them.
    virtual void apply_layout(const Rect& bounds) { bounds_ = bounds; }
    virtual void draw(Painter& painter, const DrawContext& ctx) = 0;
    // True when the event was consumed.
    virtual bool handle_event(const Event& event, EventContext& ctx) {
        (void)event, (void)ctx;
        return false;
    }
    virtual std::vector<Widget*> children() { return {}; }
    virtual bool is_focusable() const { return false; }
    virtual void set_focus(bool focused) { (void)focused; }
    virtual std::optional<AccessNode> accessibility() const { return std::nullopt; }
    // Returns whether anything changed.
    virtual bool perform_semantic_action(std::string_view node_id, SemanticAction action) {
        (void)node_id, (void)action;
        return false;
    }
    const Rect& bounds() const { return bounds_; }

    // --- root widget ------------------------------------------------------
    virtual void set_interaction_environment(const InteractionEnvironment& env) { (void)env; }
    // Idle work (polling, incremental reads) before a frame.
    virtual void sync() {}
    virtual void update(Clock::time_point now) { (void)now; }
    // Rebuilds child widgets from application state.
    virtual void build_layout() {}
    // A JSON object (serialized) describing the application's state.
    virtual std::string automation_snapshot() const { return "{}"; }
    virtual std::vector<vesk_actions::Resource> resources() { return {}; }
    virtual std::optional<vesk_actions::Resource> resource(std::string_view id) {
        (void)id;
        return std::nullopt;
    }
    virtual vesk_actions::InvokeOutcome invoke_resource_operation_v2(const vesk_actions::Invocation& inv) {
        (void)inv;
        return vesk_actions::InvokeOutcome::not_handled();
    }
    virtual vesk_actions::InvokeOutcome start_resource_operation_with_document(
        const vesk_actions::Invocation& inv, const std::string& document) {
        (void)inv, (void)document;
        return vesk_actions::InvokeOutcome::not_handled();
    }
    virtual bool needs_animation_frame() const { return false; }
    virtual std::optional<Clock::time_point> next_wake_deadline() const { return std::nullopt; }
    virtual bool take_structure_dirty() { return false; }
    virtual bool needs_redraw() const { return false; }
    virtual bool needs_idle_sync() const { return false; }
    virtual void mark_drawn() {}
    virtual bool wants_pointer_capture() const { return false; }

protected:
    Rect bounds_;
};

using WidgetBox = std::unique_ptr<Widget>;

}  // namespace vesk_ui
