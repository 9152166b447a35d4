// Producers of thumbnail pictures from file contents, run on worker threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <vector>

#include "vesk_ui/painter.h"

namespace thumbnail::detail {

// The first page of a PDF, white paper, at most `max_side` on the long side.
std::expected<vesk_ui::Image, std::string> render_pdf_first_page(const std::string& path, int max_side);

// The encoded bytes of an EPUB's cover image: the manifest item marked
// "cover-image", else the one named by the "cover" meta, else the first
// image of the manifest. Every member read is bounded.
std::expected<std::vector<std::uint8_t>, std::string> epub_cover_bytes(const std::string& path);

// The picture a workspace service publishes on an item (raw image bytes in
// an extended attribute, the link itself when `path` is one); nullopt when
// absent, unreadable or larger than `limit`.
std::optional<std::vector<std::uint8_t>> read_published_thumbnail(const std::string& path,
                                                                  std::size_t limit);

// `image` scaled down by area averaging so that its long side is at most
// `max_side`; returned unchanged when it already fits.
vesk_ui::Image fit_within(const vesk_ui::Image& image, int max_side);

// Output size of fitting `width` x `height` into `max_side`, never below 1.
void fitted_size(int width, int height, int max_side, int& out_width, int& out_height);

}  // namespace thumbnail::detail
