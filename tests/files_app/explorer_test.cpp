#include "files_app/explorer_widget.h"
#include "files_app/drag_card.h"
#include "files_app/item_keys.h"
#include "files_app/refresh_interval.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "command/local_key.h"
#include "i18n/i18n.h"

namespace fs = std::filesystem;
using file_explorer::command::Command;
using file_explorer::command::Kind;
using file_explorer::files_app::ExplorerConfig;
using file_explorer::files_app::FileExplorerWidget;

namespace {

class ExplorerTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("explorer-test-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        for (const char* d : {"A", "B", "C", "D", "config"}) fs::create_directories(root_ / d);
        for (const char* f : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) std::ofstream(root_ / "A" / f) << f;
    }
    void TearDown() override { fs::remove_all(root_); }

    std::unique_ptr<FileExplorerWidget> make(const std::string& start) {
        ExplorerConfig config;
        config.config_dir = (root_ / "config").string();
        config.home = root_.string();
        config.fixed_workspace_roots = std::vector<std::string>{};
        return std::make_unique<FileExplorerWidget>(std::move(config), start);
    }
    std::string p(const char* name) const { return (root_ / name).string(); }

    fs::path root_;
};

}  // namespace

TEST_F(ExplorerTest, HistoryFollowsNavigateBackAndForward) {
    auto w = make(p("A"));
    w->navigate(p("B"));
    w->navigate(p("C"));
    w->go_back();
    w->go_back();
    EXPECT_EQ(w->location(), p("A"));
    EXPECT_EQ(w->forward_stack(), (std::vector<std::string>{p("C"), p("B")}));
    w->navigate(p("D"));
    EXPECT_TRUE(w->forward_stack().empty());
    w->go_back();
    EXPECT_EQ(w->location(), p("A"));

    // The folder already shown reloads without touching history.
    const auto back = w->back_stack();
    w->navigate(p("A"));
    EXPECT_EQ(w->back_stack(), back);

    // Empty stacks change nothing.
    auto fresh = make(p("A"));
    fresh->go_back();
    fresh->go_forward();
    EXPECT_EQ(fresh->location(), p("A"));
}

TEST_F(ExplorerTest, UpStopsAtRootAndFailedLoadsStillMove) {
    auto w = make("/");
    w->go_up();
    EXPECT_EQ(w->location(), "/");
    w->navigate(p("missing"));
    EXPECT_EQ(w->location(), p("missing"));
    ASSERT_TRUE(w->load_error());
    EXPECT_TRUE(w->entries().empty());
    EXPECT_EQ(w->back_stack().back(), "/");
}

TEST_F(ExplorerTest, ZoomStepsClampAndPersist) {
    auto w = make(p("A"));
    for (int i = 0; i < 10; ++i) w->execute(Command::simple(Kind::ZoomIn));
    EXPECT_EQ(w->zoom_step(), 6);
    std::ifstream in(root_ / "config" / "zoom");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "6");
    auto again = make(p("A"));
    EXPECT_EQ(again->zoom_step(), 6);
}

TEST_F(ExplorerTest, ClicksSelectAndRightClickKeepsASelectedGroup) {
    auto w = make(p("A"));
    ASSERT_EQ(w->entries().size(), 5u);
    w->execute(Command::item_clicked(0, false, false));
    w->execute(Command::item_clicked(2, false, true));  // Shift extends
    EXPECT_EQ(w->selection().selected(), (std::vector<std::size_t>{0, 1, 2}));
    w->execute(Command::context_menu_requested(1));  // selected: keeps the group
    EXPECT_EQ(w->selection().selected().size(), 3u);
    w->execute(Command::context_menu_requested(4));  // unselected: only it
    EXPECT_EQ(w->selection().selected(), (std::vector<std::size_t>{4}));
    w->execute(Command::context_menu_requested(std::nullopt));
    EXPECT_TRUE(w->selection().empty());
    // Indices past the end are ignored.
    EXPECT_FALSE(w->execute(Command::item_clicked(99, false, false)));
}

TEST_F(ExplorerTest, ResortKeepsTheSameItemsSelected) {
    auto w = make(p("A"));
    w->execute(Command::item_clicked(0, false, false));  // a.txt
    w->execute(Command::set_sort_direction(1));
    ASSERT_EQ(w->selection().selected().size(), 1u);
    EXPECT_EQ(w->entries()[w->selection().selected().front()].name, "a.txt");
}

