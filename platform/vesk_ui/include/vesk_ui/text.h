// Text measuring and drawing. The backend installs a renderer with real font
// metrics; without one (Qt-free tests) an approximate renderer answers.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "vesk_ui/geometry.h"
#include "vesk_ui/painter.h"

namespace vesk_ui {

struct TextMetrics {
    float width = 0;
    float height = 0;  // line height
    float ascent = 0;
};

enum class Align : std::uint8_t { Start, Center, End };

class TextRenderer {
public:
    virtual ~TextRenderer() = default;
    virtual TextMetrics measure(std::string_view text, const FontSpec& font) const = 0;
    // Byte offset in `text` of the caret position nearest to `x`.
    virtual std::size_t hit_test(std::string_view text, const FontSpec& font, float x) const;
    // Cuts the text with a trailing "…" so that it fits `max_width`.
    virtual std::string elide(std::string_view text, const FontSpec& font, float max_width) const;

    // Draws one line inside `box`, vertically centred, aligned horizontally.
    void draw_text(Painter& painter, const Rect& box, std::string_view text, const FontSpec& font,
                   Color color, Align align = Align::Start) const;
};

// The process-wide renderer (the approximate one until a backend installs its own).
const TextRenderer& text_renderer();
void install_text_renderer(std::unique_ptr<TextRenderer> renderer);

}  // namespace vesk_ui
