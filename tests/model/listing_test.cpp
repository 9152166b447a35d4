#include "model/listing.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "i18n/i18n.h"
#include "model/load.h"
#include "scratch_dir.h"

using namespace file_explorer::model;

namespace {

const FileEntry* find(const std::vector<FileEntry>& entries, const std::string& path) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const FileEntry& e) { return e.path == path; });
    return it == entries.end() ? nullptr : &*it;
}

}  // namespace

TEST(Listing, EntriesDescribeTheItemsThemselves) {
    ScratchDir dir;
    dir.file(".hidden");
    dir.file("shown.txt", 5);
    dir.folder("sub");
    dir.link("link-to-sub", dir / "sub");
    dir.link("dangling", dir / "nowhere");
    dir.file("bad\xFF.txt", 3);
    dir.file("two\nlines", 1);

    auto listed = list_directory(dir.path(), false);
    ASSERT_TRUE(listed) << listed.error();
    ASSERT_EQ(listed->size(), 7u);

    struct Case {
        std::string raw_name;
        std::string name;
        bool is_dir;
        std::uint64_t size;
        std::string_view mime;
    };
    const Case cases[] = {
        {".hidden", ".hidden", false, 0, "application/octet-stream"},
        {"shown.txt", "shown.txt", false, 5, "text/plain"},
        {"link-to-sub", "link-to-sub", false, (dir / "sub").size(), "application/octet-stream"},
        {"dangling", "dangling", false, (dir / "nowhere").size(), "application/octet-stream"},
        {"bad\xFF.txt", "bad\uFFFD.txt", false, 3, "text/plain"},
        {"two\nlines", "two\nlines", false, 1, "application/octet-stream"},
    };
    for (const Case& c : cases) {
        const FileEntry* e = find(*listed, dir / c.raw_name);
        ASSERT_NE(e, nullptr) << c.raw_name;
        EXPECT_EQ(e->name, c.name);
        EXPECT_EQ(e->is_dir, c.is_dir) << c.raw_name;
        EXPECT_EQ(e->size, c.size) << c.raw_name;
        EXPECT_EQ(e->mime.text(), c.mime) << c.raw_name;
        EXPECT_TRUE(e->modified.has_value()) << c.raw_name;
        EXPECT_EQ(e->sync_state, SyncState::Unknown);
        EXPECT_FALSE(e->collab.has_value());
    }
    const FileEntry* sub = find(*listed, dir / "sub");
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->is_dir);

    // The raw path reaches the real item even though the name is not UTF-8.
    EXPECT_TRUE(std::ifstream(find(*listed, dir / "bad\xFF.txt")->path).good());
}

TEST(Listing, CollaborativeFolderReadsWithoutFailing) {
    ScratchDir dir;
    dir.file("a.txt");
    dir.folder("d");
    auto listed = list_directory(dir.path(), true);
    ASSERT_TRUE(listed) << listed.error();
    EXPECT_EQ(listed->size(), 2u);
}

TEST(Listing, FolderThatCannotBeOpened) {
    ScratchDir dir;
    std::string file = dir.file("file");
    struct Case {
        std::string path;
        int error;
    };
    std::vector<Case> cases = {{dir / "missing", ENOENT}, {file, ENOTDIR}};
    if (geteuid() != 0) {  // root reads any folder
        std::string locked = dir.folder("locked");
        chmod(locked.c_str(), 0);
        cases.push_back({locked, EACCES});
    }
    for (const Case& c : cases) {
        auto listed = list_directory(c.path, false);
        ASSERT_FALSE(listed) << c.path;
        EXPECT_EQ(listed.error(), std::strerror(c.error));
    }
}

TEST(Load, HiddenNamesAndOrder) {
    ScratchDir dir;
    dir.file(".hidden");
    dir.file("b");
    dir.file("A");
    dir.folder("z");

    LoadOptions options;
    LoadOutcome hidden_off = load_location(dir.path(), options);
    EXPECT_FALSE(hidden_off.error);
    EXPECT_FALSE(hidden_off.is_archive);
    EXPECT_FALSE(hidden_off.status_message);
    std::vector<std::string> names;
    for (const FileEntry& e : hidden_off.entries) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"z", "A", "b"}));

    options.show_hidden = true;
    options.sort = {SortKey::Name, SortDirection::Descending};
    names.clear();
    for (const FileEntry& e : load_location(dir.path(), options).entries) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"z", "b", "A", ".hidden"}));
}

TEST(Load, ErrorIsTheFormattedMessage) {
    ScratchDir dir;
    LoadOutcome outcome = load_location(dir / "missing", {});
    EXPECT_TRUE(outcome.entries.empty());
    ASSERT_TRUE(outcome.error);
    using namespace file_explorer::i18n;
    EXPECT_EQ(*outcome.error, tr_args("files-directory-read-failed", Args().text("error", std::strerror(ENOENT))));
}

TEST(Load, TrashFilesFolderIsCreated) {
    ScratchDir dir;
    LoadOptions options;
    options.trash_files_folder = dir / "Trash/files";
    LoadOutcome outcome = load_location(dir / "Trash/files/", options);
    EXPECT_FALSE(outcome.error);
    EXPECT_TRUE(outcome.entries.empty());
    EXPECT_TRUE(exists_no_follow(dir / "Trash/files"));
    // Other paths are never created.
    EXPECT_TRUE(load_location(dir / "other", options).error);
    EXPECT_FALSE(exists_no_follow(dir / "other"));
}

TEST(Load, ArchiveLocationGoesToTheArchiveReader) {
    ScratchDir dir;
    dir.file("bundle.zip", 4);
    LoadOutcome outcome = load_location(dir / "bundle.zip/docs", {});
    EXPECT_TRUE(outcome.is_archive);
    // Reading archives is not built yet: the reader's error is shown like a
    // folder read error.
    EXPECT_TRUE(outcome.error);
    EXPECT_FALSE(outcome.status_message);
}
