#include "fileops/archive_commands.h"

#include <cstdint>

#include "fileops/archive_compress.h"
#include "fileops/archive_extract.h"
#include "fileops/archive_location.h"
#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"

namespace file_explorer::fileops {
namespace {

std::string extracted_text(std::uint64_t count) {
    return i18n::tr_args("files-archive-extracted", i18n::Args().number("count", static_cast<double>(count)));
}

}  // namespace

ArchiveCommandOutcome extract_selected_archives(const std::vector<std::string>& selected, const std::string& current) {
    std::uint64_t total = 0;
    std::string failures;
    bool any = false;
    for (const std::string& path : selected) {
        if (!is_archive_name(path)) continue;
        any = true;
        auto count = extract_archive(path, extraction_destination(path, current));
        if (count) {
            total = *count > UINT64_MAX - total ? UINT64_MAX : total + *count;
            continue;
        }
        if (!failures.empty()) failures += "; ";
        failures += lossy_utf8(path) + ": " + count.error();
    }
    if (!any) return {i18n::tr("files-archive-select"), false};
    if (failures.empty()) return {extracted_text(total), true};
    return {i18n::tr_args("files-archive-extracted-partial", i18n::Args()
                                                                 .number("count", static_cast<double>(total))
                                                                 .text("failures", failures)),
            true};
}

ArchiveCommandOutcome extract_browsed_archive(const std::string& archive, const std::string& current) {
    auto count = extract_archive(archive, extraction_destination(archive, current));
    if (!count) return {i18n::tr_args("files-archive-extract-failed", i18n::Args().text("error", count.error())), false};
    return {extracted_text(*count), false};
}

ArchiveCommandOutcome compress_selection(const std::vector<std::string>& selected, const std::string& current) {
    if (selected.empty()) return {i18n::tr("files-archive-select-compress"), false};
    std::string target = zip_target_path(current, selected);
    auto created = create_zip(selected, target);
    if (!created) return {i18n::tr_args("files-archive-create-failed", i18n::Args().text("error", created.error())), false};
    return {i18n::tr_args("files-archive-created", i18n::Args().text("name", lossy_utf8(file_name(target)))), true};
}

}  // namespace file_explorer::fileops
