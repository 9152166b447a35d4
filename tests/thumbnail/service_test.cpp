#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <condition_variable>
#include <fstream>
#include <mutex>
#include <sstream>

#include "test_dir.h"
#include "thumbnail/service.h"

using thumbnail::Category;
using thumbnail::Decoders;
using thumbnail::ThumbKey;
using thumbnail::ThumbnailService;
using State = ThumbnailService::State;
using namespace std::chrono_literals;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Source files hold "W H"; decoding gives a W x H picture, at full size so
// that the service's own bound is exercised. "BAD" fails. The fake PNG
// format stores the dimensions only.
std::expected<vesk_ui::Image, std::string> picture_from_text(const std::string& text) {
    if (text.starts_with("BAD")) return std::unexpected(std::string("bad image"));
    std::istringstream in(text);
    int w = 0, h = 0;
    in >> w >> h;
    if (w <= 0 || h <= 0) return std::unexpected(std::string("not an image"));
    return vesk_ui::Image::from_pixels(w, h, std::vector<std::uint32_t>(std::size_t(w) * h, 0xff336699u));
}

struct FakeCodecs {
    std::mutex m;
    std::condition_variable cv;
    bool hold = false;
    std::vector<std::string> decoded;  // file names of source decodes, in order
    int cache_reads = 0;
    int byte_decodes = 0;

    Decoders decoders() {
        Decoders d;
        d.decode_file = [this](const std::string& path, int) {
            std::string text = slurp(path);
            std::unique_lock lock(m);
            if (text.starts_with("FAKEPNG")) {
                ++cache_reads;
                return picture_from_text(text.substr(7));
            }
            decoded.push_back(std::filesystem::path(path).filename().string());
            cv.notify_all();
            cv.wait(lock, [this] { return !hold; });
            return picture_from_text(text);
        };
        d.decode_bytes = [this](std::span<const std::uint8_t> bytes, int) {
            std::lock_guard lock(m);
            ++byte_decodes;
            return picture_from_text(std::string(bytes.begin(), bytes.end()));
        };
        d.encode_png = [](const vesk_ui::Image& image) -> std::expected<std::vector<std::uint8_t>, std::string> {
            std::string s = "FAKEPNG" + std::to_string(image.width) + " " + std::to_string(image.height);
            return std::vector<std::uint8_t>(s.begin(), s.end());
        };
        return d;
    }
    void wait_decodes(std::size_t n) {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return decoded.size() >= n; });
    }
    void release() {
        {
            std::lock_guard lock(m);
            hold = false;
        }
        cv.notify_all();
    }
    std::vector<std::string> decoded_now() {
        std::lock_guard lock(m);
        return decoded;
    }
};

struct ServiceTest : ::testing::Test {
    TestDir dir;
    FakeCodecs fake;
    std::filesystem::path cache() const { return dir.path / "cache"; }
    ThumbKey key_for(const std::string& path) const { return ThumbKey::from_file(path, 1, 1, 256); }
    void request(ThumbnailService& s, const std::string& path) {
        s.request(key_for(path), path, Category::Image);
    }
};

}  // namespace

TEST_F(ServiceTest, FinishedPictureIsBoundedAndFoundByKey) {
    std::string wide = dir.write("wide.png", "1000 500");
    std::string tall = dir.write("tall.png", "30 900");
    std::string small = dir.write("small.png", "40 20");
    ThumbnailService service(cache(), fake.decoders());
    for (const auto& p : {wide, tall, small}) request(service, p);
    ASSERT_TRUE(service.wait_idle(10s));
    EXPECT_EQ(service.pending(), 0u);

    struct Case {
        std::string path;
        int w, h;
    } cases[] = {{wide, 256, 128}, {tall, 9, 256}, {small, 40, 20}};
    for (const auto& c : cases) {
        auto image = service.lookup(key_for(c.path));
        ASSERT_TRUE(image) << c.path;
        EXPECT_EQ(image->width, c.w);
        EXPECT_EQ(image->height, c.h);
        EXPECT_EQ((*image->pixels)[0], 0xff336699u);  // averaging keeps a flat colour
    }
    EXPECT_GE(service.take_ready_count(), 1u);
    EXPECT_EQ(service.take_ready_count(), 0u);
}

