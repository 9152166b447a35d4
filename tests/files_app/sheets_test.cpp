#include "files_app/sheets.h"

#include "overlay_fixture.h"
#include "vesk_ui/recording_painter.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/button.h"

namespace overlay_test {
namespace {

using file_explorer::command::Command;
using file_explorer::command::Kind;
using file_explorer::files_app::Sheet;
using file_explorer::files_app::SheetAction;
using file_explorer::files_app::SheetActionKind;
using vesk_ui::Rect;
namespace files_app = file_explorer::files_app;
namespace i18n = file_explorer::i18n;

Sheet sheet_with(std::size_t lines, bool action) {
    Sheet s;
    s.title = "Title";
    s.summary = "Summary";
    for (std::size_t i = 0; i < lines; ++i) s.lines.push_back("line " + std::to_string(i));
    if (action) s.action = SheetAction{SheetActionKind::EmptyTrash, {}, {}, {}, {}};
    return s;
}

TEST(SheetGeometry, PanelSizeByWindowAndLines) {
    struct Case {
        float window_w, window_h;
        std::size_t lines;
        bool action;
        float panel_w, panel_h;
    };
    const Case cases[] = {
        {1200, 720, 0, false, 648, 143},  // no lines, no action
        {1200, 160, 0, false, 648, 180},  // short window: never under 180
        {300, 600, 0, false, 288, 143},   // narrow window: 320 − 32
        {1000, 720, 0, false, 648, 143},
        {500, 720, 3, false, 468, 197},   // 116 + 3 × 27
        {800, 720, 20, false, 648, 494},  // grows for 14 lines only
        {800, 720, 20, true, 648, 552},   // plus the button row
        {800, 400, 20, true, 648, 368},   // window height − 32
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.window_w << "x" << c.window_h << " lines " << c.lines);
        const Rect root = Rect::from_xywh(0, 0, c.window_w, c.window_h);
        const Sheet sheet = sheet_with(c.lines, c.action);
        const Rect panel = files_app::sheet_panel_rect(sheet, root);
        EXPECT_FLOAT_EQ(panel.width(), c.panel_w);
        EXPECT_FLOAT_EQ(panel.height(), c.panel_h);
        EXPECT_EQ(panel.center(), root.center());
        auto confirm = files_app::confirm_button_rect(sheet, panel);
        ASSERT_EQ(confirm.has_value(), c.action);
        if (confirm) {
            EXPECT_EQ(*confirm, (Rect{panel.left + 24, panel.bottom - 50, panel.right - 24, panel.bottom - 14}));
        }
    }
}

TEST(SheetDrawing, LinesStopAtFourteenAndAtThePanelBottom) {
    struct Case {
        float window_h;
        std::size_t drawn;
    };
    // 20 lines: 14 in a tall window; in a 300-unit window the panel is 268
    // high and a line is drawn while its top is at most 26 above the bottom.
    const Case cases[] = {{720, 14}, {300, 6}};
    const vesk_ui::Theme& theme = vesk_ui::Theme::dark();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window_h);
        const Rect root = Rect::from_xywh(0, 0, 800, c.window_h);
        const Sheet sheet = sheet_with(20, false);
        vesk_ui::RecordingPainter p;
        vesk_ui::widgets::Button button;
        files_app::draw_sheet(p, {theme, {}, 1.0f}, sheet, root, button, false);
        EXPECT_TRUE(p.balanced());
        std::size_t lines = 0;
        for (const auto& text : p.texts()) lines += text.starts_with("line ");
        EXPECT_EQ(lines, c.drawn);
        // The scrim covers the window before anything else.
        ASSERT_FALSE(p.ops().empty());
        EXPECT_EQ(p.ops().front().rect, root);
        EXPECT_EQ(p.ops().front().color, theme.scrim);
    }

    // A destructive confirmation draws a danger button with its label.
    vesk_ui::RecordingPainter p;
    vesk_ui::widgets::Button button;
    files_app::draw_sheet(p, {theme, {}, 1.0f}, files_app::empty_trash_sheet(3), Rect::from_xywh(0, 0, 800, 600),
                          button, false);
    ASSERT_NE(p.find_text(i18n::tr("files-empty-trash-confirm")), nullptr);
    EXPECT_FALSE(p.with_color(theme.danger).empty());
}

