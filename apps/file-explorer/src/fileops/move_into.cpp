#include "fileops/move_into.h"

#include "fileops/paths.h"
#include "fileops/text.h"
#include "fileops/transfer.h"
#include "i18n/i18n.h"

namespace file_explorer::fileops {
namespace {

bool already_there(const std::string& item, const std::string& destination) {
    auto parent = parent_path(item);
    if (parent && same_path(*parent, destination)) return true;
    // Covers the destination itself too.
    return path_starts_with(destination, item);
}

std::string label_of(const std::string& folder) {
    std::string_view name = file_name(folder);
    return lossy_utf8(name.empty() ? std::string_view(folder) : name);
}

}  // namespace

std::string MoveSummary::status() const {
    if (failed > 0)
        return i18n::tr_args("files-moved-with-failures", i18n::Args()
                                                              .number("moved", static_cast<double>(moved))
                                                              .text("destination", destination_label)
                                                              .number("failed", static_cast<double>(failed)));
    if (moved == 0) return i18n::tr("files-nothing-to-move");
    return i18n::tr_args("files-moved-to-folder", i18n::Args()
                                                      .number("count", static_cast<double>(moved))
                                                      .text("destination", destination_label));
}

MoveSummary move_items_into(const std::vector<std::string>& items, const std::string& destination) {
    MoveSummary summary;
    summary.destination_label = label_of(destination);
    for (const std::string& item : items) {
        if (already_there(item, destination)) continue;
        if (transfer_entry(item, destination, TransferMode::move))
            ++summary.moved;
        else
            ++summary.failed;
    }
    return summary;
}

}  // namespace file_explorer::fileops
