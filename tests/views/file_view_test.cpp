#include "views/file_view/file_view.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "i18n/i18n.h"
#include "views/file_view/tile.h"
#include "vesk_ui/recording_painter.h"
#include "vesk_ui/theme.h"

namespace file_explorer::views {
namespace {

using command::Kind;
using vesk_ui::PaintOp;
using vesk_ui::Point;
using vesk_ui::Rect;

class EnglishLocale : public ::testing::Environment {
public:
    void SetUp() override { setenv("LC_ALL", "en_US.UTF-8", 1); }
};
[[maybe_unused]] auto* const english = ::testing::AddGlobalTestEnvironment(new EnglishLocale);

model::FileEntry file(std::string name, std::uint64_t size) {
    model::FileEntry e;
    e.path = "/data/" + name;
    e.name = std::move(name);
    e.size = size;
    return e;
}

model::FileEntry folder(std::string name) {
    model::FileEntry e = file(std::move(name), 4096);
    e.is_dir = true;
    return e;
}

std::vector<model::FileEntry> numbered(std::size_t n) {
    std::vector<model::FileEntry> out;
    for (std::size_t i = 0; i < n; ++i) out.push_back(file("file-" + std::to_string(i) + ".txt", i));
    return out;
}

struct Fixture {
    command::CommandChannelRef commands = std::make_shared<command::CommandChannel>();

