// Language identifiers and the choice of the process locale from the
// environment. Internal to the i18n module (and its tools and tests).
#pragma once

#include <optional>
#include <string_view>

#include "i18n/i18n.h"

namespace file_explorer::i18n {

// Parses a Unicode language identifier ("de-DE", "sr-Latn-RS", "es-419",
// "de-DE-1996") with "-" or "_" separators; case is normalised. Extensions
// and private-use subtags are not part of a language identifier and fail.
std::optional<Locale> parse_language_identifier(std::string_view text);

// Chooses the locale from the values of LC_ALL, LANGUAGE and LANG (nullopt
// when unset). The first variable that names a language or the C/POSIX locale
// decides; anything else is skipped. en-US when none decides.
Locale locale_from_environment(std::optional<std::string_view> lc_all,
                               std::optional<std::string_view> language,
                               std::optional<std::string_view> lang);

// en-US, the source language of the catalogs.
Locale en_us();

}  // namespace file_explorer::i18n
