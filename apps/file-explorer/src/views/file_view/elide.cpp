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
    auto candidate = [&](std::size_t k) {
        std::size_t tail = (2 * k + 2) / 3;  // ceil(2k / 3)
        std::size_t head = k - tail;
        std::string c(text.substr(0, bounds[head]));
        c += ellipsis;
        c += text.substr(bounds[n - tail]);
        return c;
    };
    auto fits = [&](const std::string& c) { return renderer.measure(c, font).width <= max_width; };
    // Candidate k + 1 is candidate k with one more character, so widths grow
    // with k and the candidates that fit are those up to some k: the first
    // one found counting down from n - 1 is the largest that fits, which a
    // binary search finds in a few measurements.
    if (n == 0 || !fits(candidate(0))) return std::string(ellipsis);
    std::size_t lo = 0, hi = n - 1;  // candidate(lo) fits
    while (lo < hi) {
        std::size_t mid = lo + (hi - lo + 1) / 2;
        if (fits(candidate(mid)))
            lo = mid;
        else
            hi = mid - 1;
    }
    return candidate(lo);
}

}  // namespace file_explorer::views
