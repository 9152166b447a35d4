#include "views/places_sidebar/places_sidebar.h"

#include <gtest/gtest.h>

#include "chrome_support.h"
#include "command/local_key.h"
#include "vesk_ui/recording_painter.h"
#include "vesk_ui/theme.h"

namespace file_explorer::views {
namespace {

using chrome_test::key;
using chrome_test::pointer;
using chrome_test::send;
using command::Kind;
using vesk_ui::PointerKind;

std::vector<Place> favourites_abcd() {
    std::vector<Place> out;
    for (const char* p : {"/A", "/B", "/C", "/D"}) out.push_back({std::string(p + 1), p, vesk_ui::Icon::Folder, false});
    return out;
}

struct SidebarFixture {
    explicit SidebarFixture(std::vector<Place> favourites = favourites_abcd(), std::string current = "/C") {
        chrome_test::use_english();
        SidebarSetup setup;
        setup.favourites = std::move(favourites);
        setup.system = system_places({"/var/workspace", "/home/u/Shared"}, std::string("/home/u/.local/share/Trash/files"));
        setup.current = std::move(current);
        setup.reorder = reorder;
        setup.commands = channel;
        sidebar.update(std::move(setup));
        sidebar.apply_layout(vesk_ui::Rect::from_xywh(0, 48, 232, 600));
    }
    vesk_ui::Point centre(std::size_t i) const { return sidebar.geometry().row(i).center(); }
    command::CommandChannelRef channel = std::make_shared<command::CommandChannel>();
    ReorderCell reorder = std::make_shared<ReorderState>();
    PlacesSidebar sidebar;
};

TEST(Places, SystemPlacesActivePlaceAndRows) {
    chrome_test::use_english();
    auto system = system_places({"/var/workspace", "/home/u/Shared", "/"}, std::nullopt);
    ASSERT_EQ(system.size(), 4u);  // no Trash without a data folder
    EXPECT_EQ(system[0].label, "workspace");
    EXPECT_EQ(system[1].label, "Shared");
    EXPECT_EQ(system[2].label, "Workspace");  // a root without a name of its own
    EXPECT_EQ(system[3].label, "Root");
    EXPECT_EQ(system[3].path, "/");

    // A folder that is both a favourite and a workspace place: the favourite.
    std::vector<Place> favs{{"Home", "/home/u", vesk_ui::Icon::PlaceHome, true},
                            {"Shared", "/home/u/Shared/", vesk_ui::Icon::Folder, false}};
    EXPECT_EQ(active_place(favs, system, "/home/u/Shared"), 1u);
    EXPECT_EQ(active_place(favs, system, "/var/workspace"), 2u);
    EXPECT_EQ(active_place(favs, system, "/elsewhere"), std::nullopt);

    // Rows, headers and hits, with and without favourites, at scale 1 and 2.
    SidebarGeometry g{vesk_ui::Rect::from_xywh(0, 100, 232, 600), 1.0f, 2, 3};
    EXPECT_EQ(g.row(0), vesk_ui::Rect::from_xywh(12, 100 + 12 + 26, 208, 34));
    EXPECT_EQ(g.system_top(), 100 + 12 + 26 + 2 * 34);
    EXPECT_EQ(g.row(2).top, g.system_top() + 26);
    EXPECT_EQ(g.hit({20, 100 + 12 + 26 + 34 + 1}), 1u);
    EXPECT_EQ(g.hit({20, 100 + 12 + 10}), std::nullopt);  // on the header
    EXPECT_EQ(g.hit({6, 150}), std::nullopt);              // in the inset
    EXPECT_EQ(g.hit({g.row(4).left + 1, g.row(4).bottom - 1}), 4u);
    EXPECT_EQ(g.hit({20, g.row(4).bottom + 1}), std::nullopt);
    SidebarGeometry none{vesk_ui::Rect::from_xywh(0, 0, 232, 600), 2.0f, 0, 2};
    EXPECT_EQ(none.system_top(), 12);  // the System section moves up
    EXPECT_EQ(none.row(1).top, 12 + 52 + 68);
}

TEST(Places, ReorderSlotsOpenAGapAtTheTarget) {
    // Dragging 0 to 2 in A, B, C, D: B, C, gap, D.
    EXPECT_EQ(reorder_slot(0, 0, 2), std::nullopt);
    EXPECT_EQ(reorder_slot(1, 0, 2), 0u);
    EXPECT_EQ(reorder_slot(2, 0, 2), 1u);
    EXPECT_EQ(reorder_slot(3, 0, 2), 3u);
    // Dragging 3 to 1: A, gap, B, C.
    EXPECT_EQ(reorder_slot(0, 3, 1), 0u);
    EXPECT_EQ(reorder_slot(1, 3, 1), 2u);
    EXPECT_EQ(reorder_slot(2, 3, 1), 3u);
}

TEST(PlacesSidebar, PressAndReleaseOpensDraggingReorders) {
    SidebarFixture f;
    EXPECT_EQ(f.sidebar.active(), 2u);
    // Press and release without moving: opens, on release only.
    send(f.sidebar, pointer(PointerKind::Down, f.centre(1)));
    EXPECT_TRUE(f.sidebar.wants_pointer_capture());
    EXPECT_TRUE(f.channel->empty());
    send(f.sidebar, pointer(PointerKind::Move, {f.centre(1).x + 2, f.centre(1).y + 1}));  // under the threshold
    send(f.sidebar, pointer(PointerKind::Up, f.centre(1)));
    auto opened = f.channel->drain();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].kind, Kind::NavigateToPath);
    EXPECT_EQ(opened[0].path, "/B");
    EXPECT_FALSE(f.sidebar.wants_pointer_capture());

