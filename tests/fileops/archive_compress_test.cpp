#include "fileops/archive_compress.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "archive_fixtures.h"
#include "fileops/archive_commands.h"
#include "fileops/archive_extract.h"
#include "fileops/archive_listing.h"
#include "i18n/i18n.h"
#include "scratch_dir.h"

namespace file_explorer::fileops {
namespace {

using archive_fixtures::names_in;
using archive_fixtures::snapshot;
using Tree = std::map<std::string, std::string>;

std::uint32_t le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

// The central directory records of a ZIP, as its own bytes say.
struct Record {
    std::string name;
    std::uint32_t flags, method, time, date, external;
};

std::vector<Record> central_directory(const std::string& zip) {
    std::vector<Record> out;
    std::size_t end = zip.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos) return out;
    std::size_t at = le(zip, end + 16, 4);
    for (std::uint32_t n = le(zip, end + 10, 2); n > 0; --n) {
        std::uint32_t name_len = le(zip, at + 28, 2);
        out.push_back({zip.substr(at + 46, name_len), le(zip, at + 8, 2), le(zip, at + 10, 2), le(zip, at + 12, 2),
                       le(zip, at + 14, 2), le(zip, at + 38, 4)});
        at += 46 + name_len + le(zip, at + 30, 2) + le(zip, at + 32, 2);
    }
    return out;
}

TEST(ZipTarget, NamesAndNumbering) {
    ScratchDir dir;
    dir.file("Budget.zip");
    dir.file("Archive.zip");
    dir.file("Archive 2.zip");
    struct Case {
        std::vector<std::string> items;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{"/x/Budget.ods"}, dir / "Budget 2.zip"},
        {{"/x/Report.pdf"}, dir / "Report.zip"},
        {{"/x/photos"}, dir / "photos.zip"},
        {{"/x/a.tar.gz"}, dir / "a.tar.zip"},
        {{"/x/.bashrc"}, dir / ".bashrc.zip"},
        {{"/x/\xff.txt"}, dir / "Archive 3.zip"},
        {{"/x/a", "/x/b"}, dir / "Archive 3.zip"},
    };
    for (const Case& c : cases) EXPECT_EQ(zip_target_path(dir.path(), c.items), c.expected) << c.items.front();
    EXPECT_EQ(zip_part_path("/x/Archive 2.zip"), "/x/Archive 2.zip.part");
}

class CreateZip : public ::testing::Test {
protected:
    ScratchDir dir_;
    std::string target_ = dir_ / "Archive.zip";

    // Neither the ZIP nor its part file exists.
    void expect_nothing_left() {
        EXPECT_FALSE(exists_no_follow(target_));
        EXPECT_FALSE(exists_no_follow(zip_part_path(target_)));
    }
};

TEST_F(CreateZip, PacksItemsFoldersAndFollowsOnlySelectedLinks) {
    ScratchDir src;
    src.file("top.txt", 10);
    src.folder("docs");
    src.folder("docs/sub");
    src.file("docs/sub/b.txt", 70000);
    src.file("docs/grün.txt", 3);
    src.link("docs/link", src / "top.txt");
    ASSERT_EQ(mkfifo((src / "docs/pipe").c_str(), 0644), 0);
    src.folder("real");
    src.file("real/r.txt", 1);
    src.link("alias", src / "real");

    ASSERT_TRUE(create_zip({src / "top.txt", src / "docs", src / "alias"}, target_));
    EXPECT_FALSE(exists_no_follow(zip_part_path(target_)));

    ASSERT_TRUE(extract_archive(target_, dir_ / "out"));
    Tree expected = {
        {"top.txt", std::string(10, 'x')}, {"docs", "dir"},      {"docs/sub", "dir"},
        {"docs/sub/b.txt", std::string(70000, 'x')},  {"docs/grün.txt", "xxx"},
        {"alias", "dir"},                  {"alias/r.txt", "x"},
    };
    EXPECT_EQ(snapshot(dir_ / "out"), expected);

    for (const Record& r : central_directory(archive_fixtures::read_file(target_))) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.time, 0u);       // 00:00:00
        EXPECT_EQ(r.date, 0x21u);    // 1980-01-01
        bool ascii = std::all_of(r.name.begin(), r.name.end(), [](char c) { return (c & 0x80) == 0; });
        EXPECT_EQ((r.flags & 0x800) != 0, !ascii);  // UTF-8 flag where the name needs it
        bool folder = r.name.ends_with("/");
        if (!folder) {
            EXPECT_EQ(r.method, 8u);  // Deflate
        }
        EXPECT_EQ(r.external >> 16, folder ? 040755u : 0100644u);  // fixed, not the items' own
    }
}

