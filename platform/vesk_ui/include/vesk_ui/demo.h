// A small root widget that exercises the toolkit end to end: a title, a
// line of text, a button and a scrolling list of 200 rows with selection.
// The program shows it until its own root widget exists; the backend's
// tests drive it through the automation door.
#pragma once

#include "vesk_ui/widget.h"

namespace vesk_ui::demo {

inline constexpr int row_count = 200;

WidgetBox make_demo_root();

}  // namespace vesk_ui::demo
