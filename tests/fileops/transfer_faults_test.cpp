// Each step of a copy or move fails in turn. Whatever fails, the source is
// intact or rebuilt, no half-written item carries a final name, and the only
// private folders left behind are the ones the message names.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "fileops/fault_seam.h"
#include "fileops/transfer.h"
#include "transfer_fixture.h"

using namespace file_explorer::fileops;
using namespace transfer_test;

namespace {

struct Ctx {
    std::string source;  // src/tree
    std::string source_parent;
    std::string destination;
};

// What stayed behind: payload paths of staging folders in the destination
// and beside the source, and quarantine paths.
struct Leftovers {
    std::vector<std::string> staging;
    std::vector<std::string> source_staging;
    std::vector<std::string> quarantine;
};

std::string E(int err) { return strerror(err); }
std::string retained(const std::string& message, const std::string& payload, int err) {
    return message + "; private staging retained at " + payload + ": " + E(err);
}

// Moves within one file system are a rename; this makes them take the
// staged path, as across file systems.
Fault cross_device(const Ctx& c) { return {FaultSite::rename, exactly(c.destination + "/tree"), 1, EXDEV}; }

std::function<bool(std::string_view)> both(std::string a, std::string b) {
    return [a, b](std::string_view p) {
        return p.find(a) != std::string_view::npos && p.find(b) != std::string_view::npos;
    };
}

// The rmdir of a payload folder in a staging folder under `folder`.
std::function<bool(std::string_view)> payload_folder_in(std::string folder) {
    return [prefix = folder + "/.vesk-transfer-"](std::string_view p) {
        return p.starts_with(prefix) && p.ends_with("/payload");
    };
}

struct Row {
    const char* name;
    TransferMode mode;
    std::vector<Fault> (*faults)(const Ctx&);
    std::string (*message)(const Ctx&, const Leftovers&);
    bool source_back = true;  // the source tree is at its path, as before
    std::size_t staging_left = 0;
    std::size_t source_staging_left = 0;
    std::size_t quarantine_left = 0;
    bool staging_is_complete = false;  // the retained payload holds the whole tree
};

constexpr TransferMode kCopy = TransferMode::copy;
constexpr TransferMode kMove = TransferMode::move;

const Row kRows[] = {
    {"staging names all taken", kCopy,
     [](const Ctx& c) { return std::vector<Fault>{{FaultSite::make_folder, containing(c.destination + "/.vesk-transfer-"), 0, EEXIST}}; },
     [](const Ctx&, const Leftovers&) { return std::string(kStagingExhausted); }},
    {"staging names all taken", kMove,
     [](const Ctx& c) { return std::vector<Fault>{cross_device(c), {FaultSite::make_folder, containing(c.destination + "/.vesk-transfer-"), 0, EEXIST}}; },
     [](const Ctx&, const Leftovers&) { return std::string(kStagingExhausted); }},
    {"staging refused", kMove,
     [](const Ctx& c) { return std::vector<Fault>{cross_device(c), {FaultSite::make_folder, containing(c.destination + "/.vesk-transfer-"), 1, EACCES}}; },
     [](const Ctx&, const Leftovers&) { return E(EACCES); }},
    {"one file of the tree fails midway", kCopy,
     [](const Ctx&) { return std::vector<Fault>{{FaultSite::copy_data, containing("/payload/sub/b.txt"), 1, ENOSPC}}; },
     [](const Ctx&, const Leftovers&) { return E(ENOSPC); }},
    {"one file of the tree fails midway", kMove,
     [](const Ctx& c) { return std::vector<Fault>{cross_device(c), {FaultSite::create_file, containing("/payload/sub/c.txt"), 1, EIO}}; },
     [](const Ctx&, const Leftovers&) { return E(EIO); }},
    {"failed copy whose staging cannot be removed", kMove,
     [](const Ctx& c) {
         return std::vector<Fault>{cross_device(c), {FaultSite::copy_data, containing("/payload/sub/b.txt"), 1, ENOSPC},
                                   {FaultSite::remove, payload_folder_in(c.destination), 0, EBUSY}};
     },
     [](const Ctx&, const Leftovers& l) { return retained(E(ENOSPC), l.staging.at(0), EBUSY); }, true, 1},
    {"quarantine refused", kMove,
     [](const Ctx& c) { return std::vector<Fault>{cross_device(c), {FaultSite::rename, containing("/.vesk-transfer-source-"), 1, EACCES}}; },
     [](const Ctx&, const Leftovers&) { return E(EACCES); }},
    {"quarantine names all taken", kMove,
     [](const Ctx& c) { return std::vector<Fault>{cross_device(c), {FaultSite::rename, containing("/.vesk-transfer-source-"), 0, EEXIST}}; },
     [](const Ctx&, const Leftovers&) { return std::string(kQuarantineExhausted); }},
    {"deleting the quarantine fails once", kMove,
     [](const Ctx& c) { return std::vector<Fault>{cross_device(c), {FaultSite::remove, containing("/.vesk-transfer-source-"), 2, EIO}}; },
     [](const Ctx&, const Leftovers&) { return E(EIO); }},
    {"the quarantine cannot be deleted", kMove,
     [](const Ctx& c) { return std::vector<Fault>{cross_device(c), {FaultSite::remove, both("/.vesk-transfer-source-", "/sub/b.txt"), 0, EIO}}; },
     [](const Ctx&, const Leftovers& l) {
         return E(EIO) + "; partial source quarantine retained at " + l.quarantine.at(0) + ": " + E(EIO);
     },
     true, 0, 0, 1},
    {"final placement fails", kCopy,
     [](const Ctx& c) { return std::vector<Fault>{{FaultSite::rename, exactly(c.destination + "/tree"), 1, EIO}}; },
     [](const Ctx&, const Leftovers&) { return E(EIO); }},
    {"final placement fails", kMove,
     [](const Ctx& c) { return std::vector<Fault>{cross_device(c), {FaultSite::rename, exactly(c.destination + "/tree"), 2, EIO}}; },
     [](const Ctx&, const Leftovers&) { return E(EIO); }},
    {"final placement fails and the staging stays", kCopy,
     [](const Ctx& c) {
         return std::vector<Fault>{{FaultSite::rename, exactly(c.destination + "/tree"), 1, EIO},
                                   {FaultSite::remove, payload_folder_in(c.destination), 0, EBUSY}};
     },
     [](const Ctx&, const Leftovers& l) { return retained(E(EIO), l.staging.at(0), EBUSY); }, true, 1},
    {"final placement fails and the staging stays", kMove,
     [](const Ctx& c) {
         return std::vector<Fault>{cross_device(c), {FaultSite::rename, exactly(c.destination + "/tree"), 2, EIO},
                                   {FaultSite::remove, payload_folder_in(c.destination), 0, EBUSY}};
     },
     [](const Ctx&, const Leftovers& l) { return retained(E(EIO), l.staging.at(0), EBUSY); }, true, 1},
    {"restoring the source fails", kMove,
     [](const Ctx& c) {
         return std::vector<Fault>{cross_device(c), {FaultSite::rename, exactly(c.destination + "/tree"), 2, EIO},
                                   {FaultSite::create_file, both(c.source_parent + "/.vesk-transfer-", "/sub/b.txt"), 1, ENOSPC}};
     },
     [](const Ctx&, const Leftovers& l) {
         return E(EIO) + "; source restoration failed: " + E(ENOSPC) + "; staged data retained at " + l.staging.at(0);
     },
     false, 1, 0, 0, true},
    {"restoring the source fails and its own staging stays", kMove,
     [](const Ctx& c) {
         return std::vector<Fault>{cross_device(c), {FaultSite::rename, exactly(c.destination + "/tree"), 2, EIO},
                                   {FaultSite::create_file, both(c.source_parent + "/.vesk-transfer-", "/sub/b.txt"), 1, ENOSPC},
                                   {FaultSite::remove, payload_folder_in(c.source_parent), 0, EBUSY}};
     },
     [](const Ctx&, const Leftovers& l) {
         return E(EIO) + "; source restoration failed: " + retained(E(ENOSPC), l.source_staging.at(0), EBUSY) +
                "; staged data retained at " + l.staging.at(0);
     },
     false, 1, 1, 0, true},
};

Leftovers find_leftovers(const Ctx& c) {
    Leftovers out;
    for (const std::string& name : names_with_prefix(c.destination, ".vesk-transfer-"))
        out.staging.push_back(c.destination + "/" + name + "/payload");
    for (const std::string& name : names_with_prefix(c.source_parent, ".vesk-transfer-")) {
        if (name.starts_with(".vesk-transfer-source-"))
            out.quarantine.push_back(c.source_parent + "/" + name);
        else
            out.source_staging.push_back(c.source_parent + "/" + name + "/payload");
    }
    return out;
}

void build_tree(const std::string& root) {
    mkdir(root.c_str(), 0750);
    write_file(root + "/a.txt", "alpha");
    mkdir((root + "/sub").c_str(), 0700);
    write_file(root + "/sub/b.txt", std::string(100000, 'b'), 0640);
    write_file(root + "/sub/c.txt", "gamma", 0600);
    symlink("../a.txt", (root + "/sub/link").c_str());
}

}  // namespace

