// Items we trash must be listed, restored and emptied by trash-cli, and items
// trash-cli trashes must be listed, restored and purged by us.
#include <gtest/gtest.h>

#include <iostream>

#include "fileops/text.h"
#include "fileops/trash.h"
#include "fileops/trash_info.h"
#include "fileops/trash_ops.h"
#include "trash_test_support.h"

using namespace file_explorer::fileops;

using namespace trash_test;

namespace {

// Names every tool must carry through unchanged.
const std::vector<std::string> kNames = {"plain.txt", "with space.txt", "100% sure", "line\nbreak", "\xc3\xbcnic\xc3\xb6" "de"};

class TrashInterop : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"trash-put", "trash-list", "trash-restore", "trash-empty"})
            if (!has_program(tool)) GTEST_SKIP() << tool << " is not installed (scripts/deps.txt installs trash-cli)";
    }

    ProgramResult tool(const std::vector<std::string>& argv, const std::string& cwd, const std::string& input = {}) {
        return run_program(argv, cwd, data, input);
    }

    // The folders the tests trash from: one on the home trash's file system,
    // and one on a second file system when this machine lets us mount one.
    std::vector<std::string> roots() {
        std::vector<std::string> out = {dir.folder("home")};
        if (volume.ok()) {
            out.push_back(volume.path());
        } else {
            std::cerr << "per-mount cases left out: " << volume.error() << "\n";
        }
        return out;
    }

    std::vector<TrashItem> listed() {
        auto items = trash.list();
        EXPECT_TRUE(items) << items.error().describe();
        return items ? *items : std::vector<TrashItem>{};
    }

    ScratchDir dir;
    std::string data = dir / "data";
    DataHome data_home{data};
    Trash trash{data, getuid()};
    SecondFileSystem volume{dir / "vol"};
};

// trash-list prints "YYYY-MM-DD hh:mm:ss <original path>" per item.
std::string list_line(const std::string& date, const std::string& path) {
    std::string shown_date = date;
    if (shown_date.size() > 10) shown_date[10] = ' ';
    return shown_date + " " + path + "\n";
}

TEST_F(TrashInterop, WhatWeTrashTrashCliListsAndRestores) {
    for (const std::string& root : roots()) {
        SCOPED_TRACE(root);
        // One folder per item: trash-restore offers the items trashed from
        // its working folder, so each run sees exactly one.
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            std::string folder = root + "/from" + std::to_string(i);
            mkdir(folder.c_str(), 0755);
            paths.push_back(folder + "/" + kNames[i]);
            write_file(paths.back(), "content " + std::to_string(i));
        }
        auto moved = trash.move_to_trash(paths);
        ASSERT_TRUE(moved) << moved.error().describe();

        ProgramResult list = tool({"trash-list"}, root);
        EXPECT_EQ(list.status, 0) << list.out;
        for (const TrashItem& item : listed())
            EXPECT_NE(list.out.find(list_line(item.deletion_date, *item.original_path)), std::string::npos)
                << *item.original_path << " not in:\n" << list.out;

        for (std::size_t i = 0; i < paths.size(); ++i) {
            ProgramResult restore = tool({"trash-restore"}, root + "/from" + std::to_string(i), "0\n");
            EXPECT_EQ(restore.status, 0) << restore.out;
            EXPECT_EQ(read_file(paths[i]), "content " + std::to_string(i)) << restore.out;
        }
        EXPECT_TRUE(listed().empty());
        EXPECT_EQ(tool({"trash-list"}, root).out, "");
    }
}

