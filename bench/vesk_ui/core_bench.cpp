// Per-frame costs of the toolkit core: icons for a screenful of rows, name
// elision, and selection changes on very large folders.
#include <benchmark/benchmark.h>

#include <string>

#include "vesk_ui/icons.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/selection.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"

namespace {

using namespace vesk_ui;

// Paints nothing; keeps the optimiser from dropping the paths.
class NullPainter final : public Painter {
public:
    std::size_t points = 0;
    void fill_rect(const Rect&, Color) override {}
    void fill_rounded_rect(const Rect&, float, Color) override {}
    void stroke_rounded_rect(const Rect&, float, float, Color) override {}
    void draw_line(Point, Point, float, Color) override {}
    void fill_path(const Path& p, Color) override { points += p.points().size(); }
    void stroke_path(const Path& p, const Stroke&, Color) override { points += p.points().size(); }
    void draw_shadow(const Rect&, float, float, Color) override {}
    void draw_image(const Image&, const Rect&, const Rect&, float) override {}
    void draw_text(Point, std::string_view, const FontSpec&, Color) override {}
    void push_clip(const Rect&) override {}
    void pop_clip() override {}
    void push_opacity(float) override {}
    void pop_opacity() override {}
    void push_offset(Point) override {}
    void pop_offset() override {}
};

// One frame of a list view: 40 rows, each with a file icon and a badge.
void BM_IconsForOneFrame(benchmark::State& state) {
    NullPainter painter;
    const Theme& theme = Theme::dark();
    for (auto _ : state) {
        for (int row = 0; row < 40; ++row) {
            Rect box = Rect::from_xywh(10, 30 + 34.0f * float(row), 18, 18);
            draw_icon(painter, Icon(int(Icon::Folder) + row % 16), box, theme, 2.0f);
            draw_icon(painter, Icon::BadgeTransfer, Rect::from_xywh(20, 40 + 34.0f * float(row), 8, 8), theme, 2.0f);
        }
    }
    benchmark::DoNotOptimize(painter.points);
    state.SetItemsProcessed(state.iterations() * 40);
}
BENCHMARK(BM_IconsForOneFrame);

void BM_IconForPath(benchmark::State& state) {
    const char* names[] = {"holiday.JPG", "main.rs", "Report.docx", "archive.tar.gz", "notes", "movie.mkv"};
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(icons::icon_for_path(names[i++ % 6], false, ""));
}
BENCHMARK(BM_IconForPath);

void BM_ElideLongName(benchmark::State& state) {
    std::string name;
    for (int i = 0; i < 20; ++i) name += "Quarterly report draft ";
    const FontSpec font;
    for (auto _ : state) benchmark::DoNotOptimize(text_renderer().elide(name, font, 180));
}
BENCHMARK(BM_ElideLongName);

void BM_ShiftClickAcrossLargeFolder(benchmark::State& state) {
    const auto count = std::size_t(state.range(0));
    for (auto _ : state) {
        SelectionModel s;
        s.apply_click(0, false, false);
        s.apply_click(count - 1, false, true);
        s.apply_click(count / 2, true, false);
        benchmark::DoNotOptimize(s.selected().data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ShiftClickAcrossLargeFolder)->Arg(1000)->Arg(100000)->Complexity();

}  // namespace

BENCHMARK_MAIN();
