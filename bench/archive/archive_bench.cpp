// Archive extraction and ZIP creation against the common tools, on the same
// data in the same run:
// - extracting a 500 MB tar.gz and a ZIP of 20,000 small files, against
//   `bsdtar -x` (speed ratio bsdtar time / our time, to stay at or above 0.9);
// - compressing each tree to ZIP, against `zip -r` at its default level
//   (speed ratio zip time / our time, to stay at or above 1).
// Every iteration times both sides, alternating which goes first; the disk is
// synced before each timed step so neither pays for the other's writes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fileops/archive_compress.h"
#include "fileops/archive_extract.h"

using namespace file_explorer::fileops;

namespace {

const std::string kRoot = "/tmp/files-bench-archive";
const std::string kDoneMarker = kRoot + "/.complete";
constexpr int kBigFiles = 50;
constexpr std::size_t kBigFileSize = 10'000'000;  // 50 x 10 MB = 500 MB
constexpr int kSmallFiles = 20'000;
constexpr int kSmallFolders = 200;

// Text-like bytes (words from a small vocabulary), which deflate compresses
// about as well as ordinary documents.
std::string text_bytes(std::size_t size, std::uint64_t seed) {
    static const char* const kWords[] = {"the ",   "archive ", "folder ", "file ",  "of ",     "and ",  "data ",
                                         "report ", "2024 ",   "photo ",  "notes ", "budget ", "Files ", "\n",
                                         "to ",    "with ",    "a ",      "zip ",   "tar ",    "list "};
    std::string out;
    out.reserve(size + 16);
    std::uint64_t x = seed * 2654435761u + 1;
    while (out.size() < size) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        out += kWords[x % 20];
        if (x % 97 == 0) out += std::to_string(x % 100000);
    }
    out.resize(size);
    return out;
}

bool write_file(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

int shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

bool prepare() {
    if (access(kDoneMarker.c_str(), F_OK) == 0) return true;
    std::filesystem::remove_all(kRoot);
    std::filesystem::create_directories(kRoot + "/big");
    for (int i = 0; i < kBigFiles; ++i) {
        if (!write_file(kRoot + "/big/part-" + std::to_string(i) + ".txt", text_bytes(kBigFileSize, i))) return false;
    }
    for (int d = 0; d < kSmallFolders; ++d) std::filesystem::create_directories(kRoot + "/small/d" + std::to_string(d));
    for (int i = 0; i < kSmallFiles; ++i) {
        std::string path = kRoot + "/small/d" + std::to_string(i % kSmallFolders) + "/f" + std::to_string(i) + ".txt";
        if (!write_file(path, text_bytes(200 + (i * 7919) % 8000, 1000 + i))) return false;
    }
    if (shell("tar -czf " + kRoot + "/big.tar.gz -C " + kRoot + " big") != 0) return false;
    if (shell("cd " + kRoot + " && zip -qr small.zip small") != 0) return false;
    return write_file(kDoneMarker, "");
}

double timed(const std::function<bool()>& step, bool& ok) {
    sync();
    auto start = std::chrono::steady_clock::now();
    ok = step() && ok;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs ours and theirs once per iteration, alternating the order; `clean`
// removes both outputs between iterations (not timed).
void compare(benchmark::State& state, const std::function<bool()>& ours, const std::function<bool()>& theirs,
             const std::function<void()>& clean, const char* ratio_name) {
    if (!prepare()) {
        state.SkipWithError("could not create the benchmark data (needs tar, gzip and zip)");
        return;
    }
    shell("cat " + kRoot + "/big.tar.gz " + kRoot + "/small.zip >/dev/null");  // warm the page cache
    double ours_total = 0, theirs_total = 0;
    bool ok = true;
    int round = 0;
    for (auto _ : state) {
        clean();
        double ours_time = 0, theirs_time = 0;
        if (round++ % 2 == 0) {
            ours_time = timed(ours, ok);
            theirs_time = timed(theirs, ok);
        } else {
            theirs_time = timed(theirs, ok);
            ours_time = timed(ours, ok);
        }
        state.SetIterationTime(ours_time);
        ours_total += ours_time;
        theirs_total += theirs_time;
    }
    clean();
    if (!ok) {
        state.SkipWithError("a step failed");
        return;
    }
    auto n = static_cast<double>(state.iterations());
    state.counters["ours_s"] = ours_total / n;
    state.counters["theirs_s"] = theirs_total / n;
    state.counters[ratio_name] = theirs_total / ours_total;
}

void remove_outputs(const std::vector<std::string>& names) {
    for (const std::string& name : names) std::filesystem::remove_all(kRoot + "/" + name);
}

void extract_versus_bsdtar(benchmark::State& state, const std::string& archive) {
    std::string ours = kRoot + "/out-ours";
    std::string theirs = kRoot + "/out-bsdtar";
    compare(
        state, [&] { return extract_archive(kRoot + "/" + archive, ours).has_value(); },
        [&] {
            std::filesystem::create_directory(theirs);
            return shell("bsdtar -xf " + kRoot + "/" + archive + " -C " + theirs) == 0;
        },
        [&] { remove_outputs({"out-ours", "out-bsdtar"}); }, "speed_vs_bsdtar");
}

void compress_versus_zip(benchmark::State& state, const std::string& tree) {
    compare(
        state, [&] { return create_zip({kRoot + "/" + tree}, kRoot + "/ours.zip").has_value(); },
        [&] { return shell("cd " + kRoot + " && zip -qr theirs.zip " + tree) == 0; },
        [&] { remove_outputs({"ours.zip", "theirs.zip"}); }, "speed_vs_zip");
}

void BM_ExtractTarGz500MB(benchmark::State& state) { extract_versus_bsdtar(state, "big.tar.gz"); }
void BM_ExtractZip20000Files(benchmark::State& state) { extract_versus_bsdtar(state, "small.zip"); }
void BM_CompressTree500MB(benchmark::State& state) { compress_versus_zip(state, "big"); }
void BM_CompressTree20000Files(benchmark::State& state) { compress_versus_zip(state, "small"); }

BENCHMARK(BM_ExtractTarGz500MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_ExtractZip20000Files)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_CompressTree500MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_CompressTree20000Files)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace

BENCHMARK_MAIN();
