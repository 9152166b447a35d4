// Sheets: the root widget's modal panels (confirmations, properties, the
// keyboard reference and the information panels of other features). A
// sheet is a titled card centred over a dimmed window, with a summary,
// detail lines, a close button and, for confirmations, one action button.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "command/command.h"
#include "model/file_entry.h"
#include "vesk_ui/access.h"
#include "vesk_ui/geometry.h"

namespace vesk_ui {
class Painter;
struct DrawContext;
struct Event;
namespace widgets {
class Button;
}
}  // namespace vesk_ui

namespace file_explorer::files_app {

enum class SheetActionKind : std::uint8_t {
    DestructiveEviction, PermanentDelete, EmptyTrash, ApplySafeMerge, ChooseNearbyDestination, RetryNearbyTransfer,
};

// The confirm button: what it says and the command it runs.
struct SheetAction {
    SheetActionKind kind = SheetActionKind::EmptyTrash;
    std::vector<std::string> paths;  // destructive eviction, permanent delete
    std::string conflict;            // apply safe merge
    std::string version;             // apply safe merge
    std::string transfer;            // nearby destination and retry

    // The button's label.
    std::string label() const;
    // What the button does, for assistive technology.
    std::string detail() const;
    command::Command command() const;
    // Deletes or gives up data: drawn as a danger button.
    bool destructive() const;

    bool operator==(const SheetAction&) const = default;
};

struct Sheet {
    std::string title;
    std::string summary;
    std::vector<std::string> lines;
    std::optional<SheetAction> action;

    bool operator==(const Sheet&) const = default;
};

// Geometry in layout units, from the root widget's bounds.
inline constexpr std::size_t kSheetMaxLines = 14;
vesk_ui::Rect sheet_panel_rect(const Sheet& sheet, const vesk_ui::Rect& root);
// Only for sheets with an action.
std::optional<vesk_ui::Rect> confirm_button_rect(const Sheet& sheet, const vesk_ui::Rect& panel);
// Where the close glyph is drawn, and the larger square that takes clicks.
vesk_ui::Rect close_icon_rect(const vesk_ui::Rect& panel);
vesk_ui::Rect close_hit_rect(const vesk_ui::Rect& panel);

// What an event does to an open sheet; every event reaching a sheet is
// consumed whatever the answer.
enum class SheetResponse : std::uint8_t { None, Close, Confirm };
// `pressed` says whether the primary button went down while the sheet was
// open; a release without such a press is the end of the click that opened
// the sheet and does nothing.
SheetResponse sheet_response(const Sheet& sheet, const vesk_ui::Rect& root, const vesk_ui::Event& event, bool pressed);

// Paints the scrim, the panel, its texts, the confirm button (laid out and
// labelled here) and the close glyph.
void draw_sheet(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, const Sheet& sheet,
                const vesk_ui::Rect& root, vesk_ui::widgets::Button& confirm, bool close_hovered);

// The dialog node that stands for the whole window while the sheet is open.
vesk_ui::AccessNode sheet_access_node(const Sheet& sheet, const vesk_ui::Rect& root, bool focused);

// --- the sheets of the shell ---------------------------------------------
Sheet properties_sheet(const model::FileEntry& entry);
Sheet shortcuts_sheet();
Sheet permanent_delete_sheet(std::vector<std::string> paths);
Sheet empty_trash_sheet(std::size_t count);

}  // namespace file_explorer::files_app
