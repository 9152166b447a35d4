// Costs of the Qt backend: the whole screenshot process from start to PNG,
// one full frame of the demonstration root, and PNG encoding.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "vesk_ui/demo.h"
#include "vesk_ui/offscreen.h"
#include "vesk_ui/theme.h"

extern char** environ;

namespace {

using namespace vesk_ui;

std::string program_next_to_this_one() {
    char buf[PATH_MAX] = {};
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "file-explorer";
    return (std::filesystem::path(std::string(buf, std::size_t(n))).parent_path() / "file-explorer").string();
}

// Spawns `file-explorer --shot grid` for a 400 x 300 picture of an empty
// folder and waits for it: process start, Qt and fonts, the scene, the
// render, the PNG and its atomic publication.
void BM_ShotProcess(benchmark::State& state) {
    const std::string exe = program_next_to_this_one();
    std::string tmpl = (std::filesystem::temp_directory_path() / "vesk-bench-XXXXXX").string();
    const std::string dir = ::mkdtemp(tmpl.data());
    const std::string empty = dir + "/empty";
    std::filesystem::create_directory(empty);
    const std::string out = dir + "/shot.png";
    std::vector<std::string> args = {exe,  "--shot", "grid",    "--output", out,
                                      "--size", "400x300", "--path", empty};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start file-explorer");
            break;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !std::filesystem::exists(out)) {
            state.SkipWithError("file-explorer --shot failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ShotProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// One frame of a full-size window: 200-row list, icons, text, pill.
void BM_DemoFrame(benchmark::State& state) {
    auto renderer = offscreen::OffscreenRenderer::new_(1280, 800, float(state.range(0)));
    auto root = demo::make_demo_root();
    for (auto _ : state) {
        auto drawn = renderer->render_resilient(*root, Theme::dark());
        benchmark::DoNotOptimize(drawn);
    }
}
BENCHMARK(BM_DemoFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_EncodePng(benchmark::State& state) {
    auto renderer = offscreen::OffscreenRenderer::new_(400, 300);
    auto root = demo::make_demo_root();
    (void)renderer->render_resilient(*root, Theme::dark());
    for (auto _ : state) {
        auto png = renderer->encode_png();
        benchmark::DoNotOptimize(png);
    }
}
BENCHMARK(BM_EncodePng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
