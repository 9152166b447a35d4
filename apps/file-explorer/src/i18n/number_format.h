// Locale-aware decimal formatting and plural categories, with the option
// semantics of Intl.NumberFormat and Intl.PluralRules (which Fluent's NUMBER
// and plural selectors are defined by). ICU stays inside number_format.cpp.
#pragma once

#include <compare>
#include <expected>
#include <memory>
#include <optional>
#include <string>

#include "i18n/i18n.h"

namespace file_explorer::i18n {

enum class Grouping { automatic, always, min2, off, invalid };

// Options as written; numbers are checked for range when formatting.
struct NumberOptions {
    std::optional<double> minimum_integer_digits;
    std::optional<double> minimum_fraction_digits;
    std::optional<double> maximum_fraction_digits;
    std::optional<double> minimum_significant_digits;
    std::optional<double> maximum_significant_digits;
    Grouping grouping = Grouping::automatic;

    bool operator==(const NumberOptions&) const = default;
};

// Formats numbers for one locale: "qps" formats as en-US; a language that ICU
// has no data for formats with the root locale's conventions. Caches its
// formatters, so one instance serves one thread at a time.
class NumberFormat {
public:
    explicit NumberFormat(const Locale& locale);
    ~NumberFormat();
    NumberFormat(NumberFormat&&) noexcept;
    NumberFormat& operator=(NumberFormat&&) noexcept;

    // Fails (with a description) when the options are out of range.
    std::expected<std::string, std::string> format(double value, const NumberOptions& options) const;
    // The CLDR plural category ("one", "other", ...) of the value as it would
    // be displayed with these options.
    std::expected<std::string, std::string> plural_category(double value, const NumberOptions& options) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The shortest text that reads back as the same double ("1.5", "1e+21"), as
// JavaScript writes numbers; used where a number cannot be formatted.
std::string plain_number_text(double value);

}  // namespace file_explorer::i18n