TEST(TransferFaults, EachStepFailsInTurn) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(std::string(row.name) + (row.mode == kMove ? " (move)" : " (copy)"));
        TempFolder src;
        TempFolder dst;
        Ctx c{src / "tree", src.path(), dst.path()};
        build_tree(c.source);
        const Snapshot original = snapshot(c.source);

        std::expected<std::string, std::string> result;
        {
            ScopedFaultHook hook(failing(row.faults(c)));
            result = transfer_entry(c.source, c.destination, row.mode);
        }
        Leftovers left = find_leftovers(c);
        ASSERT_FALSE(result) << *result;
        ASSERT_EQ(left.staging.size(), row.staging_left);
        ASSERT_EQ(left.source_staging.size(), row.source_staging_left);
        ASSERT_EQ(left.quarantine.size(), row.quarantine_left);
        EXPECT_EQ(result.error(), row.message(c, left));

        // Nothing under a final name: the destination holds only what the
        // message names, and the source is back or, when that failed, absent.
        EXPECT_EQ(names_in(c.destination).size(), row.staging_left);
        if (row.source_back) {
            EXPECT_EQ(snapshot(c.source), original);
        } else {
            EXPECT_FALSE(exists(c.source));
        }
        if (row.staging_is_complete) {
            EXPECT_EQ(snapshot(left.staging.at(0)), original);
        }
    }
}

