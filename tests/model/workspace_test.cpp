#include "model/workspace.h"

#include <gtest/gtest.h>

#include "scratch_dir.h"

using namespace file_explorer::model;

namespace {
using Roots = std::vector<std::string>;
}

TEST(Workspace, RootsFromTheEnvironmentValue) {
    ScratchDir dir;
    std::string a = dir.folder("a");
    std::string b = dir.folder("b");
    std::string home = dir.folder("home");
    dir.folder("home/Shared");
    struct Case {
        std::string value;
        Roots expected;
    };
    const Case cases[] = {
        {a + ":" + b, {a, b}},
        {"::" + b + "::" + a + ":", {b, a}},
        {dir / "missing", {}},
        {"", {}},
        {b + ":" + dir / "missing", {b}},
    };
    for (const Case& c : cases) EXPECT_EQ(resolve_workspace_roots(c.value, home), c.expected) << c.value;
}

TEST(Workspace, DefaultRoots) {
    ScratchDir dir;
    std::string home = dir.folder("home");
    Roots system;
    if (exists_no_follow("/var/workspace")) system.push_back("/var/workspace");

    EXPECT_EQ(resolve_workspace_roots(std::nullopt, home), system) << "no Shared folder";
    EXPECT_EQ(resolve_workspace_roots(std::nullopt, std::nullopt), system) << "no home";
    dir.folder("home/Shared");
    Roots with_shared = system;
    with_shared.push_back(home + "/Shared");
    EXPECT_EQ(resolve_workspace_roots(std::nullopt, home), with_shared);
}

TEST(Workspace, CollaborativePaths) {
    const Roots roots = {"/var/workspace", "/home/u/Shared"};
    struct Case {
        const char* path;
        bool collaborative;
    };
    const Case cases[] = {
        {"/var/workspace", true},  {"/var/workspace/", true},    {"/var/workspace/project/a", true},
        {"/var/workspace2", false}, {"/var", false},             {"/home/u/Shared/x", true},
        {"/home/u", false},        {"var/workspace/x", false},
    };
    for (const Case& c : cases) EXPECT_EQ(is_collaborative_path(c.path, roots), c.collaborative) << c.path;
    EXPECT_FALSE(is_collaborative_path("/var/workspace/x", {}));
}
