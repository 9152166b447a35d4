// Typing in the location field over a folder of 100,000 entries.
//
// KeystrokeFrame is one whole frame of the window while the folder shown and
// the folder completed are that large folder: a key press into the field,
// the completion work that the idle loop grants between frames, layout and
// painting. Its "worst_ms" counter is the slowest frame seen; the goal is
// to stay under 16 ms, so the window never stalls while completion reads
// and scans the folder in slices.
//
// CompletionToTheEnd is the whole completion of one text in that folder,
// as slices: the total work, and how many frames it is spread over.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "files_app/explorer_widget.h"
#include "views/path_bar/completion.h"
#include "views/path_bar/path_bar.h"
#include "views/toolbar/toolbar.h"
#include "vesk_ui/theme.h"

namespace {

using namespace file_explorer;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr std::size_t kEntries = 100000;

class NullPainter final : public vesk_ui::Painter {
public:
    void fill_rect(const vesk_ui::Rect&, vesk_ui::Color) override {}
    void fill_rounded_rect(const vesk_ui::Rect&, float, vesk_ui::Color) override {}
    void stroke_rounded_rect(const vesk_ui::Rect&, float, float, vesk_ui::Color) override {}
    void draw_line(vesk_ui::Point, vesk_ui::Point, float, vesk_ui::Color) override {}
    void fill_path(const vesk_ui::Path&, vesk_ui::Color) override {}
    void stroke_path(const vesk_ui::Path&, const vesk_ui::Stroke&, vesk_ui::Color) override {}
    void draw_shadow(const vesk_ui::Rect&, float, float, vesk_ui::Color) override {}
    void draw_image(const vesk_ui::Image&, const vesk_ui::Rect&, const vesk_ui::Rect&, float) override {}
    void draw_text(vesk_ui::Point, std::string_view, const vesk_ui::FontSpec&, vesk_ui::Color) override {}
    void push_clip(const vesk_ui::Rect&) override {}
    void pop_clip() override {}
    void push_opacity(float) override {}
    void pop_opacity() override {}
    void push_offset(vesk_ui::Point) override {}
    void pop_offset() override {}
};

// The large folder, made once per machine: 100,000 empty files and a few
// hundred folders, with names that share prefixes the way real ones do.
const std::string& big_folder() {
    static const std::string path = [] {
        const std::string dir = (fs::temp_directory_path() / "files-bench-completion-100k").string();
        if (fs::exists(dir + "/.complete")) return dir;
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (std::size_t i = 0; i < kEntries; ++i) {
            const std::string name = (i % 250 == 0 ? "Project " : i % 3 ? "report-" : "Photo ") + std::to_string(i);
            const std::string full = dir + "/" + name;
            if (i % 250 == 0) {
                fs::create_directory(full);
            } else {
                int fd = ::open(full.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
                if (fd >= 0) ::close(fd);
            }
        }
        int fd = ::open((dir + "/.complete").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd >= 0) ::close(fd);
        return dir;
    }();
    return path;
}

vesk_ui::Event key(const std::string& name, const std::string& text = {}) {
    vesk_ui::KeyEvent k;
    k.key = name;
    k.text = text;
    return vesk_ui::Event{k};
}

// The loop's frame, as the toolkit runs it: the event, the idle work it
// allows, a rebuild when asked for, layout and painting.
void frame(files_app::FileExplorerWidget& root, const vesk_ui::Event* event, NullPainter& painter) {
    if (event) {
        vesk_ui::EventContext ctx;
        root.handle_event(*event, ctx);
    }
    if (root.needs_idle_sync()) root.sync();
    if (root.take_structure_dirty()) root.build_layout();
    root.measure({1200, 720});
    root.apply_layout({0, 0, 1200, 720});
    root.draw(painter, {vesk_ui::Theme::dark(), Clock::now(), 1.0f});
}

void KeystrokeFrame(benchmark::State& state) {
    files_app::ExplorerConfig config;
    config.fixed_workspace_roots.emplace();
    files_app::FileExplorerWidget root(std::move(config), big_folder());
    NullPainter painter;
    frame(root, nullptr, painter);
    root.begin_location_edit();
    // The field starts with the folder selected; type it again with a slash.
    vesk_ui::Event typed = key("", big_folder() + "/");
    frame(root, &typed, painter);

    const vesk_ui::Event letters[] = {key("", "r"), key("", "e"), key("", "p"), key("Backspace"), key("Backspace"),
                                      key("Backspace")};
    std::size_t i = 0;
    double worst = 0;
    std::size_t frames = 0;
    for (auto _ : state) {
        // A key every other frame; the frames between only do completion work.
        const vesk_ui::Event* event = i % 2 == 0 ? &letters[(i / 2) % std::size(letters)] : nullptr;
        ++i;
        const auto start = Clock::now();
        frame(root, event, painter);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        worst = std::max(worst, ms);
        ++frames;
        state.SetIterationTime(ms / 1000);
    }
    state.counters["worst_ms"] = worst;
    state.counters["frames"] = double(frames);
    state.counters["names_listed"] = double(kEntries);
}
BENCHMARK(KeystrokeFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(400);

void CompletionToTheEnd(benchmark::State& state) {
    const std::string folder = big_folder() + "/";
    double slices = 0;
    for (auto _ : state) {
        views::CompletionEngine engine;
        engine.start({folder, "report-9"});
        std::size_t n = 0;
        while (!engine.done()) {
            engine.step(Clock::now() + std::chrono::milliseconds(4));
            ++n;
        }
        slices = double(n);
        benchmark::DoNotOptimize(engine.candidates().size());
    }
    state.counters["slices_of_4ms"] = slices;
}
BENCHMARK(CompletionToTheEnd)->Unit(benchmark::kMillisecond);

// A new prefix in a folder already read: only the scan, no reading.
void RescanReadFolder(benchmark::State& state) {
    const std::string folder = big_folder() + "/";
    views::CompletionEngine engine;
    engine.start({folder, ""});
    while (!engine.done()) engine.step(Clock::time_point::max());
    bool flip = false;
    for (auto _ : state) {
        engine.start({folder, flip ? "photo 1" : "Report-2"});
        flip = !flip;
        while (!engine.done()) engine.step(Clock::time_point::max());
        benchmark::DoNotOptimize(engine.candidates().size());
    }
}
BENCHMARK(RescanReadFolder)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
