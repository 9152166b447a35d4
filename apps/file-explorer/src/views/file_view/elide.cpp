#include "views/file_view/elide.h"

#include <vector>

#include "vesk_ui/utf8.h"

namespace file_explorer::views {

namespace {
constexpr std::string_view ellipsis = "\xE2\x80\xA6";  // U+2026
}

std::string elide_middle(std::string_view text, float max_width, const vesk_ui::TextRenderer& renderer,
                         const vesk_ui::FontSpec& font) {
    if (renderer.measure(text, font).width <= max_width) return std::string(text);
    // Byte offset of every code point boundary, including the end.
    std::vector<std::size_t> bounds;
    for (std::size_t i = 0; i < text.size(); i = vesk_ui::utf8::next(text, i)) bounds.push_back(i);
    bounds.push_back(text.size());
    std::size_t n = bounds.size() - 1;
    std::string candidate;
    for (std::size_t k = n; k-- > 0;) {
        std::size_t tail = (2 * k + 2) / 3;  // ceil(2k / 3)
        std::size_t head = k - tail;
        candidate.assign(text.substr(0, bounds[head]));
        candidate += ellipsis;
        candidate += text.substr(bounds[n - tail]);
        if (renderer.measure(candidate, font).width <= max_width) return candidate;
    }
    return std::string(ellipsis);
}

}  // namespace file_explorer::views
