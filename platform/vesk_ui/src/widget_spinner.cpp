#include <chrono>
#include <cmath>
#include <numbers>

#include "vesk_ui/painter.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/spinner.h"

namespace vesk_ui::widgets {

Spinner& Spinner::set_label(std::string label) {
    label_ = std::move(label);
    return *this;
}

Size Spinner::measure(Size available) {
    float d = std::min({diameter_, available.width, available.height});
    return {std::max(d, 0.0f), std::max(d, 0.0f)};
}

void Spinner::draw(Painter& painter, const DrawContext& ctx) {
    float d = std::min(bounds_.width(), bounds_.height());
    if (d <= 4) return;
    float stroke = std::max(2.0f, d / 10);
    float radius = (d - stroke) / 2;
    Point c = bounds_.center();
    constexpr float two_pi = 2 * std::numbers::pi_v<float>;
    Path track;
    track.add_arc(c, radius, 0, two_pi);
    painter.stroke_path(track, Stroke{stroke, LineCap::Round, LineJoin::Round}, ctx.theme.accent_a.with_alpha(0.18f));

    // One turn per 0.9 s, with the arc growing and shrinking over 1.8 s.
    float t = std::chrono::duration<float>(ctx.now.time_since_epoch()).count();
    float turn = std::fmod(t / 0.9f, 1.0f) * two_pi;
    float sweep = (0.18f + 0.32f * (0.5f + 0.5f * std::sin(t * two_pi / 1.8f))) * two_pi;
    Path arc;
    arc.add_arc(c, radius, turn - std::numbers::pi_v<float> / 2, sweep);
    painter.stroke_path(arc, Stroke{stroke, LineCap::Round, LineJoin::Round}, ctx.theme.accent_a);
}

std::optional<AccessNode> Spinner::accessibility() const {
    AccessNode node;
    node.role = Role::ProgressIndicator;
    node.label = label_;
    node.rect = bounds_;
    node.flags = access_flags::busy;
    return node;
}

}  // namespace vesk_ui::widgets
