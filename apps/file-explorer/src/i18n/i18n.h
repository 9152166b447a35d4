// Message lookup and locale-aware formatting for every user-visible text.
//
// Messages live in two Fluent catalogs compiled into the program (en-US and
// de-DE). Arguments are data: counts and byte numbers are passed as numbers so
// that plural branches select correctly; names, paths and error texts as text.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace file_explorer::i18n {

// A Fluent argument value: text or a number.
using ArgValue = std::variant<std::string, double>;

// Ordered (name, value) pairs.
class Args {
public:
    Args() = default;
    Args& text(std::string name, std::string value) {
        items_.emplace_back(std::move(name), ArgValue{std::move(value)});
        return *this;
    }
    Args& number(std::string name, double value) {
        items_.emplace_back(std::move(name), ArgValue{value});
        return *this;
    }
    const std::vector<std::pair<std::string, ArgValue>>& items() const { return items_; }

private:
    std::vector<std::pair<std::string, ArgValue>> items_;
};

// A parsed language identifier such as en-US, de-DE or qps.
struct Locale {
    std::string language;  // lower case, e.g. "de"
    std::string script;    // title case, e.g. "Latn", or empty
    std::string region;    // upper case, e.g. "DE", or empty
    std::vector<std::string> variants;

    std::string tag() const;  // "de-DE"
    bool operator==(const Locale&) const = default;
};

// The process locale, computed once from LC_ALL, LANGUAGE and LANG.
Locale current_locale();

// Formats a message; a message that cannot be formatted shows its identifier.
std::string tr(std::string_view id);
std::string tr_args(std::string_view id, const Args& args);

// Byte counts in decimal units ("1.5 kB"), with the locale's number format.
std::string format_size(std::uint64_t bytes);
// "%Y-%m-%d %H:%M" of a broken-down local time.
std::string format_local_datetime(const std::tm& local);
// Milliseconds since the epoch in local time, or "files-time-unknown".
std::string format_timestamp_ms(std::uint64_t ms);
std::string format_timestamp_ms(std::int64_t ms);

}  // namespace file_explorer::i18n