    FileViewSetup setup(std::vector<model::FileEntry> entries) {
        FileViewSetup s;
        s.entries = std::move(entries);
        s.selection.set_count(s.entries.size());
        s.commands = commands;
        return s;
    }
    std::unique_ptr<FileView> list(std::vector<model::FileEntry> entries, float width = 600,
                                   std::function<void(FileViewSetup&)> edit = {}) {
        FileViewSetup s = setup(std::move(entries));
        if (edit) edit(s);
        auto v = std::make_unique<FileView>(std::move(s), model::SortKey::Name, model::SortDirection::Ascending);
        v->apply_layout({0, 0, width, 2000});
        return v;
    }
    std::unique_ptr<FileView> grid(std::vector<model::FileEntry> entries, float width = 520,
                                   std::function<void(FileViewSetup&)> edit = {}) {
        FileViewSetup s = setup(std::move(entries));
        if (edit) edit(s);
        auto v = std::make_unique<FileView>(std::move(s));
        v->apply_layout({0, 0, width, 2000});
        return v;
    }
    std::vector<Kind> kinds() {
        std::vector<Kind> out;
        for (const auto& c : commands->drain()) out.push_back(c.kind);
        return out;
    }
};

vesk_ui::Event pointer(vesk_ui::PointerKind kind, Point p, vesk_ui::Button button = vesk_ui::Button::None,
                       std::uint32_t mods = 0) {
    vesk_ui::PointerEvent e;
    e.kind = kind;
    e.physical = p;
    e.button = button;
    e.modifiers = mods;
    return {e};
}

bool send(FileView& v, const vesk_ui::Event& e) {
    vesk_ui::EventContext ctx;
    return v.handle_event(e, ctx);
}

vesk_ui::Event press(Point p, vesk_ui::Button b = vesk_ui::Button::Primary, std::uint32_t mods = 0) {
    return pointer(vesk_ui::PointerKind::Down, p, b, mods);
}
vesk_ui::Event move(Point p) { return pointer(vesk_ui::PointerKind::Move, p); }

vesk_ui::Event key(std::string name, std::uint32_t mods = 0) {
    vesk_ui::KeyEvent k;
    k.key = std::move(name);
    k.modifiers = mods;
    return {k};
}

// Row i of a list at z = t = 1 spans 30 + 34i to 64 + 34i.
Point row_point(std::size_t i) { return {100, 30 + 34.0f * static_cast<float>(i) + 17}; }

TEST(FileViewPointer, DragStartsOnlyBeyondSixUnits) {
    for (auto [distance, drags] : {std::pair{5.0f, false}, std::pair{7.0f, true}}) {
        Fixture f;
        auto v = f.list({file("a.txt", 1), folder("Photos")});
        Point at = row_point(1);
        EXPECT_TRUE(send(*v, press(at)));
        auto pressed = f.commands->drain();
        ASSERT_EQ(pressed.size(), 2u);
        EXPECT_EQ(pressed[0].kind, Kind::ItemClicked);
        EXPECT_EQ(pressed[0].index, std::optional<std::size_t>(1));
        EXPECT_EQ(pressed[1].kind, Kind::ItemPressed);
        EXPECT_EQ(pressed[1].path, "/data/Photos");
        EXPECT_TRUE(pressed[1].flag_a);

        send(*v, move({at.x + distance, at.y}));
        auto moved = f.commands->drain();
        ASSERT_EQ(moved.size(), drags ? 1u : 0u) << distance;
        if (drags) {
            EXPECT_EQ(moved[0].kind, Kind::StartDrag);
            EXPECT_EQ(moved[0].path, "/data/Photos");
            EXPECT_TRUE(moved[0].flag_a);
            // The press is used up: further moves start nothing.
            send(*v, move({at.x + 40, at.y}));
            EXPECT_TRUE(f.commands->empty());
        }
    }
}

TEST(FileViewPointer, ReleaseForgetsThePress) {
    Fixture f;
    auto v = f.list(numbered(3));
    send(*v, press(row_point(0)));
    send(*v, pointer(vesk_ui::PointerKind::Up, row_point(0), vesk_ui::Button::Primary));
    f.commands->drain();
    send(*v, move({200, row_point(0).y}));
    EXPECT_TRUE(f.commands->empty());
}

TEST(FileViewPointer, ModifiedClickAppliesToTheCopyAndArmsNoDrag) {
    Fixture f;
    auto v = f.list(numbered(4));
    send(*v, press(row_point(1)));
    send(*v, press(row_point(3), vesk_ui::Button::Primary, vesk_ui::mods::control));
    auto cmds = f.commands->drain();
    ASSERT_EQ(cmds.size(), 3u);
    EXPECT_EQ(cmds[2].kind, Kind::ItemClicked);
    EXPECT_TRUE(cmds[2].flag_a);
    EXPECT_FALSE(cmds[2].flag_b);
    EXPECT_TRUE(v->selection().is_selected(1));
    EXPECT_TRUE(v->selection().is_selected(3));

    send(*v, press(row_point(0), vesk_ui::Button::Primary, vesk_ui::mods::super | vesk_ui::mods::shift));
    auto more = f.commands->drain();
    ASSERT_EQ(more.size(), 1u);
    EXPECT_TRUE(more[0].flag_a);
    EXPECT_TRUE(more[0].flag_b);
}

TEST(FileViewPointer, RightClickSelectsOnlyAnUnselectedEntry) {
    Fixture f;
    auto v = f.list(numbered(5), 600, [](FileViewSetup& s) {
        s.selection.toggle(0);
        s.selection.toggle(1);
    });
    // On a selected entry the multiple selection stays.
    EXPECT_TRUE(send(*v, press(row_point(1), vesk_ui::Button::Secondary)));
    EXPECT_TRUE(v->selection().is_selected(0));
    EXPECT_TRUE(v->selection().is_selected(1));
    auto kept = f.commands->drain();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].kind, Kind::ContextMenuRequested);
    EXPECT_EQ(kept[0].index, std::optional<std::size_t>(1));

    // On an unselected entry only that entry is selected.
    send(*v, press(row_point(3), vesk_ui::Button::Secondary));
    EXPECT_FALSE(v->selection().is_selected(0));
    EXPECT_FALSE(v->selection().is_selected(1));
    EXPECT_TRUE(v->selection().is_selected(3));
    f.commands->drain();

    // Below the last row: the folder background menu.
    send(*v, press({100, 1000}, vesk_ui::Button::Secondary));
    auto background = f.commands->drain();
    ASSERT_EQ(background.size(), 1u);
    EXPECT_EQ(background[0].kind, Kind::ContextMenuRequested);
    EXPECT_EQ(background[0].index, std::nullopt);
}

TEST(FileViewPointer, HeaderClickSortsByTheShownColumn) {
    struct Case { float x; std::optional<int> column; };
    for (Case c : {Case{100, 1}, Case{400, 2}, Case{500, 3}, Case{321, std::nullopt}}) {
        Fixture f;
        auto v = f.list(numbered(3));
        EXPECT_TRUE(send(*v, press({c.x, 15})));
        auto cmds = f.commands->drain();
        ASSERT_EQ(cmds.size(), c.column ? 1u : 0u) << c.x;
        if (c.column) {
            EXPECT_EQ(cmds[0].kind, Kind::SortByColumn);
            EXPECT_EQ(cmds[0].number, *c.column);
        }
    }
}

