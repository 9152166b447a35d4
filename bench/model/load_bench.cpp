// Loading a folder of 100,000 files (listing, item status, MIME guess, order
// by name) against `ls -lU` of the same folder, and the memory one entry
// costs beyond its name and path bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/load.h"

using namespace file_explorer::model;

namespace {

constexpr int kFileCount = 100'000;
const std::string kFolder = "/tmp/files-bench-100k";
const std::string kDoneMarker = kFolder + ".complete";

// Names of assorted shapes: extensions known and unknown, upper case, UTF-8.
std::string bench_name(int i) {
    static const char* const kSuffixes[] = {".txt", ".PNG", ".tar.gz", ".c", "", ".docx", ".unknownext", ".JPG"};
    static const char* const kStems[] = {"report-", "Photo ", "Ärger-", "data_", "notes."};
    return std::string(kStems[i % 5]) + std::to_string(i * 7919 % kFileCount) + kSuffixes[i % 8];
}

bool make_folder() {
    if (access(kDoneMarker.c_str(), F_OK) == 0) return true;
    mkdir(kFolder.c_str(), 0755);
    for (int i = 0; i < kFileCount; ++i) {
        std::string path = kFolder + "/" + bench_name(i);
        int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0) return false;
        close(fd);
    }
    int fd = open(kDoneMarker.c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd < 0) return false;
    close(fd);
    return true;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_LoadFolderVersusLs(benchmark::State& state) {
    if (!make_folder()) {
        state.SkipWithError("could not create the benchmark folder");
        return;
    }
    const std::string ls = "ls -lU " + kFolder + " >/dev/null";
    double ours = 0, theirs = 0;
    std::size_t count = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        LoadOutcome outcome = load_location(kFolder, {});
        double elapsed = seconds_since(start);
        count = outcome.entries.size();
        benchmark::DoNotOptimize(outcome);
        ours += elapsed;
        state.SetIterationTime(elapsed);

        start = std::chrono::steady_clock::now();
        if (std::system(ls.c_str()) != 0) state.SkipWithError("ls -lU failed");
        theirs += seconds_since(start);
    }
    auto n = static_cast<double>(state.iterations());
    state.counters["entries"] = static_cast<double>(count);
    state.counters["ours_ms"] = ours / n * 1e3;
    state.counters["ls_ms"] = theirs / n * 1e3;
    state.counters["ratio"] = ours / theirs;  // must stay at or below 1
}
BENCHMARK(BM_LoadFolderVersusLs)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// Heap in use after a load, less the name and path bytes, per entry; the
// entry vector is counted.
void BM_MemoryPerEntry(benchmark::State& state) {
    if (!make_folder()) {
        state.SkipWithError("could not create the benchmark folder");
        return;
    }
    load_location(kFolder, {});  // first-use allocations (case maps, locale) stay out
    double per_entry = 0;
    for (auto _ : state) {
        malloc_trim(0);
        std::size_t before = mallinfo2().uordblks;
        LoadOutcome outcome = load_location(kFolder, {});
        std::size_t after = mallinfo2().uordblks;
        std::size_t text_bytes = 0;
        for (const FileEntry& e : outcome.entries) text_bytes += e.name.size() + e.path.size();
        if (before == 0 && after == 0) {
            state.SkipWithError("heap statistics unavailable (sanitizer build)");
            return;
        }
        per_entry = (static_cast<double>(after - before) - static_cast<double>(text_bytes)) /
                    static_cast<double>(outcome.entries.size());
    }
    state.counters["sizeof_entry"] = sizeof(FileEntry);
    state.counters["bytes_per_entry"] = per_entry;  // must stay at or below 250
}
BENCHMARK(BM_MemoryPerEntry)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