TEST_F(TrashInterop, WhatTrashCliTrashesWeListRestoreAndPurge) {
    for (const std::string& root : roots()) {
        SCOPED_TRACE(root);
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            paths.push_back(root + "/" + kNames[i]);
            write_file(paths.back(), "content " + std::to_string(i));
            ProgramResult put = tool({"trash-put", paths.back()}, root);
            ASSERT_EQ(put.status, 0) << put.out;
            ASSERT_FALSE(exists_no_follow(paths.back()));
        }
        std::vector<TrashItem> items = listed();
        ASSERT_EQ(items.size(), kNames.size());
        std::vector<TrashItem> to_restore;
        std::vector<TrashItem> to_purge;
        for (const TrashItem& item : items) {
            ASSERT_TRUE(item.original_path) << item.info_text;
            EXPECT_TRUE(std::find(paths.begin(), paths.end(), *item.original_path) != paths.end()) << *item.original_path;
            EXPECT_TRUE(is_deletion_date(item.deletion_date)) << item.info_text;
            EXPECT_EQ(read_file(item.files_path).substr(0, 8), "content ");
            (to_restore.size() <= to_purge.size() ? to_restore : to_purge).push_back(item);
        }
        ASSERT_TRUE(trash.restore(to_restore));
        for (const TrashItem& item : to_restore) EXPECT_EQ(read_file(*item.original_path).substr(0, 8), "content ");
        ASSERT_TRUE(trash.purge(to_purge));
        for (const TrashItem& item : to_purge) {
            EXPECT_FALSE(exists_no_follow(*item.original_path));
            EXPECT_FALSE(exists_no_follow(item.files_path));
            EXPECT_FALSE(exists_no_follow(item.info_path));
        }
        EXPECT_EQ(tool({"trash-list"}, root).out, "");
        for (const std::string& path : paths) std::filesystem::remove(path);
    }
}

TEST_F(TrashInterop, EmptyingWorksBothWays) {
    std::string home = dir.folder("home");
    dir.folder("home/folder");
    write_file(home + "/folder/inside", "x");
    write_file(home + "/file", "y");
    ASSERT_TRUE(trash.move_to_trash({home + "/folder", home + "/file"}));
    ProgramResult empty = tool({"trash-empty"}, home);
    EXPECT_EQ(empty.status, 0) << empty.out;
    EXPECT_TRUE(listed().empty());
    EXPECT_TRUE(folder_names(data + "/Trash/files").empty());

    for (const char* name : {"a b", "c%d"}) {
        write_file(home + "/" + name, name);
        ASSERT_EQ(tool({"trash-put", home + "/" + name}, home).status, 0);
    }
    EXPECT_EQ(empty_trash(), 2u);
    EXPECT_EQ(tool({"trash-list"}, home).out, "");
    EXPECT_TRUE(folder_names(data + "/Trash/info").empty());
}

// trash-cli reads and writes Path as UTF-8 text, so it can neither trash a
// name that is not UTF-8 nor put one back under its own bytes. It still
// lists what we trashed (with U+FFFD for the stray byte), and a record
// written by a tool that encodes the raw bytes, as the format asks, comes
// back under the exact name.
TEST_F(TrashInterop, NamesThatAreNotUtf8) {
    std::string home = dir.folder("home");
    std::string path = home + "/caf\xe9 %\n.txt";
    write_file(path, "bytes");
    ASSERT_TRUE(trash.move_to_trash({path}));
    ProgramResult list = tool({"trash-list"}, home);
    std::vector<TrashItem> items = listed();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_NE(list.out.find(list_line(items[0].deletion_date, lossy_utf8(path))), std::string::npos) << list.out;
    ASSERT_TRUE(trash.restore(items));
    EXPECT_EQ(read_file(path), "bytes");

    std::string raw = home + "/\xff\xfe name";
    write_file(data + "/Trash/files/raw", "raw bytes");
    write_file(data + "/Trash/info/raw.trashinfo",
               "[Trash Info]\nPath=" + percent_encode_path(raw) + "\nDeletionDate=2020-02-02T02:02:02\n");
    items = listed();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].original_path, raw);
    ASSERT_TRUE(trash.restore(items));
    EXPECT_EQ(read_file(raw), "raw bytes");
}

}  // namespace
