// New folders and new files made from templates.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>

namespace file_explorer::fileops {

// Creates a folder named by the typed `text` in `folder` (under the first
// free numbered name) and gives its path. A blank name gives
// "files-folder-name-empty"; other invalid names the message of
// validate_entry_name; a failed creation the system's description.
std::expected<std::string, std::string> create_folder(const std::string& folder, std::string_view text);

// A command's result: the created item, if any, and the status text to show.
struct CreateOutcome {
    std::optional<std::string> created;
    std::string status;
};

// The New Folder command: "New Folder" (localized, numbered when taken) in
// `folder`; status "files-created-folder" or "files-new-folder-failed".
CreateOutcome new_folder_command(const std::string& folder);

// The new-file-from-template command: a copy of the template in `folder`;
// status "files-created-file" or "files-new-file-failed".
CreateOutcome new_from_template_command(const std::string& template_path, const std::string& folder);

// The resource operation: finds the template by its resource identifier and
// copies it into `folder`; gives the new file's path or the failure text.
std::expected<std::string, std::string> new_from_template_resource(std::string_view resource_id,
                                                                   const std::string& folder);

}  // namespace file_explorer::fileops
