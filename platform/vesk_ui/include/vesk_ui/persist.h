// A small per-application document kept by the toolkit under the XDG state
// folder, written atomically. Values are JSON texts stored under string keys;
// every writer stamps its actor identity.
#pragma once

#include <cstdint>
#include <expected>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk_ui {

class PersistedDocument {
public:
    // The document's file (for tests and diagnostics).
    const std::string& path() const { return path_; }
    // The writer identity: random 16 bytes on first creation, or whatever
    // the application set.
    const std::vector<std::uint8_t>& actor() const { return actor_; }
    void set_actor(std::vector<std::uint8_t> actor) { actor_ = std::move(actor); }

    std::optional<std::string> get(std::string_view key) const;  // a JSON text
    void set(std::string key, std::string json_value);
    void erase(std::string_view key);
    // Writes the whole document atomically (temporary file, then rename).
    std::expected<void, std::string> save() const;

private:
    friend std::expected<PersistedDocument, std::string> open_document_at(std::string path);
    std::string path_;
    std::vector<std::uint8_t> actor_;
    std::map<std::string, std::string, std::less<>> values_;
};

namespace persist {
// Opens (or starts) the document of `app_id` in $XDG_STATE_HOME (default
// ~/.local/state)/<app_id>/state.json.
std::expected<PersistedDocument, std::string> open(std::string_view app_id);
}  // namespace persist

std::expected<PersistedDocument, std::string> open_document_at(std::string path);

namespace diag {
// One diagnostic line on standard error.
void write_line(std::string_view line);
}  // namespace diag

}  // namespace vesk_ui
