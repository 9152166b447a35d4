#include "i18n/localizer.h"

#include <optional>
#include <vector>

#include "i18n/fluent_bundle.h"
#include "i18n/fluent_parser.h"
#include "i18n/number_format.h"
#include "i18n/pseudo_locale.h"

namespace files::embedded {
std::string_view en_us_ftl();
std::string_view de_de_ftl();
}  // namespace files::embedded

namespace file_explorer::i18n {
namespace {

// The bundles for one locale: de-DE (only for German) before the en-US
// fallback. Both use the locale's plural rules and number format.
struct Localizer {
    explicit Localizer(const Locale& l) : locale(l), fallback(l), numbers(l) {
        if (l.language == "de") {
            primary.emplace(l);
            primary->add_resource(parsed_catalog(Catalog::de_de));
        }
        fallback.add_resource(parsed_catalog(Catalog::en_us));
    }

    Locale locale;
    std::optional<fluent::Bundle> primary;
    fluent::Bundle fallback;
    NumberFormat numbers;
};

Localizer& localizer_for(const Locale& locale) {
    thread_local std::unique_ptr<Localizer> cached;
    if (!cached || cached->locale != locale) cached = std::make_unique<Localizer>(locale);
    return *cached;
}

// Only a result without any resolver error counts.
std::optional<std::string> try_format(const fluent::Bundle& bundle, std::string_view id, const Args& args) {
    auto formatted = bundle.format(id, args);
    if (!formatted || !formatted->errors.empty()) return std::nullopt;
    return std::move(formatted->text);
}

std::vector<std::string> argument_texts(const Args& args, const NumberFormat& numbers) {
    std::vector<std::string> texts;
    for (const auto& [name, value] : args.items()) {
        if (const auto* text = std::get_if<std::string>(&value)) {
            texts.push_back(*text);
        } else {
            texts.push_back(numbers.format(std::get<double>(value), {}).value_or(""));
        }
    }
    return texts;
}

}  // namespace

std::string_view catalog_source(Catalog catalog) {
    return catalog == Catalog::en_us ? files::embedded::en_us_ftl() : files::embedded::de_de_ftl();
}

std::shared_ptr<const fluent::Resource> parsed_catalog(Catalog catalog) {
    static const auto en = std::make_shared<const fluent::Resource>(fluent::parse(catalog_source(Catalog::en_us)));
    static const auto de = std::make_shared<const fluent::Resource>(fluent::parse(catalog_source(Catalog::de_de)));
    return catalog == Catalog::en_us ? en : de;
}

std::string format_with_fallback(const fluent::Bundle* primary, const fluent::Bundle& fallback, std::string_view id,
                                 const Args& args) {
    std::optional<std::string> text;
    if (primary) text = try_format(*primary, id, args);
    if (!text) text = try_format(fallback, id, args);
    return text ? std::move(*text) : std::string(id);
}

std::string format_message(const Locale& locale, std::string_view id, const Args& args) {
    Localizer& localizer = localizer_for(locale);
    const fluent::Bundle* primary = localizer.primary ? &*localizer.primary : nullptr;
    std::string result = format_with_fallback(primary, localizer.fallback, id, args);
    if (locale.language == "qps") return pseudo_localize(result, argument_texts(args, localizer.numbers));
    return result;
}

std::string format_size_in(const Locale& locale, std::uint64_t bytes) {
    static constexpr const char* kUnits[] = {"B", "kB", "MB", "GB", "TB", "PB", "EB"};
    std::size_t k = 0;
    std::uint64_t unit = 1;
    while (k + 1 < std::size(kUnits) && bytes / unit >= 1000) {
        unit *= 1000;
        ++k;
    }
    NumberOptions whole;
    whole.maximum_fraction_digits = 0;
    double number = static_cast<double>(bytes);
    NumberOptions options = whole;
    if (k > 0) {
        // One decimal, rounded half up; 128 bits because size * 10 overflows
        // 64 bits above 1.8 EB.
        auto tenths = static_cast<std::uint64_t>((static_cast<unsigned __int128>(bytes) * 10 + unit / 2) / unit);
        if (tenths % 10 == 0) {
            number = static_cast<double>(tenths / 10);
        } else {
            number = static_cast<double>(tenths) / 10.0;
            options.minimum_fraction_digits = 1;
            options.maximum_fraction_digits = 1;
        }
    }
    auto text = localizer_for(locale).numbers.format(number, options);
    return text.value_or(plain_number_text(number)) + "\u00A0" + kUnits[k];
}

std::string tr(std::string_view id) { return format_message(current_locale(), id, Args{}); }

std::string tr_args(std::string_view id, const Args& args) { return format_message(current_locale(), id, args); }

std::string format_size(std::uint64_t bytes) { return format_size_in(current_locale(), bytes); }

}  // namespace file_explorer::i18n
