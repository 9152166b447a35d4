#include <cmath>

#include "vesk_ui/painter.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/status_bubble.h"

namespace vesk_ui {

namespace {

using seconds_f = std::chrono::duration<float>;

float ease_out(float t) { return 1 - (1 - t) * (1 - t); }
float smoothstep(float t) { return t * t * (3 - 2 * t); }

const FontSpec& pill_font() { return Theme::dark().body; }

}  // namespace

void StatusBubble::poke(Clock::time_point now) { shown_at_ = now; }

void StatusBubble::set_hover(bool hover, Clock::time_point now) {
    if (hovered_ && !hover && shown_at_) {
        // Resume fully visible, at the start of the hold.
        shown_at_ = now - fade_in;
    }
    hovered_ = hover;
}

float StatusBubble::alpha(Clock::time_point now) const {
    if (!shown_at_) return 0;
    if (hovered_) return 1;
    auto t = now - *shown_at_;
    if (t < Clock::duration::zero()) return 0;
    if (t < fade_in) return ease_out(seconds_f(t).count() / seconds_f(fade_in).count());
    t -= fade_in;
    if (t < hold) return 1;
    t -= hold;
    if (t < fade_out) return 1 - smoothstep(seconds_f(t).count() / seconds_f(fade_out).count());
    return 0;
}

bool StatusBubble::needs_frame(Clock::time_point now) const {
    if (!shown_at_ || hovered_) return false;
    auto t = now - *shown_at_;
    if (t < Clock::duration::zero()) return false;
    if (t < fade_in) return true;
    t -= fade_in + hold;
    return t >= Clock::duration::zero() && t < fade_out;
}

std::optional<Clock::time_point> StatusBubble::next_deadline(Clock::time_point now) const {
    if (!shown_at_ || hovered_) return std::nullopt;
    Clock::time_point fade_start = *shown_at_ + fade_in + hold;
    if (now < fade_start) return fade_start;
    return std::nullopt;
}

Size StatusBubble::pill_size(std::string_view text, float scale) {
    TextMetrics m = text_renderer().measure(text, pill_font());
    if (scale <= 0) scale = 1;
    return {std::ceil(m.width * scale) / scale, std::ceil(m.height * scale) / scale};
}

void StatusBubble::draw_pill(Painter& painter, const Rect& rect, std::string_view text, float alpha,
                             const Theme& theme) {
    if (alpha <= 0 || !rect.valid()) return;
    float radius = rect.height() / 2;
    painter.push_opacity(std::min(alpha, 1.0f));
    painter.draw_shadow(rect.translated(0, 2), radius, 14, theme.shadow);
    painter.fill_rounded_rect(rect, radius, theme.surface_overlay);
    painter.stroke_rounded_rect(rect.inset(0.5f), radius - 0.5f, 1, theme.border);
    std::string shown = text_renderer().elide(text, pill_font(), rect.width() - 2 * pad_x);
    text_renderer().draw_text(painter, rect, shown, pill_font(), theme.text_primary, Align::Center);
    painter.pop_opacity();
}

}  // namespace vesk_ui
