// Translation of Qt input to the toolkit's events.
#pragma once

#include <QKeyEvent>
#include <QWheelEvent>

#include <optional>

#include "vesk_ui/event.h"

namespace vesk_ui::qt {

std::uint32_t modifiers_of(Qt::KeyboardModifiers m);
Button button_of(Qt::MouseButton b);

// Named keys get their W3C key value; character keys their text, respecting
// Shift. With Control (or Super) held the unmodified character comes in
// lower case, so Ctrl+C arrives as "c". Keys with neither give nothing.
std::optional<KeyEvent> key_event_of(const QKeyEvent& e);
// The W3C name of a named key, or null for character keys.
const char* named_key(int qt_key);

// Wheel deltas in lines: one notch (120 eighths of a degree) is one line;
// pixel-only deltas (some touchpads) count `kPixelsPerLine` per line.
inline constexpr float kPixelsPerLine = 48.0f;
WheelEvent wheel_event_of(const QWheelEvent& e, float scale);

// Counts presses of the same button close together in time and place:
// 1 for a single click, 2 for the second press of a double click, ...
class ClickCounter {
public:
    int press(Button button, Point logical, long long now_ms, int interval_ms, float max_distance);
    void reset() { count_ = 0; }

private:
    Button last_button_ = Button::None;
    Point last_pos_;
    long long last_ms_ = 0;
    int count_ = 0;
};

}  // namespace vesk_ui::qt
