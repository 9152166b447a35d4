// The toolkit's vector icon set: drawn with paths on a 24-unit grid (1.5-unit
// strokes), so they are crisp at any size and display scale.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "vesk_ui/file_category.h"
#include "vesk_ui/geometry.h"

namespace vesk_ui {

class Painter;
struct Theme;

enum class Icon : std::uint8_t {
    // Folders (filled, in the folder colour).
    Folder, FolderOpen,
    // File kinds: a page with a folded corner and a glyph, in the kind's colour.
    FileGeneric, FileText, FileCode, FileImage, FileAudio, FileVideo, FilePdf, FileArchive,
    FileDocument, FileSpreadsheet, FilePresentation, FileFont, FileEbook, FileExecutable,
    // Places (line icons for the sidebar).
    PlaceHome, PlaceDesktop, PlaceDocuments, PlaceDownloads, PlaceMusic, PlacePictures, PlaceVideos,
    PlaceTrash, PlaceTrashFull, PlaceWorkspace, PlaceRemote, PlaceComputer, PlaceFavorite,
    // Controls (line icons).
    Back, Forward, Up, ViewList, ViewGrid, Sort, SortAscending, SortDescending, More, Close, Add,
    Check, ChevronRight, ChevronDown, Warning, Search, Refresh, Eye, EyeOff,
    // State badges, drawn on a dark disc so they read over any icon.
    BadgeLocal,           // available on this device
    BadgeOnlineOnly,      // only in the cloud
    BadgeTransfer,        // downloading, or partly here
    BadgeFailed,          // a transfer failed
    BadgeKeptOffline,     // pinned to stay on this device
    BadgeDurable,         // replicated durably
    BadgeReplicaWarning,  // replicas not durable, or not known
    BadgeUploading,
    BadgeQueued,          // queued or verifying
};
inline constexpr int icon_count = int(Icon::BadgeQueued) + 1;

namespace icons {

const char* icon_name(Icon icon);

// The category of an item, from its MIME type when that is specific and
// otherwise from its extension.
FileCategory category_for(std::string_view path, bool is_dir, std::string_view mime = {});
Icon icon_for_category(FileCategory category);
Icon icon_for_path(std::string_view path, bool is_dir, std::string_view mime = {});

// The badge drawn for a state glyph code ('9', 'G', 'W', 'V', '6', 11, 'F',
// 'Q', 'L'); none for other codes.
std::optional<Icon> badge_for_code(char32_t code);

bool is_badge(Icon icon);
bool is_line_icon(Icon icon);  // places and controls

// Draws the icon in its natural colours (folders and file kinds in their
// category colour, line icons in the secondary text colour, badges in
// accent A), fitted as a square into `rect` and snapped to the device pixel
// grid of `device_scale`.
void draw_icon(Painter& painter, Icon icon, const Rect& rect, const Theme& theme, float device_scale = 1.0f);
// Same in one colour: tinted icons, control icons in a state colour, badges
// in accent B.
void draw_icon(Painter& painter, Icon icon, const Rect& rect, Color color, float device_scale = 1.0f);

}  // namespace icons

using icons::draw_icon;

}  // namespace vesk_ui
