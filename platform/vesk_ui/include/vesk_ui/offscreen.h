// Rendering a root widget without a window: the screenshot mode and the
// automation door's "render" use it.
#pragma once

#include <cstdint>
#include <expected>
#include <memory>
#include <string>
#include <vector>

#include "vesk_ui/geometry.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/widget.h"

namespace vesk_ui {

struct Theme;

namespace offscreen {

// An off-screen picture of `width` × `height` logical units at a display
// scale; its pixels are width × scale by height × scale.
class OffscreenRenderer {
public:
    // The toolkit calls this `new`, which C++ reserves. Creates the
    // QGuiApplication when there is none yet (offscreen platform).
    static std::expected<OffscreenRenderer, std::string> new_(int width, int height, float scale = 1.0f);

    OffscreenRenderer(OffscreenRenderer&&) noexcept;
    OffscreenRenderer& operator=(OffscreenRenderer&&) noexcept;
    ~OffscreenRenderer();

    // Lays the root out at (0, 0, width, height) (building it first when its
    // structure is dirty) and draws it. An exception thrown by a widget ends
    // the drawing but not the render: what was drawn stays, and a
    // diagnostic line tells what failed.
    std::expected<void, std::string> render_resilient(Widget& root, const Theme& theme);
    std::expected<std::vector<std::uint8_t>, std::string> encode_png() const;

    int width() const;
    int height() const;
    float scale() const;
    // The last frame in device pixels (premultiplied ARGB).
    Image image() const;

private:
    struct Impl;
    explicit OffscreenRenderer(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace offscreen

namespace shot {
// Lays out and draws `root` at `size` with launch::shot_theme(), encodes a
// PNG and publishes it at `path` atomically (parent folders created). On
// success prints "file-explorer: wrote shot to PATH" on standard output; a
// failed write gives "atomically publish png: ERROR".
std::expected<void, std::string> render_png_to(Widget& root, Size size, const std::string& path);
}  // namespace shot

}  // namespace vesk_ui
