#include "fileops/trash.h"

#include <gtest/gtest.h>

#include "fileops/paths.h"
#include "fileops/trash_info.h"
#include "fileops/trash_ops.h"
#include "trash_test_support.h"

using namespace file_explorer::fileops;

using namespace trash_test;

namespace {

class TrashTest : public ::testing::Test {
protected:
    std::string files(const std::string& name = {}) const { return dir / "data/Trash/files" + (name.empty() ? "" : "/" + name); }
    std::string info(const std::string& name = {}) const {
        return dir / "data/Trash/info" + (name.empty() ? "" : "/" + name + ".trashinfo");
    }
    std::vector<TrashItem> listed() const {
        auto items = trash.list();
        EXPECT_TRUE(items) << items.error().describe();
        return items ? *items : std::vector<TrashItem>{};
    }

    ScratchDir dir;
    DataHome data_home{dir / "data"};
    Trash trash{dir / "data", getuid()};
};

TEST_F(TrashTest, OddNamesGoToTheHomeTrashAndComeBack) {
    const std::vector<std::string> names = {"plain.txt", "with space", "100% done", "line\nbreak", "caf\xe9", ".hidden"};
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back(dir.folder("src") + "/" + name);
        write_file(paths.back(), "content of " + name);
    }
    auto landed = trash.move_to_trash(paths);
    ASSERT_TRUE(landed) << landed.error().describe();
    ASSERT_EQ(landed->size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ((*landed)[i], files(names[i]));
        EXPECT_FALSE(exists_no_follow(paths[i]));
        auto record = parse_trash_info(read_file(info(names[i])));
        ASSERT_TRUE(record) << names[i];
        EXPECT_EQ(record->path, paths[i]);
        EXPECT_TRUE(is_deletion_date(record->deletion_date));
    }
    EXPECT_NE(read_file(info("line\nbreak")).find("Path=" + dir.path() + "/src/line%0Abreak\n"), std::string::npos);

    std::vector<TrashItem> items = listed();
    ASSERT_EQ(items.size(), names.size());
    for (const TrashItem& item : items) {
        EXPECT_EQ(item.files_path, files(item.name));
        EXPECT_EQ(item.original_path, dir / "src/" + item.name);
    }
    ASSERT_TRUE(trash.restore(items));
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(read_file(paths[i]), "content of " + names[i]);
    EXPECT_TRUE(folder_names(files()).empty());
    EXPECT_TRUE(folder_names(info()).empty());
}

TEST_F(TrashTest, TakenNamesGetTheNextNumber) {
    std::string long_name(250, 'n');
    long_name += ".txt";
    for (const char* folder : {"a", "b", "c"}) dir.folder(folder);
    std::vector<std::string> paths = {dir.file("a/x.txt"), dir.file("b/x.txt"), dir.file("c/x.txt"),
                                      dir.file(long_name)};
    auto landed = trash.move_to_trash(paths);
    ASSERT_TRUE(landed) << landed.error().describe();
    EXPECT_EQ((*landed)[0], files("x.txt"));
    EXPECT_EQ((*landed)[1], files("x 2.txt"));
    EXPECT_EQ((*landed)[2], files("x 3.txt"));
    // "<name>.trashinfo" must still fit a file name; the record keeps the full path.
    std::string short_name(file_name((*landed)[3]));
    EXPECT_LE(short_name.size() + 10, 255u);
    EXPECT_TRUE(short_name.ends_with(".txt"));
    EXPECT_EQ(parse_trash_info(read_file(info(short_name)))->path, paths[3]);
}

TEST_F(TrashTest, RestoreStopsAtAnOccupiedPathAndNeverOverwrites) {
    std::vector<std::string> paths = {dir.file("a.txt", 1), dir.file("b.txt", 2), dir.file("c.txt", 3)};
    ASSERT_TRUE(trash.move_to_trash(paths));
    write_file(paths[1], "someone else's b");
    auto restored = trash.restore(listed());
    ASSERT_FALSE(restored);
    EXPECT_EQ(restored.error().operation, TrashOperation::restore);
    EXPECT_NE(restored.error().details.find("b.txt"), std::string::npos);
    EXPECT_EQ(read_file(paths[0]), "x");
    EXPECT_EQ(read_file(paths[1]), "someone else's b");
    EXPECT_FALSE(exists_no_follow(paths[2]));
    EXPECT_EQ(folder_names(files()), (std::vector<std::string>{"b.txt", "c.txt"}));
    EXPECT_EQ(folder_names(info()), (std::vector<std::string>{"b.txt.trashinfo", "c.txt.trashinfo"}));
}

