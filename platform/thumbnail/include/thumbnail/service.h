// Thumbnails produced on worker threads and kept in memory and in a disk
// cache. The UI thread only requests and looks up; it never waits for a
// decode and never touches the disk through this service.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "thumbnail/category.h"
#include "thumbnail/key.h"
#include "vesk_ui/painter.h"

namespace thumbnail {

// The raster codecs the service relies on, injected so that the library
// needs no particular image toolkit. Each must be callable from any thread.
// `max_side` bounds the long side of the result (aspect kept).
struct Decoders {
    std::function<std::expected<vesk_ui::Image, std::string>(const std::string& path, int max_side)>
        decode_file;
    std::function<std::expected<vesk_ui::Image, std::string>(std::span<const std::uint8_t> bytes,
                                                             int max_side)>
        decode_bytes;
    std::function<std::expected<std::vector<std::uint8_t>, std::string>(const vesk_ui::Image&)>
        encode_png;
};

class ThumbnailService {
public:
    static constexpr int default_size = 256;
    static constexpr int default_workers = 2;

    enum class State {
        Unknown,      // never requested, or forgotten
        Pending,      // queued or being produced
        Ready,        // lookup() returns the picture
        Failed,       // the file could not be thumbnailed; not retried
        Unavailable,  // a collaborative file without local content or published picture
    };

    // Creates `cache_dir` when missing. Prefer create(), which falls back.
    ThumbnailService(std::filesystem::path cache_dir, Decoders decoders, int size = default_size,
                     int workers = default_workers);
    ~ThumbnailService();
    ThumbnailService(const ThumbnailService&) = delete;
    ThumbnailService& operator=(const ThumbnailService&) = delete;

    // A service caching in `preferred_dir`; when that folder cannot be
    // created or written, one attempt in `fallback_dir`; else none.
    static std::unique_ptr<ThumbnailService> create(int size, const std::filesystem::path& preferred_dir,
                                                    const std::filesystem::path& fallback_dir,
                                                    Decoders decoders);

    int size() const;
    const std::filesystem::path& cache_dir() const;

    // A local file, read at `path`. Kinds the service cannot picture fail at
    // once without a worker. Repeated requests of a key coalesce.
    void request(const ThumbKey& key, const std::string& path, Category category);
    // A file of a collaborative workspace: `source` is its readable local
    // content when present; otherwise the picture the workspace service
    // published on `item_path` is used. With neither, the key is remembered
    // as unavailable until it is requested again with a source.
    void request_collaborative(const ThumbKey& key, const std::string& item_path,
                               std::optional<std::string> source, Category category);

    // A finished picture (shared pixels, cheap to copy).
    std::optional<vesk_ui::Image> lookup(const ThumbKey& key) const;
    State state(const ThumbKey& key) const;
    // Requests queued or being produced.
    std::size_t pending() const;

    // Requests made from now on belong to `generation`; queued requests of
    // any other generation (a folder the user has left) are dropped.
    void set_generation(std::uint64_t generation);
    std::uint64_t generation() const;

    // Blocks until nothing is pending or the timeout passes; true when idle.
    bool wait_idle(std::chrono::milliseconds timeout) const;

    // Pictures finished since the last call; the UI polls it to repaint.
    std::uint64_t take_ready_count();
    // Called on a worker thread after each finished picture, e.g. to wake the
    // event loop. It runs without the service's lock held and must be thread-safe.
    void set_ready_callback(std::function<void()> callback);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace thumbnail
