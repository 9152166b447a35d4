#include "thumbnail/service.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>

#include "disk_cache.h"
#include "sources.h"

namespace thumbnail {

namespace fs = std::filesystem;

namespace {

// About 256 KiB each at most: bounds the memory of finished pictures.
constexpr std::size_t max_pictures = 1024;
// Remembered failures are small, but a long session must not grow forever.
constexpr std::size_t max_failures = 16384;
// Older requests beyond this are dropped; scrolling back requests them anew.
constexpr std::size_t max_queued = 512;
constexpr std::size_t max_cache_files = 4000;
constexpr std::size_t max_published_bytes = 16u << 20;

struct Job {
    ThumbKey key;
    std::string path;                   // the file, or the collaborative item
    std::optional<std::string> source;  // collaborative readable content
    bool collaborative = false;
    Category category = Category::Other;
    std::uint64_t generation = 0;
};

struct Entry {
    ThumbnailService::State state = ThumbnailService::State::Pending;
    vesk_ui::Image image;
    std::uint64_t last_use = 0;
};

struct Outcome {
    std::expected<vesk_ui::Image, std::string> image;
    bool unavailable = false;
};

bool can_picture(Category category) {
    return category == Category::Image || category == Category::Pdf || category == Category::Ebook;
}

}  // namespace

struct ThumbnailService::Impl {
    fs::path cache_dir;
    Decoders decoders;
    int size = default_size;

    mutable std::mutex mutex;
    mutable std::condition_variable work_cv;
    mutable std::condition_variable idle_cv;
    std::unordered_map<ThumbKey, Entry> entries;
    std::deque<Job> queue;  // newest at the back, taken first
    std::size_t running = 0;
    std::size_t pictures = 0;
    std::size_t failures = 0;
    std::uint64_t use_clock = 0;
    std::uint64_t generation = 0;
    std::uint64_t ready_count = 0;
    bool stopping = false;
    bool pruned = false;
    std::function<void()> on_ready;
    std::vector<std::thread> workers;

    void enqueue(Job job);
    void worker_loop();
    Outcome produce(const Job& job);
    std::expected<vesk_ui::Image, std::string> from_content(const std::string& path, Category category);
    void store_in_cache(const fs::path& file, const vesk_ui::Image& image);
    void finish(const ThumbKey& key, Outcome outcome);
    void evict_pictures();
    void forget_failures();
};

ThumbnailService::ThumbnailService(fs::path cache_dir, Decoders decoders, int size, int workers)
    : impl_(std::make_unique<Impl>()) {
    impl_->cache_dir = std::move(cache_dir);
    impl_->decoders = std::move(decoders);
    impl_->size = std::max(1, size);
    detail::prepare_cache_dir(impl_->cache_dir);
    int count = std::max(1, workers);
    for (int i = 0; i < count; ++i) impl_->workers.emplace_back([impl = impl_.get()] { impl->worker_loop(); });
}

ThumbnailService::~ThumbnailService() {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->stopping = true;
        impl_->queue.clear();
    }
    impl_->work_cv.notify_all();
    for (auto& worker : impl_->workers) worker.join();
}

std::unique_ptr<ThumbnailService> ThumbnailService::create(int size, const fs::path& preferred_dir,
                                                           const fs::path& fallback_dir, Decoders decoders) {
    if (detail::prepare_cache_dir(preferred_dir)) {
        return std::make_unique<ThumbnailService>(preferred_dir, std::move(decoders), size);
    }
    if (fallback_dir != preferred_dir && detail::prepare_cache_dir(fallback_dir)) {
        return std::make_unique<ThumbnailService>(fallback_dir, std::move(decoders), size);
    }
    return nullptr;
}

int ThumbnailService::size() const { return impl_->size; }

const fs::path& ThumbnailService::cache_dir() const { return impl_->cache_dir; }

