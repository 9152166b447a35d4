#include "fileops/archive_extract.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "archive_fixtures.h"
#include "fileops/archive_commands.h"
#include "fileops/archive_reader.h"
#include "fileops/paths.h"
#include "i18n/i18n.h"
#include "scratch_dir.h"

namespace file_explorer::fileops {
namespace {

using archive_fixtures::names_in;
using archive_fixtures::snapshot;
using archive_fixtures::TarBuilder;
using archive_fixtures::ZipBuilder;
using archive_fixtures::ZipMember;
using ::testing::HasSubstr;

using Tree = std::map<std::string, std::string>;

TEST(ExtractionDestination, NumberingAndSuffixRules) {
    ScratchDir dir;
    dir.folder("photos");
    dir.folder("music");
    dir.folder("music 2");
    dir.link("dangling", dir / "nowhere");
    struct Case {
        std::string archive;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {dir / "photos.tar.gz", dir / "photos 2"},
        {dir / "music.zip", dir / "music 3"},
        {dir / "Report.ZIP", dir / "Report.ZIP"},  // suffixes are removed case-sensitively
        {dir / "a.tar.gz.gz", dir / "a"},
        {dir / "b.tar.tar.zip.zip", dir / "b.tar.tar"},
        {dir / "c.tgz", dir / "c.tgz"},
        {dir / "dangling.zip", dir / "dangling"},  // existence follows links
        {dir / "\xff\xfe.zip", dir / "Archive"},
    };
    for (const Case& c : cases) EXPECT_EQ(extraction_destination(c.archive, "/unused"), c.expected) << c.archive;

    // An existing archive whose name keeps no suffix collides with itself.
    dir.file("Report.ZIP");
    EXPECT_EQ(extraction_destination(dir / "Report.ZIP", "/unused"), dir / "Report.ZIP 2");
    // Without a folder of its own the archive goes to the current folder.
    EXPECT_EQ(extraction_destination("x.zip", dir.path()), dir / "x");
}

class Extract : public ::testing::Test {
protected:
    std::string archive(const char* name) const { return dir_ / name; }
    // Extracts into dest and checks that nothing but the archive and, on
    // success, the destination remains beside it; nothing appears outside.
    std::expected<std::uint64_t, std::string> extract(const std::string& path) {
        auto result = extract_archive(path, dest_);
        std::vector<std::string> left = names_in(dir_.path());
        std::vector<std::string> allowed = {std::string(file_name(path))};
        if (result) allowed.push_back("dest");
        std::sort(allowed.begin(), allowed.end());
        EXPECT_EQ(left, allowed);
        EXPECT_EQ(names_in(outside_.path()), std::vector<std::string>{"canary"});
        return result;
    }

    ScratchDir outside_;
    ScratchDir dir_;
    std::string dest_ = dir_ / "dest";

