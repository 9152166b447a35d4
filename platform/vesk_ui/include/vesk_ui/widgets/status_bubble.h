// The floating status pill: shown when poked, fades in quickly, stays for a
// while, then fades out; held fully visible while hovered.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "vesk_ui/geometry.h"
#include "vesk_ui/widget.h"

namespace vesk_ui {

class Painter;
struct Theme;

class StatusBubble {
public:
    static constexpr std::chrono::milliseconds fade_in{150};
    static constexpr std::chrono::milliseconds hold{3000};
    static constexpr std::chrono::milliseconds fade_out{400};
    // Room around the text box that the painted pill takes.
    static constexpr float pad_x = 12;
    static constexpr float pad_y = 14;

    // Shows the bubble again and restarts its timeline.
    void poke(Clock::time_point now);
    // While hovered the bubble stays fully visible; when the hover ends it
    // waits the whole hold time again before fading.
    void set_hover(bool hover, Clock::time_point now = Clock::now());
    bool hovered() const { return hovered_; }

    // 0 (hidden) to 1 (fully visible).
    float alpha(Clock::time_point now) const;
    bool is_visible(Clock::time_point now) const { return alpha(now) > 0; }
    // True while the opacity changes, so the loop must paint frames; during
    // the hold no frames are needed (see next_deadline).
    bool needs_frame(Clock::time_point now) const;
    // When the next fade starts, if one is still ahead.
    std::optional<Clock::time_point> next_deadline(Clock::time_point now) const;

    // The text box of `text` in the pill's font (display scale only rounds
    // the size to whole device pixels).
    static Size pill_size(std::string_view text, float scale = 1.0f);
    // The pill painted around a text box.
    static Rect pill_rect(const Rect& text_box) { return text_box.inset(-pad_x, -pad_y); }
    // A rounded pill with a soft shadow and a subtle border; `rect` is the
    // pill's painted rectangle and the text is centred in it.
    static void draw_pill(Painter& painter, const Rect& rect, std::string_view text, float alpha, const Theme& theme);

private:
    std::optional<Clock::time_point> shown_at_;
    bool hovered_ = false;
};

}  // namespace vesk_ui
