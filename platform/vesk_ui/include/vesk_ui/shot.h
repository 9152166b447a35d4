// Screenshot-mode helpers that need no backend: the "--size" value and the
// atomic publication of the rendered file.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>

#include "vesk_ui/geometry.h"

namespace vesk_ui::shot {

inline constexpr Size fallback_size{1200, 720};

// "800x600" or "800X600": split at the first 'x'/'X'; both sides unsigned
// 32-bit decimal numbers give that size. Anything else gives
// `toolkit_default` when there is one, else 1200 x 720.
Size parse_size(const std::optional<std::string>& value, std::optional<Size> toolkit_default);

// Creates the parent folders, writes `bytes` to a temporary name in the same
// folder, flushes it to disk and renames it over `path`, so a reader sees
// either the old file or the whole new one. The temporary file is removed
// on failure.
std::expected<void, std::string> write_file_atomically(const std::string& path, std::string_view bytes);

}  // namespace vesk_ui::shot
