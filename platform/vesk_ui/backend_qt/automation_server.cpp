#include "automation_server.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "access_tree.h"
#include "vesk_ui/offscreen.h"
#include "vesk_ui/shot.h"

namespace vesk_ui::qt {

using json = nlohmann::ordered_json;

namespace {

constexpr std::size_t kMaxClients = 16;
constexpr double kMaxCoordinate = 1e6;
// A client that neither reads its replies nor stops sending is dropped
// before it can exhaust memory.
constexpr std::size_t kMaxBuffered = 16u << 20;
constexpr std::size_t kReadChunk = 64u << 10;
constexpr int kWaitPollMs = 10;
constexpr int kDefaultWaitMs = 5000;
constexpr int kMaxWaitMs = 600000;
// Work due within this horizon counts as pending for wait_idle: a root that
// polls a worker every few milliseconds is busy, one that refreshes its
// folder every second between requests is idle.
constexpr auto kIdleHorizon = std::chrono::milliseconds(100);

std::string dump(const json& j) { return j.dump(-1, ' ', false, json::error_handler_t::replace); }

std::string ok_reply(json result) {
    json j;
    j["ok"] = true;
    j["result"] = std::move(result);
    return dump(j);
}

std::string error_reply(std::string_view text) {
    json j;
    j["ok"] = false;
    j["error"] = std::string(text);
    return dump(j);
}

std::string errno_text(std::string_view what) { return fmt::format("{}: {}", what, std::strerror(errno)); }

bool blank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

// Typed access to request fields; the first wrong type is remembered.
class Fields {
public:
    explicit Fields(const json& j) : j_(j) {}

