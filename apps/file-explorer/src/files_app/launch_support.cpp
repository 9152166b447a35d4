#include "files_app/launch_support.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace file_explorer::files_app {

bool is_valid_utf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xe ? 3 : (c >> 3) == 0x1e ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        std::uint32_t cp = len == 1 ? c : len == 2 ? (c & 0x1f) : len == 3 ? (c & 0x0f) : (c & 0x07);
        for (std::size_t k = 1; k < len; ++k) {
            auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xc0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3f);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        static constexpr std::uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMin[len] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return false;
        i += len;
    }
    return true;
}

std::expected<std::string, std::string> read_share_link(int fd) {
    std::string bytes;
    char buffer[4096];
    while (bytes.size() <= kMaxShareLinkBytes) {
        std::size_t want = std::min(sizeof buffer, kMaxShareLinkBytes + 1 - bytes.size());
        ssize_t n = ::read(fd, buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::unexpected("files-received-link-read-failed");
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    if (bytes.size() > kMaxShareLinkBytes) return std::unexpected("files-received-link-too-large");
    if (!is_valid_utf8(bytes)) return std::unexpected("files-received-link-invalid-text");
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.pop_back();
    if (bytes.empty()) return std::unexpected("files-received-link-empty");
    return bytes;
}

std::string actor_label(const std::function<std::optional<std::string>(const char*)>& getenv,
                        const std::vector<std::uint8_t>& current_actor) {
    if (auto app = getenv("BRISK_APP_ID"); app && !app->empty()) return *app;
    if (auto user = getenv("VESK_USER_ID"); user && !user->empty()) return "files-" + *user;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (std::uint8_t b : current_actor) {
        hex.push_back(kHex[b >> 4]);
        hex.push_back(kHex[b & 0xf]);
    }
    return "files-" + hex.substr(0, 12);
}

std::expected<std::string, std::string> make_absolute(std::string_view arg, std::string_view cwd) {
    if (arg.empty()) return std::unexpected("cannot make an empty path absolute");
    std::string result;
    if (arg.front() != '/') {
        if (cwd.empty()) return std::unexpected("the current working directory is unknown");
        result.assign(cwd);
    }
    // "." components and repeated slashes go; ".." stays (links are not resolved).
    std::size_t pos = 0;
    while (pos <= arg.size()) {
        std::size_t next = arg.find('/', pos);
        if (next == std::string_view::npos) next = arg.size();
        std::string_view part = arg.substr(pos, next - pos);
        if (!part.empty() && part != ".") {
            if (result.empty() || result.back() != '/') result.push_back('/');
            result.append(part);
        }
        pos = next + 1;
    }
    if (result.empty()) result = "/";
    return result;
}

std::optional<std::string> env_utf8(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !is_valid_utf8(value)) return std::nullopt;
    return std::string(value);
}

}  // namespace file_explorer::files_app
