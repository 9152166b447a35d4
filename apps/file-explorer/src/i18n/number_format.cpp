#include "i18n/number_format.h"

#include <charconv>
#include <cmath>
#include <set>
#include <vector>

#include <unicode/locid.h>
#include <unicode/numberformatter.h>
#include <unicode/plurrule.h>

namespace file_explorer::i18n {
namespace {

namespace icunum = icu::number;

// Digit settings after applying the defaults and range checks of
// Intl.NumberFormat (minimum/maximum fraction digits default to 0 and 3).
struct Digits {
    int minimum_integer = 1;
    bool significant = false;
    int minimum = 0;
    int maximum = 3;
};

std::expected<std::optional<int>, std::string> option_in_range(std::optional<double> value, int low, int high,
                                                               std::optional<int> fallback, const char* name) {
    if (!value) return fallback;
    if (std::isnan(*value) || *value < low || *value > high) {
        return std::unexpected(std::string(name) + " value is out of range");
    }
    return static_cast<int>(std::floor(*value));
}

std::expected<Digits, std::string> resolve_digits(const NumberOptions& o) {
    Digits d;
    auto integer = option_in_range(o.minimum_integer_digits, 1, 21, 1, "minimumIntegerDigits");
    if (!integer) return std::unexpected(integer.error());
    d.minimum_integer = **integer;
    if (o.minimum_significant_digits || o.maximum_significant_digits) {
        // Significant digits take precedence; fraction digits are ignored.
        auto min = option_in_range(o.minimum_significant_digits, 1, 21, 1, "minimumSignificantDigits");
        if (!min) return std::unexpected(min.error());
        auto max = option_in_range(o.maximum_significant_digits, **min, 21, 21, "maximumSignificantDigits");
        if (!max) return std::unexpected(max.error());
        d.significant = true;
        d.minimum = **min;
        d.maximum = **max;
        return d;
    }
    auto min = option_in_range(o.minimum_fraction_digits, 0, 100, std::nullopt, "minimumFractionDigits");
    if (!min) return std::unexpected(min.error());
    auto max = option_in_range(o.maximum_fraction_digits, 0, 100, std::nullopt, "maximumFractionDigits");
    if (!max) return std::unexpected(max.error());
    if (!*min && !*max) return d;
    if (!*min) {
        d.minimum = std::min(0, **max);
        d.maximum = **max;
    } else if (!*max) {
        d.minimum = **min;
        d.maximum = std::max(3, **min);
    } else if (**min > **max) {
        return std::unexpected("minimumFractionDigits is greater than maximumFractionDigits");
    } else {
        d.minimum = **min;
        d.maximum = **max;
    }
    return d;
}

UNumberGroupingStrategy icu_grouping(Grouping g) {
    switch (g) {
        case Grouping::always: return UNUM_GROUPING_ON_ALIGNED;
        case Grouping::min2: return UNUM_GROUPING_MIN2;
        case Grouping::off: return UNUM_GROUPING_OFF;
        default: return UNUM_GROUPING_AUTO;
    }
}

bool icu_has_language(const std::string& language) {
    static const std::set<std::string> languages = [] {
        std::set<std::string> result;
        int32_t count = 0;
        const icu::Locale* available = icu::Locale::getAvailableLocales(count);
        for (int32_t i = 0; i < count; ++i) result.insert(available[i].getLanguage());
        return result;
    }();
    return languages.count(language) != 0;
}

icu::Locale icu_locale_for(const Locale& locale) {
    if (locale.language == "qps") return icu::Locale("en", "US");
    // ICU would otherwise fall back to its default locale before the root.
    if (!icu_has_language(locale.language)) return icu::Locale::getRoot();
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale result = icu::Locale::forLanguageTag(locale.tag(), status);
    if (U_FAILURE(status) || result.isBogus()) return icu::Locale::getRoot();
    return result;
}

std::string to_utf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

}  // namespace

struct NumberFormat::Impl {
    icu::Locale locale;
    std::unique_ptr<icu::PluralRules> plural_rules;

    struct Cached {
        NumberOptions options;
        std::optional<icunum::LocalizedNumberFormatter> formatter;
        std::string error;
    };
    std::vector<Cached> cache;

