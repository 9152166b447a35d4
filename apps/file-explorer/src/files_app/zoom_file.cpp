#include "files_app/zoom_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace file_explorer::files_app {

int parse_zoom_text(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    std::int64_t magnitude = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (ec != std::errc{} || end != digits.data() + digits.size()) return 0;
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return 0;
    return std::clamp(static_cast<int>(value), kMinZoomStep, kMaxZoomStep);
}

int read_zoom_step(const std::optional<std::string>& config_dir) {
    if (!config_dir) return 0;
    std::ifstream in(std::filesystem::path(*config_dir) / "zoom", std::ios::binary);
    if (!in) return 0;
    std::ostringstream text;
    text << in.rdbuf();
    return parse_zoom_text(text.str());
}

void write_zoom_step(const std::optional<std::string>& config_dir, int step) {
    if (!config_dir) return;
    std::error_code ec;
    std::filesystem::create_directories(*config_dir, ec);
    const std::string target = (std::filesystem::path(*config_dir) / "zoom").string();
    const std::string temp = target + ".tmp-" + std::to_string(::getpid());
    const std::string text = std::to_string(step);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) ::unlink(temp.c_str());
}

}  // namespace file_explorer::files_app
