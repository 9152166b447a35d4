#include "fileops/archive_listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive_fixtures.h"
#include "scratch_dir.h"

namespace file_explorer::fileops {
namespace {

using archive_fixtures::TarBuilder;
using archive_fixtures::ZipBuilder;

class ArchiveListing : public ::testing::Test {
protected:
    void SetUp() override {
        // Folders implied by deeper members, an explicit folder, a name seen
        // first as a file and then as a prefix, and a duplicate.
        ASSERT_TRUE(ZipBuilder()
                        .file("a.txt", "abc")
                        .file("b/c/d.txt", "12345")
                        .folder("b/")
                        .file("x", "file first")
                        .file("x/y", "then a folder")
                        .file("a.txt", "again")
                        .folder("empty/")
                        .write(zip_));
    }
    ScratchDir dir_;
    std::string zip_ = dir_ / "bundle.zip";
};

TEST_F(ArchiveListing, RootMergesChildrenByName) {
    auto root = list_archive_folder(zip_, "");
    ASSERT_TRUE(root) << root.error();
    std::vector<ArchiveEntry> expected = {
        {"a.txt", 3, false}, {"b", 0, true}, {"x", 0, true}, {"empty", 0, true}};
    EXPECT_EQ(*root, expected);
}

TEST_F(ArchiveListing, InnerFolders) {
    std::vector<ArchiveEntry> b = {{"b/c", 0, true}};
    EXPECT_EQ(list_archive_folder(zip_, "b"), b);
    EXPECT_EQ(list_archive_folder(zip_, "./b/"), b);
    std::vector<ArchiveEntry> c = {{"b/c/d.txt", 5, false}};
    EXPECT_EQ(list_archive_folder(zip_, "b/c"), c);
    EXPECT_EQ(list_archive_folder(zip_, "empty"), std::vector<ArchiveEntry>{});
    EXPECT_EQ(list_archive_folder(zip_, "."), list_archive_folder(zip_, ""));
}

TEST_F(ArchiveListing, InnerPathThatEscapesFails) {
    EXPECT_EQ(list_archive_folder(zip_, "b/../.."),
              std::unexpected(std::string("archive entry escapes its destination")));
}

TEST(ArchiveListingTar, GzipTarIsListed) {
    ScratchDir dir;
    ASSERT_TRUE(TarBuilder().folder("photos/").file("photos/p.jpg", "jpeg").write(dir / "plain.tar"));
    ASSERT_TRUE(archive_fixtures::write_gzip(dir / "photos.tar.gz", archive_fixtures::read_file(dir / "plain.tar")));
    std::vector<ArchiveEntry> expected = {{"photos/p.jpg", 4, false}};
    EXPECT_EQ(list_archive_folder(dir / "photos.tar.gz", "photos"), expected);
}

}  // namespace
}  // namespace file_explorer::fileops
