// Raster image decoding and PNG encoding, implemented by the Qt backend.
// Safe to call from any thread; needs no application object.
#pragma once

#include <cstdint>
#include <expected>
#include <span>
#include <string>
#include <vector>

#include "vesk_ui/painter.h"

namespace vesk_ui::image_codec {

// Decodes the first frame of an image file (PNG, JPEG, GIF, WebP, BMP and
// whatever else the installed format plugins read), applying the EXIF
// orientation. When `max_side` is positive the result is scaled down, aspect
// kept, so that neither side exceeds it; smaller images are never enlarged.
std::expected<Image, std::string> decode_file(const std::string& path, int max_side);
std::expected<Image, std::string> decode_bytes(std::span<const std::uint8_t> bytes, int max_side);

std::expected<std::vector<std::uint8_t>, std::string> encode_png(const Image& image);
// JPEG at `quality` (0 to 100); transparency is flattened.
std::expected<std::vector<std::uint8_t>, std::string> encode_jpeg(const Image& image, int quality = 88);

}  // namespace vesk_ui::image_codec
