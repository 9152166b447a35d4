#include <sys/xattr.h>

#include <cerrno>

#include "sources.h"

namespace thumbnail::detail {

namespace {
constexpr const char* attribute_name = "user.vesk.thumb";
}

std::optional<std::vector<std::uint8_t>> read_published_thumbnail(const std::string& path,
                                                                  std::size_t limit) {
    // The value may change between the size probe and the read; a second
    // attempt covers a grown value; growing twice counts as absent.
    for (int attempt = 0; attempt < 2; ++attempt) {
        ssize_t size = ::lgetxattr(path.c_str(), attribute_name, nullptr, 0);
        if (size <= 0 || std::size_t(size) > limit) return std::nullopt;
        std::vector<std::uint8_t> value(static_cast<std::size_t>(size));
        ssize_t got = ::lgetxattr(path.c_str(), attribute_name, value.data(), value.size());
        if (got >= 0) {
            if (got == 0) return std::nullopt;
            value.resize(std::size_t(got));
            return value;
        }
        if (errno != ERANGE) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace thumbnail::detail
