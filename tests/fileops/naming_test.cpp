#include "fileops/naming.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "i18n/i18n.h"
#include "scratch_dir.h"

using namespace file_explorer;
using namespace file_explorer::fileops;

namespace {

std::string read_all(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_all(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

std::string exists_message(const std::string& name) {
    return i18n::tr_args("files-name-exists", i18n::Args().text("name", name));
}

}  // namespace

TEST(Naming, ValidateEntryName) {
    struct Case {
        std::string text;
        std::expected<std::string, std::string> result;
    };
    const Case cases[] = {
        {"  Budget.ods  ", "Budget.ods"},
        {".profile", ".profile"},
        {"...", "..."},
        {"", std::unexpected(i18n::tr("files-name-empty"))},
        {"   ", std::unexpected(i18n::tr("files-name-empty"))},
        {"a/b", std::unexpected(i18n::tr("files-name-slash"))},
        {"/", std::unexpected(i18n::tr("files-name-slash"))},
        {".", std::unexpected(i18n::tr("files-name-slash"))},
        {" .. ", std::unexpected(i18n::tr("files-name-slash"))},
    };
    for (const Case& c : cases) EXPECT_EQ(validate_entry_name(c.text), c.result) << c.text;
}

TEST(Naming, RenameMovesTheItem) {
    ScratchDir dir;
    write_all(dir / "a.txt", "content");
    auto result = rename_entry(dir / "a.txt", "  b.txt ");
    ASSERT_TRUE(result) << result.error();
    EXPECT_EQ(*result, dir / "b.txt");
    EXPECT_FALSE(exists_no_follow(dir / "a.txt"));
    EXPECT_EQ(read_all(dir / "b.txt"), "content");
}

TEST(Naming, RenameToItsOwnNameTouchesNothing) {
    ScratchDir dir;
    dir.file("Report.txt");
    for (const char* text : {"Report.txt", "  Report.txt  "}) {
        auto result = rename_entry(dir / "Report.txt", text);
        ASSERT_TRUE(result) << result.error();
        EXPECT_EQ(*result, dir / "Report.txt");
    }
    // Even a missing item: nothing is tried.
    EXPECT_TRUE(rename_entry(dir / "gone.txt", "gone.txt"));
}

TEST(Naming, RenameNeverReplaces) {
    ScratchDir dir;
    write_all(dir / "a.txt", "a");
    write_all(dir / "b.txt", "b");
    dir.link("dangling", dir / "nowhere");
    dir.link("self", dir / "a.txt");
    dir.folder("folder");
    write_all(dir / "Photo.JPG", "photo");
    write_all(dir / "photo.jpg", "other");

    for (const char* name : {"b.txt", "dangling", "self", "folder"}) {
        EXPECT_EQ(rename_entry(dir / "a.txt", name), std::unexpected(exists_message(name))) << name;
    }
    // A case-only change on a case-respecting file system with both names.
    EXPECT_EQ(rename_entry(dir / "Photo.JPG", "photo.jpg"), std::unexpected(exists_message("photo.jpg")));
    EXPECT_EQ(read_all(dir / "a.txt"), "a");
    EXPECT_EQ(read_all(dir / "b.txt"), "b");
    EXPECT_EQ(read_all(dir / "Photo.JPG"), "photo");
    EXPECT_EQ(read_all(dir / "photo.jpg"), "other");
}

TEST(Naming, RenameFailures) {
    ScratchDir dir;
    dir.file("a.txt");
    EXPECT_EQ(rename_entry(dir / "a.txt", " "), std::unexpected(i18n::tr("files-name-empty")));
    EXPECT_EQ(rename_entry(dir / "a.txt", "x/y"), std::unexpected(i18n::tr("files-name-slash")));
    EXPECT_EQ(rename_entry("/", "x"), std::unexpected(i18n::tr("files-no-parent")));
    EXPECT_EQ(rename_entry(dir / "missing", "x"), std::unexpected(std::string(std::strerror(ENOENT))));
    // A NUL byte would make the system see the name "b".
    auto nul = rename_entry(dir / "a.txt", std::string("b\0c", 3));
    EXPECT_FALSE(nul);
    EXPECT_FALSE(exists_no_follow(dir / "b"));
    EXPECT_TRUE(exists_no_follow(dir / "a.txt"));
}

TEST(Naming, RenameWorksOnNamesThatAreNotUtf8) {
    ScratchDir dir;
    std::string raw = dir.file("bad\xFF.txt");
    auto result = rename_entry(raw, "good.txt");
    ASSERT_TRUE(result) << result.error();
    EXPECT_TRUE(exists_no_follow(dir / "good.txt"));
    EXPECT_FALSE(exists_no_follow(raw));
}
