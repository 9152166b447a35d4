#include "fileops/transfer.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>

#include "fileops/copy_tree.h"
#include "fileops/fault_seam.h"
#include "i18n/i18n.h"
#include "transfer_fixture.h"

using namespace file_explorer;
using namespace file_explorer::fileops;
using namespace transfer_test;

namespace {

std::expected<std::string, std::string> failure(std::string text) { return std::unexpected(std::move(text)); }

void build_tree(const std::string& root) {
    mkdir(root.c_str(), 0750);
    write_file(root + "/a.txt", "alpha");
    mkdir((root + "/sub").c_str(), 0700);
    write_file(root + "/sub/b.txt", "beta", 0640);
    symlink("../a.txt", (root + "/sub/link").c_str());
}

ino_t inode_of(const std::string& path) {
    struct stat status {};
    lstat(path.c_str(), &status);
    return status.st_ino;
}

// Records the staging folders the engine tries to create.
struct StagingWatch {
    std::vector<std::string> created;
    ScopedFaultHook hook{[this](FaultSite site, std::string_view path) {
        if (site == FaultSite::make_folder && path.find(kStagingPrefix) != std::string_view::npos)
            created.emplace_back(path);
        return 0;
    }};
};

}  // namespace

TEST(Transfer, CopyIntoItsOwnFolderNumbersAndMoveRefuses) {
    TempFolder dir;
    write_file(dir / "a.txt", "content", 0640);
    EXPECT_EQ(transfer_entry(dir / "a.txt", dir.path(), TransferMode::copy), dir / "a 2.txt");
    EXPECT_EQ(read_file(dir / "a 2.txt"), "content");
    EXPECT_EQ(snapshot(dir / "a 2.txt").at("").mode, 0640u);
    EXPECT_EQ(transfer_entry(dir / "a.txt", dir.path(), TransferMode::move), failure(kAlreadyInFolder));
    EXPECT_EQ(transfer_entry(dir / "a.txt", dir.path() + "/./", TransferMode::move), failure(kAlreadyInFolder));
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"a 2.txt", "a.txt"}));
}

TEST(Transfer, FolderIntoItselfChangesNothing) {
    TempFolder dir;
    build_tree(dir / "tree");
    Snapshot before = snapshot(dir.path());
    for (TransferMode mode : {TransferMode::copy, TransferMode::move}) {
        EXPECT_EQ(transfer_entry(dir / "tree", dir / "tree", mode), failure(kFolderIntoItself));
        EXPECT_EQ(transfer_entry(dir / "tree", dir / "tree/sub", mode), failure(kFolderIntoItself));
    }
    EXPECT_EQ(snapshot(dir.path()), before);
    // A link to a folder is not the folder: copying it into the folder is fine.
    symlink("tree", (dir / "tree-link").c_str());
    EXPECT_EQ(transfer_entry(dir / "tree-link", dir / "tree", TransferMode::copy), dir / "tree/tree-link");
}

TEST(Transfer, MoveOnOneFileSystemIsARename) {
    TempFolder dir;
    build_tree(dir / "tree");
    mkdir((dir / "dest").c_str(), 0755);
    ino_t inode = inode_of(dir / "tree");
    StagingWatch watch;
    EXPECT_EQ(transfer_entry(dir / "tree", dir / "dest", TransferMode::move), dir / "dest/tree");
    EXPECT_EQ(inode_of(dir / "dest/tree"), inode);
    EXPECT_FALSE(exists(dir / "tree"));
    EXPECT_TRUE(watch.created.empty());
}

class TransferAcross : public ::testing::TestWithParam<TransferMode> {};