void ThumbnailService::request(const ThumbKey& key, const std::string& path, Category category) {
    std::lock_guard lock(impl_->mutex);
    if (auto it = impl_->entries.find(key); it != impl_->entries.end()) {
        it->second.last_use = ++impl_->use_clock;
        return;
    }
    if (!can_picture(category)) {
        impl_->entries[key].state = State::Failed;
        impl_->forget_failures();
        ++impl_->failures;
        return;
    }
    impl_->enqueue({key, path, std::nullopt, false, category, impl_->generation});
}

void ThumbnailService::request_collaborative(const ThumbKey& key, const std::string& item_path,
                                             std::optional<std::string> source, Category category) {
    std::lock_guard lock(impl_->mutex);
    if (auto it = impl_->entries.find(key); it != impl_->entries.end()) {
        // Content that has arrived since is worth one more attempt.
        bool now_readable = it->second.state == State::Unavailable && source.has_value();
        if (!now_readable) {
            it->second.last_use = ++impl_->use_clock;
            return;
        }
        impl_->entries.erase(it);
        --impl_->failures;
    }
    impl_->enqueue({key, item_path, std::move(source), true, category, impl_->generation});
}

std::optional<vesk_ui::Image> ThumbnailService::lookup(const ThumbKey& key) const {
    std::lock_guard lock(impl_->mutex);
    auto it = impl_->entries.find(key);
    if (it == impl_->entries.end() || it->second.state != State::Ready) return std::nullopt;
    it->second.last_use = ++impl_->use_clock;
    return it->second.image;
}

ThumbnailService::State ThumbnailService::state(const ThumbKey& key) const {
    std::lock_guard lock(impl_->mutex);
    auto it = impl_->entries.find(key);
    return it == impl_->entries.end() ? State::Unknown : it->second.state;
}

std::size_t ThumbnailService::pending() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->queue.size() + impl_->running;
}

void ThumbnailService::set_generation(std::uint64_t generation) {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->generation = generation;
        auto stale = [generation](const Job& job) { return job.generation != generation; };
        for (const Job& job : impl_->queue) {
            if (stale(job)) impl_->entries.erase(job.key);
        }
        std::erase_if(impl_->queue, stale);
    }
    impl_->idle_cv.notify_all();
}

std::uint64_t ThumbnailService::generation() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->generation;
}

bool ThumbnailService::wait_idle(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(impl_->mutex);
    return impl_->idle_cv.wait_for(lock, timeout, [this] { return impl_->queue.empty() && impl_->running == 0; });
}

std::uint64_t ThumbnailService::take_ready_count() {
    std::lock_guard lock(impl_->mutex);
    return std::exchange(impl_->ready_count, 0);
}

void ThumbnailService::set_ready_callback(std::function<void()> callback) {
    std::lock_guard lock(impl_->mutex);
    impl_->on_ready = std::move(callback);
}

// Called with the mutex held.
void ThumbnailService::Impl::enqueue(Job job) {
    entries[job.key] = Entry{State::Pending, {}, ++use_clock};
    queue.push_back(std::move(job));
    if (queue.size() > max_queued) {
        entries.erase(queue.front().key);
        queue.pop_front();
    }
    work_cv.notify_one();
}

void ThumbnailService::Impl::worker_loop() {
    for (;;) {
        Job job;
        bool prune = false;
        {
            std::unique_lock lock(mutex);
            work_cv.wait(lock, [this] { return stopping || !queue.empty(); });
            if (stopping) return;
            job = std::move(queue.back());
            queue.pop_back();
            ++running;
            prune = !std::exchange(pruned, true);
        }
        if (prune) detail::prune_cache(cache_dir, max_cache_files);
        finish(job.key, produce(job));
    }
}

