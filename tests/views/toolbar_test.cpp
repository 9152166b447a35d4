#include "views/toolbar/toolbar.h"

#include <gtest/gtest.h>

#include "chrome_support.h"
#include "vesk_ui/recording_painter.h"
#include "vesk_ui/theme.h"

namespace file_explorer::views {
namespace {

using command::Kind;

struct ToolbarFixture {
    explicit ToolbarFixture(ToolbarState state = {}, float width = 900) {
        chrome_test::use_english();
        toolbar.set_state(state);
        toolbar.path_bar().update("/home/u/Documents", std::string("/home/u"), {});
        toolbar.build();
        layout(width);
    }
    void layout(float width) { toolbar.apply_layout(vesk_ui::Rect::from_xywh(232, 0, width, FileToolbar::height)); }
    void rebuild(ToolbarState state) {
        toolbar.set_state(state);
        toolbar.build();
        layout(toolbar.bounds().width());
    }
    command::CommandChannelRef channel = std::make_shared<command::CommandChannel>();
    FileToolbar toolbar{channel};
};

using Ids = std::vector<std::string>;

TEST(Toolbar, ControlsFollowTheStateAndTheWidth) {
    ToolbarFixture f;
    EXPECT_EQ(f.toolbar.control_ids(), (Ids{"files.back", "files.forward", "files.up", "files.path_bar",
                                            "files.view-mode", "files.view_menu"}));
    // In grid mode the sort button joins (list mode sorts by its headers).
    f.rebuild({.grid_mode = true});
    EXPECT_EQ(f.toolbar.control_ids(), (Ids{"files.back", "files.forward", "files.up", "files.path_bar",
                                            "files.view-mode", "files.sort_menu", "files.view_menu"}));
    EXPECT_EQ(f.toolbar.sort_control_rect()->width(), FileToolbar::wide_button_width);

    // 800 → 700 units: compact; back to 760: full again.
    f.layout(800);
    EXPECT_FALSE(f.toolbar.take_structure_dirty());
    f.layout(700);
    EXPECT_TRUE(f.toolbar.compact());
    EXPECT_TRUE(f.toolbar.take_structure_dirty());
    EXPECT_FALSE(f.toolbar.take_structure_dirty());
    EXPECT_EQ(f.toolbar.control_ids(), (Ids{"files.back", "files.up", "files.path_bar", "files.view_menu"}));
    EXPECT_EQ(f.toolbar.sort_control_rect(), f.toolbar.view_options_rect());  // the only control on the right
    f.layout(760);
    EXPECT_FALSE(f.toolbar.compact());
    EXPECT_EQ(f.toolbar.control_ids().size(), 7u);

    // Inside an archive Extract stands where View options was.
    f.rebuild({.in_archive = true});
    EXPECT_EQ(f.toolbar.control_ids().back(), "files.archive.extract");
    EXPECT_FALSE(f.toolbar.view_options_rect());
    f.layout(700);
    EXPECT_EQ(f.toolbar.control_ids(), (Ids{"files.back", "files.up", "files.path_bar", "files.archive.extract"}));
    auto node = f.toolbar.accessibility();
    ASSERT_TRUE(node);
    EXPECT_EQ(node->children.back().label, "Extract archive…");  // named without a visible label
}

TEST(Toolbar, GeometryAndDisabledNavigation) {
    ToolbarFixture f({.can_go_up = true});
    auto node = f.toolbar.accessibility();
    ASSERT_TRUE(node);
    EXPECT_EQ(node->role, vesk_ui::Role::Toolbar);
    ASSERT_GE(node->children.size(), 5u);
    EXPECT_EQ(node->children[0].label, "Back");
    EXPECT_TRUE(node->children[0].flags & vesk_ui::access_flags::disabled);  // no history yet
    EXPECT_TRUE(node->children[1].flags & vesk_ui::access_flags::disabled);
    EXPECT_FALSE(node->children[2].flags & vesk_ui::access_flags::disabled);
    EXPECT_EQ(node->children[2].label, "Up one folder");
    EXPECT_EQ(node->children[3].label, "Breadcrumbs");
    EXPECT_EQ(node->children[3].rect.height(), FileToolbar::button_height);
    EXPECT_EQ(node->children[0].rect.width(), FileToolbar::button_width);
    EXPECT_EQ(node->children[4].id, "files.view-mode");
    EXPECT_EQ(node->children[4].children[0].label, "List");
    EXPECT_TRUE(node->children[4].children[0].flags & vesk_ui::access_flags::checked);
    EXPECT_EQ(node->children[5].label, "View options");
    const auto options = *f.toolbar.view_options_rect();
    EXPECT_EQ(options.right, 232 + 900 - 10);

    // The path bar takes what is left between the groups.
    const auto path = node->children[3].rect;
    EXPECT_GT(path.left, node->children[2].rect.right);
    EXPECT_LT(path.right, node->children[4].rect.left);
    EXPECT_GT(path.width(), 500);

    vesk_ui::RecordingPainter p;
    f.toolbar.draw(p, {vesk_ui::Theme::dark(), {}, 1.0f});
    EXPECT_TRUE(p.balanced());
    EXPECT_NE(p.find_text("Documents"), nullptr);
}

TEST(Toolbar, ControlsReportIntentAsCommands) {
    ToolbarFixture f({.can_go_back = true, .can_go_up = true});
    EXPECT_TRUE(f.toolbar.invoke_control("files.back"));
    EXPECT_FALSE(f.toolbar.invoke_control("files.forward"));  // disabled
    EXPECT_FALSE(f.toolbar.invoke_control("files.sort_menu"));  // not shown in list mode
    EXPECT_TRUE(f.toolbar.invoke_control("files.view-mode", "grid"));
    EXPECT_TRUE(f.toolbar.invoke_control("files.view_menu"));
    auto commands = f.channel->drain();
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].kind, Kind::GoBack);
    EXPECT_EQ(commands[1].kind, Kind::SetViewMode);
    EXPECT_EQ(commands[1].number, 1);
    EXPECT_EQ(commands[2].kind, Kind::ShowViewMenu);

    // A click on Up, and one on the toggle's other half (grid is chosen now).
    auto node = f.toolbar.accessibility();
    chrome_test::click(f.toolbar, node->children[2].rect.center());
    chrome_test::click(f.toolbar, node->children[4].children[0].rect.center());
    commands = f.channel->drain();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].kind, Kind::GoUp);
    EXPECT_EQ(commands[1].kind, Kind::SetViewMode);
    EXPECT_EQ(commands[1].number, 0);

    // A press on the path bar's empty part opens the editor there.
    chrome_test::click(f.toolbar, {node->children[3].rect.right - 20, 24});
    EXPECT_TRUE(f.toolbar.path_bar().editing());
}

TEST(Toolbar, ARebuildBetweenPressAndReleaseKeepsTheClick) {
    ToolbarFixture f({.can_go_back = true});
    const auto back = f.toolbar.accessibility()->children[0].rect.center();
    chrome_test::send(f.toolbar, chrome_test::pointer(vesk_ui::PointerKind::Down, back));
    f.toolbar.build();  // the root rebuilds after every event
    chrome_test::send(f.toolbar, chrome_test::pointer(vesk_ui::PointerKind::Up, back));
    auto commands = f.channel->drain();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].kind, Kind::GoBack);
    f.rebuild({});  // no history any more
    EXPECT_TRUE(f.toolbar.accessibility()->children[0].flags & vesk_ui::access_flags::disabled);
}

}  // namespace
}  // namespace file_explorer::views
