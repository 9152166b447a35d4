// What the UI thread pays per frame (look-ups, categories) and what a
// worker pays per picture (a large photo decoded at thumbnail size).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QImage>

#include <filesystem>

#include "thumbnail/category.h"
#include "thumbnail/service.h"
#include "vesk_ui/image_codec.h"

namespace {

namespace fs = std::filesystem;

struct TempDir {
    fs::path path;
    TempDir() {
        std::string templ = (fs::temp_directory_path() / "thumbnail-bench-XXXXXX").string();
        path = ::mkdtemp(templ.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

thumbnail::Decoders tiny_decoders() {
    thumbnail::Decoders d;
    d.decode_file = [](const std::string&, int) {
        return std::expected<vesk_ui::Image, std::string>(
            vesk_ui::Image::from_pixels(4, 4, std::vector<std::uint32_t>(16, 0xff808080u)));
    };
    return d;
}

// One frame of a full 4K grid at the smallest zoom: about 1,000 visible
// cells, each looked up once, against a service holding 1,000 pictures.
void BM_LookupFrame(benchmark::State& state) {
    TempDir dir;
    thumbnail::ThumbnailService service(dir.path, tiny_decoders());
    std::vector<thumbnail::ThumbKey> keys;
    for (int i = 0; i < 1000; ++i) {
        keys.push_back(thumbnail::ThumbKey::from_file("/home/u/Pictures/IMG_" + std::to_string(i) + ".jpg",
                                                      1700000000000 + i, 2'000'000, 256));
        service.request(keys.back(), "/nonexistent", thumbnail::Category::Image);
        if (i % 256 == 255) service.wait_idle(std::chrono::seconds(30));
    }
    service.wait_idle(std::chrono::seconds(30));
    for (auto _ : state) {
        for (const auto& key : keys) benchmark::DoNotOptimize(service.lookup(key));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(keys.size()));
}
BENCHMARK(BM_LookupFrame);

void BM_CategoryForPath(benchmark::State& state) {
    const char* names[] = {"/home/u/Documents/Quarterly report FINAL.docx", "/home/u/src/main.rs",
                           "/home/u/Pictures/IMG_2048.JPG", "/home/u/Makefile", "/home/u/.bashrc"};
    for (auto _ : state) {
        for (const char* n : names) benchmark::DoNotOptimize(thumbnail::category_for_path(n));
    }
    state.SetItemsProcessed(state.iterations() * 5);
}
BENCHMARK(BM_CategoryForPath);

// A 12-megapixel camera JPEG to a 256-pixel thumbnail; the second variant
// decodes at full size, for comparison.
void BM_DecodeCameraJpeg(benchmark::State& state) {
    TempDir dir;
    std::string path = (dir.path / "camera.jpg").string();
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) row[x] = qRgb(x % 256, y % 256, (x * y) % 256);
    }
    photo.save(QString::fromStdString(path), "jpg", 90);
    int max_side = int(state.range(0));
    for (auto _ : state) {
        auto image = vesk_ui::image_codec::decode_file(path, max_side);
        if (!image) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_DecodeCameraJpeg)->Arg(256)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
