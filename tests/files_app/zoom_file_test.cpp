#include "files_app/zoom_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fa = file_explorer::files_app;

TEST(ZoomFile, ParsesAndClamps) {
    const std::pair<const char*, int> cases[] = {
        {"0", 0},   {"3", 3},    {"-2", -2}, {"-7", -2}, {"9", 6},          {"+3", 3},
        {"+", 0},   {"-", 0},    {"x", 0},   {"", 0},    {"3\n", 0},        {" 3", 0},
        {"2x", 0},  {"6", 6},    {"-0", 0},  {"99999999999", 0}, {"2147483647", 6},
    };
    for (auto [text, step] : cases) EXPECT_EQ(fa::parse_zoom_text(text), step) << '"' << text << '"';
}

TEST(ZoomFile, WritesAtomicallyAndReadsBack) {
    auto dir = std::filesystem::temp_directory_path() / ("zoom-test-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    const std::optional<std::string> config = (dir / "vesk-files").string();
    EXPECT_EQ(fa::read_zoom_step(config), 0);
    fa::write_zoom_step(config, -2);
    std::ifstream in(dir / "vesk-files" / "zoom");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "-2");
    EXPECT_EQ(fa::read_zoom_step(config), -2);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "vesk-files"), {}), 1);
    std::filesystem::remove_all(dir);
}