TEST_F(ExplorerTest, RenameCommitsTrimsAndIgnoresUnchangedNames) {
    auto w = make(p("A"));
    w->selection().select_only(0);
    w->start_rename();
    ASSERT_EQ(w->rename_target(), 0u);
    vesk_ui::EventContext ctx;
    vesk_ui::Event select_all{vesk_ui::KeyEvent{"", "a", vesk_ui::mods::control}};
    // Only white space: the rename ends without a message or a change.
    w->handle_event(select_all, ctx);
    w->handle_event(vesk_ui::Event{vesk_ui::TextInputEvent{"   ", ""}}, ctx);
    w->handle_event(vesk_ui::Event{vesk_ui::KeyEvent{"Enter", "", 0}}, ctx);
    EXPECT_FALSE(w->rename_target());
    EXPECT_FALSE(w->status_message());
    EXPECT_TRUE(fs::exists(root_ / "A" / "a.txt"));

    w->selection().select_only(0);
    w->start_rename();
    w->handle_event(select_all, ctx);
    w->handle_event(vesk_ui::Event{vesk_ui::TextInputEvent{"  z.txt ", ""}}, ctx);
    w->handle_event(vesk_ui::Event{vesk_ui::KeyEvent{"Enter", "", 0}}, ctx);
    EXPECT_FALSE(w->rename_target());
    EXPECT_TRUE(fs::exists(root_ / "A" / "z.txt"));
    EXPECT_FALSE(fs::exists(root_ / "A" / "a.txt"));
    EXPECT_EQ(w->status_message(), file_explorer::i18n::tr("files-renamed"));
}

TEST_F(ExplorerTest, FailedRenameKeepsTheEditorOpen) {
    auto w = make(p("A"));
    w->selection().select_only(0);
    w->start_rename();
    vesk_ui::EventContext ctx;
    w->handle_event(vesk_ui::Event{vesk_ui::KeyEvent{"", "a", vesk_ui::mods::control}}, ctx);
    w->handle_event(vesk_ui::Event{vesk_ui::TextInputEvent{"b.txt", ""}}, ctx);
    w->handle_event(vesk_ui::Event{vesk_ui::KeyEvent{"Enter", "", 0}}, ctx);
    EXPECT_EQ(w->rename_target(), 0u);
    ASSERT_TRUE(w->status_message());
    EXPECT_NE(w->status_message()->find("b.txt"), std::string::npos);
    EXPECT_TRUE(fs::exists(root_ / "A" / "a.txt"));
}

TEST_F(ExplorerTest, StatusTextIsCutAt512Characters) {
    auto w = make(p("A"));
    std::string long_text;
    for (int i = 0; i < 600; ++i) long_text += "é";
    w->set_status(long_text);
    ASSERT_TRUE(w->status_message());
    EXPECT_EQ(w->status_message()->size(), 512u * 2);
}

TEST_F(ExplorerTest, KeyboardMovesTheCursorWithinBounds) {
    auto w = make(p("A"));
    auto key = [&](const char* name, std::uint32_t mods = 0) {
        vesk_ui::EventContext ctx;
        w->handle_event(vesk_ui::Event{vesk_ui::KeyEvent{name, "", mods}}, ctx);
    };
    key("ArrowUp");
    EXPECT_EQ(w->selection().primary(), 0u);
    key("End");
    key("ArrowDown");
    EXPECT_EQ(w->selection().primary(), 4u);
    key("ArrowUp", vesk_ui::mods::shift);
    EXPECT_EQ(w->selection().selected(), (std::vector<std::size_t>{3, 4}));
    key("Escape");
    EXPECT_TRUE(w->selection().empty());
}

TEST_F(ExplorerTest, SnapshotReportsStateAndSelection) {
    auto w = make(p("A"));
    auto before = nlohmann::json::parse(w->automation_snapshot());
    EXPECT_EQ(before["app"], "ex.vesk.file-explorer");
    EXPECT_EQ(before["entry_count"], 5);
    EXPECT_FALSE(before["ready"]);  // no layout yet
    EXPECT_TRUE(before["viewport_rect"].is_null());
    EXPECT_TRUE(before["primary_index"].is_null());
    EXPECT_TRUE(before["selected_names"].empty());

    w->build_layout();
    w->apply_layout({0, 0, 800, 600});
    w->execute(Command::item_clicked(1, false, false));
    auto after = nlohmann::json::parse(w->automation_snapshot());
    EXPECT_TRUE(after["ready"]);
    EXPECT_EQ(after["selected_names"], nlohmann::json::array({"b.txt"}));
    EXPECT_EQ(after["primary_index"], 1);
    EXPECT_EQ(after["view_mode"], "List");
    EXPECT_EQ(after["sort_by"], "Name");
    EXPECT_EQ(after["order_hash"].get<std::string>().size(), 64u);
}

