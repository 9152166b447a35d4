// The root widget's pop-up menus as data: which entries each menu holds, in
// which order and under which conditions, built from a picture of the
// widget's state taken when the menu opens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "command/command.h"
#include "model/file_entry.h"
#include "model/ordering.h"

namespace file_explorer::fileops {
struct TemplateItem;
}

namespace file_explorer::files_app {

enum class MenuCheck : std::uint8_t { None, Unchecked, Checked };

// One entry. An empty label without a command is a separator; a label
// without a command is shown disabled.
struct MenuEntry {
    std::string label;
    std::optional<command::Command> command;
    MenuCheck check = MenuCheck::None;

    bool is_separator() const { return label.empty() && !command; }
};

// The state the menus depend on.
struct MenuContext {
    const std::vector<model::FileEntry>* entries = nullptr;
    std::vector<std::size_t> selected;   // selection indices, in selection order
    std::optional<std::size_t> primary;  // the selection's primary, when selected and listed
    std::string location;
    bool in_archive = false;
    bool in_trash = false;
    bool clipboard_filled = false;
    bool has_templates = false;
    bool show_hidden = false;
    bool toolbar_compact = false;
    bool can_go_forward = false;
    bool has_trash_undo = false;
    // The current folder is a favourite that may be removed (not Home).
    bool location_removable_favourite = false;
    model::ViewMode view_mode = model::ViewMode::List;
    model::SortState sort;
};

// The menu for the selection, or the folder background without one.
std::vector<MenuEntry> item_menu(const MenuContext& context);
// The menu of the toolbar's View options button.
std::vector<MenuEntry> view_options_menu(const MenuContext& context);
std::vector<MenuEntry> sort_menu(model::SortState sort);
// The menu of a favourite in the sidebar; Home cannot be removed.
std::vector<MenuEntry> place_menu(const std::string& path, bool home_favourite);
// The New File submenu: one entry per template.
std::vector<MenuEntry> template_menu(const std::vector<fileops::TemplateItem>& templates);

// The keys that run the same command, shown at the entry's right edge;
// empty for commands without a shortcut.
std::string shortcut_hint(const command::Command& command);

}  // namespace file_explorer::files_app
