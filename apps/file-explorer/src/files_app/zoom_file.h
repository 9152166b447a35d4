// The item-size step, kept in the "zoom" file of the configuration folder as
// decimal text ("-2" … "6", no line end).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace file_explorer::files_app {

inline constexpr int kMinZoomStep = -2;
inline constexpr int kMaxZoomStep = 6;

// Parses the file's text as a 32-bit integer clamped to the step range; a
// lone sign, any other character or overflow gives 0.
int parse_zoom_text(std::string_view text);
// The stored step, or 0 when the file is missing or unreadable.
int read_zoom_step(const std::optional<std::string>& config_dir);
// Writes the step atomically (temporary file, then rename), creating the
// folder first. Errors are ignored: the step is a convenience.
void write_zoom_step(const std::optional<std::string>& config_dir, int step);

}  // namespace file_explorer::files_app
