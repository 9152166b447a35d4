// Pieces of start-up that do not need a window: reading a shared-file link
// from standard input, the persisted document's writer label, and the
// positional folder argument.
#pragma once

#include <cstdint>
#include <expected>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace file_explorer::files_app {

inline constexpr std::size_t kMaxShareLinkBytes = 16384;

// Reads the link from `fd` to its end (at most one byte over the bound).
// Returns the link text with trailing CR/LF removed, or the identifier of
// the message that explains why it cannot be used.
std::expected<std::string, std::string> read_share_link(int fd);

// Where the window goes after the link was handled.
struct LinkOutcome {
    enum class Kind : std::uint8_t { None, Message, Admitted, Open };
    Kind kind = Kind::None;
    std::string message;  // Message: the formatted status text
    std::string path;     // Open: where to navigate
    bool single_file = false;
};

// The writer label of the persisted document: BRISK_APP_ID, else "files-" +
// VESK_USER_ID, else "files-" + the first 12 hex digits of the actor.
// `getenv` returns nullopt for unset or non-UTF-8 values.
std::string actor_label(const std::function<std::optional<std::string>(const char*)>& getenv,
                        const std::vector<std::uint8_t>& current_actor);

// Joins a relative argument to `cwd` without resolving links or "..";
// "." names the working directory itself.
std::expected<std::string, std::string> make_absolute(std::string_view arg, std::string_view cwd);

// The process environment value, or nullopt when unset or not valid UTF-8.
std::optional<std::string> env_utf8(const char* name);

bool is_valid_utf8(std::string_view bytes);

}  // namespace file_explorer::files_app
