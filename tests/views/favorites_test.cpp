#include "views/favorites/favorites.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "chrome_support.h"

namespace file_explorer::views {
namespace {

using chrome_test::read_file;
using chrome_test::TempDir;
using chrome_test::write_file;
namespace fs = std::filesystem;

std::vector<std::string> paths_of(const std::vector<Place>& places) {
    std::vector<std::string> out;
    for (const auto& p : places) out.push_back(p.path);
    return out;
}

class FavoritesTest : public ::testing::Test {
protected:
    void SetUp() override {
        chrome_test::use_english();
        home = tmp / "home";
        state = tmp / "config/vesk-files";
        for (const char* d : {"Documents", "Downloads", "Music", "Work"}) fs::create_directories(home + "/" + d);
        dirs = vesk_ui::sysdirs::UserDirs::from_text(
            "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
            "XDG_MUSIC_DIR=\"$HOME/Music\"\nXDG_VIDEOS_DIR=\"$HOME/Videos\"\n",  // Videos does not exist
            home);
    }
    FavoritesStore load() { return FavoritesStore::load(state, home, dirs); }
    std::string file() const { return state + "/favorites"; }

    TempDir tmp;
    std::string home;
    std::string state;
    vesk_ui::sysdirs::UserDirs dirs;
};

TEST_F(FavoritesTest, WithoutAFileTheDefaultsShowAndTheFirstChangeWritesThem) {
    FavoritesStore store = load();
    ASSERT_EQ(store.places().size(), 4u);
    EXPECT_EQ(store.places()[0].label, "Home");
    EXPECT_TRUE(store.places()[0].home);
    EXPECT_EQ(store.places()[0].icon, vesk_ui::Icon::PlaceHome);
    EXPECT_EQ(store.places()[1].label, "Documents");
    EXPECT_EQ(store.places()[1].icon, vesk_ui::Icon::PlaceDocuments);
    EXPECT_FALSE(fs::exists(file()));  // defaults are not written by loading

    ASSERT_TRUE(store.add(home + "/Work"));
    ASSERT_TRUE(store.save());
    EXPECT_EQ(read_file(file()), home + "\n" + home + "/Documents\n" + home + "/Downloads\n" + home + "/Music\n" + home +
                                     "/Work");
    // Re-adding (also spelt differently) changes nothing.
    EXPECT_FALSE(store.add(home + "//Work/"));
    EXPECT_EQ(store.places().back().label, "Work");
    EXPECT_EQ(store.places().back().icon, vesk_ui::Icon::Folder);

    // Round trip: the same paths, labels and icons derived again.
    EXPECT_EQ(load().places(), store.places());
}

TEST_F(FavoritesTest, DamagedFilesGiveWhatCanBeReadOrTheDefaults) {
    fs::create_directories(state);
    const auto defaults = paths_of(default_favorites(home, dirs));
    struct Case {
        const char* what;
        std::string content;
        std::vector<std::string> expected;  // empty: the defaults
    };
    const Case cases[] = {
        {"blank lines and indentation", "\n  /srv/a  \n\n\t/srv/b\r\n   \n", {"/srv/a", "/srv/b"}},
        {"only blank lines", "\n \n\t\n", {}},
        {"empty", "", {}},
        {"missing paths still count", "/no/such/folder", {"/no/such/folder"}},
        {"bytes that are not UTF-8", "/srv/caf\xff", {"/srv/caf\xff"}},
        {"too large", std::string(FavoritesStore::max_file_bytes + 1, '/'), {}},
    };
    for (const Case& c : cases) {
        write_file(file(), c.content);
        EXPECT_EQ(paths_of(load().places()), c.expected.empty() ? defaults : c.expected) << c.what;
    }

    // A folder where the file should be is unreadable as a file: defaults.
    fs::remove(file());
    fs::create_directories(file());
    EXPECT_EQ(paths_of(load().places()), defaults);
}

TEST_F(FavoritesTest, PathsThatAreNotUtf8AreWrittenAsText) {
    FavoritesStore store = load();
    store.add("/srv/caf\xff");
    ASSERT_TRUE(store.save());
    EXPECT_TRUE(read_file(file()).ends_with("\n/srv/caf\xEF\xBF\xBD"));
    EXPECT_EQ(store.places().back().label, "caf\xEF\xBF\xBD");
}

TEST_F(FavoritesTest, MovesFollowTheIndicesAfterRemoval) {
    struct Case {
        std::size_t from, to;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {0, 2, {"/B", "/C", "/A", "/D"}},
        {3, 0, {"/D", "/A", "/B", "/C"}},
        {1, 3, {"/A", "/C", "/D", "/B"}},
        {2, 2, {"/A", "/B", "/C", "/D"}},  // same index: nothing
        {0, 4, {"/A", "/B", "/C", "/D"}},  // beyond the list: nothing
        {9, 1, {"/A", "/B", "/C", "/D"}},
    };
    fs::create_directories(state);
    for (const Case& c : cases) {
        write_file(file(), "/A\n/B\n/C\n/D");
        FavoritesStore store = load();
        EXPECT_EQ(store.move(c.from, c.to), c.from != c.to && c.from < 4 && c.to < 4);
        EXPECT_EQ(paths_of(store.places()), c.expected) << c.from << " -> " << c.to;
    }
}

TEST_F(FavoritesTest, RemoveTakesEverySpellingOfThePath) {
    fs::create_directories(state);
    write_file(file(), "/A\n/B/\n/B");
    FavoritesStore store = load();
    EXPECT_TRUE(store.remove("/B"));
    EXPECT_EQ(paths_of(store.places()), std::vector<std::string>{"/A"});
    EXPECT_FALSE(store.remove("/B"));
}

TEST_F(FavoritesTest, AFailedWriteKeepsTheOldFileAndTheListInMemory) {
    FavoritesStore store = load();
    ASSERT_TRUE(store.save());
    const std::string before = read_file(file());

    // The folder cannot take a new file: the save fails, nothing is torn.
    ::chmod(state.c_str(), 0500);
    store.add("/srv/new");
    if (::access(state.c_str(), W_OK) == 0) GTEST_SKIP() << "running with privileges that ignore permissions";
    EXPECT_FALSE(store.save());
    ::chmod(state.c_str(), 0700);
    EXPECT_EQ(read_file(file()), before);
    EXPECT_EQ(store.places().back().path, "/srv/new");
    EXPECT_EQ(fs::directory_iterator(state)->path().filename(), "favorites");  // no temporary file left

    // A state folder that cannot be created: changes stay in memory only.
    write_file(tmp / "blocker", "x");
    FavoritesStore lost = FavoritesStore::load(tmp / "blocker/vesk-files", home, dirs);
    EXPECT_TRUE(lost.add("/srv/x"));
    EXPECT_FALSE(lost.save());
    EXPECT_EQ(lost.places().back().path, "/srv/x");
}

TEST(AtomicWrite, ReplacesWholeFilesAndCleansUpWhenTheRenameFails) {
    TempDir tmp;
    const std::string target = tmp / "a/b/file";
    ASSERT_TRUE(write_file_atomically(target, "first"));
    ASSERT_TRUE(write_file_atomically(target, "second, longer"));
    EXPECT_EQ(read_file(target), "second, longer");

    // A non-empty folder in the way: the rename fails and no temporary stays.
    fs::create_directories(tmp / "c/file/inner");
    auto failed = write_file_atomically(tmp / "c/file", "x");
    EXPECT_FALSE(failed);
    std::size_t entries = 0;
    for (auto it = fs::directory_iterator(tmp / "c"); it != fs::directory_iterator(); ++it) ++entries;
    EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace file_explorer::views
