// The Trash commands through the root widget, against a Trash inside a
// scratch XDG data folder.
#include "overlay_fixture.h"

namespace overlay_test {
namespace {

using file_explorer::command::Command;
using file_explorer::command::Kind;
namespace i18n = file_explorer::i18n;

std::string counted(const char* id, double count) { return i18n::tr_args(id, i18n::Args().number("count", count)); }

class TrashWidgetTest : public OverlayTest {
protected:
    std::size_t trash_count() const {
        if (!fs::exists(trash_files())) return 0;
        return std::size_t(std::distance(fs::directory_iterator(trash_files()), fs::directory_iterator()));
    }
    bool view_menu_offers_undo() {
        widget_->execute(Command::simple(Kind::ShowViewMenu));
        bool found = false;
        for (const auto& c : widget_->main_menu_commands()) found = found || (c && c->kind == Kind::UndoTrash);
        widget_->close_menus();
        return found;
    }
};

TEST_F(TrashWidgetTest, DeleteTrashesTheSelectionAndPrimaryZUndoesIt) {
    for (const char* f : {"a.txt", "b.txt", "c.txt", "keep.txt"}) write(work(f));
    auto& w = open(work());
    EXPECT_FALSE(view_menu_offers_undo());

    select({"a.txt", "b.txt", "c.txt"});
    send(key("Delete"));
    EXPECT_EQ(w.status_message(), counted("files-moved-to-trash", 3));
    EXPECT_EQ(w.entries().size(), 1u);
    ASSERT_TRUE(w.trash_undo());
    EXPECT_EQ(w.trash_undo()->paths.size(), 3u);
    EXPECT_EQ(trash_count(), 3u);
    EXPECT_TRUE(view_menu_offers_undo());

    send(key("", "z", vesk_ui::mods::control));
    EXPECT_EQ(w.status_message(), counted("files-undo-trash-restored", 3));
    EXPECT_FALSE(w.trash_undo());
    EXPECT_EQ(w.entries().size(), 4u);
    EXPECT_EQ(trash_count(), 0u);
    EXPECT_FALSE(view_menu_offers_undo());

    // Nothing left to undo.
    send(key("", "z", vesk_ui::mods::control));
    EXPECT_EQ(w.status_message(), i18n::tr("files-undo-trash-unavailable"));

    // The folder's "undo-trash" operation is the same undo, as an effect.
    select({"keep.txt"});
    send(key("Delete"));
    vesk_actions::Invocation undo;
    undo.action = "files.folder-command";
    undo.payload_json = "\"undo-trash\"";
    undo.operation_class = vesk_actions::OperationClass::View;
    EXPECT_EQ(w.invoke_resource_operation_v2(undo).failure, "file command has an invalid operation kind");
    undo.operation_class = vesk_actions::OperationClass::Effect;
    EXPECT_EQ(w.invoke_resource_operation_v2(undo).kind, vesk_actions::InvokeOutcome::Kind::Success);
    EXPECT_EQ(w.status_message(), counted("files-undo-trash-restored", 1));
    EXPECT_TRUE(fs::exists(work("keep.txt")));
}

TEST_F(TrashWidgetTest, UndoRefusesOnceTheTrashChanged) {
    struct Case {
        const char* name;
        Command change;  // run between the trash and the undo
    };
    const Case cases[] = {
        {"emptied", Command::simple(Kind::EmptyTrash)},
        {"one entry purged", Command::with_paths(Kind::DeletePermanently, {})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* f : {"a.txt", "b.txt"}) write(work(f));
        auto& w = open(work());
        select({"a.txt", "b.txt"});
        w.execute(Command::simple(Kind::MoveToTrash));
        ASSERT_TRUE(w.trash_undo());
        Command change = c.change;
        if (change.kind == Kind::DeletePermanently) change.paths = {w.trash_undo()->paths.front()};
        // Emptying and purging forget the record themselves; put it back to
        // see the undo find the Trash changed.
        const auto record = *w.trash_undo();
        w.execute(change);
        EXPECT_FALSE(w.trash_undo());
        w.set_trash_undo_for_scene(record);
        w.execute(Command::simple(Kind::UndoTrash));
        EXPECT_EQ(w.status_message(), i18n::tr("files-undo-trash-unavailable"));
        EXPECT_FALSE(w.trash_undo());
        EXPECT_FALSE(fs::exists(work("a.txt")));
        w.execute(Command::simple(Kind::EmptyTrash));
    }
}

TEST_F(TrashWidgetTest, InsideTheTrashDeleteAsksFirstAndRestoreNeverReplaces) {
    for (const char* f : {"a.txt", "b.txt"}) write(work(f), f);
    auto& w = open(work(), 900, 600);
    select({"a.txt", "b.txt"});
    w.execute(Command::simple(Kind::MoveToTrash));
    w.navigate(trash_files());
    layout(900, 600);
    ASSERT_EQ(w.entries().size(), 2u);

    // Delete opens the confirmation; a click beside the panel dismisses it.
    select({"a.txt"});
    send(key("Delete"));
    ASSERT_TRUE(w.sheet());
    ASSERT_TRUE(w.sheet()->action);
    EXPECT_EQ(w.sheet()->title, counted("files-permanent-delete-title", 1));
    EXPECT_EQ(trash_count(), 2u);
    click({4, 4});
    EXPECT_FALSE(w.sheet());
    EXPECT_EQ(trash_count(), 2u);

    // Restore onto an occupied path fails and keeps the item in the Trash.
    write(work("b.txt"), "new");
    select({"b.txt"});
    w.execute(Command::simple(Kind::Restore));
    EXPECT_TRUE(w.status_message()->starts_with(i18n::tr_args("files-restore-failed", i18n::Args().text("error", ""))));
    EXPECT_EQ(trash_count(), 2u);
    std::ifstream kept(work("b.txt"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "new");

    // Restoring a.txt works; confirming with Enter deletes b.txt for good.
    select({"a.txt"});
    w.execute(Command::simple(Kind::Restore));
    EXPECT_EQ(w.status_message(), counted("files-restored", 1));
    EXPECT_TRUE(fs::exists(work("a.txt")));
    select({"b.txt"});
    send(key("Delete"));
    send(key("Enter"));
    EXPECT_FALSE(w.sheet());
    EXPECT_EQ(w.status_message(), counted("files-permanently-deleted", 1));
    EXPECT_EQ(trash_count(), 0u);
}

TEST_F(TrashWidgetTest, EmptyTrashConfirmsAndAnEmptyListingSaysSo) {
    fs::create_directories(trash_files());
    auto& w = open(trash_files());
    w.execute(Command::simple(Kind::RequestEmptyTrash));
    EXPECT_FALSE(w.sheet());
    EXPECT_EQ(w.status_message(), i18n::tr("files-trash-already-empty"));

    for (const char* f : {"a.txt", "b.txt", "c.txt"}) write(work(f));
    w.navigate(work());
    select({"a.txt", "b.txt", "c.txt"});
    w.execute(Command::simple(Kind::MoveToTrash));
    w.navigate(trash_files());
    w.execute(Command::simple(Kind::RequestEmptyTrash));
    ASSERT_TRUE(w.sheet());
    EXPECT_EQ(w.sheet()->summary, counted("files-empty-trash-summary", 3));
    auto node = w.accessibility();
    ASSERT_TRUE(node);
    EXPECT_EQ(node->children.back().role, vesk_ui::Role::Button);
    EXPECT_EQ(node->children.back().description, i18n::tr("files-permanent-delete-loss"));

    send(key("Enter"));
    EXPECT_FALSE(w.sheet());
    EXPECT_EQ(w.status_message(), i18n::tr_args("files-emptied-trash", i18n::Args().number("count", 3)));
    EXPECT_TRUE(w.entries().empty());
}

}  // namespace
}  // namespace overlay_test