Outcome ThumbnailService::Impl::produce(const Job& job) {
    fs::path cached = cache_dir / job.key.cache_file_name();
    std::error_code ec;
    if (fs::exists(cached, ec) && decoders.decode_file) {
        auto image = decoders.decode_file(cached.string(), size);
        if (image && !image->empty()) {
            detail::touch(cached);
            return {detail::fit_within(*image, size)};
        }
        fs::remove(cached, ec);  // damaged: produce it again
    }

    Outcome outcome{std::unexpected(std::string("no thumbnail"))};
    if (!job.collaborative) {
        outcome.image = from_content(job.path, job.category);
    } else {
        if (job.source) outcome.image = from_content(*job.source, job.category);
        if (!outcome.image) {
            auto published = detail::read_published_thumbnail(job.path, max_published_bytes);
            if (published && decoders.decode_bytes) {
                outcome.image = decoders.decode_bytes(*published, size);
            } else if (!job.source) {
                outcome.unavailable = true;
            }
        }
    }
    if (!outcome.image) return outcome;
    if (outcome.image->empty()) return {std::unexpected(std::string("empty picture"))};
    outcome.image = detail::fit_within(*outcome.image, size);
    store_in_cache(cached, *outcome.image);
    return outcome;
}

std::expected<vesk_ui::Image, std::string> ThumbnailService::Impl::from_content(const std::string& path,
                                                                               Category category) {
    switch (category) {
        case Category::Image:
            if (!decoders.decode_file) return std::unexpected(std::string("no image decoder"));
            return decoders.decode_file(path, size);
        case Category::Pdf:
            return detail::render_pdf_first_page(path, size);
        case Category::Ebook: {
            if (!decoders.decode_bytes) return std::unexpected(std::string("no image decoder"));
            auto cover = detail::epub_cover_bytes(path);
            if (!cover) return std::unexpected(cover.error());
            return decoders.decode_bytes(*cover, size);
        }
        default:
            return std::unexpected(std::string("no thumbnail for this kind of file"));
    }
}

void ThumbnailService::Impl::store_in_cache(const fs::path& file, const vesk_ui::Image& image) {
    if (!decoders.encode_png) return;
    auto png = decoders.encode_png(image);
    // A cache that cannot be written only costs a decode next time.
    if (png) (void)detail::write_atomically(file, *png);
}

void ThumbnailService::Impl::finish(const ThumbKey& key, Outcome outcome) {
    std::function<void()> callback;
    {
        std::lock_guard lock(mutex);
        Entry& entry = entries[key];
        entry.last_use = ++use_clock;
        if (outcome.image) {
            entry.state = State::Ready;
            entry.image = std::move(*outcome.image);
            ++pictures;
            ++ready_count;
            callback = on_ready;
            evict_pictures();
        } else {
            entry.state = outcome.unavailable ? State::Unavailable : State::Failed;
            forget_failures();
            ++failures;
        }
    }
    // Still counted as pending while the callback runs, so that whoever
    // waits for idleness also sees its effect.
    if (callback) callback();
    {
        std::lock_guard lock(mutex);
        --running;
    }
    idle_cv.notify_all();
}

// Called with the mutex held: drops the least recently used quarter.
void ThumbnailService::Impl::evict_pictures() {
    if (pictures <= max_pictures) return;
    std::vector<std::pair<std::uint64_t, const ThumbKey*>> ready;
    ready.reserve(pictures);
    for (const auto& [key, entry] : entries) {
        if (entry.state == State::Ready) ready.emplace_back(entry.last_use, &key);
    }
    std::size_t drop = ready.size() - (max_pictures - max_pictures / 4);
    std::nth_element(ready.begin(), ready.begin() + std::ptrdiff_t(drop), ready.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ThumbKey> victims;
    for (std::size_t i = 0; i < drop; ++i) victims.push_back(*ready[i].second);
    for (const auto& key : victims) entries.erase(key);
    pictures -= drop;
}

// Called with the mutex held, before a failure is added.
void ThumbnailService::Impl::forget_failures() {
    if (failures < max_failures) return;
    std::erase_if(entries, [](const auto& item) {
        return item.second.state == State::Failed || item.second.state == State::Unavailable;
    });
    failures = 0;
}

}  // namespace thumbnail