    std::optional<std::string> text(const char* name) {
        auto it = j_.find(name);
        if (it == j_.end() || it->is_null()) return std::nullopt;
        if (!it->is_string()) return fail(name, "text");
        return it->get<std::string>();
    }
    std::optional<double> number(const char* name) {
        auto it = j_.find(name);
        if (it == j_.end() || it->is_null()) return std::nullopt;
        // Positions and deltas: far beyond any screen is a mistake, and would
        // turn into infinities in single precision.
        if (!it->is_number() || !(std::fabs(it->get<double>()) <= kMaxCoordinate))
            return fail(name, "a number from -1000000 to 1000000");
        return it->get<double>();
    }
    std::optional<long long> integer(const char* name, long long lo, long long hi) {
        auto it = j_.find(name);
        if (it == j_.end() || it->is_null()) return std::nullopt;
        if (!it->is_number_integer()) return fail(name, "an integer");
        if (it->is_number_unsigned() && it->get<unsigned long long>() > (unsigned long long)hi)
            return fail(name, fmt::format("an integer from {} to {}", lo, hi));
        long long v = it->get<long long>();
        if (v < lo || v > hi) return fail(name, fmt::format("an integer from {} to {}", lo, hi));
        return v;
    }
    const json* raw(const char* name) const {
        auto it = j_.find(name);
        return it == j_.end() ? nullptr : &*it;
    }
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    void require(bool present, const char* name) {
        if (!present && error_.empty()) error_ = fmt::format("missing field \"{}\"", name);
    }

private:
    std::nullopt_t fail(const char* name, std::string_view what) {
        if (error_.empty()) error_ = fmt::format("field \"{}\" must be {}", name, what);
        return std::nullopt;
    }
    const json& j_;
    std::string error_;
};

json rect_json(const Rect& r) { return json::array({r.left, r.top, r.right, r.bottom}); }

json node_json(const AccessNode& n) {
    json j;
    j["role"] = role_name(n.role);
    j["label"] = n.label;
    j["description"] = n.description;
    j["value"] = n.value;
    j["id"] = n.id;
    j["flags"] = n.flags;
    j["rect"] = rect_json(n.rect);
    json kids = json::array();
    for (const auto& c : n.children) kids.push_back(node_json(c));
    j["children"] = std::move(kids);
    return j;
}

json resource_json(const vesk_actions::Resource& r) {
    json ops = json::array();
    for (const auto& op : r.operations) {
        json o;
        o["name"] = op.name;
        o["title"] = op.title;
        o["action"] = op.action;
        json payload = json::parse(op.payload_json, nullptr, false);
        o["payload"] = payload.is_discarded() ? json(op.payload_json) : std::move(payload);
        o["class"] = int(op.operation_class);
        if (op.unavailable)
            o["unavailable"] = json{{"code", op.unavailable->code}, {"text", op.unavailable->text}};
        else
            o["unavailable"] = nullptr;
        if (op.text_argument)
            o["text_argument"] = json{{"name", op.text_argument->name},
                                      {"prompt", op.text_argument->prompt},
                                      {"default", op.text_argument->default_value}};
        else
            o["text_argument"] = nullptr;
        ops.push_back(std::move(o));
    }
    json j;
    j["id"] = r.id;
    j["kind"] = r.kind;
    j["label"] = r.label;
    j["operations"] = std::move(ops);
    return j;
}

std::optional<Button> button_named(const std::string& name) {
    if (name == "primary") return Button::Primary;
    if (name == "secondary") return Button::Secondary;
    if (name == "middle") return Button::Middle;
    return std::nullopt;
}

std::optional<PointerKind> pointer_kind_named(const std::string& name) {
    if (name == "move") return PointerKind::Move;
    if (name == "down") return PointerKind::Down;
    if (name == "up") return PointerKind::Up;
    if (name == "leave") return PointerKind::Leave;
    return std::nullopt;
}

// Marks input as coming from the door for the span of one request.
class SyntheticInput {
public:
    explicit SyntheticInput(Driver& d) : d_(d) { d_.set_synthetic(true); }
    ~SyntheticInput() { d_.set_synthetic(false); }

private:
    Driver& d_;
};

}  // namespace

struct AutomationServer::Client {
    struct Line {
        std::string text;
        bool oversized = false;
    };
    int fd = -1;
    std::string partial;
    bool discarding = false;
    std::deque<Line> lines;
    std::size_t queued_bytes = 0;
    std::string out;
    QSocketNotifier* reader = nullptr;
    QSocketNotifier* writer = nullptr;
    std::optional<Clock::time_point> wait_until;
    long long wait_ms = 0;
    bool eof = false;
    bool dead = false;
};

AutomationServer::AutomationServer(Driver& driver, std::string app_label, std::function<void()> quit)
    : driver_(driver), app_label_(std::move(app_label)), quit_(std::move(quit)) {
    wait_timer_.setInterval(kWaitPollMs);
    QObject::connect(&wait_timer_, &QTimer::timeout, [this] { check_waits(); });
}

std::expected<std::unique_ptr<AutomationServer>, std::string> AutomationServer::listen(
    const std::string& path, Driver& driver, std::string app_label, std::function<void()> quit) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.empty()) return std::unexpected(std::string("empty automation socket path"));
    if (path.size() >= sizeof(addr.sun_path))
        return std::unexpected(fmt::format("automation socket path is longer than {} bytes", sizeof(addr.sun_path) - 1));
    std::memcpy(addr.sun_path, path.data(), path.size());

    struct stat st{};
    if (::lstat(path.c_str(), &st) == 0) {
        if (!S_ISSOCK(st.st_mode))
            return std::unexpected(fmt::format("{} exists and is not a socket", path));
        ::unlink(path.c_str());  // left behind by an earlier run
    }
    std::unique_ptr<AutomationServer> server(new AutomationServer(driver, std::move(app_label), std::move(quit)));
    server->listen_fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (server->listen_fd_ < 0) return std::unexpected(errno_text("socket"));
    if (::bind(server->listen_fd_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0)
        return std::unexpected(errno_text(fmt::format("bind {}", path)));
    server->path_ = path;
    // The door drives the whole application: only its user may use it.
    ::chmod(path.c_str(), 0600);
    if (::stat(path.c_str(), &st) == 0) server->inode_ = st.st_ino;
    if (::listen(server->listen_fd_, 8) != 0) return std::unexpected(errno_text(fmt::format("listen {}", path)));
    server->listen_notifier_ = std::make_unique<QSocketNotifier>(server->listen_fd_, QSocketNotifier::Read);
    AutomationServer* self = server.get();
    QObject::connect(server->listen_notifier_.get(), &QSocketNotifier::activated, [self] { self->accept_clients(); });
    driver.set_after_work([self] { self->check_waits(); });
    return server;
}

