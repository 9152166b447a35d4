// The card that follows the pointer while items are dragged: the first
// item's icon and its name, or the number of items.
#pragma once

#include <string>
#include <vector>

#include "vesk_ui/geometry.h"

namespace vesk_ui {
class Painter;
struct Theme;
}  // namespace vesk_ui

namespace file_explorer::files_app {

// The card's text for the dragged paths.
std::string drag_card_text(const std::vector<std::string>& paths);

void draw_drag_card(vesk_ui::Painter& painter, const vesk_ui::Theme& theme, vesk_ui::Point pointer,
                    const std::vector<std::string>& paths, float scale);

}  // namespace file_explorer::files_app
