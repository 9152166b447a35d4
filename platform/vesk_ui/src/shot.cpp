#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <limits>

#include <fmt/format.h>

#include "vesk_ui/shot.h"

namespace vesk_ui::shot {

namespace {

std::optional<std::uint32_t> parse_u32(std::string_view s) {
    if (s.empty()) return std::nullopt;
    for (char c : s)
        if (c < '0' || c > '9') return std::nullopt;
    std::uint32_t v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

std::string errno_text(std::string_view what, const std::string& path, int err) {
    return fmt::format("{} {}: {}", what, path, std::strerror(err));
}

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

}  // namespace

Size parse_size(const std::optional<std::string>& value, std::optional<Size> toolkit_default) {
    Size fallback = toolkit_default.value_or(fallback_size);
    if (!value) return fallback;
    std::string_view v = *value;
    std::size_t x = v.find_first_of("xX");
    if (x == std::string_view::npos) return fallback;
    auto w = parse_u32(v.substr(0, x));
    auto h = parse_u32(v.substr(x + 1));
    if (!w || !h) return fallback;
    return {float(*w), float(*h)};
}

std::expected<void, std::string> write_file_atomically(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    if (path.empty()) return std::unexpected("empty output path");
    fs::path target(path);
    std::error_code ec;
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), ec);
        if (ec) return std::unexpected(fmt::format("create folder {}: {}", target.parent_path().string(), ec.message()));
    }
    static std::atomic<unsigned> counter{0};
    fs::path temp = target;
    temp += fmt::format(".tmp-{}-{}", ::getpid(), counter.fetch_add(1));
    std::string temp_name = temp.string();

    int fd = ::open(temp_name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return std::unexpected(errno_text("create", temp_name, errno));
    auto fail = [&](std::string_view what, const std::string& name) {
        int err = errno;
        if (fd >= 0) ::close(fd);
        ::unlink(temp_name.c_str());
        return std::unexpected(errno_text(what, name, err));
    };
    if (!write_all(fd, bytes)) return fail("write", temp_name);
    if (::fsync(fd) != 0) return fail("flush", temp_name);
    int rc = ::close(fd);
    fd = -1;
    if (rc != 0) return fail("close", temp_name);
    if (::rename(temp_name.c_str(), path.c_str()) != 0) return fail("rename to", path);

    // Make the rename itself durable; a failure here loses nothing already
    // visible, so it is not reported.
    std::string dir = target.has_parent_path() ? target.parent_path().string() : std::string(".");
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return {};
}

}  // namespace vesk_ui::shot
