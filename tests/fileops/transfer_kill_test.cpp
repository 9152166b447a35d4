#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include "fileops/fault_seam.h"
#include "fileops/transfer.h"
#include "transfer_fixture.h"

using namespace file_explorer::fileops;
using namespace transfer_test;

// A copy killed halfway leaves its private staging folder and nothing under
// the item's name.
TEST(TransferKill, KilledCopyLeavesOnlyItsStaging) {
    TempFolder src;
    TempFolder dst;
    const off_t size = off_t{200} << 20;
    {
        std::string block(1 << 20, '\0');
        for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 31 + 7);
        int fd = open((src / "big.bin").c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        for (off_t done = 0; done < size; done += static_cast<off_t>(block.size()))
            ASSERT_EQ(write(fd, block.data(), block.size()), static_cast<ssize_t>(block.size()));
        close(fd);
    }
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(started[0]);
        int steps = 0;
        // After a few steps of the copy, report and wait to be killed.
        ScopedFaultHook hook([&](FaultSite site, std::string_view) {
            if (site == FaultSite::copy_data && ++steps == 3) {
                char byte = 1;
                if (write(started[1], &byte, 1) == 1) pause();
            }
            return 0;
        });
        (void)transfer_entry(src / "big.bin", dst.path(), TransferMode::copy);
        _exit(0);
    }
    close(started[1]);
    char byte = 0;
    ASSERT_EQ(read(started[0], &byte, 1), 1);
    close(started[0]);
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    std::vector<std::string> names = names_in(dst.path());
    ASSERT_EQ(names.size(), 1u);
    ASSERT_TRUE(names[0].starts_with(".vesk-transfer-"));
    EXPECT_EQ(names[0].size(), std::string(".vesk-transfer-").size() + 36);
    struct stat staging {};
    ASSERT_EQ(lstat((dst / names[0]).c_str(), &staging), 0);
    EXPECT_EQ(staging.st_mode & 07777, 0700u);
    struct stat payload {};
    ASSERT_EQ(lstat((dst / names[0] + "/payload").c_str(), &payload), 0);
    EXPECT_GT(payload.st_size, 0);
    EXPECT_LT(payload.st_size, size);
}
