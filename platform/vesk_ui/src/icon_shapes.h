// The drawings of the icon set, as layers of SVG path data on a 24-unit
// grid. Internal to the toolkit.
#pragma once

#include <vector>

#include "vesk_ui/icons.h"

namespace vesk_ui::icons::shapes {

enum class Paint : std::uint8_t { Fill, Stroke };

// How a layer's colour derives from the icon's colour.
enum class Tone : std::uint8_t {
    Main,      // the icon colour
    Soft,      // the icon colour, faint (page bodies)
    Half,      // the icon colour at half strength (folds)
    Deep,      // darker (folder backs)
    Ink,       // dark, for glyphs cut into filled shapes
    Backdrop,  // the window background, behind badges
};

struct Layer {
    const char* d;
    Paint paint;
    Tone tone = Tone::Main;
    float width = 1.5f;
};

const std::vector<Layer>& layers(Icon icon);

}  // namespace vesk_ui::icons::shapes
