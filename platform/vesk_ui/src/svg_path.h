// Path data in the SVG syntax ("M4 6 H20 A2 2 0 0 1 22 8 Z"), used to keep
// the icon drawings readable. Internal to the toolkit.
#pragma once

#include <string_view>

#include "vesk_ui/painter.h"

namespace vesk_ui::svg {

// Supports M L H V C S Q T A Z in absolute and relative forms. Parsing stops
// at the first malformed token, keeping what was read so far.
Path parse_path(std::string_view data);

}  // namespace vesk_ui::svg
