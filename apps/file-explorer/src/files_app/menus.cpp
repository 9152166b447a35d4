#include "files_app/menus.h"

#include <algorithm>

#include "fileops/archive_location.h"
#include "fileops/templates.h"
#include "i18n/i18n.h"

namespace file_explorer::files_app {

namespace {

using command::Command;
using command::Kind;

MenuEntry entry(const char* id, Command command, MenuCheck check = MenuCheck::None) {
    return MenuEntry{i18n::tr(id), std::move(command), check};
}
MenuEntry entry(const char* id, Kind kind) { return entry(id, Command::simple(kind)); }
MenuEntry separator() { return MenuEntry{}; }
MenuCheck checked_if(bool on) { return on ? MenuCheck::Checked : MenuCheck::Unchecked; }

// "Open" for the primary entry, shown disabled without one.
MenuEntry open_entry(const MenuContext& c) {
    if (!c.primary) return MenuEntry{i18n::tr("files-menu-open"), std::nullopt, MenuCheck::None};
    return entry("files-menu-open", Command::open_item(*c.primary));
}

const model::FileEntry* listed(const MenuContext& c, std::size_t index) {
    return c.entries && index < c.entries->size() ? &(*c.entries)[index] : nullptr;
}

bool any_archive_selected(const MenuContext& c) {
    return std::any_of(c.selected.begin(), c.selected.end(), [&](std::size_t i) {
        const auto* e = listed(c, i);
        return e && fileops::is_archive_name(e->path);
    });
}

void add_selection_part(const MenuContext& c, std::vector<MenuEntry>& out) {
    out.push_back(open_entry(c));
    out.push_back(separator());
    out.push_back(entry("files-menu-rename", Kind::StartRename));
    out.push_back(separator());
    out.push_back(entry("files-menu-cut", Kind::Cut));
    out.push_back(entry("files-menu-copy", Kind::Copy));
    if (any_archive_selected(c)) out.push_back(entry("files-archive-extract-here", Kind::ExtractHere));
    out.push_back(entry("files-archive-compress", Kind::Compress));
    if (c.selected.size() == 1 && c.primary) out.push_back(entry("files-menu-properties", Kind::ShowProperties));
}

void add_folder_part(const MenuContext& c, std::vector<MenuEntry>& out) {
    if (c.clipboard_filled) out.push_back(entry("files-menu-paste", Kind::Paste));
    out.push_back(separator());
    out.push_back(entry("files-menu-new-folder", Kind::NewFolder));
    if (c.has_templates) out.push_back(entry("files-menu-new-file", Kind::ShowTemplateMenu));
    if (!c.selected.empty()) {
        out.push_back(separator());
        out.push_back(entry("files-menu-move-trash", Kind::MoveToTrash));
    }
    const model::FileEntry* only = c.selected.size() == 1 ? listed(c, c.selected.front()) : nullptr;
    if (only && only->is_dir) {
        out.push_back(separator());
        out.push_back(entry("files-menu-add-favourite", Command::with_path(Kind::AddFavourite, only->path)));
    } else if (c.location_removable_favourite) {
        out.push_back(separator());
        out.push_back(entry("files-menu-remove-favourite", Command::with_path(Kind::RemoveFavourite, c.location)));
    }
    out.push_back(separator());
    out.push_back(entry(c.show_hidden ? "files-menu-hide-hidden" : "files-menu-show-hidden", Kind::ToggleHidden));
    out.push_back(separator());
    out.push_back(entry("files-menu-sort-name", Command::set_sort_key(int(model::SortKey::Name))));
    out.push_back(entry("files-menu-sort-size", Command::set_sort_key(int(model::SortKey::Size))));
    out.push_back(entry("files-menu-sort-type", Command::set_sort_key(int(model::SortKey::Type))));
    out.push_back(entry("files-menu-sort-date", Command::set_sort_key(int(model::SortKey::Modified))));
    out.push_back(separator());
    out.push_back(entry("files-menu-open-terminal", Kind::OpenTerminal));
}

}  // namespace

std::vector<MenuEntry> item_menu(const MenuContext& c) {
    std::vector<MenuEntry> out;
    const bool selection = !c.selected.empty();
    if (c.in_archive) {
        if (selection) {
            out.push_back(open_entry(c));
            out.push_back(separator());
        }
        out.push_back(entry("files-archive-extract", Kind::ExtractArchive));
        return out;
    }
    if (c.in_trash) {
        if (selection) {
            out.push_back(open_entry(c));
            out.push_back(separator());
            out.push_back(entry("files-menu-restore", Kind::Restore));
            // Inside the Trash, Move to Trash asks to delete permanently.
            out.push_back(entry("files-menu-delete-permanently", Kind::MoveToTrash));
        }
        out.push_back(separator());
        out.push_back(entry("files-menu-empty-trash", Kind::RequestEmptyTrash));
        return out;
    }
    if (selection) add_selection_part(c, out);
    add_folder_part(c, out);
    return out;
}

std::vector<MenuEntry> view_options_menu(const MenuContext& c) {
    std::vector<MenuEntry> out;
    if (c.toolbar_compact) {
        if (c.can_go_forward) {
            out.push_back(entry("files-forward", Kind::GoForward));
            out.push_back(separator());
        }
        out.push_back(entry("files-view-list", Command::set_view_mode(command::ViewMode::List),
                            checked_if(c.view_mode == model::ViewMode::List)));
        out.push_back(entry("files-view-grid", Command::set_view_mode(command::ViewMode::Grid),
                            checked_if(c.view_mode == model::ViewMode::Grid)));
        out.push_back(separator());
        out.push_back(entry("files-sort-by", Kind::ShowSortMenu));
        out.push_back(separator());
    }
    if (c.in_archive) {
        out.push_back(entry("files-archive-extract", Kind::ExtractArchive));
        return out;
    }
    out.push_back(entry("files-menu-new-folder", Kind::NewFolder));
    if (c.has_templates) out.push_back(entry("files-menu-new-file", Kind::ShowTemplateMenu));
    if (c.has_trash_undo) {
        out.push_back(separator());
        out.push_back(entry("files-undo-move-trash", Kind::UndoTrash));
    }
    out.push_back(separator());
    out.push_back(entry("files-menu-show-hidden", Command::simple(Kind::ToggleHidden), checked_if(c.show_hidden)));
    if (c.in_trash) {
        out.push_back(separator());
        out.push_back(entry("files-menu-empty-trash", Kind::RequestEmptyTrash));
    }
    out.push_back(separator());
    out.push_back(entry("files-menu-open-terminal", Kind::OpenTerminal));
    out.push_back(separator());
    out.push_back(entry("files-shortcuts-title", Kind::ShowShortcuts));
    return out;
}

std::vector<MenuEntry> sort_menu(model::SortState sort) {
    auto key = [&](const char* id, model::SortKey k) {
        return entry(id, Command::set_sort_key(int(k)), checked_if(sort.key == k));
    };
    auto direction = [&](const char* id, model::SortDirection d) {
        return entry(id, Command::set_sort_direction(int(d)), checked_if(sort.direction == d));
    };
    return {
        key("files-sort-name", model::SortKey::Name),
        key("files-sort-size", model::SortKey::Size),
        key("files-sort-type", model::SortKey::Type),
        key("files-sort-date", model::SortKey::Modified),
        separator(),
        direction("files-sort-ascending", model::SortDirection::Ascending),
        direction("files-sort-descending", model::SortDirection::Descending),
    };
}

std::vector<MenuEntry> place_menu(const std::string& path, bool home_favourite) {
    std::vector<MenuEntry> out{entry("files-menu-open", Command::with_path(Kind::NavigateToPath, path))};
    if (!home_favourite) {
        out.push_back(separator());
        out.push_back(entry("files-menu-remove-favourite", Command::with_path(Kind::RemoveFavourite, path)));
    }
    return out;
}

std::vector<MenuEntry> template_menu(const std::vector<fileops::TemplateItem>& templates) {
    std::vector<MenuEntry> out;
    for (const auto& t : templates)
        out.push_back(MenuEntry{t.label, Command::with_path(Kind::NewFromTemplate, t.path), MenuCheck::None});
    return out;
}

std::string shortcut_hint(const command::Command& command) {
    switch (command.kind) {
        case Kind::OpenItem: return "Enter";
        case Kind::StartRename: return "F2";
        case Kind::Cut: return "Ctrl+X";
        case Kind::Copy: return "Ctrl+C";
        case Kind::Paste: return "Ctrl+V";
        case Kind::NewFolder: return "Shift+Ctrl+N";
        case Kind::MoveToTrash: return "Delete";
        case Kind::UndoTrash: return "Ctrl+Z";
        case Kind::ToggleHidden: return "Ctrl+H";
        case Kind::ShowShortcuts: return "F1";
        default: return {};
    }
}

}  // namespace file_explorer::files_app
