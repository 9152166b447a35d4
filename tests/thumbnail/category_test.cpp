#include <gtest/gtest.h>

#include "thumbnail/category.h"

using thumbnail::Category;

TEST(Category, ByName) {
    struct Case {
        const char* path;
        Category expected;
    } cases[] = {
        {"/home/u/sunset.png", Category::Image},   {"harbour.JPG", Category::Image},
        {"launch-clip.mp4", Category::Video},      {"theme.mp3", Category::Audio},
        {"README.md", Category::Text},             {"main.rs", Category::Code},
        {"config.json", Category::Code},           {"/src/Makefile", Category::Code},
        {"Field guide.pdf", Category::Pdf},        {"release.tar.gz", Category::Archive},
        {"release.zip", Category::Archive},        {"Report.docx", Category::Document},
        {"Budget.xlsx", Category::Spreadsheet},    {"deck.odp", Category::Presentation},
        {"Inter.ttf", Category::Font},             {"The Lantern-Keeper.epub", Category::Ebook},
        {"setup.exe", Category::Executable},       {"dataset.parquet", Category::Other},
        {".bashrc", Category::Other},              {"noextension", Category::Other},
        {"trailing.", Category::Other},            {"/photos.d/album.png/", Category::Image},
        {"/a.pdf/inner", Category::Other},         {"", Category::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(thumbnail::category_for_path(c.path), c.expected) << c.path;
    }
    EXPECT_EQ(thumbnail::category_for_path("/home/u/Pictures", true), Category::Folder);
}

TEST(Category, ByMime) {
    EXPECT_EQ(thumbnail::category_for_mime("image/webp"), Category::Image);
    EXPECT_EQ(thumbnail::category_for_mime("Application/PDF"), Category::Pdf);
    EXPECT_EQ(thumbnail::category_for_mime("text/plain; charset=utf-8"), Category::Text);
    EXPECT_EQ(thumbnail::category_for_mime("application/epub+zip"), Category::Ebook);
    EXPECT_EQ(thumbnail::category_for_mime("inode/directory"), Category::Folder);
    EXPECT_EQ(thumbnail::category_for_mime("application/octet-stream"), Category::Other);
}
