#include "fileops/paths.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace file_explorer::fileops;

TEST(Paths, ParentAndFileName) {
    struct Case {
        std::string path;
        std::optional<std::string> parent;
        std::string name;
    };
    const Case cases[] = {
        {"/a/b.txt", "/a", "b.txt"},
        {"/a//b/", "/a", "b"},
        {"/a/./b", "/a", "b"},
        {"/a", "/", "a"},
        {"/", std::nullopt, ""},
        {"", std::nullopt, ""},
        {"a.txt", "", "a.txt"},
        {"./a", ".", "a"},
        {"/a/..", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parent_path(c.path), c.parent) << c.path;
        EXPECT_EQ(file_name(c.path), c.name) << c.path;
    }
}

TEST(Paths, JoinKeepsRawBytes) {
    EXPECT_EQ(join_path("/a", "b"), "/a/b");
    EXPECT_EQ(join_path("/a/", "b"), "/a/b");
    EXPECT_EQ(join_path("/", "b"), "/b");
    EXPECT_EQ(join_path("", "b"), "b");
    EXPECT_EQ(join_path("/a", "/etc"), "/etc");
    EXPECT_EQ(join_path("/a", "x\xff\ny"), "/a/x\xff\ny");
}

TEST(Paths, ComponentWiseComparison) {
    struct Case {
        std::string path, base;
        bool same, starts;
    };
    const Case cases[] = {
        {"/var/workspace", "/var/workspace", true, true},
        {"/var/workspace/", "/var/workspace", true, true},
        {"/var//workspace/./a", "/var/workspace", false, true},
        {"/var/workspace2", "/var/workspace", false, false},
        {"/var", "/var/workspace", false, false},
        {"var/workspace", "/var/workspace", false, false},
        {"/anything", "/", false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(same_path(c.path, c.base), c.same) << c.path << " vs " << c.base;
        EXPECT_EQ(path_starts_with(c.path, c.base), c.starts) << c.path << " vs " << c.base;
    }
}
