#include "fileops/clipboard.h"

#include <gtest/gtest.h>

#include "fileops/transfer.h"
#include "i18n/i18n.h"
#include "transfer_fixture.h"

using namespace file_explorer;
using namespace file_explorer::fileops;
using namespace transfer_test;

namespace {

std::string counted(const char* id, double count) { return i18n::tr_args(id, i18n::Args().number("count", count)); }

}  // namespace

TEST(Clipboard, CopyPastesAgainAndAgain) {
    TempFolder src;
    TempFolder dst;
    write_file(src / "a.txt", "a");
    write_file(src / "b.txt", "b");
    FileClipboard clipboard;
    EXPECT_EQ(clipboard.copy({src / "a.txt", src / "b.txt"}), counted("files-copied", 2));
    for (int round = 0; round < 2; ++round) {
        auto report = clipboard.paste_into(dst.path());
        ASSERT_TRUE(report);
        EXPECT_EQ(report->status(), counted("files-pasted", 2));
        EXPECT_TRUE(report->action_result());
    }
    EXPECT_EQ(names_in(dst.path()), (std::vector<std::string>{"a 2.txt", "a.txt", "b 2.txt", "b.txt"}));
    EXPECT_EQ(clipboard.paths(), (std::vector<std::string>{src / "a.txt", src / "b.txt"}));
    EXPECT_FALSE(clipboard.is_cut());
}

TEST(Clipboard, CutMovesOnceAndForgets) {
    TempFolder src;
    TempFolder dst;
    write_file(src / "a.txt", "a");
    write_file(src / "b.txt", "b");
    FileClipboard clipboard;
    EXPECT_EQ(clipboard.cut({src / "a.txt", src / "b.txt"}), counted("files-cut", 2));
    auto report = clipboard.paste_into(dst.path());
    ASSERT_TRUE(report);
    EXPECT_EQ(report->status(), counted("files-pasted", 2));
    EXPECT_TRUE(clipboard.empty());
    EXPECT_TRUE(names_in(src.path()).empty());
    EXPECT_FALSE(clipboard.paste_into(dst.path()));
}

TEST(Clipboard, FailedCutItemsStay) {
    TempFolder dir;
    mkdir((dir / "folder").c_str(), 0755);
    mkdir((dir / "folder/sub").c_str(), 0755);
    write_file(dir / "gone.txt", "x");
    mkdir((dir / "dest").c_str(), 0755);
    FileClipboard clipboard;
    clipboard.cut({dir / "gone.txt", dir / "folder"});
    unlink((dir / "gone.txt").c_str());

    auto report = clipboard.paste_into(dir / "folder/sub");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->status(), i18n::tr_args("files-pasted-with-failures",
                                              i18n::Args().number("count", 0).number("failed", 2)));
    EXPECT_EQ(report->action_result(),
              std::unexpected("paste failed: " + dir / "gone.txt" + ": " + strerror(ENOENT) + "; " + dir / "folder" +
                              ": " + kFolderIntoItself));
    EXPECT_EQ(clipboard.paths(), (std::vector<std::string>{dir / "gone.txt", dir / "folder"}));
    EXPECT_TRUE(clipboard.is_cut());

    // Pasting what is left elsewhere moves the folder and keeps only the failure.
    report = clipboard.paste_into(dir / "dest");
    EXPECT_EQ(report->status(), i18n::tr_args("files-pasted-with-failures",
                                              i18n::Args().number("count", 1).number("failed", 1)));
    EXPECT_EQ(clipboard.paths(), std::vector<std::string>{dir / "gone.txt"});
    EXPECT_TRUE(exists(dir / "dest/folder/sub"));
}

TEST(Clipboard, CutItemsPastedWhereTheyAreStay) {
    TempFolder dir;
    write_file(dir / "a.txt", "a");
    FileClipboard clipboard;
    clipboard.cut({dir / "a.txt"});
    auto report = clipboard.paste_into(dir.path());
    EXPECT_EQ(report->action_result(), std::unexpected("paste failed: " + dir / "a.txt" + ": " + kAlreadyInFolder));
    EXPECT_EQ(clipboard.paths(), std::vector<std::string>{dir / "a.txt"});
}

TEST(Clipboard, EmptySelection) {
    FileClipboard clipboard;
    EXPECT_EQ(clipboard.copy({}), counted("files-copied", 0));
    EXPECT_EQ(clipboard.cut({}), counted("files-cut", 0));
    EXPECT_TRUE(clipboard.empty());
    EXPECT_FALSE(clipboard.paste_into("/tmp"));
}