    // Messages use few distinct option sets; the bound keeps odd input from
    // growing the cache without limit.
    static constexpr std::size_t kMaxCached = 32;

    const Cached& formatter_for(const NumberOptions& options) {
        for (const auto& c : cache) {
            if (c.options == options) return c;
        }
        if (cache.size() >= kMaxCached) cache.clear();
        Cached entry{options, std::nullopt, {}};
        if (options.grouping == Grouping::invalid) {
            entry.error = "useGrouping value is out of range";
        } else if (auto digits = resolve_digits(options); !digits) {
            entry.error = digits.error();
        } else {
            auto precision = digits->significant
                                 ? icunum::Precision::minMaxSignificantDigits(digits->minimum, digits->maximum)
                                 : icunum::Precision::minMaxFraction(digits->minimum, digits->maximum);
            entry.formatter = icunum::NumberFormatter::withLocale(locale)
                                  .roundingMode(UNUM_ROUND_HALFUP)
                                  .integerWidth(icunum::IntegerWidth::zeroFillTo(digits->minimum_integer))
                                  .precision(precision)
                                  .grouping(icu_grouping(options.grouping));
        }
        cache.push_back(std::move(entry));
        return cache.back();
    }
};

NumberFormat::NumberFormat(const Locale& locale) : impl_(std::make_unique<Impl>()) {
    impl_->locale = icu_locale_for(locale);
    UErrorCode status = U_ZERO_ERROR;
    impl_->plural_rules.reset(icu::PluralRules::forLocale(impl_->locale, UPLURAL_TYPE_CARDINAL, status));
    if (U_FAILURE(status)) impl_->plural_rules.reset();
}

NumberFormat::~NumberFormat() = default;
NumberFormat::NumberFormat(NumberFormat&&) noexcept = default;
NumberFormat& NumberFormat::operator=(NumberFormat&&) noexcept = default;

std::expected<std::string, std::string> NumberFormat::format(double value, const NumberOptions& options) const {
    const auto& entry = impl_->formatter_for(options);
    if (!entry.formatter) return std::unexpected(entry.error);
    UErrorCode status = U_ZERO_ERROR;
    auto formatted = entry.formatter->formatDouble(value, status);
    icu::UnicodeString text = formatted.toString(status);
    if (U_FAILURE(status)) return std::unexpected(std::string("number formatting failed: ") + u_errorName(status));
    return to_utf8(text);
}

std::expected<std::string, std::string> NumberFormat::plural_category(double value,
                                                                      const NumberOptions& options) const {
    if (!impl_->plural_rules) return std::string("other");
    // Plural rules look at the digits only, never at grouping.
    NumberOptions digits = options;
    digits.grouping = Grouping::automatic;
    const auto& entry = impl_->formatter_for(digits);
    if (!entry.formatter) return std::unexpected(entry.error);
    UErrorCode status = U_ZERO_ERROR;
    auto formatted = entry.formatter->formatDouble(value, status);
    icu::UnicodeString category = impl_->plural_rules->select(formatted, status);
    if (U_FAILURE(status)) return std::unexpected(std::string("plural selection failed: ") + u_errorName(status));
    return to_utf8(category);
}

std::string plain_number_text(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0) return "0";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
    std::size_t e = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, e)) {
        if (c != '.') digits += c;
    }
    int exponent = 0;
    std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);
    const int k = static_cast<int>(digits.size());
    const int n = exponent + 1;  // position of the decimal point
    std::string out = value < 0 ? "-" : "";
    if (k <= n && n <= 21) {
        out += digits + std::string(static_cast<std::size_t>(n - k), '0');
    } else if (0 < n && n <= 21) {
        out += digits.substr(0, static_cast<std::size_t>(n)) + "." + digits.substr(static_cast<std::size_t>(n));
    } else if (-6 < n && n <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-n), '0') + digits;
    } else {
        out += digits.substr(0, 1);
        if (k > 1) out += "." + digits.substr(1);
        out += (n - 1 < 0 ? "e-" : "e+") + std::to_string(std::abs(n - 1));
    }
    return out;
}

}  // namespace file_explorer::i18n
