// The copy and move engine against coreutils on the same data, in one run:
// a 1 GiB file and a tree of 20,000 small files copied with `cp -a`, and the
// tree moved to another file system (/tmp to /dev/shm) with `mv`.
//
// Each iteration times both tools, alternating which goes first, with the
// outputs flushed and removed outside the timed part and a pause for the
// storage to settle. The counter "speed_vs_coreutils" is the median
// coreutils time divided by the median engine time: 1.0 means as fast,
// above 1.0 faster; "best_vs_best" divides the fastest runs. Both, because
// other work on a shared machine makes single runs of either tool vary by a
// factor of two.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "fileops/remove_path.h"
#include "fileops/transfer.h"

extern char** environ;

namespace fileops = file_explorer::fileops;

namespace {

constexpr std::size_t kLargeFileBytes = std::size_t{1} << 30;
constexpr int kTreeFolders = 200;
constexpr int kFilesPerFolder = 100;

bool run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void write_bytes(const std::string& path, std::size_t size, std::mt19937_64& gen) {
    int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0) std::abort();
    std::vector<std::uint64_t> block(std::min<std::size_t>(size, std::size_t{4} << 20) / 8 + 1);
    for (std::size_t done = 0; done < size;) {
        for (auto& word : block) word = gen();
        std::size_t n = std::min(size - done, block.size() * 8);
        if (write(fd, block.data(), n) != static_cast<ssize_t>(n)) std::abort();
        done += n;
    }
    close(fd);
}

// The test data, made once per process under /tmp and removed at exit.
struct Data {
    std::string root;
    std::string large_file;
    std::string tree;

    Data() {
        std::string pattern = "/tmp/files-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        root = pattern;
        std::mt19937_64 gen(42);
        large_file = root + "/large.bin";
        write_bytes(large_file, kLargeFileBytes, gen);
        tree = root + "/tree";
        mkdir(tree.c_str(), 0755);
        for (int f = 0; f < kTreeFolders; ++f) {
            std::string folder = tree + "/folder-" + std::to_string(f);
            mkdir(folder.c_str(), 0755);
            for (int i = 0; i < kFilesPerFolder; ++i)
                write_bytes(folder + "/file-" + std::to_string(i) + ".txt", 200 + (gen() % 8000), gen);
        }
        sync();
    }
    ~Data() { (void)fileops::remove_path(root); }
};

Data& data() {
    static Data instance;
    return instance;
}

std::string fresh_folder(const std::string& base) {
    std::string pattern = base + "/files-bench-out-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
}

double seconds(const std::function<bool()>& work) {
    auto start = std::chrono::steady_clock::now();
    if (!work()) std::abort();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Times the engine and coreutils on the same job, `prepare` making fresh
// inputs (untimed) for each.
void compare(benchmark::State& state, const std::function<std::string()>& prepare,
             const std::function<bool(const std::string&, const std::string&)>& engine,
             const std::function<bool(const std::string&, const std::string&)>& coreutils, const std::string& out_base,
             const std::function<void(const std::string&)>& discard_input = [](const std::string&) {}) {
    std::vector<double> engine_times;
    std::vector<double> coreutils_times;
    bool engine_first = true;
    for (auto _ : state) {
        double times[2] = {0, 0};
        for (int turn = 0; turn < 2; ++turn) {
            bool engine_turn = (turn == 0) == engine_first;
            std::string input = prepare();
            std::string out = fresh_folder(out_base);
            sync();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            times[engine_turn ? 0 : 1] = seconds([&] { return engine_turn ? engine(input, out) : coreutils(input, out); });
            sync();
            (void)fileops::remove_path(out);
            discard_input(input);
            sync();
        }
        engine_first = !engine_first;
        state.SetIterationTime(times[0]);
        engine_times.push_back(times[0]);
        coreutils_times.push_back(times[1]);
    }
    double engine_median = median(engine_times);
    double coreutils_median = median(coreutils_times);
    state.counters["engine_s"] = engine_median;
    state.counters["coreutils_s"] = coreutils_median;
    state.counters["speed_vs_coreutils"] = coreutils_median / engine_median;
    state.counters["best_vs_best"] = *std::min_element(coreutils_times.begin(), coreutils_times.end()) /
                                     *std::min_element(engine_times.begin(), engine_times.end());
}

bool engine_copy(const std::string& input, const std::string& out) {
    return fileops::transfer_entry(input, out, fileops::TransferMode::copy).has_value();
}
bool engine_move(const std::string& input, const std::string& out) {
    return fileops::transfer_entry(input, out, fileops::TransferMode::move).has_value();
}
bool cp_a(const std::string& input, const std::string& out) { return run({"cp", "-a", input, out + "/"}); }
bool mv(const std::string& input, const std::string& out) { return run({"mv", input, out + "/"}); }

void BM_CopyLargeFile(benchmark::State& state) {
    compare(state, [] { return data().large_file; }, engine_copy, cp_a, data().root);
}

void BM_CopyTree(benchmark::State& state) {
    compare(state, [] { return data().tree; }, engine_copy, cp_a, data().root);
}

// Each move gets its own copy of the tree on /tmp and moves it to /dev/shm.
void BM_MoveTreeAcrossFileSystems(benchmark::State& state) {
    auto prepare = [] {
        std::string staging = fresh_folder(data().root);
        if (!run({"cp", "-a", data().tree, staging + "/"})) std::abort();
        return staging + "/tree";
    };
    auto discard = [](const std::string& input) { (void)fileops::remove_path(input.substr(0, input.rfind('/'))); };
    compare(state, prepare, engine_move, mv, "/dev/shm", discard);
}

}  // namespace

BENCHMARK(BM_CopyLargeFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_CopyTree)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_MoveTreeAcrossFileSystems)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

BENCHMARK_MAIN();
