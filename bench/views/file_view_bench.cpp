// One frame of the file view for a 100-entry and a 100,000-entry folder,
// scrolled a little, into a painter that discards everything. Painting
// touches only the visible rows, so both frames should cost about the same;
// the ratio is printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <memory>
#include <string>

#include "views/file_view/file_view.h"
#include "vesk_ui/theme.h"

namespace {

using namespace file_explorer;

class NullPainter final : public vesk_ui::Painter {
public:
    void fill_rect(const vesk_ui::Rect&, vesk_ui::Color) override { ++ops; }
    void fill_rounded_rect(const vesk_ui::Rect&, float, vesk_ui::Color) override { ++ops; }
    void stroke_rounded_rect(const vesk_ui::Rect&, float, float, vesk_ui::Color) override { ++ops; }
    void draw_line(vesk_ui::Point, vesk_ui::Point, float, vesk_ui::Color) override { ++ops; }
    void fill_path(const vesk_ui::Path&, vesk_ui::Color) override { ++ops; }
    void stroke_path(const vesk_ui::Path&, const vesk_ui::Stroke&, vesk_ui::Color) override { ++ops; }
    void draw_shadow(const vesk_ui::Rect&, float, float, vesk_ui::Color) override { ++ops; }
    void draw_image(const vesk_ui::Image&, const vesk_ui::Rect&, const vesk_ui::Rect&, float) override { ++ops; }
    void draw_text(vesk_ui::Point, std::string_view, const vesk_ui::FontSpec&, vesk_ui::Color) override { ++ops; }
    void push_clip(const vesk_ui::Rect&) override {}
    void pop_clip() override {}
    void push_opacity(float) override {}
    void pop_opacity() override {}
    void push_offset(vesk_ui::Point) override {}
    void pop_offset() override {}
    std::size_t ops = 0;
};

std::vector<model::FileEntry> entries(std::size_t n) {
    std::vector<model::FileEntry> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        // Names of one length, so that both folders cost the same to elide.
        std::string number = std::to_string(i);
        number.insert(0, 6 - number.size(), '0');
        out[i].name = "holiday photo " + number + " with a fairly long descriptive name.jpg";
        out[i].path = "/data/" + out[i].name;
        out[i].size = 1000 + i * 37;
        out[i].modified = model::ModifiedTime{1700000000 + static_cast<std::int64_t>(i), 0};
        out[i].is_dir = i % 10 == 0;
    }
    return out;
}

// A view 900 × 700 scrolled down a little, to the same place for both sizes
// so that both frames show the same number of rows.
std::unique_ptr<views::FileView> make_view(std::size_t n, bool grid) {
    views::FileViewSetup s;
    s.entries = entries(n);
    s.selection.set_count(n);
    s.selection.move_to(n / 2, false);
    s.commands = std::make_shared<command::CommandChannel>();
    std::unique_ptr<views::FileView> v =
        grid ? std::make_unique<views::FileView>(std::move(s))
             : std::make_unique<views::FileView>(std::move(s), model::SortKey::Name, model::SortDirection::Ascending);
    vesk_ui::Size content = v->measure({900, 700});
    v->apply_layout({0, 0, 900, content.height});
    v->set_viewport(vesk_ui::Rect{0, 240, 900, 940});
    v->set_focus(true);
    return v;
}

void frame(benchmark::State& state, std::size_t n, bool grid) {
    auto view = make_view(n, grid);
    NullPainter painter;
    vesk_ui::DrawContext ctx{vesk_ui::Theme::dark(), {}, 1.0f};
    for (auto _ : state) {
        view->draw(painter, ctx);
        benchmark::DoNotOptimize(painter.ops);
    }
}

void BM_ListFrame_100(benchmark::State& s) { frame(s, 100, false); }
void BM_ListFrame_100000(benchmark::State& s) { frame(s, 100000, false); }
void BM_GridFrame_100(benchmark::State& s) { frame(s, 100, true); }
void BM_GridFrame_100000(benchmark::State& s) { frame(s, 100000, true); }
BENCHMARK(BM_ListFrame_100);
BENCHMARK(BM_ListFrame_100000);
BENCHMARK(BM_GridFrame_100);
BENCHMARK(BM_GridFrame_100000);

// Remembers each benchmark's CPU time per iteration (the median when run
// with repetitions) to print the ratios; CPU time, since the machine may be
// shared.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                median[r.run_name.str()] = r.GetAdjustedCPUTime();
            else if (r.run_type == Run::RT_Iteration && r.iterations > 0)
                single[r.run_name.str()] = r.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::optional<double> time(const std::string& name) const {
        if (auto it = median.find(name); it != median.end()) return it->second;
        if (auto it = single.find(name); it != single.end()) return it->second;
        return std::nullopt;
    }

private:
    std::map<std::string, double> median;
    std::map<std::string, double> single;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* mode : {"List", "Grid"}) {
        std::string small = std::string("BM_") + mode + "Frame_100";
        auto a = reporter.time(small);
        auto b = reporter.time(small + "000");
        if (!a || !b || *a <= 0) continue;
        std::printf("%s frame, 100,000 vs 100 entries: CPU time ratio %.2f (goal: at most 1.20)\n", mode, *b / *a);
    }
    benchmark::Shutdown();
    return 0;
}
