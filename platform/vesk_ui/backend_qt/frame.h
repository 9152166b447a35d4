// One frame of a root widget, shared by the window, the off-screen renderer
// and the automation host.
#pragma once

#include "vesk_ui/painter.h"
#include "vesk_ui/widget.h"

namespace vesk_ui::qt {

enum class SyncPolicy : std::uint8_t { Never, IfNeeded, Always };

// Idle work (per policy), time, rebuild when the structure is dirty, then
// measure and lay out at (0, 0, size).
void prepare_frame(Widget& root, Size size, Clock::time_point now, SyncPolicy sync);
// Draws the laid-out root and tells it the frame is on screen.
void draw_frame(Widget& root, Painter& painter, const Theme& theme, float scale, Clock::time_point now);

}  // namespace vesk_ui::qt
