#include "fileops/free_name.h"

#include <sys/stat.h>

#include <cerrno>

#include "fileops/errno_text.h"
#include "fileops/fault_seam.h"
#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"

namespace file_explorer::fileops {

NameParts name_parts(std::string_view name) {
    NameParts parts;
    parts.full = std::string(name);
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        parts.stem = parts.full;
        return parts;
    }
    parts.stem = std::string(name.substr(0, dot));
    parts.extension = std::string(name.substr(dot + 1));
    parts.has_extension = true;
    return parts;
}

std::string numbered_name(const NameParts& parts, int n) {
    if (n <= 1) return parts.full;
    std::string out = parts.stem;
    out += ' ';
    out += std::to_string(n);
    if (parts.has_extension) {
        out += '.';
        out += parts.extension;
    }
    return out;
}

std::expected<bool, std::string> inspect_destination(const std::string& path) {
    int err = injected_error(FaultSite::inspect, path);
    // A NUL byte would make the kernel test a shorter path than the one named.
    if (err == 0 && path.find('\0') != std::string::npos) err = EINVAL;
    if (err == 0) {
        struct stat status {};
        if (lstat(path.c_str(), &status) == 0) return false;
        err = errno;
    }
    if (err == ENOENT) return true;
    return std::unexpected(i18n::tr_args("files-destination-inspect-failed",
                                         i18n::Args().text("path", lossy_utf8(path)).text("error", errno_text(err))));
}

std::string names_exhausted_message(std::string_view name, std::string_view folder) {
    return i18n::tr_args("files-destination-names-exhausted",
                         i18n::Args().text("name", lossy_utf8(name)).text("path", lossy_utf8(folder)));
}

std::expected<std::string, std::string> choose_free_path(const std::string& folder, std::string_view name) {
    NameParts parts = name_parts(name);
    for (int n = 1; n <= kLastNameNumber; ++n) {
        std::string candidate = join_path(folder, numbered_name(parts, n));
        auto free = inspect_destination(candidate);
        if (!free) return std::unexpected(free.error());
        if (*free) return candidate;
    }
    return std::unexpected(names_exhausted_message(name, folder));
}

}  // namespace file_explorer::fileops
