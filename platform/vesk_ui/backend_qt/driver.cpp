#include "driver.h"

#include <chrono>
#include <exception>

#include <fmt/format.h>

#include "frame.h"
#include "vesk_ui/persist.h"
#include "vesk_ui/services.h"

namespace vesk_ui::qt {

namespace {
// Animation frames are paced by a timer rather than by the platform's update
// requests, which some platforms deliver far faster than a display shows.
constexpr int kAnimationFrameMs = 16;
// How far (logical units) the second press of a double click may land from
// the first.
constexpr float kDoubleClickDistance = 5.0f;
}  // namespace

template <typename F>
void Driver::guarded(std::string_view what, F&& fn) {
    try {
        fn();
    } catch (const std::exception& e) {
        diag::write_line(fmt::format("vesk_ui: {} failed: {}", what, e.what()));
    } catch (...) {
        diag::write_line(fmt::format("vesk_ui: {} failed", what));
    }
}

Driver::Driver(WidgetBox root, const Theme& theme, std::function<void()> frame_requester)
    : root_(std::move(root)), theme_(theme), request_frame_(std::move(frame_requester)) {
    wake_timer_.setSingleShot(true);
    wake_timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake_timer_, &QTimer::timeout, [this] { wake(); });
    animation_timer_.setSingleShot(true);
    animation_timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&animation_timer_, &QTimer::timeout, [this] { request_frame(); });
}

Driver::~Driver() {
    wake_timer_.stop();
    animation_timer_.stop();
}

void Driver::set_viewport(Size logical, float scale, bool request) {
    if (logical == size_ && scale == scale_) return;
    const bool scale_changed = scale != scale_;
    size_ = logical;
    scale_ = scale;
    if (scale_changed || !environment_sent_) {
        environment_sent_ = true;
        InteractionEnvironment env{scale_, gesture::multi_click_interval()};
        guarded("set_interaction_environment", [&] { root_->set_interaction_environment(env); });
    }
    layout_dirty_ = true;
    if (request) request_frame();
}

EventContext Driver::dispatch(const Event& event) {
    EventContext ctx;
    guarded("handle_event", [&] { root_->handle_event(event, ctx); });
    guarded("build_layout", [&] {
        if (root_->take_structure_dirty()) {
            root_->build_layout();
            layout_dirty_ = true;
        }
    });
    if (ctx.redraw || layout_dirty_ || root_->needs_redraw()) request_frame();
    schedule();
    return ctx;
}

EventContext Driver::pointer(PointerKind kind, Point logical, Button button, std::uint32_t modifiers) {
    PointerEvent pe;
    pe.kind = kind;
    pe.physical = {logical.x * scale_, logical.y * scale_};
    pe.scale = scale_;
    pe.button = button;
    pe.modifiers = modifiers;
    if (kind != PointerKind::Leave) last_pointer_ = logical;
    if (kind == PointerKind::Down) {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch());
        const int interval = int(gesture::multi_click_interval().count());
        pe.click_count = clicks_.press(button, logical, ms.count(), interval, kDoubleClickDistance);
    }
    return dispatch(Event{pe});
}

namespace {
bool perform_in_tree(Widget& w, std::string_view id, SemanticAction action, int depth) {
    if (depth > 64) return false;
    if (w.perform_semantic_action(id, action)) return true;
    for (Widget* child : w.children())
        if (child && child != &w && perform_in_tree(*child, id, action, depth + 1)) return true;
    return false;
}
}  // namespace

bool Driver::perform_semantic_action(std::string_view node_id, SemanticAction action) {
    bool changed = false;
    guarded("perform_semantic_action", [&] { changed = perform_in_tree(*root_, node_id, action, 0); });
    settle();
    if (changed || root_->needs_redraw()) request_frame();
    schedule();
    return changed;
}

void Driver::layout_now() {
    guarded("layout", [&] {
        root_->measure(size_);
        root_->apply_layout(Rect{0, 0, size_.width, size_.height});
    });
    layout_dirty_ = false;
}

void Driver::settle() {
    guarded("build_layout", [&] {
        if (root_->take_structure_dirty()) {
            root_->build_layout();
            layout_dirty_ = true;
        }
    });
    if (layout_dirty_) {
        layout_now();
        // The layout changed since the last frame: it must reach the screen.
        request_frame();
    }
}

void Driver::paint(Painter& painter) {
    frame_pending_ = false;
    const auto now = Clock::now();
    guarded("frame", [&] {
        prepare_frame(*root_, size_, now, SyncPolicy::IfNeeded);
        layout_dirty_ = false;
        draw_frame(*root_, painter, theme_, scale_, now);
    });
    schedule();
    if (after_work_) after_work_();
}

void Driver::wake() {
    // A wake-up is idle work: sync and advance time, and paint only if that
    // changed something.
    const auto now = Clock::now();
    guarded("sync", [&] {
        root_->sync();
        root_->update(now);
        if (root_->take_structure_dirty()) {
            root_->build_layout();
            layout_dirty_ = true;
        }
    });
    if (layout_dirty_ || root_->needs_redraw()) request_frame();
    schedule();
    if (after_work_) after_work_();
}

void Driver::schedule() {
    const bool animating = root_->needs_animation_frame();
    if (animating && !animation_timer_.isActive()) animation_timer_.start(kAnimationFrameMs);
    // One more frame after an animation ends, so its final state is shown.
    if (!animating && was_animating_) request_frame();
    was_animating_ = animating;
    std::optional<Clock::time_point> deadline;
    if (root_->needs_idle_sync())
        deadline = Clock::now();
    else
        deadline = root_->next_wake_deadline();
    if (!deadline) {
        wake_timer_.stop();
        return;
    }
    // Rounded up: waking before the deadline would find nothing due and
    // spin until it passes.
    auto wait = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
    wake_timer_.start(int(std::clamp<long long>(wait.count(), 0, 24LL * 3600 * 1000)));
}

void Driver::request_frame() {
    if (frame_pending_) return;
    frame_pending_ = true;
    if (request_frame_) request_frame_();
}

bool Driver::idle(Clock::duration horizon) const {
    if (frame_pending_ || layout_dirty_) return false;
    if (root_->needs_animation_frame() || root_->needs_redraw() || root_->needs_idle_sync()) return false;
    auto deadline = root_->next_wake_deadline();
    return !deadline || *deadline > Clock::now() + horizon;
}

}  // namespace vesk_ui::qt