TEST_F(ServiceTest, NewestRequestFirstAndLeftFolderDropped) {
    for (auto name : {"a.png", "b.png", "c.png", "d.png", "e.png"}) dir.write(name, "10 10");
    auto path = [&](const char* name) { return (dir.path / name).string(); };
    fake.hold = true;
    ThumbnailService service(cache(), fake.decoders(), 256, 1);
    service.set_generation(1);
    request(service, path("a.png"));
    fake.wait_decodes(1);  // the only worker is busy with a.png
    request(service, path("b.png"));
    request(service, path("c.png"));
    service.set_generation(2);  // the user left the folder
    EXPECT_EQ(service.pending(), 1u);
    EXPECT_EQ(service.state(key_for(path("b.png"))), State::Unknown);
    request(service, path("d.png"));
    request(service, path("e.png"));
    request(service, path("d.png"));  // coalesces with the queued one
    EXPECT_EQ(service.pending(), 3u);
    fake.release();
    ASSERT_TRUE(service.wait_idle(10s));

    EXPECT_EQ(fake.decoded_now(), (std::vector<std::string>{"a.png", "e.png", "d.png"}));
    EXPECT_TRUE(service.lookup(key_for(path("a.png"))));  // already running: kept
    EXPECT_FALSE(service.lookup(key_for(path("c.png"))));
    // A later visit asks again and gets it.
    request(service, path("c.png"));
    ASSERT_TRUE(service.wait_idle(10s));
    EXPECT_TRUE(service.lookup(key_for(path("c.png"))));
}

TEST_F(ServiceTest, SecondServiceServesFromDiskWithoutDecodingTheFile) {
    std::string photo = dir.write("photo.jpg", "800 600");
    {
        ThumbnailService first(cache(), fake.decoders());
        request(first, photo);
        ASSERT_TRUE(first.wait_idle(10s));
        ASSERT_TRUE(first.lookup(key_for(photo)));
    }
    auto file = cache() / key_for(photo).cache_file_name();
    EXPECT_TRUE(std::filesystem::exists(file));
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(cache())) ++files;
    EXPECT_EQ(files, 1);  // no temporary left behind

    ThumbnailService second(cache(), fake.decoders());
    request(second, photo);
    ASSERT_TRUE(second.wait_idle(10s));
    auto image = second.lookup(key_for(photo));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 256);
    EXPECT_EQ(image->height, 192);
    EXPECT_EQ(fake.decoded_now().size(), 1u);
    EXPECT_EQ(fake.cache_reads, 1);
}

TEST_F(ServiceTest, DamagedCacheFileIsProducedAgain) {
    std::string photo = dir.write("photo.jpg", "100 100");
    std::filesystem::create_directories(cache());
    dir.write("cache/" + key_for(photo).cache_file_name(), "garbage");
    ThumbnailService service(cache(), fake.decoders());
    request(service, photo);
    ASSERT_TRUE(service.wait_idle(10s));
    EXPECT_TRUE(service.lookup(key_for(photo)));
    EXPECT_EQ(slurp((cache() / key_for(photo).cache_file_name()).string()), "FAKEPNG100 100");
}

TEST_F(ServiceTest, FailuresAreRememberedNotRetried) {
    std::string broken = dir.write("broken.png", "BAD");
    std::string notes = dir.write("notes.txt", "hello");
    ThumbnailService service(cache(), fake.decoders());
    request(service, broken);
    service.request(key_for(notes), notes, Category::Text);
    EXPECT_EQ(service.state(key_for(notes)), State::Failed);  // at once, no worker
    ASSERT_TRUE(service.wait_idle(10s));
    EXPECT_EQ(service.state(key_for(broken)), State::Failed);
    request(service, broken);
    ASSERT_TRUE(service.wait_idle(10s));
    EXPECT_EQ(fake.decoded_now().size(), 1u);
    EXPECT_EQ(service.state(key_for(broken)), State::Failed);
}

