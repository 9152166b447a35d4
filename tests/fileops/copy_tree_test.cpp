#include "fileops/copy_tree.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "transfer_fixture.h"

using namespace file_explorer::fileops;
using namespace transfer_test;

namespace {

std::string random_bytes(std::size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string out(size, '\0');
    for (char& c : out) c = static_cast<char>(gen());
    return out;
}

// A tree with every kind of entry the walker copies.
void build_tree(const std::string& root) {
    mkdir(root.c_str(), 0750);
    write_file(root + "/plain.txt", "hello");
    write_file(root + "/script.sh", "#!/bin/sh\n", 0751);
    write_file(root + "/empty", "");
    write_file(root + "/big.bin", random_bytes(3 << 20, 7));
    mkdir((root + "/sub").c_str(), 0755);
    write_file(root + "/sub/inner.txt", "inner", 0600);
    symlink("../plain.txt", (root + "/sub/link").c_str());
    symlink("/nonexistent/dangling", (root + "/dangling").c_str());
    symlink("sub", (root + "/folder-link").c_str());
    mkdir((root + "/locked").c_str(), 0755);
    write_file(root + "/locked/kept.txt", "kept", 0444);
    chmod((root + "/locked").c_str(), 0555);
}

void make_sparse(const std::string& path, off_t size) {
    int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(pwrite(fd, "head", 4, 0), 4);
    ASSERT_EQ(pwrite(fd, "middle", 6, size / 2), 6);
    ASSERT_EQ(ftruncate(fd, size), 0);
    close(fd);
}

off_t allocated(const std::string& path) {
    struct stat status {};
    lstat(path.c_str(), &status);
    return status.st_blocks * 512;
}

}  // namespace

class CopyTreeAcross : public ::testing::TestWithParam<const char*> {};

// Same file system, and across file systems where the kernel copy is refused.
TEST_P(CopyTreeAcross, CopiesEveryKindFaithfully) {
    TempFolder src;
    TempFolder dst(GetParam());
    build_tree(src / "tree");
    ASSERT_TRUE(copy_tree(src / "tree", dst / "copy"));
    EXPECT_EQ(snapshot(dst / "copy"), snapshot(src / "tree"));
}

TEST_P(CopyTreeAcross, SparseFilesStaySparse) {
    TempFolder src;
    TempFolder dst(GetParam());
    const off_t size = 64 << 20;
    make_sparse(src / "sparse", size);
    ASSERT_TRUE(copy_tree(src / "sparse", dst / "sparse"));
    EXPECT_EQ(read_file(dst / "sparse"), read_file(src / "sparse"));
    EXPECT_LT(allocated(dst / "sparse"), off_t{1} << 20);
}

INSTANTIATE_TEST_SUITE_P(FileSystems, CopyTreeAcross, ::testing::Values("/tmp", "/dev/shm"));

TEST(CopyTree, RefusesSpecialFilesWithoutBlocking) {
    TempFolder dir;
    mkdir((dir / "tree").c_str(), 0755);
    ASSERT_EQ(mkfifo((dir / "tree/pipe").c_str(), 0644), 0);
    EXPECT_EQ(copy_tree(dir / "tree", dir / "copy"), std::unexpected(std::string(kSourceTypeChanged)));
    EXPECT_EQ(copy_tree(dir / "tree/pipe", dir / "pipe-copy"), std::unexpected(std::string(kSourceTypeChanged)));

    int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string socket_path = dir / "sock";
    std::strncpy(address.sun_path, socket_path.c_str(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    EXPECT_EQ(copy_tree(socket_path, dir / "sock-copy"), std::unexpected(std::string(kSourceTypeChanged)));
    close(sock);
    EXPECT_EQ(copy_tree("/dev/null", dir / "null-copy"), std::unexpected(std::string(kSourceTypeChanged)));
    EXPECT_FALSE(exists(dir / "pipe-copy"));
}

TEST(CopyTree, BadPathsAndExistingTargets) {
    TempFolder dir;
    write_file(dir / "a", "a");
    write_file(dir / "b", "b");
    EXPECT_EQ(copy_tree("/", dir / "x"), std::unexpected(std::string("source has no parent directory")));
    EXPECT_EQ(copy_tree(dir / "a", dir / "b"), std::unexpected(std::string(strerror(EEXIST))));
    EXPECT_EQ(read_file(dir / "b"), "b");
    EXPECT_EQ(copy_tree(dir / "missing", dir / "c"), std::unexpected(std::string(strerror(ENOENT))));
    EXPECT_EQ(copy_tree(dir / std::string("a\0b", 3), dir / "c"), std::unexpected(std::string(strerror(EINVAL))));
}

TEST(CopyTree, SetIdBitsOnlyStayWithTheOwner) {
    if (geteuid() != 0) GTEST_SKIP() << "giving a file to another owner needs root";
    TempFolder dir;
    write_file(dir / "own", "x", 04755);
    write_file(dir / "foreign", "x", 04755);
    ASSERT_EQ(chmod((dir / "own").c_str(), 04755), 0);
    ASSERT_EQ(chown((dir / "foreign").c_str(), 65534, 65534), 0);
    ASSERT_EQ(chmod((dir / "foreign").c_str(), 06755), 0);
    ASSERT_TRUE(copy_tree(dir / "own", dir / "own-copy"));
    ASSERT_TRUE(copy_tree(dir / "foreign", dir / "foreign-copy"));
    EXPECT_EQ(snapshot(dir / "own-copy").at("").mode, 04755u);
    EXPECT_EQ(snapshot(dir / "foreign-copy").at("").mode, 0755u);
}
