#include "fileops/new_items.h"

#include <sys/stat.h>

#include <cerrno>

#include "fileops/errno_text.h"
#include "fileops/fault_seam.h"
#include "fileops/free_name.h"
#include "fileops/naming.h"
#include "fileops/templates.h"
#include "fileops/text.h"
#include "fileops/transfer.h"
#include "i18n/i18n.h"

namespace file_explorer::fileops {

std::expected<std::string, std::string> create_folder(const std::string& folder, std::string_view text) {
    // Typed names are text: bytes that are not UTF-8 become U+FFFD, and a NUL
    // byte, which the system would read as the end of the name, is refused.
    std::string typed = lossy_utf8(text);
    auto name = validate_entry_name(typed);
    if (!name) {
        if (trim_white_space(typed).empty()) return std::unexpected(i18n::tr("files-folder-name-empty"));
        return std::unexpected(name.error());
    }
    if (name->find('\0') != std::string::npos)
        return std::unexpected(std::string("file name contained an unexpected NUL byte"));
    auto path = choose_free_path(folder, *name);
    if (!path) return std::unexpected(path.error());
    int err = injected_error(FaultSite::make_folder, *path);
    if (err == 0 && mkdir(path->c_str(), 0777) != 0) err = errno;
    if (err != 0) return std::unexpected(errno_text(err));
    return *path;
}

CreateOutcome new_folder_command(const std::string& folder) {
    auto created = create_folder(folder, i18n::tr("files-new-folder-default-name"));
    if (!created) return {std::nullopt, i18n::tr_args("files-new-folder-failed", i18n::Args().text("error", created.error()))};
    return {*created, i18n::tr("files-created-folder")};
}

CreateOutcome new_from_template_command(const std::string& template_path, const std::string& folder) {
    auto created = transfer_entry(template_path, folder, TransferMode::copy);
    if (!created) return {std::nullopt, i18n::tr_args("files-new-file-failed", i18n::Args().text("error", created.error()))};
    return {*created, i18n::tr("files-created-file")};
}

std::expected<std::string, std::string> new_from_template_resource(std::string_view resource_id,
                                                                   const std::string& folder) {
    auto found = find_template(resource_id);
    if (!found) return std::unexpected(found.error());
    return transfer_entry(*found, folder, TransferMode::copy);
}

}  // namespace file_explorer::fileops
