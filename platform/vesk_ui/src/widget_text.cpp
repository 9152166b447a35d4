#include <cmath>

#include "vesk_ui/theme.h"
#include "vesk_ui/utf8.h"
#include "vesk_ui/widgets/text.h"

namespace vesk_ui::widgets {

Color text_tone_color(const Theme& theme, TextTone tone) {
    switch (tone) {
        case TextTone::Primary: return theme.text_primary;
        case TextTone::Secondary: return theme.text_secondary;
        case TextTone::Tertiary: return theme.text_tertiary;
        case TextTone::Disabled: return theme.text_disabled;
        case TextTone::OnAccent: return theme.text_on_accent;
        case TextTone::Accent: return theme.accent_a;
        case TextTone::Danger: return theme.danger;
    }
    return theme.text_primary;
}

namespace {

// Splits a word that is wider than a line at code point boundaries.
void break_long_word(std::string_view word, const FontSpec& font, float width, std::vector<std::string>& out) {
    const auto& r = text_renderer();
    std::string line;
    for (std::size_t i = 0; i < word.size();) {
        std::size_t n = utf8::next(word, i);
        std::string candidate = line + std::string(word.substr(i, n - i));
        if (!line.empty() && r.measure(candidate, font).width > width) {
            out.push_back(line);
            line = std::string(word.substr(i, n - i));
        } else {
            line = std::move(candidate);
        }
        i = n;
    }
    if (!line.empty()) out.push_back(line);
}

}  // namespace

std::vector<std::string> wrap_text(std::string_view text, const FontSpec& font, float width, int max_lines) {
    const auto& r = text_renderer();
    std::vector<std::string> lines;
    std::size_t start = 0;
    // Explicit line breaks are kept.
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        std::string_view para = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        std::string line;
        std::size_t pos = 0;
        bool any = false;
        while (pos < para.size()) {
            std::size_t sp = para.find(' ', pos);
            std::string_view word = para.substr(pos, sp == std::string_view::npos ? std::string_view::npos : sp - pos);
            pos = sp == std::string_view::npos ? para.size() : sp + 1;
            if (word.empty()) continue;
            any = true;
            std::string candidate = line.empty() ? std::string(word) : line + " " + std::string(word);
            if (r.measure(candidate, font).width <= width) {
                line = std::move(candidate);
                continue;
            }
            if (!line.empty()) lines.push_back(std::move(line));
            line.clear();
            if (r.measure(word, font).width <= width) {
                line = std::string(word);
            } else {
                std::vector<std::string> parts;
                break_long_word(word, font, width, parts);
                for (std::size_t k = 0; k + 1 < parts.size(); ++k) lines.push_back(parts[k]);
                if (!parts.empty()) line = parts.back();
            }
        }
        if (!line.empty() || !any) lines.push_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    if (max_lines > 0 && int(lines.size()) > max_lines) {
        lines.resize(std::size_t(max_lines));
        // Mark the cut even when the last kept line would fit as it is.
        std::string last = lines.back() + " \xE2\x80\xA6";
        lines.back() = r.elide(last, font, width);
    }
    return lines;
}

Text::Text(std::string text, TextTone tone) : text_(std::move(text)), font_(Theme::dark().body), tone_(tone) {}

Text& Text::set_text(std::string text) {
    text_ = std::move(text);
    return *this;
}
Text& Text::set_font(const FontSpec& font) {
    font_ = font;
    return *this;
}
Text& Text::set_tone(TextTone tone) {
    tone_ = tone;
    return *this;
}
Text& Text::set_align(Align align) {
    align_ = align;
    return *this;
}
Text& Text::set_wrap(bool wrap, int max_lines) {
    wrap_ = wrap;
    max_lines_ = max_lines;
    return *this;
}
Text& Text::set_max_width(float width) {
    max_width_ = width;
    return *this;
}

std::vector<std::string> Text::layout_lines(float width) const {
    if (wrap_) return wrap_text(text_, font_, width, max_lines_);
    return {text_renderer().elide(text_, font_, width)};
}

Size Text::measure(Size available) {
    float width = available.width;
    if (max_width_ > 0) width = std::min(width, max_width_);
    const auto& r = text_renderer();
    float line_height = r.measure("Ag", font_).height;
    if (!wrap_) return {std::min(std::ceil(r.measure(text_, font_).width), width), line_height};
    auto lines = layout_lines(width);
    float widest = 0;
    for (const auto& l : lines) widest = std::max(widest, r.measure(l, font_).width);
    return {std::min(std::ceil(widest), width), line_height * float(lines.size())};
}

void Text::apply_layout(const Rect& bounds) {
    bounds_ = bounds;
    lines_ = layout_lines(bounds.width());
}

void Text::draw(Painter& painter, const DrawContext& ctx) {
    if (lines_.empty()) return;
    const auto& r = text_renderer();
    float line_height = r.measure("Ag", font_).height;
    Color color = text_tone_color(ctx.theme, tone_);
    // Centre the block vertically when the bounds are taller than it.
    float block = line_height * float(lines_.size());
    float y = bounds_.top + std::max(0.0f, (bounds_.height() - block) / 2);
    for (const auto& line : lines_) {
        r.draw_text(painter, Rect{bounds_.left, y, bounds_.right, y + line_height}, line, font_, color, align_);
        y += line_height;
    }
}

std::optional<AccessNode> Text::accessibility() const {
    AccessNode node;
    node.role = Role::Text;
    node.label = text_;
    node.rect = bounds_;
    return node;
}

}  // namespace vesk_ui::widgets