TEST(FileViewPointer, HoverFollowsThePointer) {
    Fixture f;
    auto v = f.list(numbered(3));
    vesk_ui::EventContext ctx;
    v->handle_event(move(row_point(2)), ctx);
    EXPECT_EQ(v->hovered(), std::optional<std::size_t>(2));
    EXPECT_TRUE(ctx.redraw);
    send(*v, move({100, 10}));
    EXPECT_EQ(v->hovered(), std::nullopt);
}

TEST(FileViewKeyboard, GridArrowsMoveByRowsAndClamp) {
    struct Case { std::size_t from; const char* key; std::size_t to; };
    for (Case c : {Case{7, "ArrowDown", 9}, Case{2, "ArrowUp", 0}, Case{5, "ArrowUp", 1}, Case{9, "ArrowRight", 9},
                   Case{0, "ArrowLeft", 0}, Case{4, "ArrowLeft", 3}}) {
        Fixture f;
        auto v = f.grid(numbered(10), 520, [&](FileViewSetup& s) { s.selection.move_to(c.from, false); });
        ASSERT_EQ(v->columns(), 4u);
        v->set_focus(true);
        EXPECT_TRUE(send(*v, key(c.key, vesk_ui::mods::shift)));
        auto cmds = f.commands->drain();
        ASSERT_EQ(cmds.size(), 1u);
        EXPECT_EQ(cmds[0].kind, Kind::MoveCursor);
        EXPECT_EQ(cmds[0].index, std::optional<std::size_t>(c.to)) << c.from << " " << c.key;
        EXPECT_TRUE(cmds[0].flag_a);
    }
}

TEST(FileViewKeyboard, IgnoredOutsideFocusedGrid) {
    Fixture f;
    auto list = f.list(numbered(10));
    list->set_focus(true);
    EXPECT_FALSE(send(*list, key("ArrowDown")));
    auto grid = f.grid(numbered(10));
    EXPECT_FALSE(send(*grid, key("ArrowDown")));  // no focus
    grid->set_focus(true);
    vesk_ui::Event repeat = key("ArrowDown");
    std::get<vesk_ui::KeyEvent>(repeat.data).repeat = true;
    EXPECT_FALSE(send(*grid, repeat));
    auto empty = f.grid({});
    empty->set_focus(true);
    EXPECT_FALSE(send(*empty, key("ArrowDown")));
    EXPECT_TRUE(f.commands->empty());
}

model::FileEntry dated(std::string name, std::uint64_t size) {
    model::FileEntry e = file(std::move(name), size);
    e.modified = model::ModifiedTime{1700000000, 0};
    return e;
}

TEST(FileViewPaint, ListShowsColumnsHeaderAndSelection) {
    Fixture f;
    auto v = f.list({folder("Photos"), dated("notes.txt", 1234)}, 600, [](FileViewSetup& s) {
        s.selection.toggle(1);
    });
    vesk_ui::RecordingPainter p;
    const vesk_ui::Theme& theme = vesk_ui::Theme::dark();
    v->draw(p, {theme, {}, 1.0f});

    EXPECT_TRUE(p.balanced());
    // "1.2 kB", with the locale's space between number and unit.
    std::string size = i18n::format_size(1234);
    EXPECT_TRUE(size.starts_with("1.2") && size.ends_with("kB")) << size;
    ASSERT_NE(p.find_text(size), nullptr);
    const PaintOp* dash = p.find_text("—");
    ASSERT_NE(dash, nullptr);
    EXPECT_EQ(dash->color, theme.text_secondary);
    EXPECT_NE(p.find_text("Photos"), nullptr);
    EXPECT_NE(p.find_text("notes.txt"), nullptr);
    EXPECT_NE(p.find_text(i18n::format_local_datetime(*model::to_local_time({1700000000, 0}))), nullptr);
    for (const char* title : {"Name", "Size", "Modified"}) EXPECT_NE(p.find_text(title), nullptr) << title;
    const PaintOp* arrow = p.find_text("▴");
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->color, theme.accent_b);
    EXPECT_GE(arrow->rect.left, p.find_text("Name")->rect.right + 4 - 0.01f);

    // The selected row's background, inset 8 and 2 from the row.
    auto fills = p.with_color(theme.selection);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->rect, (Rect{8, 64 + 2, 592, 98 - 2}));
    // Folder sizes are a dash and file names are not elided at this width.
    EXPECT_EQ(p.find_text("Photos")->rect.top, p.find_text("—")->rect.top);
}