TEST_F(ServiceTest, CollaborativeWithoutContentIsUnavailableUntilContentArrives) {
    std::string item = dir.write("Harbour.jpg", "640 480");
    std::array<std::uint8_t, 32> hash{};
    hash[3] = 7;
    ThumbKey key = ThumbKey::from_content(hash, 256);
    ThumbnailService service(cache(), fake.decoders());

    service.request_collaborative(key, item, std::nullopt, Category::Image);
    ASSERT_TRUE(service.wait_idle(10s));
    EXPECT_EQ(service.state(key), State::Unavailable);
    EXPECT_EQ(service.pending(), 0u);
    EXPECT_TRUE(fake.decoded_now().empty());

    service.request_collaborative(key, item, item, Category::Image);
    ASSERT_TRUE(service.wait_idle(10s));
    auto image = service.lookup(key);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 256);
}

TEST_F(ServiceTest, CollaborativePublishedPictureIsUsed) {
    std::string item = dir.write("Sunset over bay.png", "not local content");
    std::string published = "300 150";
    if (::lsetxattr(item.c_str(), "user.vesk.thumb", published.data(), published.size(), 0) != 0) {
        GTEST_SKIP() << "user extended attributes not supported here";
    }
    ThumbKey key = ThumbKey::from_content({}, 256);
    ThumbnailService service(cache(), fake.decoders());
    service.request_collaborative(key, item, std::nullopt, Category::Image);
    ASSERT_TRUE(service.wait_idle(10s));
    auto image = service.lookup(key);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 256);
    EXPECT_EQ(image->height, 128);
    EXPECT_EQ(fake.byte_decodes, 1);
}

TEST_F(ServiceTest, MemoryHoldsAtMostItsBoundOfPictures) {
    std::string photo = dir.write("p.png", "4 4");
    ThumbnailService service(cache(), fake.decoders());
    std::vector<ThumbKey> keys;
    for (int i = 0; i < 1100; ++i) keys.push_back(ThumbKey::from_file(photo, i, 1, 256));
    for (int batch = 0; batch < 1100; batch += 275) {
        for (int i = batch; i < batch + 275; ++i) service.request(keys[i], photo, Category::Image);
        ASSERT_TRUE(service.wait_idle(30s));
        // The first key is looked up after every batch: recently used, kept.
        EXPECT_TRUE(service.lookup(keys[0]));
    }
    int ready = 0;
    for (const auto& k : keys) ready += service.state(k) == State::Ready;
    EXPECT_LE(ready, 1024);
    EXPECT_GE(ready, 700);
    EXPECT_TRUE(service.lookup(keys[0]));
    EXPECT_TRUE(service.lookup(keys.back()));
}

TEST_F(ServiceTest, ReadyCallbackRunsPerPicture) {
    std::string photo = dir.write("p.png", "8 8");
    ThumbnailService service(cache(), fake.decoders());
    std::atomic<int> calls{0};
    service.set_ready_callback([&] { ++calls; });
    request(service, photo);
    ASSERT_TRUE(service.wait_idle(10s));
    EXPECT_EQ(calls.load(), 1);
}

TEST_F(ServiceTest, DestroyingWithQueuedWorkStopsCleanly) {
    std::string photo = dir.write("p.png", "64 64");
    auto service = std::make_unique<ThumbnailService>(cache(), fake.decoders());
    for (int i = 0; i < 200; ++i) service->request(ThumbKey::from_file(photo, i, 1, 256), photo, Category::Image);
    service.reset();
    SUCCEED();
}

TEST_F(ServiceTest, CreateFallsBackOnceThenGivesUp) {
    std::string blocker = dir.write("file", "x");
    auto unusable = std::filesystem::path(blocker) / "thumbnails";
    auto fallback = dir.path / "tmp" / "vesk-file-explorer-thumbnails";

    auto service = ThumbnailService::create(256, unusable, fallback, fake.decoders());
    ASSERT_TRUE(service);
    EXPECT_EQ(service->cache_dir(), fallback);
    EXPECT_TRUE(std::filesystem::is_directory(fallback));
    EXPECT_EQ(service->size(), 256);

    auto preferred = ThumbnailService::create(256, dir.path / "state" / "thumbnails", fallback, fake.decoders());
    ASSERT_TRUE(preferred);
    EXPECT_EQ(preferred->cache_dir(), dir.path / "state" / "thumbnails");

    EXPECT_FALSE(ThumbnailService::create(256, unusable, unusable / "again", fake.decoders()));
}
