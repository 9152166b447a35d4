// The user's templates folder and the templates offered for new files.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace file_explorer::fileops {

inline constexpr std::string_view kTemplateIdPrefix = "files.template:";
inline constexpr const char* kTemplatesUnavailable = "the Templates directory is unavailable";
inline constexpr const char* kTemplateGone = "the template is no longer available";

// XDG_TEMPLATES_DIR when it is valid UTF-8 and not blank (trimmed, taken
// literally), else the home folder's "Templates"; none without a home folder.
std::optional<std::string> templates_folder();

// The regular files directly in `folder` whose names do not start with ".",
// sorted by path bytes. Links, folders and special files are not templates;
// an unreadable folder has none.
std::vector<std::string> list_templates(const std::string& folder);

// "New <stem>": "Letter.odt" gives "New Letter".
std::string template_label(const std::string& template_path);

// "files.template:" + 32 lower-case hex digits of SHA-256 over the path text.
std::string template_resource_id(const std::string& template_path);

struct TemplateItem {
    std::string path;
    std::string label;
    std::string resource_id;
};

// The templates of the templates folder, in list order; empty without one.
std::vector<TemplateItem> template_items();

// The listed template with `resource_id`, or the text of the resource
// operation: the folder is unavailable, or no template has that identifier.
std::expected<std::string, std::string> find_template(std::string_view resource_id);

}  // namespace file_explorer::fileops