TEST(FileViewPaint, OnlyTheVisibleRowsArePainted) {
    Fixture f;
    auto v = f.list(numbered(100000), 300, [](FileViewSetup& s) { s.viewport = Rect{0, 340000, 300, 340600}; });
    vesk_ui::RecordingPainter p;
    v->draw(p, {vesk_ui::Theme::dark(), {}, 1.0f});
    // About 600 / 34 rows plus one above and one below, and the header.
    std::size_t names = 0;
    for (const auto& t : p.texts())
        if (t.starts_with("file-")) ++names;
    EXPECT_GE(names, 17u);
    EXPECT_LE(names, 20u);
    // The header sticks to the viewport's top.
    EXPECT_GE(p.find_text("Name")->rect.top, 340000.0f);
}

TEST(FileViewPaint, CursorOutlineRadiusAndViewportRule) {
    Fixture f;
    auto v = f.list(numbered(50), 600, [](FileViewSetup& s) {
        s.selection.move_to(3, false);
        s.viewport = Rect{0, 0, 600, 300};
    });
    const vesk_ui::Theme& theme = vesk_ui::Theme::dark();
    vesk_ui::RecordingPainter p;
    v->draw(p, {theme, {}, 1.0f});
    EXPECT_EQ(p.count(PaintOp::Kind::StrokeRoundedRect), 0u);  // not focused

    v->set_focus(true);
    p.clear();
    v->draw(p, {theme, {}, 1.0f});
    auto outlines = p.with_color(theme.cursor_outline);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(outlines[0]->rect, (Rect{8, 30 + 34 * 3 + 2, 592, 30 + 34 * 4 - 2}));
    EXPECT_FLOAT_EQ(outlines[0]->radius, 8);
    EXPECT_FLOAT_EQ(outlines[0]->width, 2);

    // Row 8 starts 2 units below the viewport (within 4): painted; row 9 is beyond.
    for (auto [row, painted] : {std::pair{8u, true}, std::pair{9u, false}}) {
        auto w = f.list(numbered(50), 600, [&](FileViewSetup& s) {
            s.selection.move_to(row, false);
            s.viewport = Rect{0, 0, 600, 30 + 34.0f * 8};
        });
        w->set_focus(true);
        p.clear();
        w->draw(p, {theme, {}, 1.0f});
        EXPECT_EQ(p.with_color(theme.cursor_outline).size(), painted ? 1u : 0u) << row;
    }
}

TEST(FileViewPaint, GridShowsTilesLabelsAndRadiusOfSmallCells) {
    Fixture f;
    auto v = f.grid({folder("Camera Roll"), file("report.final.docx", 10), file("README", 3)}, 520);
    vesk_ui::RecordingPainter p;
    const vesk_ui::Theme& theme = vesk_ui::Theme::dark();
    v->draw(p, {theme, {}, 1.0f});
    EXPECT_TRUE(p.balanced());
    // Files without thumbnails get a tile with the extension cut to 4 letters.
    EXPECT_NE(p.find_text("DOCX"), nullptr);
    EXPECT_EQ(p.find_text("README")->color, theme.text_primary);
    EXPECT_NE(p.find_text("Camera Roll"), nullptr);
    // Labels are centred in their cells and lined up along the row.
    const PaintOp* a = p.find_text("Camera Roll");
    const PaintOp* b = p.find_text("report.final.docx");
    ASSERT_NE(b, nullptr);
    EXPECT_FLOAT_EQ(a->rect.top, b->rect.top);
    Rect cell0 = *v->item_rect(0);
    EXPECT_NEAR((a->rect.left + a->rect.right) / 2, (cell0.left + cell0.right) / 2, 0.01);
    // No header or columns in grid mode.
    EXPECT_EQ(p.find_text("Name"), nullptr);
}

