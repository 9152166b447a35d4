#include "views/file_view/tile.h"

#include <algorithm>

#include "model/file_entry.h"
#include "vesk_ui/icons.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/utf8.h"

namespace file_explorer::views {

using vesk_ui::Rect;

std::string extension_label(std::string_view name) {
    std::size_t dot = name.rfind('.');
    // A leading dot marks a hidden name, not an extension.
    if (dot == std::string_view::npos || dot == 0 || dot + 1 >= name.size()) return {};
    std::string_view ext = name.substr(dot + 1);
    std::size_t end = 0;
    for (int n = 0; n < 4 && end < ext.size(); ++n) end = vesk_ui::utf8::next(ext, end);
    std::string out(ext.substr(0, end));
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

void draw_file_tile(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, const Rect& tile, float z,
                    const model::FileEntry& entry, vesk_ui::Color color) {
    float radius = 8 * z;
    float h = tile.height();
    painter.fill_rounded_rect(tile, radius, color.with_alpha(0.16f));
    painter.stroke_rounded_rect(tile.inset(0.5f), radius, 1, color.with_alpha(0.5f));

    float side = h / 2;
    Rect icon = Rect::from_xywh(tile.left + (tile.width() - side) / 2, tile.top + 0.14f * h, side, side);
    vesk_ui::draw_icon(painter, vesk_ui::icons::icon_for_path(entry.path, false, entry.mime.text()), icon, color,
                       ctx.scale);

    std::string label = extension_label(entry.name);
    if (label.empty()) return;
    vesk_ui::FontSpec font = ctx.theme.caption;
    font.size = std::clamp(0.2f * h, 8.0f, 13.0f);
    font.weight = vesk_ui::FontWeight::Semibold;
    const vesk_ui::TextRenderer& text = vesk_ui::text_renderer();
    float width = text.measure(label, font).width;
    float top = tile.bottom - 0.14f * h - font.size;
    painter.draw_text({tile.left + (tile.width() - width) / 2, top}, label, font, color);
}

}  // namespace file_explorer::views
