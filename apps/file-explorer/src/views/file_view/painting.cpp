// Painting of the file view: rows and the header in list mode, cells in grid
// mode, then the keyboard cursor. Only entries in the visible range are
// touched, so a frame costs the same for any folder size.
#include <algorithm>
#include <cmath>

#include "i18n/i18n.h"
#include "thumbnail/service.h"
#include "views/file_view/elide.h"
#include "views/file_view/entry_state.h"
#include "views/file_view/file_view.h"
#include "views/file_view/item_layout.h"
#include "views/file_view/tile.h"
#include "views/file_view/thumbs.h"
#include "vesk_ui/icons.h"
#include "vesk_ui/theme.h"

namespace file_explorer::views {

using vesk_ui::Color;
using vesk_ui::Painter;
using vesk_ui::Point;
using vesk_ui::Rect;

namespace {

constexpr std::string_view dash = "\xE2\x80\x94";              // —
constexpr std::string_view conflict_mark = "  \xE2\x9A\xA0";   // two spaces, ⚠
constexpr std::string_view arrow_up = "\xE2\x96\xB4";          // ▴
constexpr std::string_view arrow_down = "\xE2\x96\xBE";        // ▾

// Device-pixel snapping, so hairlines and edges stay crisp.
float snap(float v, float scale) {
    if (!(scale > 0)) return v;
    return std::round(v * scale) / scale;
}

std::string size_text(const model::FileEntry& entry) {
    return entry.is_dir ? std::string(dash) : i18n::format_size(entry.size);
}

std::string modified_text(const model::FileEntry& entry) {
    if (!entry.modified) return std::string(dash);
    auto local = model::to_local_time(*entry.modified);
    return local ? i18n::format_local_datetime(*local) : std::string(dash);
}

void draw_text_line(Painter& p, const vesk_ui::TextRenderer& text, float left, float top, float width,
                    std::string_view s, const vesk_ui::FontSpec& font, Color c) {
    if (width <= 0 || s.empty()) return;
    std::string shown = elide_middle(s, width, text, font);
    p.draw_text({left, top}, shown, font, c);
}

void draw_badge(Painter& p, const vesk_ui::DrawContext& ctx, const EntryState& state, const Rect& icon, bool grid) {
    auto badge = badge_for(state);
    if (!badge) return;
    auto glyph = vesk_ui::icons::badge_for_code(badge->glyph);
    if (!glyph) return;
    Color c = badge->tone == BadgeTone::A ? ctx.theme.accent_a : ctx.theme.accent_b;
    vesk_ui::draw_icon(p, *glyph, ItemLayout::badge_rect(icon, grid), c, ctx.scale);
}

void draw_thumbnail(Painter& p, const vesk_ui::Image& image, const Rect& box, float radius) {
    if (box.empty() || image.empty()) return;
    // Cover the box: crop the picture's longer side around its centre.
    float iw = static_cast<float>(image.width);
    float ih = static_cast<float>(image.height);
    float box_ratio = box.width() / box.height();
    Rect src{0, 0, iw, ih};
    if (iw / ih > box_ratio) {
        float w = ih * box_ratio;
        src.left = (iw - w) / 2;
        src.right = src.left + w;
    } else {
        float h = iw / box_ratio;
        src.top = (ih - h) / 2;
        src.bottom = src.top + h;
    }
    p.draw_image(image, box, src, radius);
}

}  // namespace

void FileView::draw(Painter& painter, const vesk_ui::DrawContext& ctx) {
    if (mode_ == ViewLayoutMode::List)
        draw_list(painter, ctx);
    else
        draw_grid(painter, ctx);
    draw_cursor(painter, ctx);
}

std::optional<vesk_ui::Image> FileView::thumbnail_for(std::size_t i) {
    const model::FileEntry& entry = entries_[i];
    if (!thumbnails_ || entry.is_dir) return std::nullopt;
    EntryState state = entry_state(entry);
    auto request = thumb_request(entry, state, workspace_roots_, thumbnails_->size());
    if (!request) return std::nullopt;
    if (auto image = thumbnails_->lookup(request->key); image && !image->empty()) return image;
    // The service coalesces repeated requests of a key, so asking on every
    // frame until the picture is ready costs one look-up.
    if (request->collaborative)
        thumbnails_->request_collaborative(request->key, entry.path, request->source, request->category);
    else
        thumbnails_->request(request->key, entry.path, request->category);
    return std::nullopt;
}

void FileView::draw_item_background(Painter& painter, const vesk_ui::DrawContext& ctx, std::size_t i,
                                    const Rect& rect) {
    bool selected = selection_.is_selected(i);
    bool hovered = !selected && pointer_ && hover_ == i;
    if (!selected && !hovered) return;
    Color c = selected ? (focused_ ? ctx.theme.selection_focused : ctx.theme.selection) : ctx.theme.selection_hover;
    painter.fill_rounded_rect(rect, ctx.theme.radius_m, c);
}

void FileView::draw_list(Painter& painter, const vesk_ui::DrawContext& ctx) {
    IndexRange range = geometry_.visible_range(viewport_, entries_.size());
    ItemLayout item(geometry_, vesk_ui::text_renderer(), ctx.theme);
    for (std::size_t i = range.first; i < range.end; ++i) draw_list_row(painter, ctx, item, i);
    draw_rename_field(painter, ctx);
    draw_header(painter, ctx, item);
}

void FileView::draw_list_row(Painter& painter, const vesk_ui::DrawContext& ctx, const ItemLayout& item,
                             std::size_t i) {
    const model::FileEntry& entry = entries_[i];
    const vesk_ui::TextRenderer& text = vesk_ui::text_renderer();
    Rect row = geometry_.item_rect(i);
    draw_item_background(painter, ctx, i, ItemLayout::highlight_rect(row));

    Rect icon = item.list_icon_rect(row);
    if (auto thumb = thumbnail_for(i))
        draw_thumbnail(painter, *thumb, icon, 3);
    else
        vesk_ui::draw_icon(painter, vesk_ui::icons::icon_for_path(entry.path, entry.is_dir, entry.mime.text()),
                           icon, ctx.theme, ctx.scale);
    EntryState state = entry_state(entry);
    draw_badge(painter, ctx, state, icon, false);

    const vesk_ui::FontSpec& font = item.text_font();
    float top = item.list_text_top(row);
    if (rename_.index != i) {
        Span name = item.list_name_span(row);
        if (state.conflict) {
            float mark = text.measure(conflict_mark, font).width;
            std::string shown = elide_middle(entry.name, std::max(name.width() - mark, 0.0f), text, font);
            painter.draw_text({name.left, top}, shown, font, ctx.theme.text_primary);
            float after = name.left + text.measure(shown, font).width;
            painter.draw_text({after, top}, conflict_mark, font, ctx.theme.warning);
        } else {
            draw_text_line(painter, text, name.left, top, name.width(), entry.name, font, ctx.theme.text_primary);
        }
    }
    const ListColumns& cols = geometry_.columns();
    if (cols.size)
        draw_text_line(painter, text, cols.size->left, top, cols.size->width(), size_text(entry), font,
                       ctx.theme.text_secondary);
    if (cols.modified)
        draw_text_line(painter, text, cols.modified->left, top, cols.modified->width(), modified_text(entry), font,
                       ctx.theme.text_secondary);
}

void FileView::draw_header(Painter& painter, const vesk_ui::DrawContext& ctx, const ItemLayout& item) {
    const vesk_ui::TextRenderer& text = vesk_ui::text_renderer();
    Rect band = geometry_.header_rect(viewport_);
    // Opaque, so rows scrolled under the sticky header do not show through.
    painter.fill_rect(band, ctx.theme.surface);

    const vesk_ui::FontSpec& font = item.header_font();
    float top = band.top + (band.height() - text.measure("Ag", font).height) / 2;
    top = snap(top, ctx.scale);
    const ListColumns& cols = geometry_.columns();
    auto title = [&](Column column, float left, float right, std::string_view id) {
        std::string label = i18n::tr(id);
        float width = right - left;
        bool active = static_cast<int>(column) == static_cast<int>(sort_key_) + 1;
        std::string_view arrow = sort_direction_ == model::SortDirection::Ascending ? arrow_up : arrow_down;
        float arrow_w = active ? 4 + text.measure(arrow, font).width : 0;
        std::string shown = elide_middle(label, std::max(width - arrow_w, 0.0f), text, font);
        painter.draw_text({left, top}, shown, font, ctx.theme.text_secondary);
        if (active)
            painter.draw_text({left + text.measure(shown, font).width + 4, top}, arrow, font, ctx.theme.accent_b);
    };
    title(Column::Name, item.name_title_left(), cols.name.right, "files-column-name");
    if (cols.size) title(Column::Size, cols.size->left, cols.size->right, "files-column-size");
    if (cols.modified) title(Column::Modified, cols.modified->left, cols.modified->right, "files-column-modified");

    // A one-unit hairline on the header's bottom edge, on whole device pixels.
    float inset = 10 * geometry_.zoom();
    float bottom = snap(band.bottom, ctx.scale);
    painter.fill_rect({snap(band.left + inset, ctx.scale), bottom - 1, snap(band.right - inset, ctx.scale), bottom},
                      ctx.theme.divider);
}

void FileView::draw_grid(Painter& painter, const vesk_ui::DrawContext& ctx) {
    IndexRange range = geometry_.visible_range(viewport_, entries_.size());
    ItemLayout item(geometry_, vesk_ui::text_renderer(), ctx.theme);
    for (std::size_t i = range.first; i < range.end; ++i) draw_grid_cell(painter, ctx, item, i);
    draw_rename_field(painter, ctx);
}

void FileView::draw_grid_cell(Painter& painter, const vesk_ui::DrawContext& ctx, const ItemLayout& item,
                              std::size_t i) {
    const model::FileEntry& entry = entries_[i];
    const vesk_ui::TextRenderer& text = vesk_ui::text_renderer();
    Rect cell = geometry_.item_rect(i);
    draw_item_background(painter, ctx, i, cell);

    Rect box = item.grid_icon_box(cell, entry.is_dir);
    float z = geometry_.zoom();
    if (entry.is_dir) {
        vesk_ui::draw_icon(painter, vesk_ui::icons::icon_for_path(entry.path, true, entry.mime.text()), box,
                           ctx.theme, ctx.scale);
    } else if (auto thumb = thumbnail_for(i)) {
        draw_thumbnail(painter, *thumb, box, 6 * z);
    } else {
        auto category = to_file_category(thumbnail::category_for_path(entry.path, false));
        draw_file_tile(painter, ctx, box, z, entry, ctx.theme.category_color(category));
    }
    draw_badge(painter, ctx, entry_state(entry), box, true);

    if (rename_.index == i) return;
    Rect label = item.grid_label_rect(cell);
    const vesk_ui::FontSpec& font = item.text_font();
    std::string shown = elide_middle(entry.name, item.grid_label_width(cell), text, font);
    float width = text.measure(shown, font).width;
    painter.draw_text({cell.left + (cell.width() - width) / 2, label.top}, shown, font, ctx.theme.text_primary);
}

void FileView::draw_rename_field(Painter& painter, const vesk_ui::DrawContext& ctx) {
    if (rename_.field && rename_rect_) rename_.field->draw(painter, ctx);
}

void FileView::draw_cursor(Painter& painter, const vesk_ui::DrawContext& ctx) {
    if (!focused_) return;
    auto cursor = selection_.primary();
    if (!cursor || *cursor >= entries_.size()) return;
    Rect item = geometry_.item_rect(*cursor);
    Rect outline = mode_ == ViewLayoutMode::List ? ItemLayout::highlight_rect(item) : item;
    if (viewport_ && (outline.bottom < viewport_->top - 4 || outline.top > viewport_->bottom + 4)) return;
    float radius = std::min(std::min(outline.width(), outline.height()) / 2, 8.0f);
    painter.stroke_rounded_rect(outline, radius, 2, ctx.theme.cursor_outline);
}

}  // namespace file_explorer::views
