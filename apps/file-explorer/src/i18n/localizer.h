// The catalogs compiled into the program and formatting for an explicit
// locale. tr/tr_args/format_size are these, for the process locale.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "i18n/fluent_ast.h"
#include "i18n/i18n.h"

namespace file_explorer::i18n {

namespace fluent {
class Bundle;
}

enum class Catalog { en_us, de_de };

// The catalog's Fluent source, as compiled in.
std::string_view catalog_source(Catalog catalog);
// The catalog parsed once per process (entries with syntax errors are left
// out and listed in its errors).
std::shared_ptr<const fluent::Resource> parsed_catalog(Catalog catalog);

// A message for the given locale: de-DE first when the language is "de", then
// en-US; the identifier when neither formats without error. Under "qps" the
// result is pseudo-localized. Uses the calling thread's cached bundles, which
// are rebuilt when another locale is asked for.
std::string format_message(const Locale& locale, std::string_view id, const Args& args);

// The first of primary (may be null) and fallback that has the message and
// formats it without any error; else the identifier itself.
std::string format_with_fallback(const fluent::Bundle* primary, const fluent::Bundle& fallback, std::string_view id,
                                 const Args& args);

std::string format_size_in(const Locale& locale, std::uint64_t bytes);

}  // namespace file_explorer::i18n
