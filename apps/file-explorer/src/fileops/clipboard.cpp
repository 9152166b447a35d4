#include "fileops/clipboard.h"

#include "fileops/text.h"
#include "fileops/transfer.h"
#include "i18n/i18n.h"

namespace file_explorer::fileops {
namespace {

std::string count_message(const char* id, std::size_t count) {
    return i18n::tr_args(id, i18n::Args().number("count", static_cast<double>(count)));
}

}  // namespace

std::string PasteReport::status() const {
    if (failures.empty()) return count_message("files-pasted", total);
    return i18n::tr_args("files-pasted-with-failures",
                         i18n::Args()
                             .number("count", static_cast<double>(total - failures.size()))
                             .number("failed", static_cast<double>(failures.size())));
}

std::expected<void, std::string> PasteReport::action_result() const {
    if (failures.empty()) return {};
    std::string text = "paste failed: ";
    for (std::size_t i = 0; i < failures.size(); ++i) {
        if (i > 0) text += "; ";
        text += lossy_utf8(failures[i].first) + ": " + failures[i].second;
    }
    return std::unexpected(text);
}

std::string FileClipboard::copy(std::vector<std::string> paths) {
    paths_ = std::move(paths);
    cut_ = false;
    return count_message("files-copied", paths_.size());
}

std::string FileClipboard::cut(std::vector<std::string> paths) {
    paths_ = std::move(paths);
    cut_ = true;
    return count_message("files-cut", paths_.size());
}

std::optional<PasteReport> FileClipboard::paste_into(const std::string& destination) {
    if (paths_.empty()) return std::nullopt;
    // The transfers work on a copy, so the clipboard only changes at the end.
    const std::vector<std::string> items = paths_;
    const TransferMode mode = cut_ ? TransferMode::move : TransferMode::copy;
    PasteReport report;
    report.total = items.size();
    std::vector<std::string> still_cut;
    for (const std::string& item : items) {
        auto placed = transfer_entry(item, destination, mode);
        if (placed) continue;
        report.failures.emplace_back(item, placed.error());
        still_cut.push_back(item);
    }
    if (cut_) paths_ = std::move(still_cut);
    return report;
}

}  // namespace file_explorer::fileops