    void SetUp() override { outside_.file("canary", 3); }
};

TEST_F(Extract, WritesFilesAndFoldersButNoLinksOrDevices) {
    std::string tar = archive("t.tar");
    TarBuilder builder;
    builder.folder("./empty/")
        .file("./docs/./a.txt", "hello")
        .special("link", '2', outside_.path())
        .file("link/evil.txt", "stays inside")  // the skipped link is a plain folder here
        .special("hard", '1', "docs/a.txt")
        .special("pipe", '6')
        .special("disk", '4');
    builder.add({"secret", '0', "data", 4, {}, false, 04777});
    ASSERT_TRUE(builder.write(tar));
    mode_t old_mask = umask(022);
    auto count = extract(tar);
    umask(old_mask);
    ASSERT_TRUE(count) << count.error();
    EXPECT_EQ(*count, 3u);
    Tree expected = {{"empty", "dir"},      {"docs", "dir"},          {"docs/a.txt", "hello"},
                     {"link", "dir"},       {"link/evil.txt", "stays inside"}, {"secret", "data"}};
    EXPECT_EQ(snapshot(dest_), expected);
    struct stat status {};
    ASSERT_EQ(stat((dest_ + "/secret").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644u);  // no permissions come from the archive
    ASSERT_EQ(stat((dest_ + "/empty").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0755u);
}

TEST_F(Extract, ZipSymbolicLinksAreSkipped) {
    std::string zip = archive("z.zip");
    ASSERT_TRUE(ZipBuilder().symlink("link", outside_ / "canary").file("a.txt", "A").write(zip));
    auto count = extract(zip);
    ASSERT_TRUE(count) << count.error();
    EXPECT_EQ(*count, 1u);
    EXPECT_EQ(snapshot(dest_), (Tree{{"a.txt", "A"}}));
}

// Every hostile archive fails as a whole and leaves nothing behind.
TEST_F(Extract, HostileArchives) {
    const std::string escapes = "archive entry escapes its destination";
    std::string big(70000, 'x');
    struct Case {
        const char* what;
        const char* name;
        std::function<bool(const std::string&)> build;
        std::vector<std::string> errors;  // any of these
    };
    const std::vector<Case> cases = {
        {"zip dot-dot", "a.zip", [](auto& p) { return ZipBuilder().file("ok", "1").file("../evil.txt", "x").write(p); },
         {escapes}},
        {"tar dot-dot", "a.tar", [](auto& p) { return TarBuilder().file("ok", "1").file("../evil.txt", "x").write(p); },
         {escapes}},
        {"zip absolute", "a.zip", [&](auto& p) { return ZipBuilder().file(outside_ / "evil", "x").write(p); }, {escapes}},
        {"tar absolute", "a.tar", [&](auto& p) { return TarBuilder().file(outside_ / "evil", "x").write(p); }, {escapes}},
        {"tar nested dot-dot", "a.tar",
         [](auto& p) { return TarBuilder().folder("d/").file("d/../../evil", "x").write(p); }, {escapes}},
        {"zip dot alone", "a.zip", [](auto& p) { return ZipBuilder().file("ok", "1").folder("./").write(p); },
         {"empty archive entry"}},
        {"tar dot alone", "a.tar", [](auto& p) { return TarBuilder().file("ok", "1").folder("./").write(p); },
         {"empty archive entry"}},
        {"zip duplicate", "a.zip", [](auto& p) { return ZipBuilder().file("a.txt", "1").file("a.txt", "2").write(p); },
         {"File exists"}},
        {"tar file below a file", "a.tar", [](auto& p) { return TarBuilder().file("a", "1").file("a/b", "2").write(p); },
         {"Not a directory", "File exists"}},
        {"zip declares more than it holds", "a.zip",
         [](auto& p) { return ZipBuilder().add(ZipMember{"short", "12345", 9, 0}).write(p); },
         {"truncated ZIP entry", "ZIP uncompressed data is wrong size (read 5, expected 9)"}},
        {"zip declares less than it holds", "a.zip",
         [&](auto& p) { return ZipBuilder().add(ZipMember{"long", big, 10, 0}).write(p); }, {"truncated ZIP entry"}},
        {"zip contents that fail their CRC", "a.zip",
         [](auto& p) {
             std::string bytes = ZipBuilder().file("a", "hello world").bytes();
             bytes[bytes.find("hello world")] = 'j';
             return archive_fixtures::write_file(p, bytes);
         },
         {}},
        {"tar cut inside a member", "a.tar",
         [&](auto& p) { return TarBuilder().file("ok", "1").file("cut", big).write(p) && truncate(p.c_str(), 2048) == 0; },
         {"truncated TAR entry", "Truncated tar archive"}},
        {"tar beyond the size limit", "a.tar",
         [](auto& p) { return TarBuilder().file("ok", "1").hollow("huge", 17'179'869'185ull).write(p); },
         {"archive expands beyond the safety limit"}},
        {"corrupt gzip stream", "a.tar.gz",
         [&](auto& p) {
             std::string tar_path = p + ".plain";
             if (!TarBuilder().file("a", big).file("b", big).write(tar_path)) return false;
             std::string tar = archive_fixtures::read_file(tar_path);
             unlink(tar_path.c_str());
             if (!archive_fixtures::write_gzip(p, tar)) return false;
             std::string gz = archive_fixtures::read_file(p);
             for (std::size_t i = gz.size() / 2; i < gz.size() / 2 + 16; ++i) gz[i] = static_cast<char>(~gz[i]);
             return archive_fixtures::write_file(p, gz);
         },
         {}},
        {"not gzip at all", "a.tar.gz", [](auto& p) { return TarBuilder().file("a", "1").write(p); },
         {"invalid gzip header"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = archive(c.name);
        ASSERT_TRUE(c.build(path));
        auto result = extract(path);
        ASSERT_FALSE(result);
        if (!c.errors.empty()) {
            EXPECT_THAT(c.errors, ::testing::Contains(result.error()));
        }
        unlink(path.c_str());
    }
}

TEST_F(Extract, CountLimitAppliesWhileExtracting) {
    for (std::uint64_t count : {ArchiveLimits::max_entries, ArchiveLimits::max_entries + 1}) {
        TarBuilder tar;
        for (std::uint64_t i = 0; i < count; ++i) tar.special("p" + std::to_string(i), '6');
        std::string path = archive("fifos.tar");
        ASSERT_TRUE(tar.write(path));
        auto result = extract(path);
        if (count == ArchiveLimits::max_entries) {
            EXPECT_EQ(result, 0u);  // FIFOs are counted but never created
        } else {
            EXPECT_EQ(result, std::unexpected(std::string("archive has too many entries")));
        }
        std::filesystem::remove_all(dest_);
    }
}

TEST_F(Extract, DestinationRules) {
    std::string zip = archive("z.zip");
    ASSERT_TRUE(ZipBuilder().file("a", "1").write(zip));
    dir_.folder("taken");
    EXPECT_EQ(extract_archive(zip, dir_ / "taken"), std::unexpected(std::string("the destination already exists")));
    EXPECT_EQ(extract_archive(zip, dir_ / "missing/.."), std::unexpected(std::string("destination has no parent")));
    EXPECT_TRUE(names_in(dir_ / "taken").empty());

    // Missing ancestors of the destination are created.
    EXPECT_EQ(extract_archive(zip, dir_ / "new/deeper/out"), 1u);
    EXPECT_EQ(snapshot(dir_ / "new"), (Tree{{"deeper", "dir"}, {"deeper/out", "dir"}, {"deeper/out/a", "1"}}));
}

TEST_F(Extract, TemporaryFolderNames) {
    std::string zip = archive("z.zip");
    ASSERT_TRUE(ZipBuilder().file("a", "1").write(zip));
    std::string prefix = ".dest.extracting-" + std::to_string(getpid()) + "-";
    dir_.file(prefix + "0", 1);  // taken: the next counter is used and the taken one left alone
    EXPECT_EQ(extract_archive(zip, dest_), 1u);
    EXPECT_EQ(names_in(dir_.path()), (std::vector<std::string>{prefix + "0", "dest", "z.zip"}));

    for (int i = 1; i < 1000; ++i) dir_.file(prefix + std::to_string(i));
    std::filesystem::remove_all(dest_);
    EXPECT_EQ(extract_archive(zip, dest_),
              std::unexpected(std::string("could not reserve a temporary extraction folder")));
    EXPECT_FALSE(exists_no_follow(dest_));
}

TEST_F(Extract, SelectedArchivesContinueAfterAFailure) {
    std::string good = archive("good.zip");
    std::string bad = archive("bad.tar");
    ASSERT_TRUE(ZipBuilder().file("a", "1").file("b", "2").write(good));
    ASSERT_TRUE(archive_fixtures::write_file(bad, "garbage that is no tar"));
    std::string other = dir_.file("notes.txt");

    ArchiveCommandOutcome outcome = extract_selected_archives({bad, other, good}, dir_.path());
    EXPECT_TRUE(outcome.reload);
    EXPECT_EQ(snapshot(dir_ / "good"), (Tree{{"a", "1"}, {"b", "2"}}));
    EXPECT_FALSE(exists_no_follow(dir_ / "bad"));
    std::string expected_start = i18n::tr_args(
        "files-archive-extracted-partial", i18n::Args().number("count", 2).text("failures", bad + ": "));
    EXPECT_THAT(outcome.status, HasSubstr(bad + ": "));
    EXPECT_EQ(outcome.status.substr(0, expected_start.size()), expected_start);

    outcome = extract_selected_archives({good}, dir_.path());
    EXPECT_EQ(outcome.status, i18n::tr_args("files-archive-extracted", i18n::Args().number("count", 2)));
    EXPECT_TRUE(exists_no_follow(dir_ / "good 2/a"));

    outcome = extract_selected_archives({other}, dir_.path());
    EXPECT_EQ(outcome.status, i18n::tr("files-archive-select"));
    EXPECT_FALSE(outcome.reload);
}

TEST_F(Extract, BrowsedArchive) {
    std::string good = archive("good.tar");
    ASSERT_TRUE(TarBuilder().file("a", "1").write(good));
    ArchiveCommandOutcome outcome = extract_browsed_archive(good, good + "/inner");
    EXPECT_EQ(outcome.status, i18n::tr_args("files-archive-extracted", i18n::Args().number("count", 1)));
    EXPECT_TRUE(exists_no_follow(dir_ / "good/a"));

    std::string bad = archive("bad.tar");
    ASSERT_TRUE(TarBuilder().file("../x", "1").write(bad));
    outcome = extract_browsed_archive(bad, bad);
    EXPECT_EQ(outcome.status, i18n::tr_args("files-archive-extract-failed",
                                            i18n::Args().text("error", "archive entry escapes its destination")));
}

}  // namespace
}  // namespace file_explorer::fileops