TEST_F(TrashTest, RestoreRecreatesParentsAndReportsMissingData) {
    dir.folder("sub");
    dir.folder("sub/deep");
    std::string deep = dir.file("sub/deep/f.txt", 4);
    std::string gone = dir.file("gone.txt");
    ASSERT_TRUE(trash.move_to_trash({deep, gone}));
    std::filesystem::remove_all(dir / "sub");
    std::filesystem::remove(files("gone.txt"));

    std::vector<TrashItem> items = listed();
    ASSERT_EQ(items.size(), 2u);
    ASSERT_EQ(items[0].name, "f.txt");
    ASSERT_TRUE(trash.restore({items[0]}));
    EXPECT_EQ(read_file(deep), "xxxx");

    auto missing = trash.restore({items[1]});
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().describe(), std::string("failed to restore from trash: ") + trash_data_missing);
    EXPECT_TRUE(exists_no_follow(info("gone.txt")));
}

TEST_F(TrashTest, PurgeDeletesOnlyTheItemsData) {
    std::string outside = dir.file("outside.txt", 5);
    dir.folder("tree");
    dir.folder("tree/locked");
    dir.file("tree/locked/inner.txt", 6);
    dir.link("tree/link-to-outside", outside);
    dir.link("tree/link-to-folder", dir.path());
    chmod((dir / "tree/locked").c_str(), 0500);
    std::string keep = dir.file("keep.txt", 7);
    ASSERT_TRUE(trash.move_to_trash({dir / "tree", keep}));

    std::vector<TrashItem> items = listed();
    ASSERT_EQ(items.size(), 2u);
    ASSERT_EQ(items[1].name, "tree");
    auto purged = trash.purge({items[1]});
    ASSERT_TRUE(purged) << purged.error().describe();
    EXPECT_EQ(read_file(outside), "xxxxx");
    EXPECT_EQ(folder_names(dir.path()), (std::vector<std::string>{"data", "outside.txt"}));
    EXPECT_EQ(folder_names(files()), std::vector<std::string>{"keep.txt"});
    EXPECT_EQ(folder_names(info()), std::vector<std::string>{"keep.txt.trashinfo"});
}

TEST_F(TrashTest, DirectorySizesFollowTrashedFolders) {
    dir.folder("one");
    dir.file("one/big", 10000);
    dir.folder("two");
    ASSERT_TRUE(trash.move_to_trash({dir / "one", dir / "two", dir.file("plain")}));
    auto lines = parse_directory_sizes(read_file(dir / "data/Trash/directorysizes"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].name, "one");
    EXPECT_EQ(lines[1].name, "two");
    EXPECT_GE(lines[0].size, 10000u);
    struct stat status {};
    ASSERT_EQ(stat(info("one").c_str(), &status), 0);
    EXPECT_EQ(lines[0].mtime, status.st_mtime);

    std::vector<TrashItem> items = listed();
    ASSERT_EQ(items[0].name, "one");
    ASSERT_TRUE(trash.purge({items[0]}));
    ASSERT_TRUE(trash.restore({items[2]}));
    EXPECT_EQ(read_file(dir / "data/Trash/directorysizes"), "");
}

TEST_F(TrashTest, ActsOnlyOnItemsExactlyAsListed) {
    std::string first = dir.file("x.txt", 1);
    ASSERT_TRUE(trash.move_to_trash({first}));
    std::vector<TrashItem> stale = listed();
    ASSERT_TRUE(trash.purge(stale));
    // A new item takes the freed name; the old listing must not reach it.
    dir.folder("other");
    std::string second = dir.file("other/x.txt", 2);
    ASSERT_TRUE(trash.move_to_trash({second}));
    auto purged = trash.purge(stale);
    ASSERT_FALSE(purged);
    EXPECT_EQ(read_file(files("x.txt")), "xx");

    TrashItem forged = listed()[0];
    forged.can = dir.path();
    forged.name = "data";
    forged.files_path = dir / "files/data";
    forged.info_path = dir / "info/data.trashinfo";
    EXPECT_FALSE(trash.purge({forged}));
    EXPECT_FALSE(trash.restore({forged}));
    EXPECT_TRUE(exists_no_follow(files("x.txt")));
}

