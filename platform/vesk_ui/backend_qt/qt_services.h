// The Qt platform services and the hook through which the window carries
// out file drags.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vesk_ui::qt {

// Set by the window while it exists: starts (or schedules) a drag of the
// given paths and says whether one will happen.
using DragHandler = std::function<bool(const std::vector<std::string>& paths)>;
void set_drag_handler(DragHandler handler);

}  // namespace vesk_ui::qt