TEST_F(CreateZip, StalePartFileIsReplaced) {
    ScratchDir src;
    src.file("a.txt", 5);
    ASSERT_TRUE(archive_fixtures::write_file(zip_part_path(target_), std::string(100000, 'j')));
    ASSERT_TRUE(create_zip({src / "a.txt"}, target_));
    EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"Archive.zip"});
    std::vector<ArchiveEntry> expected = {{"a.txt", 5, false}};
    EXPECT_EQ(read_archive_index(target_), expected);
}

TEST_F(CreateZip, FailuresLeaveNothingBehind) {
    ScratchDir a;
    ScratchDir b;
    a.file("same", 1);
    b.file("same", 2);
    b.folder("folder");

    auto duplicate = create_zip({a / "same", b / "same"}, target_);
    EXPECT_EQ(duplicate, std::unexpected(std::string("duplicate file name in the archive: same")));
    expect_nothing_left();

    EXPECT_EQ(create_zip({a / "same", "/"}, target_), std::unexpected(std::string("path has no file name")));
    expect_nothing_left();

    EXPECT_EQ(create_zip({a / "missing"}, target_), std::unexpected(std::string("No such file or directory")));
    expect_nothing_left();

    if (geteuid() != 0) {  // root reads everything
        b.file("folder/locked", 4);
        chmod((b / "folder/locked").c_str(), 0);
        EXPECT_EQ(create_zip({b / "folder"}, target_), std::unexpected(std::string("Permission denied")));
        expect_nothing_left();
    }
    EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{});
}

TEST_F(CreateZip, NeverReplacesOrFollowsLinks) {
    ScratchDir src;
    src.file("a.txt", 5);
    dir_.file("Archive.zip", 7);
    EXPECT_EQ(create_zip({src / "a.txt"}, target_), std::unexpected(std::string("File exists")));
    EXPECT_EQ(archive_fixtures::read_file(target_), "xxxxxxx");
    EXPECT_FALSE(exists_no_follow(zip_part_path(target_)));

    // A link planted under the part name is not written through.
    std::string victim = src.file("victim", 9);
    std::string other = dir_ / "Other.zip";
    dir_.link("Other.zip.part", victim);
    EXPECT_FALSE(create_zip({src / "a.txt"}, other));
    EXPECT_EQ(archive_fixtures::read_file(victim), "xxxxxxxxx");
    EXPECT_FALSE(exists_no_follow(other));
}

TEST_F(CreateZip, CompressCommand) {
    ScratchDir src;
    src.file("Budget.ods", 5);
    ArchiveCommandOutcome outcome = compress_selection({src / "Budget.ods"}, dir_.path());
    EXPECT_EQ(outcome.status, i18n::tr_args("files-archive-created", i18n::Args().text("name", "Budget.zip")));
    EXPECT_TRUE(outcome.reload);
    outcome = compress_selection({src / "Budget.ods"}, dir_.path());
    EXPECT_EQ(outcome.status, i18n::tr_args("files-archive-created", i18n::Args().text("name", "Budget 2.zip")));

    outcome = compress_selection({src / "gone"}, dir_.path());
    EXPECT_EQ(outcome.status, i18n::tr_args("files-archive-create-failed",
                                            i18n::Args().text("error", "No such file or directory")));
    EXPECT_FALSE(outcome.reload);
    EXPECT_EQ(compress_selection({}, dir_.path()).status, i18n::tr("files-archive-select-compress"));
    EXPECT_EQ(names_in(dir_.path()), (std::vector<std::string>{"Budget 2.zip", "Budget.zip"}));
}

}  // namespace
}  // namespace file_explorer::fileops
