// Round trips with the common archive tools: ZIPs written here must read the
// same in unzip, bsdtar and Python; archives those tools and GNU tar write
// must list and extract here exactly as the tree they were made from.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "archive_fixtures.h"
#include "fileops/archive_compress.h"
#include "fileops/archive_extract.h"
#include "fileops/archive_listing.h"
#include "scratch_dir.h"

namespace file_explorer::fileops {
namespace {

using archive_fixtures::snapshot;

bool has_tool(const std::string& tool) { return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0; }

int run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

std::string shell_quoted(const std::string& path) { return "'" + path + "'"; }

const char* kPythonZip = R"(
import os, sys, zipfile
root, out = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(out, 'w', zipfile.ZIP_DEFLATED) as z:
    for folder, dirs, files in os.walk(os.path.join(root, 'tree')):
        rel = os.path.relpath(folder, root)
        z.write(folder, rel)
        for f in files:
            z.write(os.path.join(folder, f), os.path.join(rel, f))
)";

const char* kPythonTarGz = R"(
import os, sys, tarfile
root, out = sys.argv[1], sys.argv[2]
with tarfile.open(out, 'w:gz') as t:
    t.add(os.path.join(root, 'tree'), 'tree')
)";

const char* kPythonExtract = R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    assert z.testzip() is None
    z.extractall(sys.argv[2])
)";

class ArchiveInterop : public ::testing::Test {
protected:
    void SetUp() override {
        src_.folder("tree");
        src_.folder("tree/docs");
        src_.folder("tree/docs/sub");
        src_.folder("tree/empty");
        archive_fixtures::write_file(src_ / "tree/docs/a.txt", "alpha\n");
        archive_fixtures::write_file(src_ / "tree/docs/grün.txt", "umlaut\n");
        std::string binary;
        std::uint32_t x = 12345;
        for (int i = 0; i < 300000; ++i) binary.push_back(static_cast<char>((x = x * 1103515245 + 12345) >> 24));
        archive_fixtures::write_file(src_ / "tree/docs/sub/b.bin", binary);
        std::string text;
        for (int i = 0; i < 2000; ++i) text += "line " + std::to_string(i) + " of some compressible notes\n";
        archive_fixtures::write_file(src_ / "tree/notes.txt", text);
        expected_ = snapshot(src_ / "tree");
    }

    using Listing = std::set<std::tuple<std::string, std::uint64_t, bool>>;
    static Listing as_set(const std::expected<std::vector<ArchiveEntry>, std::string>& entries) {
        Listing out;
        if (entries) {
            for (const ArchiveEntry& e : *entries) out.emplace(e.path, e.size, e.is_dir);
        }
        return out;
    }

    // Runs one of the scripts above with the given arguments.
    int python(const char* script, const std::vector<std::string>& args) {
        std::string file = work_ / "script.py";
        archive_fixtures::write_file(file, script);
        std::string command = "python3 " + shell_quoted(file);
        for (const std::string& a : args) command += " " + shell_quoted(a);
        return run(command);
    }

    ScratchDir src_;
    ScratchDir work_;
    std::map<std::string, std::string> expected_;
};

TEST_F(ArchiveInterop, OurZipReadsTheSameInOtherTools) {
    std::string zip = work_ / "tree.zip";
    ASSERT_TRUE(create_zip({src_ / "tree"}, zip));

    if (!has_tool("unzip")) GTEST_SKIP() << "unzip is not installed";
    EXPECT_EQ(run("unzip -tq " + shell_quoted(zip)), 0);
    ASSERT_EQ(run("unzip -q " + shell_quoted(zip) + " -d " + shell_quoted(work_ / "unzip")), 0);
    EXPECT_EQ(snapshot(work_ / "unzip/tree"), expected_);

    if (!has_tool("bsdtar")) GTEST_SKIP() << "bsdtar is not installed";
    std::filesystem::create_directory(work_ / "bsdtar");
    ASSERT_EQ(run("bsdtar -xf " + shell_quoted(zip) + " -C " + shell_quoted(work_ / "bsdtar")), 0);
    EXPECT_EQ(snapshot(work_ / "bsdtar/tree"), expected_);

    if (!has_tool("python3")) GTEST_SKIP() << "python3 is not installed";
    ASSERT_EQ(python(kPythonExtract, {zip, work_ / "python"}), 0);
    EXPECT_EQ(snapshot(work_ / "python/tree"), expected_);
}

// How one tool writes `tree` from {src} into {out}.
struct ForeignArchive {
    const char* tool;
    const char* archive;
    const char* command;  // for Python: the script
};

std::string expand(std::string text, const std::string& src, const std::string& out) {
    for (auto [key, value] : {std::pair{"{src}", &src}, std::pair{"{out}", &out}}) {
        for (std::size_t at; (at = text.find(key)) != std::string::npos;) text.replace(at, 5, shell_quoted(*value));
    }
    return text;
}

class ForeignArchives : public ArchiveInterop, public ::testing::WithParamInterface<ForeignArchive> {};

TEST_P(ForeignArchives, ListAndExtractLikeTheTree) {
    const ForeignArchive& c = GetParam();
    if (!has_tool(c.tool)) GTEST_SKIP() << c.tool << " is not installed";
    std::string archive = work_ / c.archive;
    bool is_python = std::string(c.tool) == "python3";
    int written = is_python ? python(c.command, {src_.path(), archive}) : run(expand(c.command, src_.path(), archive));
    ASSERT_EQ(written, 0);

    const Listing root = {
        {"tree/docs", 0, true}, {"tree/empty", 0, true}, {"tree/notes.txt", expected_["notes.txt"].size(), false}};
    const Listing docs = {{"tree/docs/a.txt", 6, false}, {"tree/docs/grün.txt", 7, false}, {"tree/docs/sub", 0, true}};
    EXPECT_EQ(as_set(list_archive_folder(archive, "tree")), root);
    EXPECT_EQ(as_set(list_archive_folder(archive, "tree/docs")), docs);

    std::string dest = work_ / "out";
    auto count = extract_archive(archive, dest);
    ASSERT_TRUE(count) << count.error();
    EXPECT_EQ(*count, 4u);
    EXPECT_EQ(snapshot(dest + "/tree"), expected_);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, ForeignArchives,
    ::testing::Values(ForeignArchive{"zip", "zip.zip", "cd {src} && zip -qr {out} tree"},
                      ForeignArchive{"tar", "gnu.tar", "tar -cf {out} -C {src} tree"},
                      ForeignArchive{"tar", "gnu-pax.tar", "tar --format=pax -cf {out} -C {src} tree"},
                      ForeignArchive{"tar", "gnu.tar.gz", "tar -czf {out} -C {src} tree"},
                      ForeignArchive{"bsdtar", "bsd.tar", "bsdtar -cf {out} -C {src} tree"},
                      ForeignArchive{"bsdtar", "bsd.tgz", "bsdtar -czf {out} -C {src} tree"},
                      ForeignArchive{"bsdtar", "bsd.zip", "bsdtar --format zip -cf {out} -C {src} tree"},
                      ForeignArchive{"python3", "python.zip", kPythonZip},
                      ForeignArchive{"python3", "python.tar.gz", kPythonTarGz}),
    [](const auto& info) {
        std::string name = info.param.archive;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        }
        return name;
    });

}  // namespace
}  // namespace file_explorer::fileops
