#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "vesk_ui/persist.h"
#include "vesk_ui/shot.h"
#include "vesk_ui/sysdirs.h"

namespace vesk_ui {

namespace {

using json = nlohmann::json;

constexpr int format_version = 1;

std::vector<std::uint8_t> random_actor() {
    std::vector<std::uint8_t> bytes(16);
    std::size_t got = 0;
    while (got < bytes.size()) {
        ssize_t n = ::getrandom(bytes.data() + got, bytes.size() - got, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        got += std::size_t(n);
    }
    if (got < bytes.size()) {
        // No kernel randomness: still distinct per process and moment.
        auto seed = std::uint64_t(::getpid()) * 0x9E3779B97F4A7C15ull ^
                    std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
        for (auto& b : bytes) {
            seed = seed * 6364136223846793005ull + 1442695040888963407ull;
            b = std::uint8_t(seed >> 56);
        }
    }
    return bytes;
}

std::string to_hex(const std::vector<std::uint8_t>& bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (auto b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> from_hex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        int hi = nibble(hex[i]), lo = nibble(hex[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out.push_back(std::uint8_t(hi * 16 + lo));
    }
    return out;
}

// Keeps a damaged file beside the document instead of overwriting it at the
// next save, so whatever it held can still be recovered by hand.
void set_damaged_file_aside(const std::string& path) {
    std::string aside = path + ".damaged";
    if (std::rename(path.c_str(), aside.c_str()) == 0)
        diag::write_line(fmt::format("vesk_ui: persisted document {} was damaged; kept as {}", path, aside));
}

}  // namespace

std::optional<std::string> PersistedDocument::get(std::string_view key) const {
    auto it = values_.find(key);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

void PersistedDocument::set(std::string key, std::string json_value) {
    // Only JSON texts are stored; anything else is kept as a JSON string so
    // the document stays readable.
    if (!json::accept(json_value)) json_value = json(json_value).dump();
    values_.insert_or_assign(std::move(key), std::move(json_value));
}

void PersistedDocument::erase(std::string_view key) {
    if (auto it = values_.find(key); it != values_.end()) values_.erase(it);
}

std::expected<void, std::string> PersistedDocument::save() const {
    json doc = json::object();
    doc["version"] = format_version;
    doc["actor"] = to_hex(actor_);
    json values = json::object();
    for (const auto& [key, text] : values_) values[key] = json::parse(text, nullptr, false);
    doc["values"] = std::move(values);
    std::string bytes = doc.dump(2, ' ', false, json::error_handler_t::replace);
    bytes += '\n';
    return shot::write_file_atomically(path_, bytes);
}

std::expected<PersistedDocument, std::string> open_document_at(std::string path) {
    if (path.empty()) return std::unexpected("empty document path");
    PersistedDocument doc;
    doc.path_ = std::move(path);

    std::error_code ec;
    auto status = std::filesystem::status(doc.path_, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        doc.actor_ = random_actor();
        return doc;
    }
    if (status.type() != std::filesystem::file_type::regular)
        return std::unexpected(fmt::format("{} is not a regular file", doc.path_));
    std::ifstream in(doc.path_, std::ios::binary);
    if (!in) return std::unexpected(fmt::format("cannot read {}", doc.path_));
    std::ostringstream ss;
    ss << in.rdbuf();
    in.close();

    json parsed = json::parse(ss.str(), nullptr, false);
    std::optional<std::vector<std::uint8_t>> actor;
    if (parsed.is_object() && parsed.contains("actor") && parsed["actor"].is_string())
        actor = from_hex(parsed["actor"].get<std::string>());
    bool values_ok = parsed.is_object() && (!parsed.contains("values") || parsed["values"].is_object());
    if (!actor || actor->empty() || !values_ok) {
        set_damaged_file_aside(doc.path_);
        doc.actor_ = random_actor();
        return doc;
    }
    doc.actor_ = std::move(*actor);
    if (parsed.contains("values"))
        for (auto& [key, value] : parsed["values"].items())
            doc.values_.insert_or_assign(key, value.dump(-1, ' ', false, json::error_handler_t::replace));
    return doc;
}

namespace persist {

std::expected<PersistedDocument, std::string> open(std::string_view app_id) {
    if (app_id.empty() || app_id == "." || app_id == ".." || app_id.find('/') != std::string_view::npos ||
        app_id.find('\0') != std::string_view::npos)
        return std::unexpected(fmt::format("invalid application identifier '{}'", app_id));
    std::string base;
    // The XDG rules ignore relative values.
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/') {
        base = state;
    } else {
        std::string home = sysdirs::home_dir();
        if (home.empty()) return std::unexpected("no home folder for the persisted document");
        base = home + "/.local/state";
    }
    return open_document_at(fmt::format("{}/{}/state.json", base, app_id));
}

}  // namespace persist

namespace diag {

void write_line(std::string_view line) {
    std::string out(line);
    out += '\n';
    // One write, so lines from several threads do not interleave.
    std::string_view rest = out;
    while (!rest.empty()) {
        ssize_t n = ::write(STDERR_FILENO, rest.data(), rest.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return;
        }
        rest.remove_prefix(std::size_t(n));
    }
}

}  // namespace diag

}  // namespace vesk_ui
