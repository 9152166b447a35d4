#include <cmath>
#include <mutex>
#include <string>
#include <vector>

#include "vesk_ui/text.h"
#include "vesk_ui/utf8.h"

namespace vesk_ui {

namespace {

constexpr std::string_view ellipsis = "\xE2\x80\xA6";  // U+2026

// Advance of one code point in ems, close to Inter's proportions so that
// layouts computed without a backend resemble the real ones.
float advance_em(char32_t cp, const FontSpec& font) {
    if (font.monospace) return 0.6f;
    if (cp == ' ') return 0.28f;
    if (cp < 0x80) {
        switch (cp) {
            case 'i': case 'l': case 'j': case '!': case '|': case '.': case ',':
            case ':': case ';': case '\'': case 'I': return 0.27f;
            case 'f': case 't': case 'r': case '(': case ')': case '[': case ']':
            case '-': case '/': return 0.38f;
            case 'm': case 'w': return 0.86f;
            case 'M': case 'W': return 0.92f;
            default: break;
        }
        if (cp >= 'A' && cp <= 'Z') return 0.68f;
        if (cp >= '0' && cp <= '9') return 0.6f;
        return 0.55f;
    }
    // East Asian wide characters and emoji take a full em.
    if ((cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
        (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
        (cp >= 0xFF00 && cp <= 0xFF60) || (cp >= 0x1F300 && cp <= 0x1FAFF))
        return 1.0f;
    if (cp == 0x2026) return 0.8f;
    return 0.6f;
}

class ApproximateTextRenderer final : public TextRenderer {
public:
    TextMetrics measure(std::string_view text, const FontSpec& font) const override {
        float em = 0;
        std::size_t len = 1;
        for (std::size_t i = 0; i < text.size(); i += len) em += advance_em(utf8::decode(text, i, &len), font);
        float weight = font.weight >= FontWeight::Semibold ? 1.05f : 1.0f;
        return {em * font.size * weight, std::ceil(font.size * 1.25f), std::round(font.size * 0.95f)};
    }
};

std::mutex renderer_mutex;
std::unique_ptr<TextRenderer>& renderer_slot() {
    static std::unique_ptr<TextRenderer> slot = std::make_unique<ApproximateTextRenderer>();
    return slot;
}

}  // namespace

std::size_t TextRenderer::hit_test(std::string_view text, const FontSpec& font, float x) const {
    if (x <= 0) return 0;
    std::size_t best = 0;
    float best_distance = x;
    for (std::size_t pos = utf8::next(text, 0); pos <= text.size(); pos = utf8::next(text, pos)) {
        float distance = std::fabs(measure(text.substr(0, pos), font).width - x);
        if (distance < best_distance) {
            best = pos;
            best_distance = distance;
        } else {
            // Prefix widths only grow, so once we move away we are done.
            break;
        }
        if (pos == text.size()) break;
    }
    return best;
}

std::string TextRenderer::elide(std::string_view text, const FontSpec& font, float max_width) const {
    if (measure(text, font).width <= max_width) return std::string(text);
    if (measure(ellipsis, font).width > max_width) return {};
    // Largest code-point prefix that fits with the ellipsis: binary search
    // over boundaries, since prefix width grows with length.
    std::vector<std::size_t> bounds;
    for (std::size_t i = 0; i < text.size(); i = utf8::next(text, i)) bounds.push_back(i);
    std::size_t lo = 0, hi = bounds.size() - 1;
    while (lo < hi) {
        std::size_t mid = (lo + hi + 1) / 2;
        std::string candidate(text.substr(0, bounds[mid]));
        candidate += ellipsis;
        if (measure(candidate, font).width <= max_width)
            lo = mid;
        else
            hi = mid - 1;
    }
    std::string out(text.substr(0, bounds[lo]));
    // No dangling space before the ellipsis.
    while (!out.empty() && out.back() == ' ') out.pop_back();
    out += ellipsis;
    return out;
}

void TextRenderer::draw_text(Painter& painter, const Rect& box, std::string_view text, const FontSpec& font,
                             Color color, Align align) const {
    if (text.empty()) return;
    TextMetrics m = measure(text, font);
    float x = box.left;
    if (align == Align::Center) x = box.left + (box.width() - m.width) / 2;
    if (align == Align::End) x = box.right - m.width;
    float y = box.top + (box.height() - m.height) / 2;
    painter.draw_text({x, y}, text, font, color);
}

const TextRenderer& text_renderer() {
    std::lock_guard lock(renderer_mutex);
    return *renderer_slot();
}

void install_text_renderer(std::unique_ptr<TextRenderer> renderer) {
    if (!renderer) return;
    std::lock_guard lock(renderer_mutex);
    // Widgets may still hold a reference to the previous renderer; keep it
    // alive for the life of the process.
    static std::vector<std::unique_ptr<TextRenderer>> retired;
    retired.push_back(std::move(renderer_slot()));
    renderer_slot() = std::move(renderer);
}

}  // namespace vesk_ui
