// Middle elision of names: the end of a name (its extension) stays visible
// longest.
#pragma once

#include <string>
#include <string_view>

#include "vesk_ui/text.h"

namespace file_explorer::views {

// `text` whole when it fits `max_width`; otherwise the longest candidate
// "head…tail" (tail about two thirds of the kept characters) that fits,
// trying k = n − 1 down to 0 kept characters; "…" alone when none fits.
std::string elide_middle(std::string_view text, float max_width, const vesk_ui::TextRenderer& renderer,
                         const vesk_ui::FontSpec& font);

}  // namespace file_explorer::views
