// The screenshot path: render, encode, publish atomically.
#include <cmath>
#include <cstdio>
#include <string_view>

#include <fmt/format.h>

#include "vesk_ui/offscreen.h"
#include "vesk_ui/shot.h"
#include "vesk_ui/theme.h"

namespace vesk_ui::shot {

std::expected<void, std::string> render_png_to(Widget& root, Size size, const std::string& path) {
    auto renderer = offscreen::OffscreenRenderer::new_(int(std::lround(size.width)), int(std::lround(size.height)));
    if (!renderer) return std::unexpected(renderer.error());
    if (auto drawn = renderer->render_resilient(root, launch::shot_theme()); !drawn)
        return std::unexpected(drawn.error());
    auto png = renderer->encode_png();
    if (!png) return std::unexpected(png.error());
    std::string_view bytes(reinterpret_cast<const char*>(png->data()), png->size());
    if (auto written = write_file_atomically(path, bytes); !written)
        return std::unexpected(fmt::format("atomically publish png: {}", written.error()));
    std::fputs(fmt::format("file-explorer: wrote shot to {}\n", path).c_str(), stdout);
    std::fflush(stdout);
    return {};
}

}  // namespace vesk_ui::shot
