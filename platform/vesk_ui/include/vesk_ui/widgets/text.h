// A text: one line elided to its width, or wrapped over several lines.
#pragma once

#include <string>
#include <vector>

#include "vesk_ui/painter.h"
#include "vesk_ui/text.h"
#include "vesk_ui/widget.h"

namespace vesk_ui::widgets {

// Which of the theme's text colours a text uses.
enum class TextTone : std::uint8_t { Primary, Secondary, Tertiary, Disabled, OnAccent, Accent, Danger };
Color text_tone_color(const Theme& theme, TextTone tone);

class Text : public Widget {
public:
    explicit Text(std::string text, TextTone tone = TextTone::Primary);

    Text& set_text(std::string text);
    Text& set_font(const FontSpec& font);
    Text& set_tone(TextTone tone);
    Text& set_align(Align align);
    // Wrapped texts break at spaces (and inside words longer than a line).
    Text& set_wrap(bool wrap, int max_lines = 0);
    // Narrower than the space offered, when set.
    Text& set_max_width(float width);

    const std::string& text() const { return text_; }
    // The lines as laid out for the current width (for tests and a11y).
    const std::vector<std::string>& lines() const { return lines_; }

    Size measure(Size available) override;
    void apply_layout(const Rect& bounds) override;
    void draw(Painter& painter, const DrawContext& ctx) override;
    std::optional<AccessNode> accessibility() const override;

private:
    std::vector<std::string> layout_lines(float width) const;

    std::string text_;
    FontSpec font_;
    TextTone tone_;
    Align align_ = Align::Start;
    bool wrap_ = false;
    int max_lines_ = 0;
    float max_width_ = 0;
    std::vector<std::string> lines_;
};

// Greedy word wrap of `text` into lines no wider than `width`; at most
// `max_lines` lines when positive, the last one elided.
std::vector<std::string> wrap_text(std::string_view text, const FontSpec& font, float width, int max_lines = 0);

}  // namespace vesk_ui::widgets