TEST_F(ExplorerTest, ErrorStateOffersTryAgain) {
    auto w = make(p("missing"));
    w->build_layout();
    w->apply_layout({0, 0, 800, 600});
    auto node = w->accessibility();
    ASSERT_TRUE(node);
    EXPECT_TRUE(node->flags & vesk_ui::access_flags::error);
    ASSERT_FALSE(node->children.empty());
    const auto& state = node->children.back();  // after the toolbar
    ASSERT_EQ(state.children.size(), 1u);
    EXPECT_EQ(state.children[0].id, "files-retry-folder");
    fs::create_directories(root_ / "missing");
    EXPECT_TRUE(w->perform_semantic_action("files-retry-folder", vesk_ui::SemanticAction::Default));
    EXPECT_FALSE(w->load_error());
}

TEST_F(ExplorerTest, ArchiveLocationsRefuseWrites) {
    std::ofstream(root_ / "A" / "bundle.zip") << "not really a zip";
    auto w = make((root_ / "A" / "bundle.zip").string());
    w->execute(Command::simple(Kind::Copy));
    EXPECT_EQ(w->status_message(), file_explorer::i18n::tr("files-archive-read-only"));
}

TEST(RefreshInterval, GrowsWithTheFolder) {
    using file_explorer::files_app::refresh_interval;
    const std::pair<std::size_t, int> cases[] = {{0, 750},     {511, 750},    {512, 3000}, {4095, 3000},
                                                 {4096, 12000}, {19999, 12000}, {20000, 30000}};
    for (auto [n, ms] : cases) EXPECT_EQ(refresh_interval(n).count(), ms) << n;
}

TEST_F(ExplorerTest, SilentRefreshMergesAndKeepsTheSelection) {
    auto w = make(p("A"));
    w->execute(Command::item_clicked(2, false, false));  // c.txt
    EXPECT_FALSE(w->silent_refresh());                    // nothing changed

    std::ofstream(root_ / "A" / "0-new.txt") << "new";
    ASSERT_TRUE(w->silent_refresh());
    ASSERT_EQ(w->entries().size(), 6u);
    EXPECT_EQ(w->entries()[0].name, "0-new.txt");
    ASSERT_EQ(w->selection().selected().size(), 1u);
    EXPECT_EQ(w->entries()[w->selection().selected().front()].name, "c.txt");
    EXPECT_EQ(w->selection().primary(), w->selection().selected().front());

    // A selected item renamed outside the program leaves the selection.
    fs::rename(root_ / "A" / "c.txt", root_ / "A" / "cc.txt");
    ASSERT_TRUE(w->silent_refresh());
    EXPECT_TRUE(w->selection().empty());

    // A vanished folder keeps what is shown until the next explicit load.
    fs::remove_all(root_ / "A");
    EXPECT_FALSE(w->silent_refresh());
    EXPECT_EQ(w->entries().size(), 6u);
    EXPECT_FALSE(w->load_error());
}

// Entries with a record id keep their selection under a new name; entries
// without one are known by their path only.
TEST(CarrySelection, RecordIdsElsePaths) {
    using file_explorer::model::FileEntry;
    auto entry = [](const char* path, std::optional<std::uint8_t> record = std::nullopt) {
        FileEntry e;
        e.path = path;
        e.name = path;
        if (record) e.collab.edit().record_id = file_explorer::model::RecordId{*record};
        return e;
    };
    const std::vector<FileEntry> before = {entry("/w/a"), entry("/w/b", 7), entry("/w/c")};
    struct Case {
        std::vector<FileEntry> after;
        std::vector<std::size_t> selected;
        std::optional<std::size_t> cursor;
        const char* what;
    };
    const Case cases[] = {
        {{entry("/w/0"), entry("/w/a"), entry("/w/b", 7), entry("/w/c")}, {1, 2, 3}, 3, "new item before all"},
        {{entry("/w/a"), entry("/w/renamed", 7), entry("/w/c")}, {0, 1, 2}, 2, "record id follows a rename"},
        {{entry("/w/a"), entry("/w/b"), entry("/w/c2")}, {0}, std::nullopt, "path keys drop renamed items"},
        {{entry("/w/a"), entry("/w/b", 8), entry("/w/c")}, {0, 2}, 2, "another record id is another item"},
    };
    for (const auto& c : cases) {
        const auto carried = file_explorer::files_app::carry_selection(before, {0, 1, 2, 9}, 2, c.after);
        EXPECT_EQ(carried.selected, c.selected) << c.what;
        EXPECT_EQ(carried.cursor, c.cursor) << c.what;
    }
}