AutomationServer::~AutomationServer() {
    driver_.set_after_work(nullptr);
    wait_timer_.stop();
    for (auto& c : clients_) {
        delete c->reader;
        delete c->writer;
        if (c->fd >= 0) ::close(c->fd);
    }
    listen_notifier_.reset();
    if (listen_fd_ >= 0) ::close(listen_fd_);
    // Removes the socket only if it is still ours.
    struct stat st{};
    if (!path_.empty() && ::lstat(path_.c_str(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_ino == inode_)
        ::unlink(path_.c_str());
}

void AutomationServer::accept_clients() {
    for (;;) {
        int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;  // EAGAIN, or a client that went away already
        std::size_t live = std::count_if(clients_.begin(), clients_.end(), [](auto& c) { return !c->dead; });
        if (live >= kMaxClients) {
            ::close(fd);
            continue;
        }
        auto client = std::make_unique<Client>();
        client->fd = fd;
        Client* c = client.get();
        c->reader = new QSocketNotifier(fd, QSocketNotifier::Read);
        QObject::connect(c->reader, &QSocketNotifier::activated, [this, c] { read_client(*c); });
        c->writer = new QSocketNotifier(fd, QSocketNotifier::Write);
        c->writer->setEnabled(false);
        QObject::connect(c->writer, &QSocketNotifier::activated, [this, c] { flush(*c); });
        clients_.push_back(std::move(client));
    }
}

void AutomationServer::read_client(Client& c) {
    if (c.dead) return;
    char buf[kReadChunk];
    // Bounded per wake-up, so one busy client cannot starve the window.
    for (int round = 0; round < 16; ++round) {
        ssize_t n = ::read(c.fd, buf, sizeof(buf));
        if (n > 0) {
            split_lines(c, buf, std::size_t(n));
            if (c.queued_bytes > kMaxBuffered) {
                close_client(c);
                return;
            }
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        // End of input (or a broken connection): answer what is complete,
        // then close once everything is written.
        if (!c.partial.empty() && !c.discarding && !blank(c.partial)) c.lines.push_back({std::move(c.partial), false});
        c.partial.clear();
        c.eof = true;
        c.reader->setEnabled(false);
        break;
    }
    process(c);
}

void AutomationServer::split_lines(Client& c, const char* data, std::size_t size) {
    std::size_t start = 0;
    while (start < size) {
        const void* nl = std::memchr(data + start, '\n', size - start);
        const std::size_t end = nl ? std::size_t(static_cast<const char*>(nl) - data) : size;
        if (c.discarding) {
            if (nl) c.discarding = false;
            start = end + 1;
            continue;
        }
        c.partial.append(data + start, end - start);
        if (c.partial.size() > kMaxRequest) {
            c.lines.push_back({{}, true});
            c.partial.clear();
            c.discarding = nl == nullptr;
        } else if (nl) {
            if (!c.partial.empty() && c.partial.back() == '\r') c.partial.pop_back();
            if (!blank(c.partial)) {
                c.queued_bytes += c.partial.size();
                c.lines.push_back({std::move(c.partial), false});
            }
            c.partial.clear();
        }
        start = end + 1;
    }
}

void AutomationServer::process(Client& c) {
    while (!c.dead && !c.wait_until && !c.lines.empty()) {
        Client::Line line = std::move(c.lines.front());
        c.lines.pop_front();
        c.queued_bytes -= std::min(c.queued_bytes, line.text.size());
        if (line.oversized) {
            send_reply(c, error_reply(fmt::format("request longer than {} bytes", kMaxRequest)));
            continue;
        }
        if (auto reply = handle(c, line.text)) send_reply(c, std::move(*reply));
    }
    if (!c.dead && c.eof && c.lines.empty() && !c.wait_until && c.out.empty()) close_client(c);
}

void AutomationServer::send_reply(Client& c, std::string line) {
    if (c.dead) return;
    c.out += line;
    c.out += '\n';
    flush(c);
}

void AutomationServer::flush(Client& c) {
    while (!c.dead && !c.out.empty()) {
        ssize_t n = ::send(c.fd, c.out.data(), c.out.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            c.out.erase(0, std::size_t(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (c.out.size() > kMaxBuffered) {
                close_client(c);
                return;
            }
            c.writer->setEnabled(true);
            return;
        }
        close_client(c);
        return;
    }
    if (c.dead) return;
    c.writer->setEnabled(false);
    if (c.eof && c.lines.empty() && !c.wait_until) close_client(c);
}

void AutomationServer::close_client(Client& c) {
    if (c.dead) return;
    c.dead = true;
    c.wait_until.reset();
    // The notifiers may be the ones whose signal is running: delete later.
    c.reader->setEnabled(false);
    c.writer->setEnabled(false);
    c.reader->deleteLater();
    c.writer->deleteLater();
    c.reader = c.writer = nullptr;
    ::close(c.fd);
    c.fd = -1;
    if (!reap_posted_) {
        reap_posted_ = true;
        QTimer::singleShot(0, &wait_timer_, [this] { reap(); });
    }
}

void AutomationServer::reap() {
    reap_posted_ = false;
    std::erase_if(clients_, [](const auto& c) { return c->dead; });
}

void AutomationServer::check_waits() {
    bool waiting = false;
    for (std::size_t i = 0; i < clients_.size(); ++i) {
        Client& c = *clients_[i];
        if (c.dead || !c.wait_until) continue;
        if (driver_.idle(kIdleHorizon)) {
            c.wait_until.reset();
            send_reply(c, ok_reply("idle"));
            process(c);
        } else if (Clock::now() >= *c.wait_until) {
            c.wait_until.reset();
            send_reply(c, error_reply(fmt::format("not idle after {} ms", c.wait_ms)));
            process(c);
        }
        if (!c.dead && c.wait_until) waiting = true;
    }
    if (waiting && !wait_timer_.isActive()) wait_timer_.start();
    if (!waiting) wait_timer_.stop();
}

std::optional<std::string> AutomationServer::handle(Client& c, const std::string& line) {
    json req = json::parse(line, nullptr, /*allow_exceptions=*/false);
    if (req.is_discarded()) return error_reply("malformed JSON");
    if (!req.is_object()) return error_reply("a request is a JSON object");
    auto op_it = req.find("op");
    if (op_it == req.end() || !op_it->is_string()) return error_reply("missing field \"op\"");
    const std::string op = op_it->get<std::string>();
    Fields f(req);
    Widget& root = driver_.root();

    try {
        if (op == "snapshot") {
            driver_.settle();
            json snap = json::parse(root.automation_snapshot(), nullptr, false);
            if (snap.is_discarded()) return error_reply("the snapshot is not valid JSON");
            return ok_reply(std::move(snap));
        }
        if (op == "accessibility") {
            driver_.settle();
            return ok_reply(node_json(access_tree(root, app_label_)));
        }
        if (op == "resources") {
            json list = json::array();
            for (const auto& r : root.resources()) list.push_back(resource_json(r));
            return ok_reply(std::move(list));
        }
        if (op == "invoke") {
            vesk_actions::Invocation inv;
            auto action = f.text("action");
            auto cls = f.integer("class", 1, 2);
            auto resource = f.text("resource");
            f.require(action.has_value(), "action");
            if (!f.ok()) return error_reply(f.error());
            inv.action = *action;
            inv.operation_class = vesk_actions::OperationClass(cls.value_or(1));
            inv.resource_id = resource.value_or("");
            if (const json* payload = f.raw("payload")) inv.payload_json = dump(*payload);
            if (const json* args = f.raw("args"); args && !args->is_null()) {
                if (!args->is_object()) return error_reply("field \"args\" must be an object");
                for (const auto& [name, value] : args->items()) {
                    if (!value.is_string()) return error_reply(fmt::format("argument \"{}\" must be text", name));
                    inv.text_args[name] = value.get<std::string>();
                }
            }
            auto outcome = root.invoke_resource_operation_v2(inv);
            driver_.settle();
            driver_.invalidate();
            driver_.schedule();
            switch (outcome.kind) {
            case vesk_actions::InvokeOutcome::Kind::Success: return ok_reply("success");
            case vesk_actions::InvokeOutcome::Kind::NotHandled: return ok_reply("not_handled");
            case vesk_actions::InvokeOutcome::Kind::Failure: return error_reply(outcome.failure);
            }
            return error_reply("unknown outcome");
        }
        if (op == "key") {
            auto key = f.text("key");
            auto text = f.text("text");
            auto mods = f.integer("mods", 0, 0xffffffffLL);
            if (!f.ok()) return error_reply(f.error());
            if (key.has_value() == text.has_value() || (key && key->empty()) || (text && text->empty()))
                return error_reply("a key request names either a \"key\" or a \"text\"");
            KeyEvent ke;
            ke.key = key.value_or("");
            ke.text = text.value_or("");
            ke.modifiers = std::uint32_t(mods.value_or(0));
            SyntheticInput synthetic(driver_);
            EventContext press = driver_.dispatch(Event{ke});
            ke.pressed = false;
            driver_.dispatch(Event{ke});
            driver_.settle();
            return ok_reply(json{{"handled", press.handled}});
        }
        if (op == "pointer") {
            auto kind_name = f.text("kind");
            auto x = f.number("x");
            auto y = f.number("y");
            auto button_name = f.text("button");
            auto mods = f.integer("mods", 0, 0xffffffffLL);
            f.require(kind_name.has_value(), "kind");
            if (!f.ok()) return error_reply(f.error());
            auto kind = pointer_kind_named(*kind_name);
            if (!kind) return error_reply(fmt::format("unknown pointer kind \"{}\"", *kind_name));
            Point at = driver_.last_pointer();
            if (*kind != PointerKind::Leave) {
                f.require(x.has_value(), "x");
                f.require(y.has_value(), "y");
                if (!f.ok()) return error_reply(f.error());
                at = {float(*x), float(*y)};
            }
            Button button = Button::None;
            if (*kind == PointerKind::Down || *kind == PointerKind::Up) {
                auto b = button_named(button_name.value_or("primary"));
                if (!b) return error_reply(fmt::format("unknown button \"{}\"", *button_name));
                button = *b;
            }
            SyntheticInput synthetic(driver_);
            EventContext ctx = driver_.pointer(*kind, at, button, std::uint32_t(mods.value_or(0)));
            driver_.settle();
            return ok_reply(json{{"handled", ctx.handled}});
        }
        if (op == "wheel") {
            auto dx = f.number("dx");
            auto dy = f.number("dy");
            auto x = f.number("x");
            auto y = f.number("y");
            auto mods = f.integer("mods", 0, 0xffffffffLL);
            if (!f.ok()) return error_reply(f.error());
            Point at = driver_.last_pointer();
            if (x && y) at = {float(*x), float(*y)};
            WheelEvent we;
            we.scale = driver_.scale();
            we.physical = {at.x * we.scale, at.y * we.scale};
            we.dx = float(dx.value_or(0));
            we.dy = float(dy.value_or(0));
            we.modifiers = std::uint32_t(mods.value_or(0));
            SyntheticInput synthetic(driver_);
            EventContext ctx = driver_.dispatch(Event{we});
            driver_.settle();
            return ok_reply(json{{"handled", ctx.handled}});
        }
        if (op == "render") {
            auto path = f.text("path");
            f.require(path.has_value(), "path");
            if (!f.ok()) return error_reply(f.error());
            if (path->empty() || path->front() != '/') return error_reply("field \"path\" must be an absolute path");
            const Size size = driver_.size();
            auto renderer = offscreen::OffscreenRenderer::new_(int(std::lround(size.width)),
                                                               int(std::lround(size.height)), driver_.scale());
            if (!renderer) return error_reply(renderer.error());
            if (auto drawn = renderer->render_resilient(root, driver_.theme()); !drawn) return error_reply(drawn.error());
            // The off-screen frame told the root it was drawn; the window
            // paints too, so both show the same state.
            driver_.invalidate();
            auto png = renderer->encode_png();
            if (!png) return error_reply(png.error());
            std::string_view bytes(reinterpret_cast<const char*>(png->data()), png->size());
            if (auto written = shot::write_file_atomically(*path, bytes); !written)
                return error_reply(fmt::format("atomically publish png: {}", written.error()));
            const int pw = int(std::lround(size.width * driver_.scale()));
            const int ph = int(std::lround(size.height * driver_.scale()));
            return ok_reply(json{{"path", *path}, {"width", pw}, {"height", ph}});
        }
        if (op == "wait_idle") {
            auto timeout = f.integer("timeout_ms", 0, kMaxWaitMs);
            if (!f.ok()) return error_reply(f.error());
            if (driver_.idle(kIdleHorizon)) return ok_reply("idle");
            c.wait_ms = timeout.value_or(kDefaultWaitMs);
            c.wait_until = Clock::now() + std::chrono::milliseconds(c.wait_ms);
            if (!wait_timer_.isActive()) wait_timer_.start();
            return std::nullopt;
        }
        if (op == "quit") {
            QTimer::singleShot(0, [quit = quit_] {
                if (quit) quit();
            });
            return ok_reply(nullptr);
        }
    } catch (const std::exception& e) {
        return error_reply(fmt::format("{} failed: {}", op, e.what()));
    }
    return error_reply(fmt::format("unknown op \"{}\"", op));
}

}  // namespace vesk_ui::qt
