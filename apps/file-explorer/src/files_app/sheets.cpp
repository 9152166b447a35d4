#include "files_app/sheets.h"

#include <algorithm>

#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"
#include "vesk_ui/chrome.h"
#include "vesk_ui/icons.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/button.h"

namespace file_explorer::files_app {

namespace {

using command::Command;
using command::Kind;
using vesk_ui::Rect;

constexpr float kInset = 24;        // texts and button from the panel's sides
constexpr float kLineTop = 88;      // first detail line below the panel top
constexpr float kLineStep = 27;
constexpr float kLineRoom = 26;     // a line is drawn while its top is this far above the bottom
constexpr float kCloseGlyph = 18;   // the glyph inside its 28-unit square

std::string counted(const char* id, std::size_t count) {
    return i18n::tr_args(id, i18n::Args().number("count", static_cast<double>(count)));
}

}  // namespace

// --- actions -------------------------------------------------------------

std::string SheetAction::label() const {
    switch (kind) {
        case SheetActionKind::DestructiveEviction: return i18n::tr("files-destructive-eviction-confirm");
        case SheetActionKind::PermanentDelete: return i18n::tr("files-permanent-delete-confirm");
        case SheetActionKind::EmptyTrash: return i18n::tr("files-empty-trash-confirm");
        case SheetActionKind::ApplySafeMerge: return i18n::tr("files-merge-apply-safe");
        case SheetActionKind::ChooseNearbyDestination: return i18n::tr("files-nearby-choose-destination");
        case SheetActionKind::RetryNearbyTransfer: return i18n::tr("files-nearby-retry");
    }
    return {};
}

std::string SheetAction::detail() const {
    switch (kind) {
        case SheetActionKind::DestructiveEviction: return i18n::tr("files-destructive-eviction-loss");
        case SheetActionKind::PermanentDelete:
        case SheetActionKind::EmptyTrash: return i18n::tr("files-permanent-delete-loss");
        case SheetActionKind::ApplySafeMerge: return i18n::tr("files-merge-apply-safe-detail");
        case SheetActionKind::ChooseNearbyDestination: return i18n::tr("files-nearby-consent-detail");
        case SheetActionKind::RetryNearbyTransfer: return i18n::tr("files-nearby-retry-detail");
    }
    return {};
}

Command SheetAction::command() const {
    switch (kind) {
        case SheetActionKind::DestructiveEviction: return Command::with_paths(Kind::EvictDestructively, paths);
        case SheetActionKind::PermanentDelete: return Command::with_paths(Kind::DeletePermanently, paths);
        case SheetActionKind::EmptyTrash: return Command::simple(Kind::EmptyTrash);
        case SheetActionKind::ApplySafeMerge: {
            Command c = Command::with_path(Kind::ResolveConflict, conflict);
            c.text = "merge";
            c.text2 = version;
            return c;
        }
        case SheetActionKind::ChooseNearbyDestination: return Command::with_path(Kind::ShowNearbyDestinations, transfer);
        case SheetActionKind::RetryNearbyTransfer: return Command::with_path(Kind::RetryNearby, transfer);
    }
    return Command::simple(Kind::Refresh);
}

bool SheetAction::destructive() const {
    return kind == SheetActionKind::DestructiveEviction || kind == SheetActionKind::PermanentDelete ||
           kind == SheetActionKind::EmptyTrash;
}

// --- geometry ------------------------------------------------------------

Rect sheet_panel_rect(const Sheet& sheet, const Rect& root) {
    const std::size_t n = sheet.lines.size();
    float content = n == 0 ? 143.0f : 116.0f + 27.0f * float(std::min(n, kSheetMaxLines));
    if (sheet.action) content += 58;
    const float width = std::clamp(root.width(), 320.0f, 680.0f) - 32;
    // The window limits the height, but never below 180; a sheet that fits
    // keeps its own height.
    const float room = root.height() - 32;
    const float height = content <= room ? content : std::max(room, 180.0f);
    const vesk_ui::Point c = root.center();
    return Rect::from_xywh(c.x - width / 2, c.y - height / 2, width, height);
}

std::optional<Rect> confirm_button_rect(const Sheet& sheet, const Rect& panel) {
    if (!sheet.action) return std::nullopt;
    return Rect{panel.left + kInset, panel.bottom - 50, panel.right - kInset, panel.bottom - 14};
}

Rect close_icon_rect(const Rect& panel) { return Rect::from_xywh(panel.right - 42, panel.top + 12, 28, 28); }
Rect close_hit_rect(const Rect& panel) { return Rect::from_xywh(panel.right - 48, panel.top + 6, 40, 40); }

// --- input ---------------------------------------------------------------

SheetResponse sheet_response(const Sheet& sheet, const Rect& root, const vesk_ui::Event& event, bool pressed) {
    if (const auto* key = event.key()) {
        if (!key->pressed) return SheetResponse::None;
        if (key->named("Enter") || key->named("NumpadEnter"))
            return sheet.action ? SheetResponse::Confirm : SheetResponse::None;
        if (key->named("Escape")) return SheetResponse::Close;
        return SheetResponse::None;
    }
    const auto* p = event.pointer();
    if (!p || p->kind != vesk_ui::PointerKind::Up || p->button != vesk_ui::Button::Primary || !pressed)
        return SheetResponse::None;
    const vesk_ui::Point at = p->logical();
    const Rect panel = sheet_panel_rect(sheet, root);
    if (auto confirm = confirm_button_rect(sheet, panel); confirm && confirm->contains(at)) return SheetResponse::Confirm;
    if (!panel.contains(at)) return SheetResponse::Close;
    if (close_hit_rect(panel).contains(at)) return SheetResponse::Close;
    return SheetResponse::None;
}

// --- drawing -------------------------------------------------------------

void draw_sheet(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, const Sheet& sheet, const Rect& root,
                vesk_ui::widgets::Button& confirm, bool close_hovered) {
    const vesk_ui::Theme& t = ctx.theme;
    const vesk_ui::TextRenderer& text = vesk_ui::text_renderer();
    const Rect panel = sheet_panel_rect(sheet, root);
    vesk_ui::chrome::draw_scrim(painter, root, t);
    vesk_ui::chrome::draw_sheet_surface(painter, panel, t);

    painter.push_clip(panel);
    const float left = panel.left + kInset;
    const float title_height = text.measure("Ag", t.title).height;
    text.draw_text(painter, Rect::from_xywh(left, panel.top + 23, panel.width() - 80, title_height),
                   text.elide(sheet.title, t.title, panel.width() - 80), t.title, t.text_primary);
    const float body_height = text.measure("Ag", t.body).height;
    text.draw_text(painter, Rect::from_xywh(left, panel.top + 53, panel.width() - 48, body_height),
                   text.elide(sheet.summary, t.body, panel.width() - 48), t.body, t.text_secondary);

    if (!sheet.lines.empty()) {
        const float rule = panel.top + kLineTop - 10;
        if (rule < panel.bottom - kLineRoom)
            vesk_ui::chrome::draw_hairline(painter, {left, rule}, {panel.right - kInset, rule}, t.border, ctx.scale);
    }
    for (std::size_t i = 0; i < sheet.lines.size() && i < kSheetMaxLines; ++i) {
        const float top = panel.top + kLineTop + kLineStep * float(i);
        if (top > panel.bottom - kLineRoom) break;
        painter.fill_rounded_rect(Rect::from_xywh(left, top + 5, 5, 5), 2.5f, t.accent_a.with_alpha(0.85f));
        const float width = panel.width() - 62;
        text.draw_text(painter, Rect::from_xywh(panel.left + 38, top, width, body_height),
                       text.elide(sheet.lines[i], t.body, width), t.body, t.text_primary);
    }

    if (auto button = confirm_button_rect(sheet, panel)) {
        confirm.set_label(sheet.action->label());
        confirm.set_variant(sheet.action->destructive() ? vesk_ui::widgets::Button::Variant::Danger
                                                        : vesk_ui::widgets::Button::Variant::Primary);
        confirm.apply_layout(*button);
        confirm.draw(painter, ctx);
    }

    const Rect close = close_icon_rect(panel);
    if (close_hovered) painter.fill_rounded_rect(close, close.width() / 2, t.surface_hover);
    const vesk_ui::Point c = close.center();
    vesk_ui::draw_icon(painter, vesk_ui::Icon::Close,
                       Rect::from_xywh(c.x - kCloseGlyph / 2, c.y - kCloseGlyph / 2, kCloseGlyph, kCloseGlyph),
                       close_hovered ? t.text_primary : t.text_secondary, ctx.scale);
    painter.pop_clip();
}

// --- accessibility -------------------------------------------------------

vesk_ui::AccessNode sheet_access_node(const Sheet& sheet, const Rect& root, bool focused) {
    const Rect panel = sheet_panel_rect(sheet, root);
    vesk_ui::AccessNode dialog;
    dialog.role = vesk_ui::Role::Dialog;
    dialog.label = sheet.title;
    dialog.description = i18n::tr_args("files-a11y-dialog-close", i18n::Args().text("summary", sheet.summary));
    for (std::size_t i = 0; i < sheet.lines.size(); ++i) dialog.value += (i ? ". " : "") + sheet.lines[i];
    dialog.rect = panel;
    dialog.flags = vesk_ui::access_flags::focusable | (focused ? vesk_ui::access_flags::focused : 0u);

    auto child = [](vesk_ui::Role role, std::string label) {
        vesk_ui::AccessNode node;
        node.role = role;
        node.label = std::move(label);
        return node;
    };
    dialog.children.push_back(child(vesk_ui::Role::Heading, sheet.title));
    dialog.children.push_back(child(vesk_ui::Role::Text, sheet.summary));
    for (const auto& line : sheet.lines) dialog.children.push_back(child(vesk_ui::Role::Text, line));
    if (sheet.action) {
        auto button = child(vesk_ui::Role::Button, sheet.action->label());
        button.description = sheet.action->detail();
        button.flags = vesk_ui::access_flags::focusable;
        button.rect = *confirm_button_rect(sheet, panel);
        dialog.children.push_back(std::move(button));
    }
    return dialog;
}

// --- the shell's sheets --------------------------------------------------

Sheet properties_sheet(const model::FileEntry& entry) {
    Sheet sheet;
    sheet.title = i18n::tr_args("files-properties-title", i18n::Args().text("name", entry.name));
    const bool collaborative = entry.collab.has_value() && entry.collab->record_id.has_value();
    sheet.summary = i18n::tr(collaborative ? "files-properties-collab-summary" : "files-properties-summary");

    const std::string type = entry.is_dir ? i18n::tr("files-a11y-folder") : std::string(entry.mime.text());
    const auto parent = fileops::parent_path(entry.path);
    const std::string location = parent ? fileops::lossy_utf8(*parent) : std::string("/");
    const std::string size = entry.is_dir ? std::string("\xE2\x80\x94") : i18n::format_size(entry.size);
    std::optional<std::tm> local = entry.modified ? model::to_local_time(*entry.modified) : std::nullopt;
    const std::string time = local ? i18n::format_local_datetime(*local) : i18n::tr("files-property-unknown");

    sheet.lines.push_back(i18n::tr_args("files-property-type", i18n::Args().text("type", type)));
    sheet.lines.push_back(i18n::tr_args("files-property-location", i18n::Args().text("location", location)));
    sheet.lines.push_back(i18n::tr_args("files-property-size", i18n::Args().text("size", size)));
    sheet.lines.push_back(i18n::tr_args("files-property-modified", i18n::Args().text("time", time)));
    return sheet;
}

Sheet shortcuts_sheet() {
    Sheet sheet;
    sheet.title = i18n::tr("files-shortcuts-title");
    sheet.summary = i18n::tr("files-shortcuts-summary");
    for (const char* id : {"files-shortcuts-primary", "files-shortcuts-navigate", "files-shortcuts-grid",
                           "files-shortcuts-open", "files-shortcuts-location", "files-shortcuts-new-folder",
                           "files-shortcuts-edit", "files-shortcuts-hidden", "files-shortcuts-size",
                           "files-shortcuts-context", "files-shortcuts-close"})
        sheet.lines.push_back(i18n::tr(id));
    return sheet;
}

Sheet permanent_delete_sheet(std::vector<std::string> paths) {
    Sheet sheet;
    sheet.title = counted("files-permanent-delete-title", paths.size());
    sheet.summary = counted("files-permanent-delete-summary", paths.size());
    sheet.lines.push_back(i18n::tr("files-permanent-delete-loss"));
    sheet.action = SheetAction{SheetActionKind::PermanentDelete, std::move(paths), {}, {}, {}};
    return sheet;
}

Sheet empty_trash_sheet(std::size_t count) {
    Sheet sheet;
    sheet.title = i18n::tr("files-empty-trash-title");
    sheet.summary = counted("files-empty-trash-summary", count);
    sheet.lines.push_back(i18n::tr("files-permanent-delete-loss"));
    sheet.action = SheetAction{SheetActionKind::EmptyTrash, {}, {}, {}, {}};
    return sheet;
}

}  // namespace file_explorer::files_app
