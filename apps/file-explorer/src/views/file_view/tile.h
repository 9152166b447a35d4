// The grid's stand-in for a file whose thumbnail is not ready: a tinted
// tile in the colour of the file's kind, with its icon and extension.
#pragma once

#include <string>
#include <string_view>

#include "vesk_ui/geometry.h"
#include "vesk_ui/widget.h"

namespace file_explorer::model {
struct FileEntry;
}

namespace file_explorer::views {

// The extension of `name` in upper case (ASCII letters only), cut to its
// first 4 characters; empty when the name has none.
std::string extension_label(std::string_view name);

void draw_file_tile(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, const vesk_ui::Rect& tile, float z,
                    const model::FileEntry& entry, vesk_ui::Color color);

}  // namespace file_explorer::views
