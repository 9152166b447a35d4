#include "fileops/free_name.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "fileops/fault_seam.h"
#include "i18n/i18n.h"
#include "transfer_fixture.h"

using namespace file_explorer;
using namespace file_explorer::fileops;
using namespace transfer_test;

TEST(FreeName, NumberedNames) {
    struct Case {
        const char* name;
        int n;
        const char* expected;
    };
    const Case cases[] = {
        {"report.txt", 1, "report.txt"},  {"report.txt", 2, "report 2.txt"},
        {"archive.tar.gz", 2, "archive.tar 2.gz"}, {".profile", 2, ".profile 2"},
        {"notes.", 4, "notes 4."},        {"README", 9999, "README 9999"},
        {"a.b.", 3, "a.b 3."},            {"..x", 2, ". 2.x"},
    };
    for (const Case& c : cases) EXPECT_EQ(numbered_name(name_parts(c.name), c.n), c.expected) << c.name;
}

TEST(FreeName, ChoosesTheFirstFreeNumber) {
    TempFolder dir;
    mkdir((dir / "New Folder").c_str(), 0755);
    EXPECT_EQ(choose_free_path(dir.path(), "New Folder"), dir / "New Folder 2");
    mkdir((dir / "New Folder 2").c_str(), 0755);
    EXPECT_EQ(choose_free_path(dir.path(), "New Folder"), dir / "New Folder 3");

    // A gap is reused; a dangling link occupies its name.
    write_file(dir / "a.txt", "");
    write_file(dir / "a 3.txt", "");
    EXPECT_EQ(choose_free_path(dir.path(), "a.txt"), dir / "a 2.txt");
    ASSERT_EQ(symlink("/nonexistent/target", (dir / "x").c_str()), 0);
    EXPECT_EQ(inspect_destination(dir / "x"), false);
    EXPECT_EQ(choose_free_path(dir.path(), "x"), dir / "x 2");
    EXPECT_EQ(choose_free_path(dir.path(), "free"), dir / "free");
}

TEST(FreeName, InspectionFailureEndsTheSearch) {
    TempFolder dir;
    write_file(dir / "file", "");
    // A file used as a folder.
    EXPECT_EQ(inspect_destination(dir / "file/x"),
              std::unexpected(i18n::tr_args("files-destination-inspect-failed",
                                            i18n::Args().text("path", dir / "file/x").text("error", strerror(ENOTDIR)))));
    // A folder that cannot be searched (injected, since root may search anything).
    ScopedFaultHook hook(failing({{FaultSite::inspect, containing("/locked/"), 0, EACCES}}));
    auto chosen = choose_free_path(dir / "locked", "a");
    ASSERT_FALSE(chosen);
    EXPECT_EQ(chosen.error(), i18n::tr_args("files-destination-inspect-failed",
                                            i18n::Args().text("path", dir / "locked/a").text("error", strerror(EACCES))));
    // A name the file system cannot hold.
    EXPECT_FALSE(choose_free_path(dir.path(), std::string(256, 'n')));
}

TEST(FreeName, StopsAfter9999) {
    TempFolder dir;
    write_file(dir / "x", "");
    for (int n = 2; n <= 9999; ++n) write_file(dir / ("x " + std::to_string(n)), "");
    std::set<std::string> tested;
    ScopedFaultHook hook([&](FaultSite, std::string_view path) {
        tested.insert(std::string(path));
        return 0;
    });
    EXPECT_EQ(choose_free_path(dir.path(), "x"),
              std::unexpected(i18n::tr_args("files-destination-names-exhausted",
                                            i18n::Args().text("name", "x").text("path", dir.path()))));
    EXPECT_EQ(tested.size(), 9999u);
    EXPECT_FALSE(tested.contains(dir / "x 10000"));
}