TEST_F(ExplorerTest, PressAndMoveBeyondSixUnitsStartsADrag) {
    auto w = make(p("A"));
    auto move = [&](float x, float y) {
        vesk_ui::EventContext ctx;
        vesk_ui::PointerEvent e;
        e.kind = vesk_ui::PointerKind::Move;
        e.physical = {x, y};
        w->handle_event(vesk_ui::Event{e}, ctx);
    };
    const std::string a = p("A") + "/a.txt";
    w->execute(Command::item_pressed(a, 100, 100, false));
    move(105, 100);
    EXPECT_TRUE(w->dragged_paths().empty());  // 5 units: still a click
    move(107, 100);
    EXPECT_EQ(w->dragged_paths(), std::vector<std::string>{a});

    // Pressing one of three selected items drags all three.
    auto v = make(p("A"));
    v->execute(Command::item_clicked(0, false, false));
    v->execute(Command::item_clicked(2, false, true));
    v->execute(Command::item_clicked(1, false, false));
    v->execute(Command::item_pressed(p("A") + "/b.txt", 10, 10, false));
    v->execute(Command::start_drag(p("A") + "/b.txt", false));
    EXPECT_EQ(v->dragged_paths().size(), 3u);

    EXPECT_EQ(file_explorer::files_app::drag_card_text({"/x/a", "/x/b", "/x/c"}),
              file_explorer::i18n::tr_args("files-drag-items", file_explorer::i18n::Args().number("count", 3)));
}

TEST_F(ExplorerTest, InvocationAnswers) {
    using vesk_actions::Invocation;
    using vesk_actions::InvokeOutcome;
    using vesk_actions::OperationClass;
    auto w = make(p("A"));
    const std::string folder = file_explorer::command::folder_resource_id(p("A"));
    const std::string entry_a = file_explorer::command::entry_resource_id(p("A") + "/a.txt");
    const std::string gone = file_explorer::command::entry_resource_id(p("A") + "/gone.txt");
    struct Case {
        OperationClass cls;
        const char* action;
        const char* payload;
        std::string resource;
        InvokeOutcome::Kind kind;
        const char* failure;
    };
    const Case cases[] = {
        {OperationClass::Effect, "files.folder-command", "\"up\"", folder, InvokeOutcome::Kind::Failure,
         "file command has an invalid operation kind"},
        {OperationClass::View, "files.folder-command", "\"grid\"", folder, InvokeOutcome::Kind::Success, ""},
        {OperationClass::View, "files.entry-command", "\"copy\"", entry_a, InvokeOutcome::Kind::Failure,
         "file command has an invalid operation kind"},
        {OperationClass::Effect, "files.entry-command", "\"copy\"", gone, InvokeOutcome::Kind::Failure,
         "file entry is no longer visible"},
        {OperationClass::Effect, "files.entry-command", "\"fly\"", entry_a, InvokeOutcome::Kind::Failure,
         "missing file command"},
        {OperationClass::Effect, "files.entry-command", "\"copy\"", folder, InvokeOutcome::Kind::Failure,
         "missing file resource"},
        {OperationClass::Effect, "files.rename", "null", entry_a, InvokeOutcome::Kind::Failure, "missing new file name"},
        {OperationClass::View, "files.open", "\"/no/such/path\"", folder, InvokeOutcome::Kind::Failure,
         "file location is no longer available"},
        {OperationClass::Effect, "files.unknown", "null", folder, InvokeOutcome::Kind::NotHandled, ""},
        {OperationClass::View, "files.folder-command", "\"terminal\"", folder, InvokeOutcome::Kind::Failure,
         "file command has an invalid operation kind"},
    };
    for (const auto& c : cases) {
        Invocation inv;
        inv.operation_class = c.cls;
        inv.action = c.action;
        inv.payload_json = c.payload;
        inv.resource_id = c.resource;
        const auto outcome = w->invoke_resource_operation_v2(inv);
        EXPECT_EQ(outcome.kind, c.kind) << c.action << " " << c.payload;
        EXPECT_EQ(outcome.failure, c.failure) << c.action << " " << c.payload;
    }
    EXPECT_EQ(w->view_mode(), file_explorer::model::ViewMode::Grid);
    EXPECT_EQ(w->location(), p("A"));  // "up" with the wrong class did not move

    // A terminal that cannot start is a failure with the system's reason.
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", p("config").c_str(), 1);
    Invocation terminal;
    terminal.operation_class = OperationClass::Effect;
    terminal.action = "files.folder-command";
    terminal.payload_json = "\"terminal\"";
    const auto started = w->invoke_resource_operation_v2(terminal);
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(started.failure, "could not open terminal: No such file or directory");

    // Folder resource: published with its identifier and operations.
    auto folder_resource = w->resource(folder);
    ASSERT_TRUE(folder_resource);
    EXPECT_EQ(folder_resource->kind, "files.folder");
    std::size_t places = 0;
    for (const auto& r : w->resources()) places += r.kind == "files.place";
    EXPECT_EQ(w->resources().size(), 1u + places + w->entries().size());
}

