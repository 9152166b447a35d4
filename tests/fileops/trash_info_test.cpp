#include "fileops/trash_info.h"

#include <gtest/gtest.h>

#include "fileops/trash_mounts.h"

using namespace file_explorer::fileops;

TEST(TrashInfo, PathsRoundTripThroughPercentEncoding) {
    struct Case {
        std::string raw;
        std::string encoded;
    };
    const Case cases[] = {
        {"/home/u/plain-name_1.txt~", "/home/u/plain-name_1.txt~"},
        {"/home/u/with space", "/home/u/with%20space"},
        {"/home/u/100% done", "/home/u/100%25%20done"},
        {"/home/u/line\nbreak", "/home/u/line%0Abreak"},
        {"/home/u/caf\xe9", "/home/u/caf%E9"},
        {"/home/u/\xc3\xbc", "/home/u/%C3%BC"},
        {"rel/a+b=c#d?e", "rel/a%2Bb%3Dc%23d%3Fe"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(percent_encode_path(c.raw), c.encoded) << c.raw;
        EXPECT_EQ(percent_decode(c.encoded), c.raw) << c.encoded;
    }
    // Lower-case escapes from other writers decode too; broken ones do not.
    EXPECT_EQ(percent_decode("/a%c3%bc"), "/a\xc3\xbc");
    for (const char* broken : {"/a%", "/a%4", "/a%G0", "/a%00b"}) EXPECT_EQ(percent_decode(broken), std::nullopt) << broken;
}

TEST(TrashInfo, RecordsAreWrittenAndRead) {
    std::string text = format_trash_info("/home/u/a b", "2024-03-05T07:08:09");
    EXPECT_EQ(text, "[Trash Info]\nPath=/home/u/a%20b\nDeletionDate=2024-03-05T07:08:09\n");
    auto info = parse_trash_info(text);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->path, "/home/u/a b");
    EXPECT_EQ(info->deletion_date, "2024-03-05T07:08:09");

    std::tm local {};
    local.tm_year = 99;
    local.tm_mon = 11;
    local.tm_mday = 31;
    local.tm_hour = 23;
    local.tm_min = 5;
    local.tm_sec = 1;
    EXPECT_EQ(format_deletion_date(local), "1999-12-31T23:05:01");
}

TEST(TrashInfo, ParsingTable) {
    struct Case {
        const char* text;
        std::optional<std::string> path;
        std::string date;
    };
    const Case cases[] = {
        {"[Trash Info]\r\nPath=rel/x\r\nDeletionDate=2024-01-02T03:04:05\r\n", "rel/x", "2024-01-02T03:04:05"},
        {"# written by hand\n[Trash Info]\nDeletionDate=yesterday\nPath=/a\n", "/a", ""},
        {"[Trash Info]\nPath=/first\nPath=/second\n", "/first", ""},
        {"[Other]\nPath=/not-here\n", std::nullopt, ""},
        {"[Trash Info]\nPath=/a\n[Other]\nPath=/b\n", "/a", ""},
        {"[Trash Info]\nDeletionDate=2024-01-02T03:04:05\n", std::nullopt, ""},
        {"[Trash Info]\nPath=\n", std::nullopt, ""},
        {"[Trash Info]\nPath=/bad%zz\n", std::nullopt, ""},
        {"", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        auto info = parse_trash_info(c.text);
        ASSERT_EQ(info.has_value(), c.path.has_value()) << c.text;
        if (!info) continue;
        EXPECT_EQ(info->path, *c.path) << c.text;
        EXPECT_EQ(info->deletion_date, c.date) << c.text;
    }
}

TEST(TrashInfo, DirectorySizesKeepNamesExact) {
    std::vector<DirectorySize> lines = {{4096, 1700000000, "plain"}, {123456789012, 1, "a b%\n\xff"}};
    std::string text = format_directory_sizes(lines);
    EXPECT_EQ(text, "4096 1700000000 plain\n123456789012 1 a%20b%25%0A%FF\n");
    EXPECT_EQ(parse_directory_sizes(text), lines);
    // Lines another writer got wrong are dropped, the rest kept.
    EXPECT_EQ(parse_directory_sizes("x 1 a\n1 2\n-1 2 b\n1 2 c/d\n7 8 ok\n"),
              (std::vector<DirectorySize>{{7, 8, "ok"}}));
}

TEST(TrashMounts, MountInfoAndTopFolders) {
    const char* text =
        "22 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "30 22 0:27 / /media/usb\\040stick rw,nosuid - vfat /dev/sdb1 rw\n"
        "31 22 0:28 / /proc rw - proc proc rw\n"
        "32 22 0:29 / /media/usb\\040stick/inner rw master:3 - tmpfs none rw\n"
        "garbage line\n";
    std::vector<MountPoint> table = parse_mountinfo(text);
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[1].path, "/media/usb stick");
    EXPECT_EQ(table[1].type, "vfat");
    EXPECT_EQ(table[3].type, "tmpfs");
    EXPECT_FALSE(may_hold_trash(table[2].type));
    EXPECT_TRUE(may_hold_trash(table[1].type));

    EXPECT_EQ(mount_top("/media/usb stick/docs/a", table), "/media/usb stick");
    EXPECT_EQ(mount_top("/media/usb stick/inner/x", table), "/media/usb stick/inner");
    EXPECT_EQ(mount_top("/media/usb sticky/x", table), "/");
    EXPECT_EQ(mount_top("/home/u", table), "/");
}
