#include "fileops/archive_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "archive_fixtures.h"
#include "fileops/archive_listing.h"
#include "scratch_dir.h"

namespace file_explorer::fileops {
namespace {

using archive_fixtures::TarBuilder;
using archive_fixtures::ZipBuilder;
using archive_fixtures::ZipMember;

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;
const std::string kEscapes = "archive entry escapes its destination";
const std::string kEmpty = "empty archive entry";
const std::string kTooMany = "archive has too many entries";
const std::string kTooLarge = "archive expands beyond the safety limit";

TEST(ArchivePaths, SanitizeTable) {
    struct Case {
        std::string name;
        std::expected<std::string, std::string> expected;
    };
    const std::vector<Case> cases = {
        {"a.txt", "a.txt"},
        {"./docs/./a.txt", "docs/a.txt"},
        {"docs//sub/", "docs/sub"},
        {"a\\..\\b", "a\\..\\b"},  // backslashes are ordinary name bytes here
        {"../evil.txt", std::unexpected(kEscapes)},
        {"/etc/passwd", std::unexpected(kEscapes)},
        {"docs/../../evil", std::unexpected(kEscapes)},
        {"docs/..", std::unexpected(kEscapes)},
        {"./", std::unexpected(kEmpty)},
        {".", std::unexpected(kEmpty)},
        {"", std::unexpected(kEmpty)},
    };
    for (const Case& c : cases) EXPECT_EQ(sanitize_entry_path(c.name), c.expected) << c.name;
}

TEST(ArchivePaths, FormatFromExtension) {
    EXPECT_EQ(archive_format("/a/b.zip"), ArchiveFormat::zip);
    EXPECT_EQ(archive_format("/a/B.ZIP"), ArchiveFormat::zip);
    EXPECT_EQ(archive_format("/a/b.tar.gz"), ArchiveFormat::tar_gz);
    EXPECT_EQ(archive_format("/a/b.TGZ"), ArchiveFormat::tar_gz);
    EXPECT_EQ(archive_format("/a/b.tar"), ArchiveFormat::tar);
}

TEST(ArchiveBudget, CountIsCheckedFirstThenOverflowThenTotal) {
    ArchiveBudget count;
    for (std::uint64_t i = 0; i < ArchiveLimits::max_entries; ++i) ASSERT_TRUE(count.admit(0));
    EXPECT_EQ(count.admit(UINT64_MAX), std::unexpected(kTooMany));

    ArchiveBudget overflow;
    ASSERT_TRUE(overflow.admit(1));
    EXPECT_EQ(overflow.admit(UINT64_MAX), std::unexpected(std::string("archive size overflow")));

    ArchiveBudget total;
    ASSERT_TRUE(total.admit(16 * kGiB));
    EXPECT_TRUE(total.admit(0));
    EXPECT_EQ(total.admit(1), std::unexpected(kTooLarge));
}

TEST(ArchiveIndex, TarSkipsLinksAndListsDevicesAsFiles) {
    ScratchDir dir;
    std::string tar = dir / "t.tar";
    ASSERT_TRUE(TarBuilder()
                    .folder("docs/")
                    .file("./docs/a.txt", "hello")
                    .special("docs/link", '2', "/etc")
                    .special("docs/hard", '1', "docs/a.txt")
                    .special("pipe", '6')
                    .special("tty", '3')
                    .write(tar));
    auto index = read_archive_index(tar);
    ASSERT_TRUE(index) << index.error();
    std::vector<ArchiveEntry> expected = {
        {"docs", 0, true}, {"docs/a.txt", 5, false}, {"pipe", 0, false}, {"tty", 0, false}};
    EXPECT_EQ(*index, expected);
}

TEST(ArchiveIndex, ZipFoldersEndInSlashAndLinksAreSkipped) {
    ScratchDir dir;
    std::string zip = dir / "z.zip";
    ASSERT_TRUE(ZipBuilder()
                    .folder("docs/")
                    .file("docs/grün.txt", "12345678")
                    .symlink("docs/link", "/etc/passwd")
                    .file("top", "")
                    .write(zip));
    auto index = read_archive_index(zip);
    ASSERT_TRUE(index) << index.error();
    std::vector<ArchiveEntry> expected = {{"docs", 0, true}, {"docs/grün.txt", 8, false}, {"top", 0, false}};
    EXPECT_EQ(*index, expected);
}

TEST(ArchiveIndex, ReaderErrorsFailTheIndex) {
    ScratchDir dir;
    EXPECT_EQ(read_archive_index(dir / "missing.zip"), std::unexpected(std::string("No such file or directory")));
    archive_fixtures::write_file(dir / "junk.zip", "this is not a zip file at all");
    EXPECT_FALSE(read_archive_index(dir / "junk.zip"));
    archive_fixtures::write_file(dir / "plain.tar.gz", "not gzip");
    EXPECT_EQ(read_archive_index(dir / "plain.tar.gz"), std::unexpected(std::string("invalid gzip header")));
}

TEST(ArchiveIndex, PathRuleErrorsFailTheIndex) {
    ScratchDir dir;
    ASSERT_TRUE(TarBuilder().file("ok", "1").file("../evil", "2").write(dir / "a.tar"));
    EXPECT_EQ(read_archive_index(dir / "a.tar"), std::unexpected(kEscapes));
}

// The count limit in both formats: exactly the limit passes, one more fails.
TEST(ArchiveIndex, MemberCountLimit) {
    ScratchDir dir;
    for (std::uint64_t count : {ArchiveLimits::max_entries, ArchiveLimits::max_entries + 1}) {
        ZipBuilder zip;
        TarBuilder tar;
        for (std::uint64_t i = 0; i < count; ++i) {
            zip.file("f" + std::to_string(i), "");
            tar.special("p" + std::to_string(i), '6');
        }
        ASSERT_TRUE(zip.write(dir / "many.zip"));
        ASSERT_TRUE(tar.write(dir / "many.tar"));
        for (const char* name : {"many.zip", "many.tar"}) {
            auto index = read_archive_index(dir / name);
            if (count == ArchiveLimits::max_entries) {
                ASSERT_TRUE(index) << name << ": " << index.error();
                EXPECT_EQ(index->size(), count);
            } else {
                EXPECT_EQ(index, std::unexpected(kTooMany)) << name;
            }
        }
    }
}

// Declared sizes come from the headers alone; the data is a hole (TAR) or a
// few bytes (ZIP), so no gigabytes are written.
TEST(ArchiveIndex, DeclaredSizeLimit) {
    struct Case {
        std::vector<std::uint64_t> sizes;
        bool passes;
    };
    const std::vector<Case> cases = {
        {{16 * kGiB}, true},
        {{16 * kGiB + 1}, false},
        {{8 * kGiB, 8 * kGiB}, true},
        {{8 * kGiB, 8 * kGiB + 1}, false},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        TarBuilder tar;
        ZipBuilder zip;
        for (std::size_t i = 0; i < c.sizes.size(); ++i) {
            tar.hollow("big" + std::to_string(i), c.sizes[i]);
            zip.add(ZipMember{"big" + std::to_string(i), "tiny", c.sizes[i], 0});
        }
        ASSERT_TRUE(tar.write(dir / "big.tar"));
        ASSERT_TRUE(zip.write(dir / "big.zip"));
        for (const char* name : {"big.tar", "big.zip"}) {
            auto index = read_archive_index(dir / name);
            if (c.passes) {
                ASSERT_TRUE(index) << name << ": " << index.error();
                EXPECT_EQ(index->back().size, c.sizes.back()) << name;
            } else {
                EXPECT_EQ(index, std::unexpected(kTooLarge)) << name;
            }
        }
    }
}

}  // namespace
}  // namespace file_explorer::fileops
