// The automation door: newline-delimited JSON requests on a Unix socket,
// served from the loop (socket notifiers, no threads, no polling).
#pragma once

#include <QSocketNotifier>
#include <QTimer>

#include <deque>
#include <expected>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"

namespace vesk_ui::qt {

class AutomationServer {
public:
    // Requests longer than this get an error reply and are skipped.
    static constexpr std::size_t kMaxRequest = 1 << 20;

    // Listens on `path` (a stale socket there is replaced; any other kind of
    // file is left alone and is an error). `quit` ends the application.
    static std::expected<std::unique_ptr<AutomationServer>, std::string> listen(
        const std::string& path, Driver& driver, std::string app_label, std::function<void()> quit);
    ~AutomationServer();
    AutomationServer(const AutomationServer&) = delete;
    AutomationServer& operator=(const AutomationServer&) = delete;

    // Handles one request line and returns its reply line (without the line
    // feed); nothing when the reply comes later (wait_idle). Public for tests.
    struct Client;
    std::optional<std::string> handle(Client& client, const std::string& line);

private:
    AutomationServer(Driver& driver, std::string app_label, std::function<void()> quit);
    void accept_clients();
    void read_client(Client& c);
    void split_lines(Client& c, const char* data, std::size_t size);
    void process(Client& c);
    void send_reply(Client& c, std::string line);
    void flush(Client& c);
    void close_client(Client& c);
    void reap();
    void check_waits();

    Driver& driver_;
    std::string app_label_;
    std::function<void()> quit_;
    int listen_fd_ = -1;
    std::string path_;
    unsigned long long inode_ = 0;
    std::unique_ptr<QSocketNotifier> listen_notifier_;
    std::vector<std::unique_ptr<Client>> clients_;
    QTimer wait_timer_;
    bool reap_posted_ = false;
};

}  // namespace vesk_ui::qt
