// The root widget's chrome: favourites commands and their file, drops onto
// places and the parent folder, the location editor, focus, the action door.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "command/local_key.h"
#include "files_app/explorer_widget.h"
#include "views/places_sidebar/places_sidebar.h"
#include "views/toolbar/toolbar.h"
#include "vesk_ui/widgets/nav_shell.h"

namespace {

namespace fs = std::filesystem;
using file_explorer::command::Command;
using file_explorer::command::Kind;
using file_explorer::files_app::ExplorerConfig;
using file_explorer::files_app::FileExplorerWidget;
using vesk_actions::InvokeOutcome;
using vesk_actions::OperationClass;

vesk_ui::Event pointer(vesk_ui::PointerKind kind, vesk_ui::Point at) {
    vesk_ui::PointerEvent p;
    p.kind = kind;
    p.physical = at;
    p.button = kind == vesk_ui::PointerKind::Move ? vesk_ui::Button::None : vesk_ui::Button::Primary;
    return vesk_ui::Event{p};
}

vesk_ui::Event key(std::string name, std::string text = {}, std::uint32_t mods = 0) {
    vesk_ui::KeyEvent k;
    k.key = std::move(name);
    k.text = std::move(text);
    k.modifiers = mods;
    return vesk_ui::Event{k};
}

class ChromeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("LC_ALL", "en_US.UTF-8", 1);
        root_ = fs::temp_directory_path() / ("chrome-test-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        for (const char* d : {"home/Documents", "home/Work/Inner", "home/config"}) fs::create_directories(root_ / d);
        std::ofstream(root_ / "home/Work/plan.txt") << "plan";
    }
    void TearDown() override { fs::remove_all(root_); }

