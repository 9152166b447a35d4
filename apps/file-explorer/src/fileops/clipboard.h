// The window's file clipboard: item paths and whether they were cut.
//
// It belongs to one window; the system clipboard is not involved.
#pragma once

#include <cstddef>
#include <expected>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace file_explorer::fileops {

// Texts of the paste resource operation.
inline constexpr const char* kClipboardEmpty = "The clipboard is empty";
inline constexpr const char* kPasteUnavailableCode = "clipboard_empty";
inline constexpr const char* kPasteUnavailableText = "Copy or cut files before pasting";

// What one paste did.
struct PasteReport {
    std::size_t total = 0;
    // Each failed item with the engine's message, in clipboard order.
    std::vector<std::pair<std::string, std::string>> failures;

    // "files-pasted" or "files-pasted-with-failures".
    std::string status() const;
    // The resource operation's answer: success, or "paste failed: " followed
    // by "<path>: <message>" of each failure joined by "; ".
    std::expected<void, std::string> action_result() const;
};

class FileClipboard {
public:
    // Replace the contents; the statuses are "files-copied" / "files-cut"
    // with the number of paths (0 for an empty selection).
    std::string copy(std::vector<std::string> paths);
    std::string cut(std::vector<std::string> paths);

    // Copies (or, after a cut, moves) every item into `destination`, each on
    // its own. After a cut only the items that failed stay on the clipboard.
    // None when the clipboard is empty; otherwise the caller reloads.
    std::optional<PasteReport> paste_into(const std::string& destination);

    bool empty() const { return paths_.empty(); }
    bool is_cut() const { return cut_; }
    const std::vector<std::string>& paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
    bool cut_ = false;
};

}  // namespace file_explorer::fileops
