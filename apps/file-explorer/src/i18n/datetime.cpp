#include <limits>

#include <fmt/core.h>

#include "i18n/i18n.h"

namespace file_explorer::i18n {
namespace {

// "%Y" is written with four digits; later years count as unrepresentable.
constexpr int kMaxYear = 9999;

}  // namespace

std::string format_local_datetime(const std::tm& local) {
    return fmt::format("{:04}-{:02}-{:02} {:02}:{:02}", static_cast<long long>(local.tm_year) + 1900, local.tm_mon + 1, local.tm_mday,
                       local.tm_hour, local.tm_min);
}

std::string format_timestamp_ms(std::int64_t ms) {
    if (ms < 0) return tr("files-time-unknown");
    std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr || local.tm_year > kMaxYear - 1900) {
        return tr("files-time-unknown");
    }
    return format_local_datetime(local);
}

std::string format_timestamp_ms(std::uint64_t ms) {
    if (ms > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return tr("files-time-unknown");
    return format_timestamp_ms(static_cast<std::int64_t>(ms));
}

}  // namespace file_explorer::i18n