TEST_F(ExplorerTest, PasteAndNewFolderThroughTheActionDoor) {
    using vesk_actions::Invocation;
    using vesk_actions::OperationClass;
    auto w = make(p("B"));
    Invocation paste;
    paste.operation_class = OperationClass::Effect;
    paste.action = "files.paste";
    EXPECT_EQ(w->invoke_resource_operation_v2(paste).failure, "The clipboard is empty");

    Invocation folder;
    folder.operation_class = OperationClass::Effect;
    folder.action = "files.new-folder";
    folder.text_args["value"] = "   ";
    EXPECT_EQ(w->invoke_resource_operation_v2(folder).failure, file_explorer::i18n::tr("files-folder-name-empty"));
    folder.text_args["value"] = "Reports";
    EXPECT_EQ(w->invoke_resource_operation_v2(folder).kind, vesk_actions::InvokeOutcome::Kind::Success);
    EXPECT_TRUE(fs::is_directory(root_ / "B" / "Reports"));
    EXPECT_EQ(w->entries().size(), 1u);
}

TEST_F(ExplorerTest, ShortcutTable) {
    using vesk_ui::mods::control;
    using vesk_ui::mods::shift;
    using vesk_ui::mods::super;
    struct Case {
        const char* key;
        const char* text;
        std::uint32_t mods;
        std::function<bool(FileExplorerWidget&)> effect;
        const char* what;
    };
    const auto folder_count = [this] {
        return std::distance(fs::directory_iterator(root_ / "A"), fs::directory_iterator{});
    };
    const auto files_only = folder_count();
    const Case cases[] = {
        {"", "a", control, [](auto& w) { return w.selection().size() == 5; }, "Ctrl+A selects all"},
        {"", "h", control, [](auto& w) { return w.show_hidden(); }, "Ctrl+H shows hidden files"},
        {"", "=", control, [](auto& w) { return w.zoom_step() == 1; }, "Ctrl+= zooms in"},
        {"", "-", control, [](auto& w) { return w.zoom_step() == -1; }, "Ctrl+- zooms out"},
        {"", "N", control | shift, [&](auto&) { return folder_count() == files_only + 1; }, "Ctrl+Shift+N"},
        {"", "n", super | shift, [&](auto&) { return folder_count() == files_only + 1; }, "Super+Shift+N"},
        {"", "n", control, [&](auto&) { return folder_count() == files_only; }, "Ctrl+N does nothing"},
        {"Backspace", "", 0, [this](auto& w) { return w.location() == root_.string(); }, "Backspace goes up"},
        {"F2", "", 0, [](auto& w) { return !w.rename_target(); }, "F2 needs one selected item"},
    };
    for (const auto& c : cases) {
        fs::remove_all(root_ / "A" / "New Folder");
        fs::remove(root_ / "config" / "zoom");
        auto w = make(p("A"));
        vesk_ui::EventContext ctx;
        w->handle_event(vesk_ui::Event{vesk_ui::KeyEvent{c.key, c.text, c.mods}}, ctx);
        EXPECT_TRUE(c.effect(*w)) << "case: " << c.what;
    }

    // During an inline rename, Delete edits the name and trashes nothing.
    auto w = make(p("A"));
    w->selection().select_only(0);
    w->start_rename();
    vesk_ui::EventContext ctx;
    w->handle_event(vesk_ui::Event{vesk_ui::KeyEvent{"Delete", "", 0}}, ctx);
    EXPECT_TRUE(w->rename_target());
    EXPECT_TRUE(fs::exists(root_ / "A" / "a.txt"));
}