    // Press, drag two rows lower, release: reorders instead of opening.
    send(f.sidebar, pointer(PointerKind::Down, f.centre(0)));
    send(f.sidebar, pointer(PointerKind::Move, f.centre(1)));
    send(f.sidebar, pointer(PointerKind::Move, f.centre(2)));
    EXPECT_TRUE(f.reorder->dragging);
    EXPECT_EQ(f.reorder->target, 2u);
    vesk_ui::RecordingPainter p;
    f.sidebar.draw(p, {vesk_ui::Theme::dark(), {}, 1.0f});
    EXPECT_TRUE(p.balanced());
    const auto* b = p.find_text("B");
    ASSERT_NE(b, nullptr);
    EXPECT_NEAR(b->rect.center().y, f.centre(0).y, 1.0f);  // B moved up into A's place
    send(f.sidebar, pointer(PointerKind::Up, {f.centre(2).x, 2000}));  // released anywhere: captured
    auto moved = f.channel->drain();
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].kind, Kind::ReorderFavourites);
    EXPECT_EQ(moved[0].index, 0u);
    EXPECT_EQ(moved[0].index2, 2u);

    // Dragged back onto its own slot: neither reorder nor open.
    send(f.sidebar, pointer(PointerKind::Down, f.centre(3)));
    send(f.sidebar, pointer(PointerKind::Move, f.centre(1)));
    send(f.sidebar, pointer(PointerKind::Move, f.centre(3)));
    send(f.sidebar, pointer(PointerKind::Up, f.centre(3)));
    EXPECT_TRUE(f.channel->empty());
}

TEST(PlacesSidebar, SystemPlacesOpenOnPressAndFavouritesAskForTheirMenu) {
    SidebarFixture f;
    send(f.sidebar, pointer(PointerKind::Down, f.centre(5)));  // Shared
    EXPECT_EQ(f.channel->drain().at(0).path, "/home/u/Shared");
    EXPECT_FALSE(f.sidebar.wants_pointer_capture());

    EXPECT_TRUE(send(f.sidebar, pointer(PointerKind::Down, f.centre(1), vesk_ui::Button::Secondary)));
    auto menu = f.channel->drain();
    ASSERT_EQ(menu.size(), 1u);
    EXPECT_EQ(menu[0].kind, Kind::FavouriteContextMenu);
    EXPECT_EQ(menu[0].path, "/B");
    send(f.sidebar, pointer(PointerKind::Down, f.centre(6), vesk_ui::Button::Secondary));  // Root: no menu
    EXPECT_TRUE(f.channel->empty());
}