    std::unique_ptr<FileExplorerWidget> make(const std::string& start) {
        ExplorerConfig config;
        config.home = p("home");
        config.config_dir = p("home/config/vesk-files");
        config.user_dirs = vesk_ui::sysdirs::UserDirs::from_text("XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n", p("home"));
        config.fixed_workspace_roots = std::vector<std::string>{};
        auto w = std::make_unique<FileExplorerWidget>(std::move(config), start);
        frame(*w);
        return w;
    }
    // What the loop does before drawing.
    static void frame(FileExplorerWidget& w) {
        if (w.take_structure_dirty()) w.build_layout();
        w.apply_layout({0, 0, 1200, 720});
    }
    static bool send(FileExplorerWidget& w, const vesk_ui::Event& e) {
        vesk_ui::EventContext ctx;
        bool used = w.handle_event(e, ctx);
        frame(w);
        return used;
    }
    std::string p(const std::string& rel) const { return (root_ / rel).string(); }
    std::string favourites_file() const {
        std::ifstream in(root_ / "home/config/vesk-files/favorites");
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

    fs::path root_;
};

TEST_F(ChromeTest, FavouritesChangeThroughCommandsAndAreWrittenEachTime) {
    auto w = make(p("home/Work"));
    ASSERT_EQ(w->favourites().places().size(), 2u);  // Home, Documents
    EXPECT_FALSE(fs::exists(root_ / "home/config/vesk-files/favorites"));

    EXPECT_TRUE(w->execute(Command::with_path(Kind::AddFavourite, p("home/Work"))));
    EXPECT_EQ(*w->status_message(), "Added to Favourites");
    EXPECT_EQ(favourites_file(), p("home") + "\n" + p("home/Documents") + "\n" + p("home/Work"));
    EXPECT_FALSE(w->execute(Command::with_path(Kind::AddFavourite, p("home/Work/"))));  // already there

    EXPECT_TRUE(w->execute(Command::reorder_favourites(2, 0)));
    EXPECT_EQ(favourites_file(), p("home/Work") + "\n" + p("home") + "\n" + p("home/Documents"));
    EXPECT_FALSE(w->execute(Command::reorder_favourites(0, 7)));

    EXPECT_TRUE(w->execute(Command::with_path(Kind::RemoveFavourite, p("home/Documents"))));
    EXPECT_EQ(*w->status_message(), "Removed from Favourites");
    EXPECT_EQ(favourites_file(), p("home/Work") + "\n" + p("home"));

    // The sidebar shows the list after the next layout, the current folder active.
    frame(*w);
    ASSERT_EQ(w->sidebar()->favourites().size(), 2u);
    EXPECT_EQ(w->sidebar()->favourites()[0].label, "Work");
    EXPECT_EQ(w->sidebar()->active(), 0u);

    // Loaded again by a new window.
    auto again = make(p("home"));
    EXPECT_EQ(again->favourites().places(), w->favourites().places());
}

TEST_F(ChromeTest, FavouritesThroughTheActionDoorAndPlaceResources) {
    auto w = make(p("home/Work"));
    auto invoke = [&](const char* payload, OperationClass cls) {
        vesk_actions::Invocation inv;
        inv.operation_class = cls;
        inv.action = "files.folder-command";
        inv.payload_json = std::string("\"") + payload + "\"";
        return w->invoke_resource_operation_v2(inv);
    };
    EXPECT_EQ(invoke("add-favorite", OperationClass::View).failure, "file command has an invalid operation kind");
    EXPECT_EQ(invoke("add-favorite", OperationClass::Effect).kind, InvokeOutcome::Kind::Success);
    ASSERT_NE(w->favourites().find(p("home/Work")), nullptr);

    // The folder resource now offers removal; places are resources too.
    auto folder = w->resource(file_explorer::command::folder_resource_id(w->location()));
    ASSERT_TRUE(folder);
    auto favourite_op = [&] {
        for (const auto& op : folder->operations)
            if (op.name == "add-favorite" || op.name == "remove-favorite") return op;
        return vesk_actions::Operation{};
    };
    EXPECT_EQ(favourite_op().name, "remove-favorite");
    std::size_t places = 0;
    std::string work_id;
    for (const auto& r : w->resources()) {
        if (r.kind != "files.place") continue;
        ++places;
        if (r.label == "Work") work_id = r.id;
    }
    EXPECT_EQ(places, 5u);  // Home, Documents, Work, Root, Trash
    ASSERT_FALSE(work_id.empty());
    auto work = w->resource(work_id);
    ASSERT_TRUE(work);
    EXPECT_EQ(work->operations.at(0).action, "files.open");
    EXPECT_EQ(invoke("remove-favorite", OperationClass::Effect).kind, InvokeOutcome::Kind::Success);
    EXPECT_EQ(w->favourites().find(p("home/Work")), nullptr);

    // A location that is not a folder cannot be a favourite.
    w->navigate(p("home/missing"));
    frame(*w);
    EXPECT_EQ(invoke("add-favorite", OperationClass::Effect).failure, "the current location cannot be a favourite");
    folder = w->resource(file_explorer::command::folder_resource_id(w->location()));
    ASSERT_TRUE(folder && favourite_op().unavailable);
    EXPECT_EQ(favourite_op().unavailable->code, "location_unavailable");
}

TEST_F(ChromeTest, DropsMoveIntoPlacesAndTheParentFolder) {
    auto w = make(p("home/Work"));
    const vesk_ui::Point documents = w->sidebar_row_centre(1);

    // Onto a place.
    w->set_drag_for_scene({p("home/Work/plan.txt")}, documents);
    send(*w, pointer(vesk_ui::PointerKind::Up, documents));
    EXPECT_TRUE(fs::exists(root_ / "home/Documents/plan.txt"));
    EXPECT_EQ(*w->status_message(), "Moved 1 item to “Documents”");
    EXPECT_TRUE(w->dragged_paths().empty());

    // A folder dropped onto the place that is itself: no destination.
    w->navigate(p("home"));
    frame(*w);
    w->set_drag_for_scene({p("home/Documents")}, documents);
    send(*w, pointer(vesk_ui::PointerKind::Up, documents));
    EXPECT_TRUE(fs::exists(root_ / "home/Documents/plan.txt"));
    EXPECT_TRUE(w->dragged_paths().empty());

    // Onto its own parent's place: nothing to move.
    w->navigate(p("home/Documents"));
    frame(*w);
    w->set_drag_for_scene({p("home/Documents/plan.txt")}, documents);
    send(*w, pointer(vesk_ui::PointerKind::Up, documents));
    EXPECT_EQ(*w->status_message(), "Nothing to move");

    // Onto the path bar's parent crumb: up one folder.
    const auto target = w->toolbar()->path_bar().parent_target_rect();
    ASSERT_TRUE(target);
    w->set_drag_for_scene({p("home/Documents/plan.txt")}, target->center());
    send(*w, pointer(vesk_ui::PointerKind::Up, target->center()));
    EXPECT_TRUE(fs::exists(root_ / "home/plan.txt"));
    EXPECT_TRUE(w->entries().empty());  // read again

    // Released over nothing: nothing moves.
    w->navigate(p("home"));
    frame(*w);
    w->set_drag_for_scene({p("home/plan.txt")}, {700, 600});
    send(*w, pointer(vesk_ui::PointerKind::Up, {700, 600}));
    EXPECT_TRUE(fs::exists(root_ / "home/plan.txt"));
}

TEST_F(ChromeTest, PrimaryLEditsTheLocationAndShortcutsWaitMeanwhile) {
    auto w = make(p("home/Work"));
    ASSERT_EQ(w->entries().size(), 2u);
    EXPECT_TRUE(send(*w, key("", "l", vesk_ui::mods::control)));
    ASSERT_TRUE(w->location_editing());
    EXPECT_EQ(w->toolbar()->path_bar().field().text(), "~/Work");
    send(*w, key("", "I"));
    send(*w, key("Delete"));  // edits the text; trashes nothing
    send(*w, key("F5"));      // no refresh while typing
    EXPECT_EQ(w->toolbar()->path_bar().field().text(), "I");
    EXPECT_TRUE(fs::exists(root_ / "home/Work/Inner"));
    send(*w, key("", "nner"));
    EXPECT_TRUE(send(*w, key("Enter")));
    EXPECT_FALSE(w->location_editing());
    EXPECT_EQ(w->location(), p("home/Work/Inner"));
    EXPECT_EQ(w->back_stack().back(), p("home/Work"));

    // Escape ends an edit without moving; so does a press on the sidebar.
    send(*w, key("", "L", vesk_ui::mods::super));
    EXPECT_TRUE(w->location_editing());
    send(*w, key("Escape"));
    EXPECT_FALSE(w->location_editing());
    EXPECT_EQ(w->location(), p("home/Work/Inner"));
    send(*w, key("", "l", vesk_ui::mods::control));
    send(*w, pointer(vesk_ui::PointerKind::Down, {100, 600}));
    EXPECT_FALSE(w->location_editing());
}

TEST_F(ChromeTest, ToolbarFollowsHistoryAndTabWalksTheSidebar) {
    auto w = make(p("home"));
    auto control_enabled = [&](const char* label) {
        auto node = w->toolbar()->accessibility();
        for (const auto& c : node->children)
            if (c.label == label) return !(c.flags & vesk_ui::access_flags::disabled);
        ADD_FAILURE() << label;
        return false;
    };
    EXPECT_FALSE(control_enabled("Back"));
    send(*w, pointer(vesk_ui::PointerKind::Down, w->sidebar_row_centre(1)));  // Documents, on release
    send(*w, pointer(vesk_ui::PointerKind::Up, w->sidebar_row_centre(1)));
    EXPECT_EQ(w->location(), p("home/Documents"));
    EXPECT_TRUE(control_enabled("Back"));

    // The press gave the sidebar the keyboard: Up and Enter open Home.
    send(*w, key("ArrowUp"));
    send(*w, key("Enter"));
    EXPECT_EQ(w->location(), p("home"));
    // Tab goes on to the breadcrumbs, then to the files.
    send(*w, key("Tab"));
    EXPECT_TRUE(w->toolbar()->path_bar().crumbs().focused());
    EXPECT_FALSE(w->sidebar()->focused());
    send(*w, key("Tab"));
    EXPECT_FALSE(w->toolbar()->path_bar().crumbs().focused());
    send(*w, key("Tab", "", vesk_ui::mods::shift));
    send(*w, key("Enter"));  // Enter on the current folder's crumb: edit it
    EXPECT_TRUE(w->location_editing());
}

TEST_F(ChromeTest, NarrowWindowsSlideTheSidebarOverTheFiles) {
    auto w = make(p("home"));
    w->apply_layout({0, 0, 700, 500});
    EXPECT_TRUE(w->nav_shell()->overlay());
    EXPECT_FALSE(w->nav_shell()->sidebar_shown());
    EXPECT_TRUE(w->toolbar()->compact());
    auto node = w->accessibility();
    for (const auto& child : node->children) EXPECT_NE(child.label, "Places");
    vesk_ui::EventContext ctx;
    EXPECT_TRUE(w->handle_event(key("F9"), ctx));  // slides it out
    EXPECT_TRUE(w->needs_animation_frame());
    w->nav_shell()->snap_open(false);  // as it stands once the slide ends
    w->apply_layout({0, 0, 700, 500});
    EXPECT_TRUE(w->nav_shell()->sidebar_shown());
    EXPECT_EQ(w->sidebar()->bounds().width(), 232);
    EXPECT_EQ(w->toolbar()->bounds().width(), 700);  // the files keep the whole width
}

}  // namespace