TEST(FileViewTile, ExtensionLabel) {
    struct Case { const char* name; const char* label; };
    for (Case c : {Case{"a.txt", "TXT"}, Case{"archive.tar.gz", "GZ"}, Case{"clip.mpeg4", "MPEG"},
                   Case{"README", ""}, Case{".bashrc", ""}, Case{"trailing.", ""}, Case{"x.Ärger", "ÄRGE"}}) {
        EXPECT_EQ(extension_label(c.name), c.label) << c.name;
    }
}

TEST(FileViewRename, NameAreaBecomesTheEditor) {
    Fixture f;
    std::optional<Rect> reported;
    auto v = f.list(numbered(3), 600, [&](FileViewSetup& s) {
        s.rename.index = 1;
        s.rename.on_rect = [&](const Rect& r) { reported = r; };
    });
    ASSERT_TRUE(reported);
    EXPECT_EQ(v->rename_rect(), reported);
    Rect row = *v->item_rect(1);
    EXPECT_GE(reported->top, row.top);
    EXPECT_LE(reported->bottom, row.bottom);
    EXPECT_FLOAT_EQ(reported->left, 10 + 4 + 18 + 12);
    EXPECT_FLOAT_EQ(reported->right, 316 - 12);

    vesk_ui::RecordingPainter p;
    v->draw(p, {vesk_ui::Theme::dark(), {}, 1.0f});
    EXPECT_EQ(p.find_text("file-1.txt"), nullptr);
    EXPECT_NE(p.find_text("file-2.txt"), nullptr);
}

TEST(FileViewRename, GridEditorSurroundsTheLabel) {
    Fixture f;
    auto v = f.grid(numbered(3), 520, [](FileViewSetup& s) { s.rename.index = 2; });
    Rect cell = *v->item_rect(2);
    ASSERT_TRUE(v->rename_rect());
    EXPECT_FLOAT_EQ(v->rename_rect()->left, cell.left + 6);
    EXPECT_FLOAT_EQ(v->rename_rect()->right, cell.right - 6);
}

TEST(FileViewMeasure, ContentSize) {
    Fixture f;
    auto list = f.list(numbered(10));
    EXPECT_EQ(list->measure({700, 100}), (vesk_ui::Size{700, 30 + 340 + 6}));
    auto grid = f.grid(numbered(10), 520);
    // 4 columns at 520: 3 rows of 104 + 16 under a 10-unit margin.
    EXPECT_EQ(grid->measure({520, 100}), (vesk_ui::Size{520, 10 + 3 * 120}));
    // Asked for its content width: one cell at the current bounds plus margins.
    EXPECT_FLOAT_EQ(grid->measure({INFINITY, 100}).width, 112 + 20);
    EXPECT_FLOAT_EQ(f.grid({})->measure({520, 100}).height, 10);
}

TEST(FileViewAccessibility, ListNodeWithEveryEntry) {
    Fixture f;
    auto v = f.list({folder("Photos"), dated("notes.txt", 1234)}, 600, [](FileViewSetup& s) {
        s.selection.move_to(1, false);
        s.viewport = Rect{0, 0, 600, 40};
    });
    auto node = v->accessibility();
    ASSERT_TRUE(node);
    EXPECT_EQ(node->role, vesk_ui::Role::List);
    EXPECT_EQ(node->label, "Files");
    EXPECT_EQ(node->value, "notes.txt");
    EXPECT_EQ(node->rect, (Rect{0, 0, 600, 40}));
    ASSERT_EQ(node->children.size(), 2u);  // the second row is outside the viewport but still listed
    EXPECT_EQ(node->children[0].label, "Photos");
    EXPECT_EQ(node->children[0].description, "Folder");
    EXPECT_EQ(node->children[1].description, "File, " + i18n::format_size(1234));
    EXPECT_EQ(node->children[1].rect, (Rect{0, 64, 600, 98}));
    EXPECT_TRUE(node->children[1].flags & vesk_ui::access_flags::selected);
    EXPECT_FALSE(node->children[0].flags & vesk_ui::access_flags::selected);
}

TEST(FileViewAutomation, OneRegionPerEntry) {
    Fixture f;
    auto v = f.grid({folder("Photos"), file("a.txt", 1)}, 520);
    auto regions = v->automation_regions();
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[1].name, "file_row:a.txt");
    EXPECT_EQ(regions[1].rect, *v->item_rect(1));
}

}  // namespace
}  // namespace file_explorer::views
