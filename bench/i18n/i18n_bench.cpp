// Message formatting through the per-thread cache, as the status line and
// the views use it, and the one-time costs behind it.
#include <memory>

#include <benchmark/benchmark.h>

#include "i18n/fluent_bundle.h"
#include "i18n/fluent_parser.h"
#include "i18n/i18n.h"
#include "i18n/locale.h"
#include "i18n/localizer.h"

namespace {

using namespace file_explorer::i18n;

// The same shape as the catalog's selection line, with a plural nested in
// the selected count and another in the base text's message.
constexpr const char* kFixture = R"(
item-count = { $count } { $count ->
    [one] item
   *[other] items
}
selected-count = { $base }  ·  { $count ->
    [one] { $count } selected
   *[other] { $count } selected
}
nested = { $files ->
    [one] { $folders ->
        [one] one file in one folder
       *[other] one file in { $folders } folders
    }
   *[other] { $folders ->
        [one] { $files } files in one folder
       *[other] { $files } files in { $folders } folders
    }
}
)";

void selected_count(benchmark::State& state, const Locale& locale) {
    Args args;
    args.text("base", format_message(locale, "files-item-count", Args().number("count", 1234)));
    args.number("count", 17);
    for (auto _ : state) benchmark::DoNotOptimize(format_message(locale, "files-selected-count", args));
    state.SetLabel(format_message(locale, "files-selected-count", args));
}

void BM_SelectedCountEnUs(benchmark::State& state) { selected_count(state, en_us()); }
BENCHMARK(BM_SelectedCountEnUs);

void BM_SelectedCountDeDe(benchmark::State& state) { selected_count(state, *parse_language_identifier("de-DE")); }
BENCHMARK(BM_SelectedCountDeDe);

void BM_SelectedCountProcessLocale(benchmark::State& state) {
    Args args = Args().text("base", tr_args("files-item-count", Args().number("count", 1234))).number("count", 17);
    for (auto _ : state) benchmark::DoNotOptimize(tr_args("files-selected-count", args));
}
BENCHMARK(BM_SelectedCountProcessLocale);

void fixture_message(benchmark::State& state, const char* id, const Args& args) {
    fluent::Bundle bundle(en_us());
    bundle.add_resource(std::make_shared<const fluent::Resource>(fluent::parse(kFixture)));
    for (auto _ : state) benchmark::DoNotOptimize(bundle.format(id, args));
    state.SetLabel(bundle.format(id, args)->text);
}

void BM_FixtureSelectedCountNestedPlural(benchmark::State& state) {
    fixture_message(state, "selected-count", Args().text("base", "1,234 items").number("count", 17));
}
BENCHMARK(BM_FixtureSelectedCountNestedPlural);

void BM_FixtureTwoLevelPlural(benchmark::State& state) {
    fixture_message(state, "nested", Args().number("files", 5).number("folders", 3));
}
BENCHMARK(BM_FixtureTwoLevelPlural);

void BM_FormatSize(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(format_size_in(en_us(), 123456789));
}
BENCHMARK(BM_FormatSize);

// What a thread pays once: parsing a catalog, and building its bundles.
void BM_ParseEnUsCatalog(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(fluent::parse(catalog_source(Catalog::en_us)));
}
BENCHMARK(BM_ParseEnUsCatalog);

void BM_BuildGermanBundles(benchmark::State& state) {
    const Locale de = *parse_language_identifier("de-DE");
    for (auto _ : state) {
        fluent::Bundle primary(de);
        primary.add_resource(parsed_catalog(Catalog::de_de));
        fluent::Bundle fallback(de);
        fallback.add_resource(parsed_catalog(Catalog::en_us));
        benchmark::DoNotOptimize(primary.format("files-time-unknown", {}));
    }
}
BENCHMARK(BM_BuildGermanBundles);

}  // namespace

BENCHMARK_MAIN();