TEST_P(TransferAcross, BetweenFileSystems) {
    for (auto [from, to] : {std::pair{"/tmp", "/dev/shm"}, std::pair{"/dev/shm", "/tmp"}}) {
        TempFolder src(from);
        TempFolder dst(to);
        build_tree(src / "tree");
        write_file(src / "photo.jpg", "new photo", 0604);
        write_file(dst / "photo.jpg", "old");
        write_file(dst / "photo 2.jpg", "old 2");
        Snapshot tree = snapshot(src / "tree");

        EXPECT_EQ(transfer_entry(src / "tree", dst.path(), GetParam()), dst / "tree");
        EXPECT_EQ(transfer_entry(src / "photo.jpg", dst.path(), GetParam()), dst / "photo 3.jpg");
        EXPECT_EQ(snapshot(dst / "tree"), tree);
        EXPECT_EQ(read_file(dst / "photo.jpg"), "old");
        EXPECT_EQ(read_file(dst / "photo 3.jpg"), "new photo");
        EXPECT_EQ(snapshot(dst / "photo 3.jpg").at("").mode, 0604u);
        bool moved = GetParam() == TransferMode::move;
        EXPECT_EQ(exists(src / "tree"), !moved);
        EXPECT_EQ(exists(src / "photo.jpg"), !moved);
        EXPECT_TRUE(names_with_prefix(dst.path(), ".vesk-transfer").empty());
        EXPECT_TRUE(names_with_prefix(src.path(), ".vesk-transfer").empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, TransferAcross, ::testing::Values(TransferMode::copy, TransferMode::move));

TEST(Transfer, LinksTravelAsLinks) {
    TempFolder src;
    TempFolder dst("/dev/shm");
    symlink("/nonexistent/target", (src / "dangling").c_str());
    mkdir((src / "folder").c_str(), 0755);
    symlink("folder", (src / "folder-link").c_str());
    EXPECT_EQ(transfer_entry(src / "dangling", dst.path(), TransferMode::move), dst / "dangling");
    EXPECT_EQ(transfer_entry(src / "folder-link", dst.path(), TransferMode::copy), dst / "folder-link");
    EXPECT_EQ(snapshot(dst / "dangling").at(""), (Node{'l', 0, "/nonexistent/target"}));
    EXPECT_EQ(snapshot(dst / "folder-link").at(""), (Node{'l', 0, "folder"}));
    EXPECT_FALSE(exists(src / "dangling"));
}

TEST(Transfer, SpecialFileInsideAFolderFailsTheWholeCopy) {
    TempFolder src;
    TempFolder dst;
    build_tree(src / "tree");
    ASSERT_EQ(mkfifo((src / "tree/sub/pipe").c_str(), 0644), 0);
    for (TransferMode mode : {TransferMode::copy, TransferMode::move}) {
        ScopedFaultHook cross(failing({{FaultSite::rename, exactly(dst / "tree"), 0, EXDEV}}));
        EXPECT_EQ(transfer_entry(src / "tree", dst.path(), mode), failure(kSourceTypeChanged));
        EXPECT_TRUE(names_in(dst.path()).empty());
        EXPECT_TRUE(exists(src / "tree/sub/pipe"));
    }
}

TEST(Transfer, ReadOnlyFolderArrivesReadOnlyWithItsContents) {
    TempFolder src;
    TempFolder dst("/dev/shm");
    mkdir((src / "ro").c_str(), 0755);
    write_file(src / "ro/inside.txt", "inside", 0444);
    chmod((src / "ro").c_str(), 0555);
    EXPECT_EQ(transfer_entry(src / "ro", dst.path(), TransferMode::copy), dst / "ro");
    EXPECT_EQ(snapshot(dst / "ro"), snapshot(src / "ro"));
}

TEST(Transfer, NamesAreTakenAsText) {
    TempFolder src;
    TempFolder dst;
    std::string raw = std::string("caf\xE9", 4) + ".txt";
    write_file(src / raw, "latin-1 name");
    EXPECT_EQ(transfer_entry(src / raw, dst.path(), TransferMode::copy), dst / "caf\xEF\xBF\xBD.txt");
    EXPECT_EQ(read_file(dst / "caf\xEF\xBF\xBD.txt"), "latin-1 name");
}

TEST(Transfer, BadSourcesAndDestinations) {
    TempFolder dir;
    write_file(dir / "a.txt", "a");
    write_file(dir / "file", "");
    mkdir((dir / "dest").c_str(), 0755);
    const std::string einval = strerror(EINVAL);
    EXPECT_EQ(transfer_entry(dir / "missing", dir / "dest", TransferMode::copy), failure(strerror(ENOENT)));
    EXPECT_EQ(transfer_entry(dir / std::string("a.txt\0x", 7), dir / "dest", TransferMode::copy), failure(einval));
    EXPECT_EQ(transfer_entry(dir / "a.txt", dir / std::string("dest\0x", 6), TransferMode::move), failure(einval));
    EXPECT_EQ(transfer_entry("/", dir / "dest", TransferMode::copy), failure(kFolderIntoItself));
    TempFolder elsewhere("/dev/shm");
    EXPECT_EQ(transfer_entry(dir.path() + "/..", elsewhere.path(), TransferMode::copy),
              failure(i18n::tr("files-source-no-name")));
    EXPECT_EQ(transfer_entry(dir / "a.txt", dir / "file", TransferMode::copy),
              failure(i18n::tr_args("files-destination-inspect-failed",
                                    i18n::Args().text("path", dir / "file/a.txt").text("error", strerror(ENOTDIR)))));
    for (TransferMode mode : {TransferMode::copy, TransferMode::move})
        EXPECT_EQ(transfer_entry(dir / "a.txt", dir / "gone", mode), failure(strerror(ENOENT)));
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"a.txt", "dest", "file"}));
}

TEST(Transfer, ExhaustedNamesLeaveTheSourceAlone) {
    TempFolder src;
    TempFolder dst;
    write_file(src / "x", "mine");
    write_file(dst / "x", "");
    for (int n = 2; n <= 9999; ++n) write_file(dst / ("x " + std::to_string(n)), "");
    const auto exhausted =
        failure(i18n::tr_args("files-destination-names-exhausted", i18n::Args().text("name", "x").text("path", dst.path())));
    ino_t inode = inode_of(src / "x");
    EXPECT_EQ(transfer_entry(src / "x", dst.path(), TransferMode::copy), exhausted);
    EXPECT_EQ(transfer_entry(src / "x", dst.path(), TransferMode::move), exhausted);
    EXPECT_EQ(inode_of(src / "x"), inode);
    EXPECT_EQ(read_file(src / "x"), "mine");
    EXPECT_TRUE(names_with_prefix(dst.path(), ".vesk").empty());
    EXPECT_EQ(names_in(dst.path()).size(), 9999u);
}

