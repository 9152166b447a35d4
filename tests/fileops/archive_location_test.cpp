#include "fileops/archive_location.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "scratch_dir.h"

using namespace file_explorer::fileops;

TEST(ArchiveLocation, ArchiveNames) {
    struct Case {
        const char* path;
        bool archive;
    };
    const Case cases[] = {
        {"/x/bundle.zip", true},  {"Report.ZIP", true},   {"a.tar", true},       {"a.TgZ", true},
        {"photos.tar.gz", true},  {"photos.TAR.GZ", true}, {"notes.gz", false},  {".tar.gz", false},
        {".zip", false},          {"zip", false},          {"a.tar.bz2", false}, {"a.zip.txt", false},
        {"/", false},             {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(is_archive_name(c.path), c.archive) << c.path;
}

TEST(ArchiveLocation, FirstRegularFileAncestorWithArchiveName) {
    ScratchDir dir;
    dir.file("bundle.zip", 10);
    dir.folder("folder.zip");
    dir.folder("plain");
    dir.link("link.zip", dir / "bundle.zip");
    const std::string& d = dir.path();

    struct Case {
        std::string path;
        std::optional<ArchiveLocation> expected;
    };
    const Case cases[] = {
        {d + "/bundle.zip", ArchiveLocation{d + "/bundle.zip", ""}},
        {d + "/bundle.zip/", ArchiveLocation{d + "/bundle.zip", ""}},
        {d + "/bundle.zip/docs", ArchiveLocation{d + "/bundle.zip", "docs"}},
        {d + "/bundle.zip/docs/inner.zip/x", ArchiveLocation{d + "/bundle.zip", "docs/inner.zip/x"}},
        {d + "/link.zip/a", ArchiveLocation{d + "/link.zip", "a"}},
        {d + "/folder.zip/x", std::nullopt},
        {d + "/plain", std::nullopt},
        {d + "/missing.zip/x", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(find_archive_location(c.path), c.expected) << c.path;
}
