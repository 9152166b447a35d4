#include "vesk_ui/offscreen.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <exception>

#include <fmt/format.h>

#include "frame.h"
#include "qt_painter.h"
#include "vesk_ui/backend.h"
#include "vesk_ui/persist.h"
#include "vesk_ui/services.h"
#include "vesk_ui/theme.h"

namespace vesk_ui::offscreen {

struct OffscreenRenderer::Impl {
    int width = 0;
    int height = 0;
    float scale = 1.0f;
    QImage image;
};

OffscreenRenderer::OffscreenRenderer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
OffscreenRenderer::OffscreenRenderer(OffscreenRenderer&&) noexcept = default;
OffscreenRenderer& OffscreenRenderer::operator=(OffscreenRenderer&&) noexcept = default;
OffscreenRenderer::~OffscreenRenderer() = default;

std::expected<OffscreenRenderer, std::string> OffscreenRenderer::new_(int width, int height, float scale) {
    // 16384 pixels a side is far beyond any screen and keeps the buffer
    // within what QImage can address.
    constexpr int kMaxSide = 16384;
    if (width <= 0 || height <= 0) return std::unexpected(fmt::format("invalid size {}x{}", width, height));
    if (!(scale > 0) || scale > 8) return std::unexpected(fmt::format("invalid scale {}", scale));
    const int pw = int(std::lround(width * double(scale)));
    const int ph = int(std::lround(height * double(scale)));
    if (pw > kMaxSide || ph > kMaxSide)
        return std::unexpected(fmt::format("size {}x{} exceeds {} pixels a side", pw, ph, kMaxSide));
    install_qt_backend(GuiMode::Offscreen);
    auto impl = std::make_unique<Impl>();
    impl->width = width;
    impl->height = height;
    impl->scale = scale;
    impl->image = QImage(pw, ph, QImage::Format_ARGB32_Premultiplied);
    if (impl->image.isNull()) return std::unexpected(fmt::format("cannot allocate a {}x{} picture", pw, ph));
    impl->image.setDevicePixelRatio(scale);
    impl->image.fill(Qt::transparent);
    return OffscreenRenderer(std::move(impl));
}

std::expected<void, std::string> OffscreenRenderer::render_resilient(Widget& root, const Theme& theme) {
    Impl& d = *impl_;
    d.image.fill(qt::to_qcolor(theme.window_bg));
    QPainter painter(&d.image);
    qt::QtPainter qp(painter);
    const Size size{float(d.width), float(d.height)};
    try {
        root.set_interaction_environment({d.scale, gesture::multi_click_interval()});
        qt::prepare_frame(root, size, Clock::now(), qt::SyncPolicy::Never);
        qt::draw_frame(root, qp, theme, d.scale, Clock::now());
    } catch (const std::exception& e) {
        diag::write_line(fmt::format("vesk_ui: drawing stopped by a widget failure: {}", e.what()));
    } catch (...) {
        diag::write_line("vesk_ui: drawing stopped by a widget failure");
    }
    painter.end();
    return {};
}

std::expected<std::vector<std::uint8_t>, std::string> OffscreenRenderer::encode_png() const {
    const QImage& src = impl_->image;
    // An opaque picture is written without its alpha channel: smaller, and
    // quicker to compress.
    bool opaque = true;
    for (int y = 0; y < src.height() && opaque; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            if (qAlpha(line[x]) != 255) {
                opaque = false;
                break;
            }
        }
    }
    QImage out = opaque ? src.convertToFormat(QImage::Format_RGB32) : src;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(out)) return std::unexpected(fmt::format("encode png: {}", writer.errorString().toStdString()));
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

int OffscreenRenderer::width() const { return impl_->width; }
int OffscreenRenderer::height() const { return impl_->height; }
float OffscreenRenderer::scale() const { return impl_->scale; }

Image OffscreenRenderer::image() const {
    const QImage& img = impl_->image;
    std::vector<std::uint32_t> px(std::size_t(img.width()) * std::size_t(img.height()));
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
        std::copy(line, line + img.width(), px.begin() + std::ptrdiff_t(y) * img.width());
    }
    return Image::from_pixels(img.width(), img.height(), std::move(px));
}

}  // namespace vesk_ui::offscreen