TEST(TransferFaults, TakenNamesAreSkippedNotReplaced) {
    TempFolder src;
    TempFolder dst;
    build_tree(src / "tree");
    // Another process takes the name, and a staging name, between test and use.
    ScopedFaultHook hook(failing({{FaultSite::rename, exactly(dst / "tree"), 0, EEXIST},
                                  {FaultSite::make_folder, containing(dst / ".vesk-transfer-"), 1, EEXIST}}));
    EXPECT_EQ(transfer_entry(src / "tree", dst.path(), TransferMode::copy), dst / "tree 2");
    EXPECT_EQ(transfer_entry(src / "tree", dst.path(), TransferMode::move), dst / "tree 3");
    EXPECT_FALSE(exists(src / "tree"));
    EXPECT_EQ(names_in(dst.path()), (std::vector<std::string>{"tree 2", "tree 3"}));
}

TEST(TransferFaults, DestinationVanishesDuringTheCopy) {
    for (TransferMode mode : {kCopy, kMove}) {
        TempFolder src;
        TempFolder dst;
        build_tree(src / "tree");
        const Snapshot original = snapshot(src / "tree");
        std::string destination = dst / "target";
        mkdir(destination.c_str(), 0755);
        std::expected<std::string, std::string> result;
        {
            ScopedFaultHook hook([&](FaultSite site, std::string_view path) {
                if (site == FaultSite::rename && path == destination + "/tree") return EXDEV;
                if (site == FaultSite::create_file && path.ends_with("/payload/sub/b.txt")) {
                    std::error_code ignored;
                    std::filesystem::remove_all(destination, ignored);
                }
                return 0;
            });
            result = transfer_entry(src / "tree", destination, mode);
        }
        EXPECT_EQ(result, std::unexpected(E(ENOENT)));
        EXPECT_EQ(snapshot(src / "tree"), original);
        EXPECT_TRUE(names_with_prefix(src.path(), ".vesk").empty());
        EXPECT_FALSE(exists(destination));
    }
}

TEST(TransferFaults, FullDestinationMidwayThroughAFile) {
    TempFolder src;
    TempFolder dst("/dev/shm");
    const std::string content(20 << 20, 'z');
    write_file(src / "big.bin", content);
    // The file system fills up once a megabyte of the copy is written.
    ScopedFaultHook hook([](FaultSite site, std::string_view path) {
        struct stat status {};
        if (site != FaultSite::copy_data || lstat(std::string(path).c_str(), &status) != 0) return 0;
        return status.st_size >= (1 << 20) ? ENOSPC : 0;
    });
    EXPECT_EQ(transfer_entry(src / "big.bin", dst.path(), TransferMode::move), std::unexpected(E(ENOSPC)));
    EXPECT_TRUE(names_in(dst.path()).empty());
    EXPECT_EQ(read_file(src / "big.bin"), content);
}