TEST_F(TrashTest, RefusesBeforeMovingAnything) {
    std::string a = dir.file("a.txt");
    EXPECT_FALSE(trash.move_to_trash({a, dir / "missing"}));
    EXPECT_TRUE(exists_no_follow(a));
    // Neither the Trash nor a folder holding it can go into the Trash.
    ASSERT_TRUE(trash.move_to_trash({a}));
    for (const std::string& path : {dir / "data", dir / "data/Trash", files("a.txt"), dir.path()}) {
        auto moved = trash.move_to_trash({path});
        EXPECT_FALSE(moved) << path;
        EXPECT_TRUE(exists_no_follow(path)) << path;
    }
    EXPECT_EQ(folder_names(info()), std::vector<std::string>{"a.txt.trashinfo"});
}

TEST_F(TrashTest, OtherFileSystemsUseTheirOwnCans) {
    SecondFileSystem volume(dir / "vol");
    if (!volume.ok()) GTEST_SKIP() << volume.error();
    const std::string uid = std::to_string(getuid());
    struct Case {
        const char* setup;
        std::string expected_can;
    };
    const Case cases[] = {
        {"none", ".Trash-" + uid},
        {"sticky", ".Trash/" + uid},
        {"not sticky", ".Trash-" + uid},
        {"link", ".Trash-" + uid},
    };
    for (const Case& c : cases) {
        std::string top = volume.path();
        std::filesystem::remove_all(top + "/.Trash");
        std::filesystem::remove_all(top + "/.Trash-" + uid);
        std::filesystem::remove_all(dir / "sticky-elsewhere");
        std::string setup = c.setup;
        if (setup == "sticky" || setup == "not sticky") {
            mkdir((top + "/.Trash").c_str(), 0777);
            chmod((top + "/.Trash").c_str(), setup == "sticky" ? 01777 : 0777);
        } else if (setup == "link") {
            mkdir((dir / "sticky-elsewhere").c_str(), 0777);
            chmod((dir / "sticky-elsewhere").c_str(), 01777);
            symlink((dir / "sticky-elsewhere").c_str(), (top + "/.Trash").c_str());
        }
        mkdir((top + "/sub").c_str(), 0755);
        write_file(top + "/sub/f 1.txt", setup);

        auto landed = trash.move_to_trash({top + "/sub/f 1.txt"});
        ASSERT_TRUE(landed) << setup << ": " << landed.error().describe();
        std::string can = top + "/" + c.expected_can;
        EXPECT_EQ(*landed, std::vector<std::string>{can + "/files/f 1.txt"}) << setup;
        struct stat status {};
        ASSERT_EQ(lstat(can.c_str(), &status), 0) << setup;
        EXPECT_EQ(status.st_mode & 07777, 0700u) << setup;
        // Per-mount records hold the path relative to the mount's top.
        EXPECT_NE(read_file(can + "/info/f 1.txt.trashinfo").find("\nPath=sub/f%201.txt\n"), std::string::npos) << setup;
        EXPECT_TRUE(folder_names(dir / "sticky-elsewhere").empty()) << setup;

        std::vector<TrashItem> items = listed();
        ASSERT_EQ(items.size(), 1u) << setup;
        EXPECT_EQ(items[0].can, can);
        EXPECT_EQ(items[0].top, top);
        EXPECT_EQ(items[0].original_path, top + "/sub/f 1.txt");
        ASSERT_TRUE(trash.restore(items)) << setup;
        EXPECT_EQ(read_file(top + "/sub/f 1.txt"), setup);
    }
}

TEST_F(TrashTest, EntriesMatchOnlyWithinTheirOwnCan) {
    SecondFileSystem volume(dir / "vol");
    if (!volume.ok()) GTEST_SKIP() << volume.error();
    std::string home_item = dir.file("same.txt", 1);
    std::string other_item = volume.path() + "/same.txt";
    write_file(other_item, "other");
    ASSERT_TRUE(trash.move_to_trash({home_item, other_item}));

    auto found = find_trash_items({files("same.txt")});
    ASSERT_TRUE(found) << found.error();
    ASSERT_EQ(found->size(), 1u);
    EXPECT_EQ((*found)[0].original_path, home_item);
    auto purged = purge_trash_entries({files("same.txt")});
    ASSERT_TRUE(purged) << purged.error();
    EXPECT_EQ(*purged, 1u);
    auto rest = listed();
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].original_path, other_item);
    EXPECT_EQ(read_file(rest[0].files_path), "other");
}

}  // namespace
