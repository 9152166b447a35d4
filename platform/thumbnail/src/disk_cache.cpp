#include "disk_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

namespace thumbnail::detail {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view temp_suffix = ".tmp";

std::string errno_text(std::string_view what) {
    return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

bool prepare_cache_dir(const fs::path& dir) {
    if (dir.empty()) return false;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec)) return false;
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

std::expected<void, std::string> write_atomically(const fs::path& file, std::span<const std::uint8_t> bytes) {
    static std::atomic<std::uint64_t> counter{0};
    fs::path temp = file;
    temp.replace_filename("." + file.filename().string() + "." + std::to_string(::getpid()) + "-" +
                          std::to_string(counter.fetch_add(1)) + std::string(temp_suffix));
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return std::unexpected(errno_text("cannot create cache file"));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            auto error = errno_text("cannot write cache file");
            ::close(fd);
            ::unlink(temp.c_str());
            return std::unexpected(error);
        }
        done += std::size_t(n);
    }
    if (::close(fd) != 0 || ::rename(temp.c_str(), file.c_str()) != 0) {
        auto error = errno_text("cannot store cache file");
        ::unlink(temp.c_str());
        return std::unexpected(error);
    }
    return {};
}

void touch(const fs::path& file) { ::utimensat(AT_FDCWD, file.c_str(), nullptr, 0); }

void prune_cache(const fs::path& dir, std::size_t max_files) {
    struct Found {
        fs::path path;
        fs::file_time_type time;
    };
    std::vector<Found> pictures;
    std::error_code ec;
    auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entry_ec;
        if (!it->is_regular_file(entry_ec)) continue;
        std::string name = it->path().filename().string();
        auto time = it->last_write_time(entry_ec);
        if (entry_ec) continue;
        if (name.starts_with('.') && name.ends_with(temp_suffix)) {
            // Another writer may still be busy with a fresh one.
            if (now - time > std::chrono::hours(1)) fs::remove(it->path(), entry_ec);
        } else if (name.ends_with(".png")) {
            pictures.push_back({it->path(), time});
        }
    }
    if (pictures.size() <= max_files) return;
    // Prune well below the limit so that pruning stays rare.
    std::size_t keep = max_files - max_files / 4;
    std::size_t remove = pictures.size() - keep;
    std::nth_element(pictures.begin(), pictures.begin() + std::ptrdiff_t(remove), pictures.end(),
                     [](const Found& a, const Found& b) { return a.time < b.time; });
    for (std::size_t i = 0; i < remove; ++i) fs::remove(pictures[i].path, ec);
}

}  // namespace thumbnail::detail
