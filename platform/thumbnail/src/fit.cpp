#include <algorithm>
#include <cmath>

#include "sources.h"

namespace thumbnail::detail {

void fitted_size(int width, int height, int max_side, int& out_width, int& out_height) {
    out_width = width;
    out_height = height;
    int long_side = std::max(width, height);
    if (max_side <= 0 || long_side <= max_side) return;
    double f = double(max_side) / long_side;
    out_width = std::clamp(int(std::lround(width * f)), 1, max_side);
    out_height = std::clamp(int(std::lround(height * f)), 1, max_side);
}

vesk_ui::Image fit_within(const vesk_ui::Image& image, int max_side) {
    if (image.empty() || image.pixels->size() < std::size_t(image.width) * std::size_t(image.height)) {
        return {};
    }
    int dw = 0, dh = 0;
    fitted_size(image.width, image.height, max_side, dw, dh);
    if (dw == image.width && dh == image.height) return image;

    const auto& src = *image.pixels;
    std::vector<std::uint32_t> out(std::size_t(dw) * std::size_t(dh));
    // Premultiplied channels average correctly without unpremultiplying.
    for (int y = 0; y < dh; ++y) {
        std::int64_t y0 = std::int64_t(y) * image.height / dh;
        std::int64_t y1 = std::max(y0 + 1, std::int64_t(y + 1) * image.height / dh);
        for (int x = 0; x < dw; ++x) {
            std::int64_t x0 = std::int64_t(x) * image.width / dw;
            std::int64_t x1 = std::max(x0 + 1, std::int64_t(x + 1) * image.width / dw);
            std::uint64_t sum[4] = {0, 0, 0, 0};
            for (std::int64_t sy = y0; sy < y1; ++sy) {
                const std::uint32_t* row = src.data() + sy * image.width;
                for (std::int64_t sx = x0; sx < x1; ++sx) {
                    std::uint32_t p = row[sx];
                    for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 0xff;
                }
            }
            std::uint64_t n = std::uint64_t((y1 - y0) * (x1 - x0));
            std::uint32_t p = 0;
            for (int c = 0; c < 4; ++c) p |= std::uint32_t((sum[c] + n / 2) / n) << (8 * c);
            out[std::size_t(y) * dw + x] = p;
        }
    }
    return vesk_ui::Image::from_pixels(dw, dh, std::move(out));
}

}  // namespace thumbnail::detail
