#include "fileops/move_into.h"

#include <gtest/gtest.h>

#include "i18n/i18n.h"
#include "transfer_fixture.h"

using namespace file_explorer;
using namespace file_explorer::fileops;
using namespace transfer_test;

TEST(MoveInto, MovesAndCounts) {
    TempFolder dir;
    mkdir((dir / "dest").c_str(), 0755);
    write_file(dir / "a.txt", "a");
    write_file(dir / "b.txt", "b");
    MoveSummary summary = move_items_into({dir / "a.txt", dir / "b.txt"}, dir / "dest");
    EXPECT_EQ(summary.moved, 2u);
    EXPECT_EQ(summary.failed, 0u);
    EXPECT_EQ(summary.status(), i18n::tr_args("files-moved-to-folder",
                                              i18n::Args().number("count", 2).text("destination", "dest")));
    EXPECT_EQ(names_in(dir / "dest"), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST(MoveInto, FailuresAreCountedNotShown) {
    TempFolder dir;
    mkdir((dir / "dest").c_str(), 0755);
    write_file(dir / "a.txt", "a");
    MoveSummary summary = move_items_into({dir / "missing", dir / "a.txt"}, dir / "dest");
    EXPECT_EQ(summary.moved, 1u);
    EXPECT_EQ(summary.failed, 1u);
    EXPECT_EQ(summary.status(),
              i18n::tr_args("files-moved-with-failures",
                            i18n::Args().number("moved", 1).text("destination", "dest").number("failed", 1)));
}

TEST(MoveInto, ItemsAlreadyThereAreNothingToMove) {
    TempFolder dir;
    mkdir((dir / "folder").c_str(), 0755);
    mkdir((dir / "folder/sub").c_str(), 0755);
    write_file(dir / "folder/inside.txt", "x");
    Snapshot before = snapshot(dir.path());
    const std::vector<std::string> cases[] = {
        {dir / "folder/inside.txt"},  // already in the destination
        {dir / "folder"},             // dropped onto itself
    };
    for (const auto& items : cases) {
        MoveSummary summary = move_items_into(items, dir / "folder");
        EXPECT_EQ(summary.moved + summary.failed, 0u);
        EXPECT_EQ(summary.status(), i18n::tr("files-nothing-to-move"));
    }
    // Onto its own subfolder.
    EXPECT_EQ(move_items_into({dir / "folder"}, dir / "folder/sub").status(), i18n::tr("files-nothing-to-move"));
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST(MoveInto, DestinationLabel) {
    EXPECT_EQ(move_items_into({}, "/").destination_label, "/");
    EXPECT_EQ(move_items_into({}, "/srv/\xFF" "box").destination_label, "\xEF\xBF\xBD" "box");
}
