#include "fileops/templates.h"

#include <dirent.h>
#include <fcntl.h>
#include <openssl/evp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fileops/free_name.h"
#include "fileops/owned_fd.h"
#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"

namespace file_explorer::fileops {
namespace {

std::optional<std::string> home_folder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return std::string(home);
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return std::nullopt;
    if (found->pw_dir == nullptr || *found->pw_dir == '\0') return std::nullopt;
    return std::string(found->pw_dir);
}

bool is_regular_entry(int dir, const struct dirent& entry) {
    if (entry.d_type != DT_UNKNOWN) return entry.d_type == DT_REG;
    struct stat status {};
    return fstatat(dir, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

std::optional<std::string> templates_folder() {
    if (const char* value = std::getenv("XDG_TEMPLATES_DIR"); value != nullptr) {
        std::string_view raw(value);
        std::string_view trimmed = trim_white_space(raw);
        if (lossy_utf8(raw) == raw && !trimmed.empty()) return std::string(trimmed);
    }
    auto home = home_folder();
    if (!home) return std::nullopt;
    return join_path(*home, "Templates");
}

std::vector<std::string> list_templates(const std::string& folder) {
    std::vector<std::string> out;
    DirListing listing(opendir(folder.c_str()));
    if (!listing) return out;
    while (struct dirent* entry = readdir(listing.get())) {
        if (entry->d_name[0] == '.') continue;
        if (!is_regular_entry(dirfd(listing.get()), *entry)) continue;
        out.push_back(join_path(folder, entry->d_name));
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string template_label(const std::string& template_path) {
    std::string name = lossy_utf8(file_name(template_path));
    std::string stem = name.empty() ? std::string() : name_parts(name).stem;
    return i18n::tr_args("files-new-from-template", i18n::Args().text("name", stem.empty() ? name : stem));
}

std::string template_resource_id(const std::string& template_path) {
    std::string text = lossy_utf8(template_path);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    std::string out(kTemplateIdPrefix);
    if (EVP_Digest(text.data(), text.size(), digest, &length, EVP_sha256(), nullptr) != 1) return out;
    static constexpr char kHex[] = "0123456789abcdef";
    for (unsigned int i = 0; i < 16 && i < length; ++i) {
        out.push_back(kHex[digest[i] >> 4]);
        out.push_back(kHex[digest[i] & 0x0f]);
    }
    return out;
}

std::vector<TemplateItem> template_items() {
    std::vector<TemplateItem> out;
    auto folder = templates_folder();
    if (!folder) return out;
    for (std::string& path : list_templates(*folder)) {
        TemplateItem item;
        item.label = template_label(path);
        item.resource_id = template_resource_id(path);
        item.path = std::move(path);
        out.push_back(std::move(item));
    }
    return out;
}

std::expected<std::string, std::string> find_template(std::string_view resource_id) {
    auto folder = templates_folder();
    if (!folder) return std::unexpected(std::string(kTemplatesUnavailable));
    for (const std::string& path : list_templates(*folder)) {
        if (template_resource_id(path) == resource_id) return path;
    }
    return std::unexpected(std::string(kTemplateGone));
}

}  // namespace file_explorer::fileops