TEST(ShellSheets, PropertiesShortcutsAndConfirmations) {
    file_explorer::model::FileEntry root_file;
    root_file.name = "vmlinuz";
    root_file.path = "/vmlinuz";
    root_file.size = 2048;
    const Sheet props = files_app::properties_sheet(root_file);
    EXPECT_EQ(props.title, i18n::tr_args("files-properties-title", i18n::Args().text("name", "vmlinuz")));
    EXPECT_EQ(props.summary, i18n::tr("files-properties-summary"));
    ASSERT_EQ(props.lines.size(), 4u);
    EXPECT_EQ(props.lines[1], i18n::tr_args("files-property-location", i18n::Args().text("location", "/")));
    EXPECT_EQ(props.lines[3], i18n::tr_args("files-property-modified",
                                            i18n::Args().text("time", i18n::tr("files-property-unknown"))));
    EXPECT_FALSE(props.action);

    file_explorer::model::FileEntry folder;
    folder.name = "Photos";
    folder.path = "/home/u/Photos";
    folder.is_dir = true;
    const Sheet folder_props = files_app::properties_sheet(folder);
    EXPECT_EQ(folder_props.lines[0], i18n::tr_args("files-property-type",
                                                   i18n::Args().text("type", i18n::tr("files-a11y-folder"))));
    EXPECT_EQ(folder_props.lines[1], i18n::tr_args("files-property-location", i18n::Args().text("location", "/home/u")));
    EXPECT_EQ(folder_props.lines[2], i18n::tr_args("files-property-size", i18n::Args().text("size", "—")));

    EXPECT_EQ(files_app::shortcuts_sheet().lines.size(), 11u);
    EXPECT_EQ(files_app::shortcuts_sheet().lines.back(), i18n::tr("files-shortcuts-close"));

    const Sheet purge = files_app::permanent_delete_sheet({"/t/a", "/t/b"});
    EXPECT_EQ(purge.title, i18n::tr_args("files-permanent-delete-title", i18n::Args().number("count", 2)));
    EXPECT_EQ(purge.lines, std::vector<std::string>{i18n::tr("files-permanent-delete-loss")});
    EXPECT_EQ(purge.action->command().kind, Kind::DeletePermanently);
    EXPECT_EQ(purge.action->command().paths, (std::vector<std::string>{"/t/a", "/t/b"}));
    EXPECT_EQ(files_app::empty_trash_sheet(4).action->command().kind, Kind::EmptyTrash);
}

// --- through the widget ---------------------------------------------------

class SheetWidgetTest : public OverlayTest {};

TEST_F(SheetWidgetTest, TheOpenSheetTakesEveryEvent) {
    for (const char* f : {"a.txt", "b.txt"}) write(work(f));
    auto& w = open(work(), 900, 600);
    select({"a.txt"});
    w.execute(Command::simple(Kind::ShowProperties));
    ASSERT_TRUE(w.sheet());
    EXPECT_TRUE(w.is_focusable());
    EXPECT_TRUE(w.sheet_focused());

    // Enter does nothing without an action; Primary + A does not reach the view.
    send(key("Enter"));
    send(key("", "a", vesk_ui::mods::control));
    EXPECT_TRUE(w.sheet());
    EXPECT_EQ(w.selection().size(), 1u);

    // The dialog stands for the window: lines joined, no button.
    auto node = w.accessibility();
    ASSERT_TRUE(node);
    EXPECT_EQ(node->role, vesk_ui::Role::Dialog);
    EXPECT_EQ(node->label, w.sheet()->title);
    EXPECT_EQ(node->value, w.sheet()->lines[0] + ". " + w.sheet()->lines[1] + ". " + w.sheet()->lines[2] + ". " +
                               w.sheet()->lines[3]);
    EXPECT_EQ(node->children.size(), 2u + 4u);
    EXPECT_TRUE(node->flags & vesk_ui::access_flags::focused);
    w.set_focus(false);
    EXPECT_FALSE(w.sheet_focused());

    // A click inside the panel keeps it; the close button and Escape close it.
    const Rect panel = files_app::sheet_panel_rect(*w.sheet(), w.bounds());
    click(panel.center());
    EXPECT_TRUE(w.sheet());
    click(files_app::close_hit_rect(panel).center());
    EXPECT_FALSE(w.sheet());
    EXPECT_FALSE(w.is_focusable());
    send(key("F1"));
    ASSERT_TRUE(w.sheet());
    EXPECT_EQ(w.sheet()->title, i18n::tr("files-shortcuts-title"));
    send(key("Escape"));
    EXPECT_FALSE(w.sheet());
}

TEST_F(SheetWidgetTest, TheReleaseOfTheClickThatOpenedASheetDoesNotDismissIt) {
    auto& w = open(work(), 900, 600);
    const Rect beside{5, 5, 10, 10};
    w.open_sheet(files_app::shortcuts_sheet());
    send(pointer(vesk_ui::PointerKind::Up, beside.center()));
    EXPECT_TRUE(w.sheet());
    send(pointer(vesk_ui::PointerKind::Down, beside.center()));
    send(pointer(vesk_ui::PointerKind::Up, beside.center()));
    EXPECT_FALSE(w.sheet());
}

}  // namespace
}  // namespace overlay_test
