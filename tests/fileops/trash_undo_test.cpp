#include <gtest/gtest.h>

#include <functional>

#include "fileops/trash_commands.h"
#include "fileops/trash_ops.h"
#include "i18n/i18n.h"
#include "trash_test_support.h"

using namespace file_explorer;
using namespace file_explorer::fileops;

using namespace trash_test;

namespace {

std::string counted(const char* id, int count) { return i18n::tr_args(id, i18n::Args().number("count", count)); }

std::string with_error(const char* id, const std::string& error) {
    return i18n::tr_args(id, i18n::Args().text("error", error));
}

TEST(TrashUndo, RecordFromSnapshots) {
    using Snapshot = std::optional<std::vector<std::string>>;
    struct Case {
        Snapshot before;
        Snapshot after;
        std::size_t trashed;
        std::optional<TrashUndoRecord> record;
    };
    const Snapshot before = std::vector<std::string>{"/T/a", "/T/c"};
    const Case cases[] = {
        {before, std::vector<std::string>{"/T/a", "/T/b", "/T/c", "/T/d"}, 2, TrashUndoRecord{{"/T/b", "/T/d"}}},
        {std::vector<std::string>{}, std::vector<std::string>{"/T/a"}, 1, TrashUndoRecord{{"/T/a"}}},
        // Another program trashed something meanwhile, or an item went elsewhere.
        {before, std::vector<std::string>{"/T/a", "/T/b", "/T/c", "/T/d"}, 1, std::nullopt},
        {before, std::vector<std::string>{"/T/a", "/T/c"}, 1, std::nullopt},
        {std::nullopt, std::vector<std::string>{"/T/a"}, 1, std::nullopt},
        {before, std::nullopt, 1, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(undo_record_from(c.before, c.after, c.trashed), c.record);
}

// One Move to Trash of three files, something done to the Trash, then Undo.
TEST(TrashUndo, UndoRules) {
    struct Row {
        const char* name;
        std::function<void(const std::vector<std::string>& record, std::optional<TrashUndoRecord>& undo,
                           const ScratchDir& dir)>
            meanwhile;
        std::string status;
        bool restores_all;
    };
    const Row rows[] = {
        {"record exact", [](auto&, auto&, auto&) {}, counted("files-undo-trash-restored", 3), true},
        {"emptied by the user",
         [](auto&, auto& undo, auto&) { confirm_empty_trash(undo); },
         i18n::tr("files-undo-trash-unavailable"), false},
        {"one entry permanently deleted",
         [](auto& record, auto& undo, auto&) { delete_permanently({record[1]}, undo); },
         i18n::tr("files-undo-trash-unavailable"), false},
        {"one entry purged by another program",
         [](auto& record, auto&, auto&) {
             std::string name(record[1].substr(record[1].rfind('/') + 1));
             std::filesystem::remove(record[1]);
             std::filesystem::remove(record[1].substr(0, record[1].rfind("/files/")) + "/info/" + name + ".trashinfo");
         },
         i18n::tr("files-undo-trash-unavailable"), false},
        {"one record removed by another program",
         [](auto& record, auto&, auto&) {
             std::string name(record[0].substr(record[0].rfind('/') + 1));
             std::filesystem::remove(record[0].substr(0, record[0].rfind("/files/")) + "/info/" + name + ".trashinfo");
         },
         i18n::tr("files-undo-trash-unavailable"), false},
        {"Trash folder gone",
         [](auto&, auto&, auto& dir) { std::filesystem::remove_all(dir / "data/Trash"); },
         i18n::tr("files-undo-trash-unavailable"), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScratchDir dir;
        DataHome data_home(dir / "data");
        std::vector<std::string> paths = {dir.file("one.txt", 1), dir.file("two.txt", 2), dir.file("three.txt", 3)};
        std::optional<TrashUndoRecord> undo;
        auto moved = trash_selection(paths, undo);
        ASSERT_TRUE(moved);
        EXPECT_EQ(*moved, (TrashCommandResult{counted("files-moved-to-trash", 3), true}));
        ASSERT_TRUE(undo);
        std::string files = *trash_files_folder();
        EXPECT_EQ(undo->paths, (std::vector<std::string>{files + "/one.txt", files + "/three.txt", files + "/two.txt"}));

        std::vector<std::string> record = undo->paths;
        row.meanwhile(record, undo, dir);
        TrashCommandResult result = undo_move_to_trash(undo);
        EXPECT_EQ(result.status, row.status);
        EXPECT_FALSE(undo);
        for (const std::string& path : paths) EXPECT_EQ(exists_no_follow(path), row.restores_all) << path;
        // Nothing is restored piecemeal: what was still in the Trash stays there.
        if (!row.restores_all) {
            for (const std::string& path : record) {
                std::string original = dir / path.substr(path.rfind('/') + 1);
                EXPECT_FALSE(exists_no_follow(path) && exists_no_follow(original)) << path;
            }
        }
    }
}

TEST(TrashUndo, ItemsOnAnotherFileSystemLeaveNoRecord) {
    ScratchDir dir;
    DataHome data_home(dir / "data");
    SecondFileSystem volume(dir / "vol");
    if (!volume.ok()) GTEST_SKIP() << volume.error();
    std::string item = volume.path() + "/far.txt";
    write_file(item, "far");
    std::optional<TrashUndoRecord> undo = TrashUndoRecord{{"/earlier"}};
    auto moved = trash_selection({item}, undo);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->status, counted("files-moved-to-trash", 1));
    EXPECT_FALSE(undo);
    EXPECT_EQ(undo_move_to_trash(undo).status, i18n::tr("files-undo-trash-unavailable"));
    EXPECT_FALSE(exists_no_follow(item));
}

TEST(TrashUndo, AFailedUndoKeepsTheRecordForAnotherTry) {
    ScratchDir dir;
    DataHome data_home(dir / "data");
    std::string item = dir.file("a.txt", 1);
    std::optional<TrashUndoRecord> undo;
    ASSERT_TRUE(trash_selection({item}, undo));
    write_file(item, "new a");
    TrashCommandResult failed = undo_move_to_trash(undo);
    EXPECT_EQ(failed.status, with_error("files-undo-trash-failed",
                                        "failed to restore from trash: " + item + ": an item with that name already exists"));
    ASSERT_TRUE(undo);
    EXPECT_EQ(read_file(item), "new a");

    std::filesystem::remove(item);
    EXPECT_EQ(undo_move_to_trash(undo).status, counted("files-undo-trash-restored", 1));
    EXPECT_EQ(read_file(item), "x");
}

TEST(TrashCommands, RestorePurgeAndEmptyReportTheirCounts) {
    ScratchDir dir;
    DataHome data_home(dir / "data");
    std::optional<TrashUndoRecord> undo;
    EXPECT_EQ(trash_selection({}, undo), std::nullopt);
    EXPECT_EQ(confirm_empty_trash(undo), (TrashCommandResult{i18n::tr("files-trash-already-empty"), true}));

    std::vector<std::string> paths = {dir.file("a", 1), dir.file("b", 2), dir.file("c", 3), dir.file("d", 4)};
    ASSERT_TRUE(trash_selection(paths, undo));
    std::string files = *trash_files_folder();
    EXPECT_TRUE(is_trash_files_folder(files + "/"));
    EXPECT_FALSE(is_trash_files_folder(dir.path()));

    auto restored = restore_selection({files + "/a", files + "/b"}, undo);
    EXPECT_EQ(restored, (TrashCommandResult{counted("files-restored", 2), true}));
    EXPECT_FALSE(undo);
    EXPECT_EQ(read_file(paths[1]), "xx");

    write_file(paths[2], "occupied");
    auto collided = restore_selection({files + "/c"}, undo);
    ASSERT_TRUE(collided);
    EXPECT_EQ(collided->status, with_error("files-restore-failed", "failed to restore from trash: " + paths[2] +
                                                                       ": an item with that name already exists"));
    EXPECT_EQ(read_file(paths[2]), "occupied");
    EXPECT_EQ(read_file(files + "/c"), "xxx");

    EXPECT_EQ(delete_permanently({files + "/c"}, undo), (TrashCommandResult{counted("files-permanently-deleted", 1), true}));
    EXPECT_EQ(confirm_empty_trash(undo), (TrashCommandResult{counted("files-emptied-trash", 1), true}));
    EXPECT_TRUE(folder_names(files).empty());
    EXPECT_EQ(read_file(paths[2]), "occupied");
}

TEST(TrashCommands, MoveFailureShowsTheFacilitysMessageAndKeepsTheRecord) {
    ScratchDir dir;
    DataHome data_home(dir / "data");
    std::optional<TrashUndoRecord> undo = TrashUndoRecord{{"/kept"}};
    auto moved = trash_selection({dir / "missing"}, undo);
    ASSERT_TRUE(moved);
    auto direct = move_to_trash({dir / "missing"});
    ASSERT_FALSE(direct);
    EXPECT_EQ(moved->status, with_error("files-delete-failed", direct.error()));
    EXPECT_TRUE(direct.error().starts_with("failed to move to trash: "));
    EXPECT_EQ(undo, (TrashUndoRecord{{"/kept"}}));
}

}  // namespace