TEST(PlacesSidebar, KeyboardStartsFromTheActivePlace) {
    SidebarFixture f;
    EXPECT_FALSE(send(f.sidebar, key("ArrowDown")));  // not focused
    f.sidebar.set_focus(true);
    send(f.sidebar, key("ArrowDown"));  // from C (active) to D
    send(f.sidebar, key("Enter"));
    EXPECT_EQ(f.channel->drain().at(0).path, "/D");
    send(f.sidebar, key("ContextMenu"));
    EXPECT_EQ(f.channel->drain().at(0).kind, Kind::FavouriteContextMenu);
    send(f.sidebar, key("End"));
    send(f.sidebar, key("ArrowDown"));  // not past the last
    send(f.sidebar, key("ContextMenu"));  // Trash is no favourite
    EXPECT_TRUE(f.channel->empty());
    send(f.sidebar, key("Enter"));
    EXPECT_EQ(f.channel->drain().at(0).path, "/home/u/.local/share/Trash/files");
    send(f.sidebar, key("Home"));
    send(f.sidebar, key("ArrowUp"));
    EXPECT_EQ(f.sidebar.cursor(), 0u);
    EXPECT_FALSE(send(f.sidebar, key("ArrowDown", vesk_ui::mods::shift)));
}

TEST(PlacesSidebar, AccessibilityDescribesEveryPlace) {
    SidebarFixture f;
    auto node = f.sidebar.accessibility();
    ASSERT_TRUE(node);
    EXPECT_EQ(node->label, "Places");
    ASSERT_EQ(node->children.size(), 8u);
    EXPECT_EQ(node->children[0].label, "A");
    EXPECT_EQ(node->children[0].description, "Favourite, /A");
    EXPECT_EQ(node->children[6].label, "Root");
    EXPECT_EQ(node->children[6].description, "System location, /");
    EXPECT_TRUE(node->children[2].flags & vesk_ui::access_flags::selected);
    EXPECT_EQ(node->children[1].id, command::place_resource_id("/B"));
    EXPECT_TRUE(f.sidebar.perform_semantic_action(node->children[1].id, vesk_ui::SemanticAction::ShowMenu));
    EXPECT_EQ(f.channel->drain().at(0).kind, Kind::FavouriteContextMenu);
    EXPECT_FALSE(f.sidebar.perform_semantic_action(node->children[6].id, vesk_ui::SemanticAction::ShowMenu));
    EXPECT_TRUE(f.sidebar.perform_semantic_action(node->children[6].id, vesk_ui::SemanticAction::Default));
    EXPECT_EQ(f.channel->drain().at(0).path, "/");
}

TEST(PlacesSidebar, WithoutFavouritesTheHeaderGoesAndDropsFindPlaces) {
    SidebarFixture f({}, "/");
    vesk_ui::RecordingPainter p;
    f.sidebar.draw(p, {vesk_ui::Theme::dark(), {}, 1.0f});
    EXPECT_EQ(p.find_text("Favourites"), nullptr);
    const auto* system = p.find_text("System");
    ASSERT_NE(system, nullptr);
    EXPECT_LT(system->rect.top, 48 + 12 + 26);
    EXPECT_EQ(f.sidebar.place_at(f.centre(0)), 0u);
    EXPECT_EQ(f.sidebar.place(0).path, "/var/workspace");
    EXPECT_EQ(f.sidebar.place_at({f.centre(0).x, 40}), std::nullopt);  // above the sidebar
    EXPECT_EQ(f.sidebar.active(), 2u);                                  // Root
}

}  // namespace
}  // namespace file_explorer::views
