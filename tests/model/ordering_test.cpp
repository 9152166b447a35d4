#include "model/ordering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace file_explorer::model;

namespace {

FileEntry file(std::string name, std::uint64_t size = 0, std::optional<std::int64_t> modified = std::nullopt,
               MimeType mime = kOctetStream) {
    FileEntry e;
    e.name = name;
    e.path = "/x/" + name;
    e.size = size;
    if (modified) e.modified = ModifiedTime{*modified, 0};
    e.mime = mime;
    return e;
}

FileEntry folder(std::string name) {
    FileEntry e = file(std::move(name));
    e.is_dir = true;
    return e;
}

// Entries are told apart by path, since equal names are part of the tests.
std::vector<std::string> paths(const std::vector<FileEntry>& entries) {
    std::vector<std::string> out;
    for (const FileEntry& e : entries) out.push_back(e.path.substr(3));
    return out;
}

using Names = std::vector<std::string>;
constexpr auto Asc = SortDirection::Ascending;
constexpr auto Desc = SortDirection::Descending;

}  // namespace

TEST(Ordering, KeysDirectionsTiesAndFoldersFirst) {
    struct Case {
        const char* what;
        std::vector<FileEntry> entries;
        SortKey key;
        SortDirection direction;
        Names expected;
    };
    const Case cases[] = {
        {"equal names keep their order", {file("b"), file("A"), file("a")}, SortKey::Name, Asc, {"A", "a", "b"}},
        {"reversed, ties still stable", {file("b"), file("A"), file("a")}, SortKey::Name, Desc, {"b", "A", "a"}},
        {"folders lead descending too", {file("alpha"), folder("zeta")}, SortKey::Name, Desc, {"zeta", "alpha"}},
        {"folders sorted among themselves", {folder("b"), file("a"), folder("A2")}, SortKey::Name, Asc,
         {"A2", "b", "a"}},
        {"no natural digit order", {file("file2"), file("file10")}, SortKey::Name, Asc, {"file10", "file2"}},
        {"full Unicode lower case", {file("Zebra"), file("Äpfel"), file("apfel")}, SortKey::Name, Asc,
         {"apfel", "Zebra", "Äpfel"}},
        {"sizes as numbers", {file("x", 10), file("y", 2), file("z", 10)}, SortKey::Size, Asc, {"y", "x", "z"}},
        {"sizes descending", {file("x", 10), file("y", 2), file("z", 10)}, SortKey::Size, Desc, {"x", "z", "y"}},
        {"huge sizes", {file("big", UINT64_MAX), file("small", 1)}, SortKey::Size, Asc, {"small", "big"}},
        {"no time first", {file("new", 0, 200), file("none"), file("old", 0, -5)}, SortKey::Modified, Asc,
         {"none", "old", "new"}},
        {"no time last descending", {file("new", 0, 200), file("none"), file("old", 0, -5)}, SortKey::Modified,
         Desc, {"new", "old", "none"}},
        {"type texts", {file("t", 0, {}, "text/plain"), file("i", 0, {}, "image/png"), file("o")}, SortKey::Type,
         Asc, {"o", "i", "t"}},
        {"folder size ignored against files", {file("f", 0), folder("d")}, SortKey::Size, Asc, {"d", "f"}},
    };
    for (const Case& c : cases) {
        std::vector<FileEntry> entries = c.entries;
        sort_entries(entries, c.key, c.direction);
        EXPECT_EQ(paths(entries), c.expected) << c.what;
    }
}

TEST(Ordering, SortAgreesWithTheComparator) {
    const std::vector<std::string> names = {"b",  "B",   "a",  "Ä",  "ä",  "ß",  "SS", "İx", "ix",  "ΣΑΣ",
                                            "σας", "file10", "file2", ".h", "Z", "é", "E", "😀", "ǅ", "ǆ"};
    std::mt19937 rng(7);
    std::vector<FileEntry> entries;
    for (int i = 0; i < 300; ++i) {
        FileEntry e = file(names[rng() % names.size()], rng() % 4, rng() % 3 ? std::optional<std::int64_t>(rng() % 5)
                                                                             : std::nullopt,
                           rng() % 2 ? MimeType("text/plain") : MimeType("image/png"));
        e.path = "/x/" + std::to_string(i);
        e.is_dir = rng() % 5 == 0;
        entries.push_back(e);
    }
    for (SortKey key : {SortKey::Name, SortKey::Size, SortKey::Modified, SortKey::Type}) {
        for (SortDirection direction : {Asc, Desc}) {
            std::vector<FileEntry> expected = entries;
            std::stable_sort(expected.begin(), expected.end(), [&](const FileEntry& a, const FileEntry& b) {
                return compare_entries(a, b, key, direction) < 0;
            });
            std::vector<FileEntry> actual = entries;
            sort_entries(actual, key, direction);
            EXPECT_EQ(paths(actual), paths(expected)) << sort_key_name(key) << " " << sort_direction_name(direction);
        }
    }
}

TEST(Ordering, FoldName) {
    EXPECT_EQ(fold_name("ABC.TXT"), "abc.txt");
    EXPECT_EQ(fold_name("ÄÖÜ"), "äöü");
    EXPECT_EQ(fold_name("İ"), "i\u0307");  // full mapping: two code points
    EXPECT_EQ(fold_name("ΣΑΣ"), "σας");     // final sigma
    EXPECT_EQ(fold_name("ß"), "ß");
}

TEST(Ordering, SortStateChanges) {
    std::vector<FileEntry> entries = {file("a", 2), file("b", 1)};
    SortState state;
    set_sort_key(state, entries, SortKey::Size);
    EXPECT_EQ(paths(entries), (Names{"b", "a"}));

    sort_by_column(state, entries, SortKey::Size);  // same column: flip
    EXPECT_EQ(state, (SortState{SortKey::Size, Desc}));
    EXPECT_EQ(paths(entries), (Names{"a", "b"}));

    sort_by_column(state, entries, SortKey::Name);  // other column: keep direction
    EXPECT_EQ(state, (SortState{SortKey::Name, Desc}));
    EXPECT_EQ(paths(entries), (Names{"b", "a"}));

    set_sort_direction(state, entries, Desc);
    EXPECT_EQ(state.direction, Desc);
    set_sort_direction(state, entries, Asc);
    EXPECT_EQ(state.direction, Asc);
    EXPECT_EQ(paths(entries), (Names{"a", "b"}));
    toggle_sort_direction(state, entries);
    EXPECT_EQ(state.direction, Desc);
}

TEST(Ordering, OrderHash) {
    EXPECT_EQ(order_hash({}), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(order_hash({file("a")}), "f412657f330524fe41f96a52aea3d506f93e7f284720cf781a098a5361f610d8");
    EXPECT_EQ(order_hash({folder("zeta"), file("Äpfel"), file("b")}),
              "3e112ee73da8b4ff4ab0e3fede931bc07bc3b56d00e119dd6eaebf80afa55352");
}

TEST(Ordering, DisplayNames) {
    EXPECT_EQ(sort_key_name(SortKey::Modified), "Modified");
    EXPECT_EQ(sort_key_name(SortKey::Type), "Type");
    EXPECT_EQ(sort_direction_name(Desc), "Descending");
    EXPECT_EQ(view_mode_name(ViewMode::Grid), "Grid");
}
