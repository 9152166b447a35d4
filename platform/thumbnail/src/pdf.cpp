#include <poppler/cpp/poppler-document.h>
#include <poppler/cpp/poppler-global.h>
#include <poppler/cpp/poppler-image.h>
#include <poppler/cpp/poppler-page-renderer.h>
#include <poppler/cpp/poppler-page.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>

#include "sources.h"

namespace thumbnail::detail {

namespace {

void ignore_poppler_message(const std::string&, void*) {}

// Poppler keeps process-wide state; one render at a time keeps it out of
// reach of races without costing much (thumbnails are small).
std::mutex& poppler_mutex() {
    static std::mutex m;
    return m;
}

}  // namespace

std::expected<vesk_ui::Image, std::string> render_pdf_first_page(const std::string& path, int max_side) {
    if (max_side <= 0) return std::unexpected(std::string("invalid thumbnail size"));
    std::lock_guard lock(poppler_mutex());
    static std::once_flag quiet;
    // Damaged files make poppler print to stderr; the failure is reported
    // through the return value instead.
    std::call_once(quiet, [] { poppler::set_debug_error_function(ignore_poppler_message, nullptr); });

    std::unique_ptr<poppler::document> doc(poppler::document::load_from_file(path));
    if (!doc) return std::unexpected(std::string("not a readable PDF"));
    if (doc->is_locked()) return std::unexpected(std::string("PDF is encrypted"));
    if (doc->pages() < 1) return std::unexpected(std::string("PDF has no pages"));
    std::unique_ptr<poppler::page> page(doc->create_page(0));
    if (!page) return std::unexpected(std::string("PDF page unreadable"));

    poppler::rectf box = page->page_rect();
    double long_side = std::max(box.width(), box.height());
    if (!std::isfinite(long_side) || long_side <= 0) return std::unexpected(std::string("PDF page has no size"));
    double dpi = 72.0 * max_side / long_side;

    poppler::page_renderer renderer;
    renderer.set_render_hint(poppler::page_renderer::antialiasing, true);
    renderer.set_render_hint(poppler::page_renderer::text_antialiasing, true);
    renderer.set_image_format(poppler::image::format_argb32);
    renderer.set_paper_color(0xffffffff);
    poppler::image rendered = renderer.render_page(page.get(), dpi, dpi);
    if (!rendered.is_valid() || rendered.format() != poppler::image::format_argb32 ||
        rendered.width() <= 0 || rendered.height() <= 0) {
        return std::unexpected(std::string("PDF page could not be rendered"));
    }

    int w = rendered.width(), h = rendered.height();
    std::vector<std::uint32_t> pixels(std::size_t(w) * std::size_t(h));
    const char* data = rendered.const_data();
    for (int y = 0; y < h; ++y) {
        std::memcpy(pixels.data() + std::size_t(y) * w, data + std::size_t(y) * rendered.bytes_per_row(),
                    std::size_t(w) * 4);
    }
    // Rendered on opaque paper: force full alpha so the pixels are valid
    // premultiplied values whatever the renderer left in the alpha byte.
    for (auto& p : pixels) p |= 0xff000000u;
    // Rounding may overshoot by a pixel.
    return fit_within(vesk_ui::Image::from_pixels(w, h, std::move(pixels)), max_side);
}

}  // namespace thumbnail::detail