TEST(Transfer, ReadOnlyDestination) {
    TempFolder src;
    TempFolder dst;
    write_file(src / "a.txt", "a");
    {
        ScopedFaultHook read_only(failing({{FaultSite::make_folder, containing(dst.path()), 0, EROFS},
                                           {FaultSite::rename, containing(dst.path()), 0, EROFS}}));
        for (TransferMode mode : {TransferMode::copy, TransferMode::move})
            EXPECT_EQ(transfer_entry(src / "a.txt", dst.path(), mode), failure(strerror(EROFS)));
    }
    EXPECT_EQ(read_file(src / "a.txt"), "a");
    EXPECT_TRUE(names_in(dst.path()).empty());

    if (geteuid() == 0) GTEST_SKIP() << "root writes into folders without write permission";
    chmod(dst.path().c_str(), 0555);
    for (TransferMode mode : {TransferMode::copy, TransferMode::move})
        EXPECT_EQ(transfer_entry(src / "a.txt", dst.path(), mode), failure(strerror(EACCES)));
    EXPECT_EQ(read_file(src / "a.txt"), "a");
}

TEST(Transfer, FullDestination) {
    TempFolder src;
    TempFolder dst;
    if (mount("tmpfs", dst.path().c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << strerror(errno);
    write_file(src / "small.txt", "fits");
    write_file(src / "large.bin", std::string(1 << 20, 'L'));
    for (TransferMode mode : {TransferMode::copy, TransferMode::move})
        EXPECT_EQ(transfer_entry(src / "large.bin", dst.path(), mode), failure(strerror(ENOSPC)));
    EXPECT_TRUE(names_in(dst.path()).empty());
    EXPECT_EQ(read_file(src / "large.bin"), std::string(1 << 20, 'L'));
    EXPECT_TRUE(names_with_prefix(src.path(), ".vesk").empty());
    EXPECT_EQ(transfer_entry(src / "small.txt", dst.path(), TransferMode::move), dst / "small.txt");
    EXPECT_EQ(read_file(dst / "small.txt"), "fits");
    umount(dst.path().c_str());
}

TEST(Transfer, LeftoverEmptyStagingIsOnlyAWarning) {
    TempFolder src;
    TempFolder dst;
    write_file(src / "a.txt", "a");
    const std::string staging_prefix = dst / ".vesk-transfer-";
    ScopedFaultHook hook([&](FaultSite site, std::string_view path) {
        if (site == FaultSite::remove && path.starts_with(staging_prefix) && !path.ends_with("payload")) return EBUSY;
        return 0;
    });
    testing::internal::CaptureStdout();
    auto result = transfer_entry(src / "a.txt", dst.path(), TransferMode::copy);
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(result, dst / "a.txt");
    std::vector<std::string> left = names_with_prefix(dst.path(), ".vesk-transfer-");
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(names_in(dst / left[0]).empty());
    EXPECT_NE(log.find("[file_explorer::fileops]"), std::string::npos) << log;
    EXPECT_NE(log.find("warning"), std::string::npos) << log;
    EXPECT_NE(log.find("empty Files transfer staging container could not be removed"), std::string::npos) << log;
    EXPECT_NE(log.find(dst / left[0]), std::string::npos) << log;
}

TEST(Transfer, UnsettledGuardRemovesItsStaging) {
    TempFolder dst;
    mkdir((dst / ".vesk-transfer-x").c_str(), 0700);
    write_file(dst / ".vesk-transfer-x/payload", "partial");
    { StagingGuard guard(dst / ".vesk-transfer-x", dst / ".vesk-transfer-x/payload"); }
    EXPECT_TRUE(names_in(dst.path()).empty());

    mkdir((dst / ".vesk-transfer-y").c_str(), 0700);
    write_file(dst / ".vesk-transfer-y/payload", "partial");
    ScopedFaultHook hook(failing({{FaultSite::remove, containing("payload"), 0, EBUSY}}));
    testing::internal::CaptureStdout();
    { StagingGuard guard(dst / ".vesk-transfer-y", dst / ".vesk-transfer-y/payload"); }
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("Files transfer staging cleanup failed during unwinding"), std::string::npos) << log;
    EXPECT_TRUE(exists(dst / ".vesk-transfer-y/payload"));
    { StagingGuard settled(dst / ".vesk-transfer-y", dst / ".vesk-transfer-y/payload"); settled.settled = true; }
}

TEST(Transfer, LongNameWithoutRoomForANumber) {
    TempFolder dir;
    const std::string name(255, 'n');
    write_file(dir / name, "long");
    const std::string numbered = dir / (name + " 2");
    EXPECT_EQ(transfer_entry(dir / name, dir.path(), TransferMode::copy),
              failure(i18n::tr_args("files-destination-inspect-failed",
                                    i18n::Args().text("path", numbered).text("error", strerror(ENAMETOOLONG)))));
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{name});
}
