// Helpers for the backend tests: temporary folders, PNG headers and a client
// for the automation door.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>
#include "support/scratch.h"

namespace vesk_ui::test {

using files_test::TempDir;

struct PngSize {
    int width = 0;
    int height = 0;
    bool operator==(const PngSize&) const = default;
};

// Width and height from the IHDR chunk; nothing when the file is no PNG.
inline std::optional<PngSize> png_size(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char h[24] = {};
    if (!in.read(reinterpret_cast<char*>(h), sizeof h)) return std::nullopt;
    static const unsigned char sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (std::memcmp(h, sig, 8) != 0 || std::memcmp(h + 12, "IHDR", 4) != 0) return std::nullopt;
    auto be = [&](int at) { return int(h[at]) << 24 | int(h[at + 1]) << 16 | int(h[at + 2]) << 8 | int(h[at + 3]); };
    return PngSize{be(16), be(20)};
}

// A blocking client for the automation door, with a receive time limit so
// that a broken door fails a test instead of hanging it.
class DoorClient {
public:
    explicit DoorClient(const std::string& path) {
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < give_up) {
            fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            std::strncpy(addr.sun_path, path.c_str(), sizeof(addr.sun_path) - 1);
            if (::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) break;
            ::close(fd_);
            fd_ = -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        timeval tv{15, 0};
        if (fd_ >= 0) ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    }
    ~DoorClient() {
        if (fd_ >= 0) ::close(fd_);
    }
    DoorClient(const DoorClient&) = delete;
    DoorClient& operator=(const DoorClient&) = delete;

    bool connected() const { return fd_ >= 0; }

    void send_raw(const std::string& bytes) {
        std::size_t done = 0;
        while (fd_ >= 0 && done < bytes.size()) {
            ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n <= 0) return;
            done += std::size_t(n);
        }
    }

    // One reply line, or nothing on time-out or a closed connection.
    std::optional<std::string> read_line() {
        for (;;) {
            if (auto nl = buffer_.find('\n'); nl != std::string::npos) {
                std::string line = buffer_.substr(0, nl);
                buffer_.erase(0, nl + 1);
                return line;
            }
            char chunk[65536];
            ssize_t n = fd_ >= 0 ? ::recv(fd_, chunk, sizeof chunk, 0) : -1;
            if (n <= 0) return std::nullopt;
            buffer_.append(chunk, std::size_t(n));
        }
    }

    // Sends one request and parses its reply (null when there was none).
    nlohmann::json request(const std::string& line) {
        send_raw(line + "\n");
        auto reply = read_line();
        if (!reply) return nullptr;
        return nlohmann::json::parse(*reply, nullptr, false);
    }
    nlohmann::json call(const nlohmann::json& j) { return request(j.dump()); }

private:
    int fd_ = -1;
    std::string buffer_;
};

inline std::string unique_socket_path() {
    static std::atomic<int> counter{0};
    return "/tmp/vesk-door-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".sock";
}

}  // namespace vesk_ui::test
