#include "vesk_ui/image_codec.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace vesk_ui::image_codec {

namespace {

// Long side brought down to `max_side`, aspect kept, never below one pixel
// (a 1 x 10000 strip must not round to an empty image).
QSize fitted(QSize size, int max_side) {
    int long_side = std::max(size.width(), size.height());
    if (max_side <= 0 || long_side <= max_side) return size;
    double f = double(max_side) / long_side;
    return {std::max(1, int(std::lround(size.width() * f))),
            std::max(1, int(std::lround(size.height() * f)))};
}

Image to_image(const QImage& source) {
    QImage img = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<std::uint32_t> pixels(std::size_t(img.width()) * std::size_t(img.height()));
    for (int y = 0; y < img.height(); ++y) {
        std::memcpy(pixels.data() + std::size_t(y) * img.width(), img.constScanLine(y),
                    std::size_t(img.width()) * sizeof(std::uint32_t));
    }
    return Image::from_pixels(img.width(), img.height(), std::move(pixels));
}

std::expected<Image, std::string> read(QImageReader& reader, int max_side) {
    reader.setAutoTransform(true);
    // Asking the reader for the small size lets JPEG decode at a fraction of
    // the full resolution instead of scaling afterwards.
    QSize size = reader.size();
    if (size.isValid()) {
        QSize want = fitted(size, max_side);
        if (want != size) reader.setScaledSize(want);
    }
    QImage img;
    if (!reader.read(&img)) return std::unexpected(reader.errorString().toStdString());
    if (img.isNull()) return std::unexpected(std::string("empty image"));
    QSize want = fitted(img.size(), max_side);
    if (want != img.size()) {
        img = img.scaled(want, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    Image out = to_image(img);
    if (out.empty()) return std::unexpected(std::string("empty image"));
    return out;
}

}  // namespace

std::expected<Image, std::string> decode_file(const std::string& path, int max_side) {
    QImageReader reader(QString::fromStdString(path));
    return read(reader, max_side);
}

std::expected<Image, std::string> decode_bytes(std::span<const std::uint8_t> bytes, int max_side) {
    if (bytes.empty()) return std::unexpected(std::string("no image data"));
    if (bytes.size() > std::size_t(std::numeric_limits<int>::max())) {
        return std::unexpected(std::string("image data too large"));
    }
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              qsizetype(bytes.size()));
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly)) return std::unexpected(std::string("cannot read image data"));
    QImageReader reader(&buffer);
    return read(reader, max_side);
}

namespace {

std::expected<std::vector<std::uint8_t>, std::string> encode(const Image& image, const char* format, int quality) {
    if (image.empty() || image.pixels->size() < std::size_t(image.width) * std::size_t(image.height)) {
        return std::unexpected(std::string("empty image"));
    }
    QImage view(reinterpret_cast<const uchar*>(image.pixels->data()), image.width, image.height,
                qsizetype(image.width) * 4, QImage::Format_ARGB32_Premultiplied);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!view.save(&buffer, format, quality)) return std::unexpected(std::string(format) + " encoding failed");
    return std::vector<std::uint8_t>(out.begin(), out.end());
}

}  // namespace

std::expected<std::vector<std::uint8_t>, std::string> encode_png(const Image& image) {
    return encode(image, "PNG", -1);
}

std::expected<std::vector<std::uint8_t>, std::string> encode_jpeg(const Image& image, int quality) {
    return encode(image, "JPEG", quality);
}

}  // namespace vesk_ui::image_codec
