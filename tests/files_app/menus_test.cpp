#include "files_app/menus.h"

#include "fileops/templates.h"
#include "overlay_fixture.h"
#include "vesk_ui/widgets/context_menu.h"

namespace overlay_test {
namespace {

using file_explorer::command::Command;
using file_explorer::command::Kind;
using file_explorer::files_app::MenuCheck;
using file_explorer::files_app::MenuContext;
using file_explorer::files_app::MenuEntry;
namespace files_app = file_explorer::files_app;
namespace model = file_explorer::model;

// Entries as message ids ("-" for a separator, a leading "✓ " for checked,
// "( )" around a disabled entry), so the tables read in any locale.
std::vector<std::string> ids(const std::vector<MenuEntry>& entries, const std::vector<std::string>& known) {
    std::vector<std::string> out;
    for (const MenuEntry& e : entries) {
        if (e.is_separator()) {
            out.push_back("-");
            continue;
        }
        std::string id = e.label;
        for (const auto& k : known)
            if (file_explorer::i18n::tr(k) == e.label) id = k;
        if (e.check == MenuCheck::Checked) id = "✓ " + id;
        if (!e.command) id = "(" + id + ")";
        out.push_back(id);
    }
    return out;
}

const std::vector<std::string> kIds = {
    "files-menu-open", "files-menu-rename", "files-menu-cut", "files-menu-copy", "files-archive-extract-here",
    "files-archive-compress", "files-menu-properties", "files-menu-paste", "files-menu-new-folder",
    "files-menu-new-file", "files-menu-move-trash", "files-menu-add-favourite", "files-menu-remove-favourite",
    "files-menu-hide-hidden", "files-menu-show-hidden", "files-menu-sort-name", "files-menu-sort-size",
    "files-menu-sort-type", "files-menu-sort-date", "files-menu-open-terminal", "files-archive-extract",
    "files-menu-restore", "files-menu-delete-permanently", "files-menu-empty-trash", "files-forward",
    "files-view-list", "files-view-grid", "files-sort-by", "files-undo-move-trash", "files-shortcuts-title",
    "files-sort-name", "files-sort-size", "files-sort-type", "files-sort-date", "files-sort-ascending",
    "files-sort-descending",
};

model::FileEntry file(const char* name, bool dir = false) {
    model::FileEntry e;
    e.name = name;
    e.path = std::string("/data/") + name;
    e.is_dir = dir;
    return e;
}

const std::vector<model::FileEntry> kEntries = {file("Photos", true), file("a.zip"), file("notes.txt"),
                                                file("report.pdf")};

MenuContext context(std::vector<std::size_t> selected, std::optional<std::size_t> primary) {
    MenuContext c;
    c.entries = &kEntries;
    c.selected = std::move(selected);
    c.primary = primary;
    c.location = "/data";
    return c;
}

const std::vector<std::string> kFolderTail = {
    "-", "files-menu-show-hidden", "-", "files-menu-sort-name", "files-menu-sort-size", "files-menu-sort-type",
    "files-menu-sort-date", "-", "files-menu-open-terminal"};

std::vector<std::string> with_tail(std::vector<std::string> head) {
    head.insert(head.end(), kFolderTail.begin(), kFolderTail.end());
    return head;
}

TEST(ItemMenu, EntriesFollowLocationAndSelection) {
    struct Case {
        const char* name;
        MenuContext context;
        std::vector<std::string> expected;
    };
    MenuContext filled = context({}, std::nullopt);
    filled.clipboard_filled = filled.has_templates = filled.show_hidden = true;
    MenuContext trash_empty = context({}, std::nullopt);
    trash_empty.in_trash = true;
    MenuContext trash_selected = context({2}, 2);
    trash_selected.in_trash = true;
    MenuContext archive = context({1, 2}, 2);
    archive.in_archive = true;
    MenuContext favourite_file = context({2}, 2);
    favourite_file.location_removable_favourite = true;

    const std::vector<Case> cases = {
        {"background", context({}, std::nullopt), with_tail({"-", "files-menu-new-folder"})},
        {"background with clipboard, templates, hidden shown", filled,
         {"files-menu-paste", "-", "files-menu-new-folder", "files-menu-new-file", "-", "files-menu-hide-hidden",
          "-", "files-menu-sort-name", "files-menu-sort-size", "files-menu-sort-type", "files-menu-sort-date", "-",
          "files-menu-open-terminal"}},
        {"one file", context({2}, 2),
         with_tail({"files-menu-open", "-", "files-menu-rename", "-", "files-menu-cut", "files-menu-copy",
                    "files-archive-compress", "files-menu-properties", "-", "files-menu-new-folder", "-",
                    "files-menu-move-trash"})},
        {"one folder", context({0}, 0),
         with_tail({"files-menu-open", "-", "files-menu-rename", "-", "files-menu-cut", "files-menu-copy",
                    "files-archive-compress", "files-menu-properties", "-", "files-menu-new-folder", "-",
                    "files-menu-move-trash", "-", "files-menu-add-favourite"})},
        {"two files with an archive, no primary", context({1, 2}, std::nullopt),
         with_tail({"(files-menu-open)", "-", "files-menu-rename", "-", "files-menu-cut", "files-menu-copy",
                    "files-archive-extract-here", "files-archive-compress", "-", "files-menu-new-folder", "-",
                    "files-menu-move-trash"})},
        {"file in a favourite folder", favourite_file,
         with_tail({"files-menu-open", "-", "files-menu-rename", "-", "files-menu-cut", "files-menu-copy",
                    "files-archive-compress", "files-menu-properties", "-", "files-menu-new-folder", "-",
                    "files-menu-move-trash", "-", "files-menu-remove-favourite"})},
        {"trash, nothing selected", trash_empty, {"-", "files-menu-empty-trash"}},
        {"trash, one selected", trash_selected,
         {"files-menu-open", "-", "files-menu-restore", "files-menu-delete-permanently", "-",
          "files-menu-empty-trash"}},
        {"archive, two selected", archive, {"files-menu-open", "-", "files-archive-extract"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ids(files_app::item_menu(c.context), kIds), c.expected);
    }
}

TEST(ItemMenu, EntriesCarryTheirCommands) {
    auto menu = files_app::item_menu(context({0}, 0));
    ASSERT_TRUE(menu[0].command);
    EXPECT_EQ(menu[0].command->kind, Kind::OpenItem);
    EXPECT_EQ(menu[0].command->index, 0u);
    auto favourite = std::find_if(menu.begin(), menu.end(),
                                  [](const MenuEntry& e) { return e.command && e.command->kind == Kind::AddFavourite; });
    ASSERT_NE(favourite, menu.end());
    EXPECT_EQ(favourite->command->path, "/data/Photos");

    // The sort entries name Name, Size, Type, Modified in that order.
    std::vector<int> keys;
    for (const auto& e : menu)
        if (e.command && e.command->kind == Kind::SetSortKey) keys.push_back(e.command->number);
    EXPECT_EQ(keys, (std::vector<int>{0, 1, 3, 2}));

    // Delete Permanently inside the Trash runs Move to Trash, which asks first.
    MenuContext trash = context({2}, 2);
    trash.in_trash = true;
    EXPECT_EQ(files_app::item_menu(trash)[3].command->kind, Kind::MoveToTrash);
}

TEST(ViewOptionsMenu, CompactToolbarUndoAndTrash) {
    MenuContext plain = context({}, std::nullopt);
    MenuContext full = context({}, std::nullopt);
    full.toolbar_compact = full.can_go_forward = full.has_templates = full.has_trash_undo = true;
    full.in_trash = full.show_hidden = true;
    full.view_mode = model::ViewMode::Grid;
    MenuContext archive = context({}, std::nullopt);
    archive.in_archive = true;
    MenuContext archive_compact = archive;
    archive_compact.toolbar_compact = true;

    EXPECT_EQ(ids(files_app::view_options_menu(plain), kIds),
              (std::vector<std::string>{"files-menu-new-folder", "-", "files-menu-show-hidden", "-",
                                        "files-menu-open-terminal", "-", "files-shortcuts-title"}));
    EXPECT_EQ(ids(files_app::view_options_menu(full), kIds),
              (std::vector<std::string>{"files-forward", "-", "files-view-list", "✓ files-view-grid", "-",
                                        "files-sort-by", "-", "files-menu-new-folder", "files-menu-new-file", "-",
                                        "files-undo-move-trash", "-", "✓ files-menu-show-hidden", "-",
                                        "files-menu-empty-trash", "-", "files-menu-open-terminal", "-",
                                        "files-shortcuts-title"}));
    EXPECT_EQ(ids(files_app::view_options_menu(archive), kIds), (std::vector<std::string>{"files-archive-extract"}));
    EXPECT_EQ(ids(files_app::view_options_menu(archive_compact), kIds),
              (std::vector<std::string>{"✓ files-view-list", "files-view-grid", "-", "files-sort-by", "-",
                                        "files-archive-extract"}));
    // Unchecked choices still show that they can be checked.
    EXPECT_EQ(files_app::view_options_menu(plain)[2].check, MenuCheck::Unchecked);
}

TEST(SortPlaceAndTemplateMenus, ChecksHomeAndTemplates) {
    EXPECT_EQ(ids(files_app::sort_menu({model::SortKey::Modified, model::SortDirection::Descending}), kIds),
              (std::vector<std::string>{"files-sort-name", "files-sort-size", "files-sort-type", "✓ files-sort-date",
                                        "-", "files-sort-ascending", "✓ files-sort-descending"}));
    EXPECT_EQ(ids(files_app::place_menu("/home/u", true), kIds), (std::vector<std::string>{"files-menu-open"}));
    auto place = files_app::place_menu("/home/u/Music", false);
    EXPECT_EQ(ids(place, kIds), (std::vector<std::string>{"files-menu-open", "-", "files-menu-remove-favourite"}));
    EXPECT_EQ(place[0].command->kind, Kind::NavigateToPath);
    EXPECT_EQ(place[2].command->path, "/home/u/Music");

    auto templates = files_app::template_menu({{"/t/Letter.odt", "New Letter", "id1"}, {"/t/Memo.txt", "New Memo", "id2"}});
    ASSERT_EQ(templates.size(), 2u);
    EXPECT_EQ(templates[1].label, "New Memo");
    EXPECT_EQ(templates[1].command->kind, Kind::NewFromTemplate);
    EXPECT_EQ(templates[1].command->path, "/t/Memo.txt");
}

// --- through the widget ---------------------------------------------------

class MenuWidgetTest : public OverlayTest {};

TEST_F(MenuWidgetTest, AnchoredMenusOpenBelowOrAboveTheirControl) {
    struct Case {
        const char* name;
        float window_height;
        float anchor_x, below_y, above_y;
        const char* expect;  // "below", "above" or "top"
    };
    const Case cases[] = {
        {"room below", 700, 900, 50, 14, "below"},
        {"short window opens upwards", 400, 900, 300, 264, "above"},
        {"no room either way stays in the window", 200, 900, 150, 114, "top"},
        {"anchor left of the menu's width", 700, 40, 50, 14, "below"},
    };
    auto& w = open(work());
    const auto entries = files_app::sort_menu({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        layout(1000, c.window_height);
        w.open_anchored_menu(entries, c.anchor_x, c.below_y, c.above_y);
        const auto* menu = w.open_main_menu();
        ASSERT_NE(menu, nullptr);
        const vesk_ui::Rect r = menu->menu_rect();
        EXPECT_FLOAT_EQ(r.right, std::max(c.anchor_x, r.width()));
        const std::string expect = c.expect;
        const float edge = expect == "below" ? r.top : expect == "above" ? r.bottom : r.top;
        const float wanted = expect == "below" ? c.below_y : expect == "above" ? c.above_y : 0;
        EXPECT_FLOAT_EQ(edge, wanted);
    }
}

TEST_F(MenuWidgetTest, ViewOptionsStartWithTheHiddenToolbarControlsInNarrowWindows) {
    auto& w = open(work(), 700, 600);
    w.execute(Command::simple(Kind::ShowViewMenu));
    ASSERT_NE(w.open_main_menu(), nullptr);
    EXPECT_EQ(w.main_menu_commands().front()->kind, Kind::SetViewMode);
    layout(800, 600);
    w.execute(Command::simple(Kind::ShowViewMenu));
    EXPECT_EQ(w.main_menu_commands().front()->kind, Kind::NewFolder);
    EXPECT_LE(w.open_main_menu()->menu_rect().right, 800);
}

TEST_F(MenuWidgetTest, SecondaryPressOpensTheItemMenuAndAPressRunsAnEntry) {
    for (const char* f : {"a.txt", "b.txt"}) write(work(f));
    auto& w = open(work());
    const vesk_ui::Point at{500, 400};  // the background below the rows
    click(at, vesk_ui::Button::Secondary);
    const auto* menu = w.open_main_menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(w.selection().empty());
    EXPECT_EQ(menu->menu_rect().origin(), at);

    // Show Hidden Files runs and closes the menu.
    std::size_t hidden = 0;
    for (std::size_t i = 0; i < w.main_menu_commands().size(); ++i)
        if (w.main_menu_commands()[i] && w.main_menu_commands()[i]->kind == Kind::ToggleHidden) hidden = i;
    click(menu->row_rect(hidden).center());
    EXPECT_TRUE(w.show_hidden());
    EXPECT_FALSE(w.menu_open());

    // A press outside closes without running anything.
    click(at, vesk_ui::Button::Secondary);
    click({5, 5});
    EXPECT_FALSE(w.menu_open());
    EXPECT_TRUE(w.show_hidden());

    // A right click on an unselected item selects it for its menu.
    const vesk_ui::Rect b = row("b.txt");
    click(b.center(), vesk_ui::Button::Secondary);
    EXPECT_EQ(w.selection().selected(), (std::vector<std::size_t>{*index_of("b.txt")}));
    ASSERT_TRUE(w.main_menu_commands().front());
    EXPECT_EQ(w.main_menu_commands().front()->kind, Kind::OpenItem);
    EXPECT_EQ(w.open_main_menu()->menu_rect().origin(), b.center());
}

TEST_F(MenuWidgetTest, NewFileOpensTheTemplatesBesideTheMenu) {
    write(root_ / "Templates" / "Memo.txt");
    write(root_ / "Templates" / "Letter.odt");
    auto& w = open(work());
    const vesk_ui::Point at{300, 300};
    click(at, vesk_ui::Button::Secondary);
    const auto* menu = w.open_main_menu();
    ASSERT_NE(menu, nullptr);
    std::size_t new_file = 0;
    for (std::size_t i = 0; i < w.main_menu_commands().size(); ++i)
        if (w.main_menu_commands()[i] && w.main_menu_commands()[i]->kind == Kind::ShowTemplateMenu) new_file = i;
    ASSERT_GT(new_file, 0u);
    const vesk_ui::Point row = menu->row_rect(new_file).center();
    click(row);
    const auto* sub = w.open_template_submenu();
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(w.open_main_menu());
    EXPECT_FLOAT_EQ(sub->menu_rect().left, menu->menu_rect().right - 6);
    EXPECT_FLOAT_EQ(sub->menu_rect().top, row.y - 10);
    ASSERT_EQ(sub->item_count(), 2u);
    EXPECT_EQ(sub->item(0).label, file_explorer::fileops::template_label((root_ / "Templates" / "Letter.odt").string()));

    // Choosing a template creates the file and starts its rename.
    click(sub->row_rect(0).center());
    EXPECT_FALSE(w.menu_open());
    EXPECT_TRUE(fs::exists(work("Letter.odt")));
    ASSERT_TRUE(w.rename_target());
    EXPECT_EQ(w.entries()[*w.rename_target()].name, "Letter.odt");

    // Pressing outside the template list closes both menus.
    w.cancel_rename();
    layout(1000, 700);
    click(at, vesk_ui::Button::Secondary);
    click(w.open_main_menu()->row_rect(new_file).center());
    ASSERT_TRUE(w.open_template_submenu());
    click({5, 650});
    EXPECT_FALSE(w.menu_open());
}

TEST_F(MenuWidgetTest, KeyboardMenuOpensAtThePrimaryRowAndPassesShortcuts) {
    for (const char* f : {"a.txt", "b.txt", "c.txt"}) write(work(f));
    auto& w = open(work());
    EXPECT_FALSE(send(key("ContextMenu")));  // nothing selected
    EXPECT_FALSE(w.menu_open());

    select({"b.txt"});
    layout(1000, 700);
    send(key("ContextMenu"));
    const auto* menu = w.open_main_menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(w.main_menu_commands().front()->kind, Kind::OpenItem);
    const vesk_ui::Rect b = row("b.txt");
    EXPECT_EQ(menu->menu_rect().origin(), (vesk_ui::Point{b.left + 24, b.top + 24}));

    // Arrow keys move within the menu; Primary + A passes to the window.
    send(key("ArrowDown"));
    EXPECT_EQ(menu->highlighted(), 0u);
    send(key("", "a", vesk_ui::mods::control));
    EXPECT_EQ(w.selection().size(), 3u);
    EXPECT_TRUE(w.menu_open());

    // Enter on Rename runs it and closes the menu.
    select({"b.txt"});
    send(key("ContextMenu"));
    send(key("ArrowDown"));
    send(key("ArrowDown"));
    send(key("Enter"));
    EXPECT_FALSE(w.menu_open());
    EXPECT_EQ(w.rename_target(), index_of("b.txt"));
}

TEST_F(MenuWidgetTest, PlaceMenuOpensForTheFavouriteTheSidebarNamed) {
    auto& w = open(work());
    send(pointer(vesk_ui::PointerKind::Move, {120, 200}));
    w.channel()->push(Command::with_path(Kind::FavouriteContextMenu, root_.string()));
    send(pointer(vesk_ui::PointerKind::Down, {120, 200}, vesk_ui::Button::Secondary));
    ASSERT_EQ(w.main_menu_commands().size(), 1u);  // Home has only Open
    EXPECT_EQ(w.main_menu_commands()[0]->kind, Kind::NavigateToPath);

    w.channel()->push(Command::with_path(Kind::FavouriteContextMenu, work()));
    send(pointer(vesk_ui::PointerKind::Down, {120, 200}, vesk_ui::Button::Secondary));
    ASSERT_EQ(w.main_menu_commands().size(), 3u);
    EXPECT_EQ(w.main_menu_commands()[2]->kind, Kind::RemoveFavourite);
    EXPECT_EQ(w.open_main_menu()->menu_rect().origin(), (vesk_ui::Point{120, 200}));
}

}  // namespace
}  // namespace overlay_test
