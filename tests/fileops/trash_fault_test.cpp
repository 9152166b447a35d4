#include <gtest/gtest.h>

#include "fileops/trash.h"
#include "fileops/trash_sys.h"
#include "trash_test_support.h"

using namespace file_explorer::fileops;
using trash_sys::Step;

using namespace trash_test;

namespace {

// Fails the first `step` with EIO (or `err`), counting how often it came up.
struct FailOnce {
    Step step;
    int err = EIO;
    int seen = 0;
    trash_sys::FaultHook hook() {
        return [this](Step s) {
            if (s != step) return 0;
            return ++seen == 1 ? err : 0;
        };
    }
};

std::string step_name(Step step) {
    switch (step) {
        case Step::make_folder: return "make_folder";
        case Step::create_info: return "create_info";
        case Step::write_info: return "write_info";
        case Step::close_info: return "close_info";
        case Step::move_item: return "move_item";
        case Step::remove_info: return "remove_info";
        case Step::remove_data: return "remove_data";
        case Step::write_sizes: return "write_sizes";
        case Step::replace_sizes: return "replace_sizes";
    }
    return "?";
}

TEST(TrashFaults, AFailedMoveLeavesTheItemWhereItWasOrWhollyInTheTrash) {
    struct Row {
        Step step;
        bool folder;
        bool lands_in_trash;
    };
    const Row rows[] = {
        {Step::make_folder, false, false}, {Step::create_info, false, false}, {Step::write_info, false, false},
        {Step::close_info, false, false},  {Step::move_item, false, false},   {Step::move_item, true, false},
        {Step::write_sizes, true, true},   {Step::replace_sizes, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(step_name(row.step) + (row.folder ? " (folder)" : " (file)"));
        ScratchDir dir;
        DataHome data_home(dir / "data");
        Trash trash(dir / "data", getuid());
        std::string item = dir / "item";
        if (row.folder) {
            dir.folder("item");
            write_file(item + "/inside", "kept");
        } else {
            write_file(item, "kept");
        }
        FailOnce fault{row.step};
        trash_sys::ScopedFault scoped(fault.hook());
        auto moved = trash.move_to_trash({item});
        ASSERT_GE(fault.seen, 1) << "the step never ran";

        std::string files = dir / "data/Trash/files";
        std::string info = dir / "data/Trash/info";
        if (row.lands_in_trash) {
            ASSERT_TRUE(moved) << moved.error().describe();
            EXPECT_FALSE(exists_no_follow(item));
            EXPECT_EQ(read_file(files + "/item/inside"), "kept");
            EXPECT_EQ(folder_names(info), std::vector<std::string>{"item.trashinfo"});
            // No half-written cache is left next to the real one.
            EXPECT_EQ(folder_names(dir / "data/Trash"), (std::vector<std::string>{"files", "info"}));
        } else {
            ASSERT_FALSE(moved);
            EXPECT_EQ(moved.error().operation, TrashOperation::move);
            EXPECT_EQ(read_file(row.folder ? item + "/inside" : item), "kept");
            EXPECT_TRUE(folder_names(files).empty());
            EXPECT_TRUE(folder_names(info).empty());
        }
    }
}

TEST(TrashFaults, ANameTakenDuringTheMoveMovesOnToTheNextName) {
    ScratchDir dir;
    DataHome data_home(dir / "data");
    Trash trash(dir / "data", getuid());
    std::string item = dir.file("a.txt", 3);
    FailOnce fault{Step::move_item, EEXIST};
    trash_sys::ScopedFault scoped(fault.hook());
    auto moved = trash.move_to_trash({item});
    ASSERT_TRUE(moved) << moved.error().describe();
    EXPECT_EQ(moved->at(0), dir / "data/Trash/files/a 2.txt");
    EXPECT_EQ(folder_names(dir / "data/Trash/info"), std::vector<std::string>{"a 2.txt.trashinfo"});
}

TEST(TrashFaults, FailedRestoresAndPurgesTouchNothingElse) {
    struct Row {
        bool purge;
        Step step;
        bool succeeds;
    };
    const Row rows[] = {
        {false, Step::move_item, false},
        {false, Step::make_folder, false},
        // The item is back; only its record could not be removed.
        {false, Step::remove_info, true},
        {true, Step::remove_data, false},
        {true, Step::remove_info, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE((row.purge ? "purge " : "restore ") + step_name(row.step));
        ScratchDir dir;
        DataHome data_home(dir / "data");
        Trash trash(dir / "data", getuid());
        dir.folder("gone");
        std::string first = dir.file("gone/first", 1);
        std::string second = dir.file("second", 2);
        ASSERT_TRUE(trash.move_to_trash({first, second}));
        // Restoring "first" needs its folder made again.
        std::filesystem::remove(dir / "gone");
        auto items = trash.list();
        ASSERT_TRUE(items);
        ASSERT_EQ(items->at(0).name, "first");

        FailOnce fault{row.step};
        trash_sys::ScopedFault scoped(fault.hook());
        auto done = row.purge ? trash.purge(*items) : trash.restore(*items);
        ASSERT_GE(fault.seen, 1) << "the step never ran";
        std::vector<std::string> infos = folder_names(dir / "data/Trash/info");
        if (row.succeeds) {
            ASSERT_TRUE(done) << done.error().describe();
            EXPECT_EQ(read_file(first), "x");
            EXPECT_EQ(read_file(second), "xx");
            continue;
        }
        ASSERT_FALSE(done);
        EXPECT_EQ(done.error().operation, row.purge ? TrashOperation::purge : TrashOperation::restore);
        // The failing item keeps its record; the one after it is untouched.
        EXPECT_EQ(infos, (std::vector<std::string>{"first.trashinfo", "second.trashinfo"}));
        EXPECT_EQ(read_file(dir / "data/Trash/files/second"), "xx");
        EXPECT_FALSE(exists_no_follow(second));
        if (!row.purge) {
            EXPECT_EQ(read_file(dir / "data/Trash/files/first"), "x");
        }
    }
}

}  // namespace
