#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "test_support.h"
#include "vesk_ui/shot.h"

namespace vesk_ui {
namespace {

TEST(ShotSize, ParsesOrFallsBack) {
    const Size toolkit{1000, 500};
    struct Case {
        std::optional<std::string> value;
        std::optional<Size> default_size;
        Size expected;
    };
    const Case cases[] = {
        {"800x600", std::nullopt, {800, 600}},
        {"800X600", std::nullopt, {800, 600}},
        {"0x0", std::nullopt, {0, 0}},
        {"4294967295x1", std::nullopt, {4294967295.0f, 1}},
        {"800", std::nullopt, {1200, 720}},
        {"x600", std::nullopt, {1200, 720}},
        {"800x", std::nullopt, {1200, 720}},
        {"-1x5", std::nullopt, {1200, 720}},
        {"+1x5", std::nullopt, {1200, 720}},
        {"4294967296x1", std::nullopt, {1200, 720}},
        {"800x600x2", std::nullopt, {1200, 720}},
        {" 800x600", std::nullopt, {1200, 720}},
        {"800", toolkit, toolkit},
        {std::nullopt, toolkit, toolkit},
        {std::nullopt, std::nullopt, {1200, 720}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shot::parse_size(c.value, c.default_size), c.expected) << c.value.value_or("(none)");
    }
}

TEST(ShotWrite, CreatesFoldersAndReplacesAtomically) {
    test::TempDir dir;
    std::string path = dir / "a/b/shot.png";
    ASSERT_TRUE(shot::write_file_atomically(path, "first").has_value());
    ASSERT_TRUE(shot::write_file_atomically(path, "second").has_value());
    EXPECT_EQ(test::read_file(path), "second");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "a/b"), {}), 1);
}

TEST(ShotWrite, FailureLeavesNoTemporaryFile) {
    test::TempDir dir;
    // The target is a folder that holds a file: the rename must fail.
    std::filesystem::create_directories(dir / "out.png/inside");
    auto result = shot::write_file_atomically(dir / "out.png", "bytes");
    ASSERT_FALSE(result.has_value());
    EXPECT_NE(result.error().find("rename"), std::string::npos) << result.error();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace vesk_ui
