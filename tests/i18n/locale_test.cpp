#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "i18n/locale.h"

namespace file_explorer::i18n {
namespace {

using Env = std::optional<std::string_view>;

struct EnvCase {
    Env lc_all, language, lang;
    std::string expected;
};

TEST(LocaleChoice, FromEnvironmentValues) {
    const EnvCase cases[] = {
        {{}, {}, {}, "en-US"},
        {{}, {}, "de_DE.UTF-8", "de-DE"},
        {"C", {}, "de_DE.UTF-8", "en-US"},
        {"POSIX", "de", "de_DE", "en-US"},
        {"C.UTF-8", {}, "de_DE", "en-US"},
        {{}, "de:en", "fr_FR", "de"},
        {{}, "C:de", "de_DE", "en-US"},
        {{}, ":de", "fr_FR", "fr-FR"},  // an empty first element is unparsable: LANG decides
        {"de DE", {}, "fr_FR.UTF-8", "fr-FR"},
        {"en!US", {}, "de_AT", "de-AT"},
        {"", "   ", "pt_BR", "pt-BR"},
        {"  sr_Latn_RS.UTF-8@latin  ", {}, {}, "sr-Latn-RS"},
        {"de_DE@euro", {}, {}, "de-DE"},
        {"en_us", {}, {}, "en-US"},
        {"es_419", {}, {}, "es-419"},
        {"qps", {}, {}, "qps"},
        {"en-US-u-ca-buddhist", {}, "de", "de"},  // extensions are not a language identifier
        {"\xff\xfe", {}, "de_CH", "de-CH"},       // not UTF-8
        {"xyzzy_QQ", {}, {}, "xyzzy-QQ"},          // well-formed, even if unknown
        {"x", "1", "C", "en-US"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.lc_all.value_or("-")) + " | " + std::string(c.language.value_or("-")) + " | " +
                     std::string(c.lang.value_or("-")));
        EXPECT_EQ(locale_from_environment(c.lc_all, c.language, c.lang).tag(), c.expected);
    }
}

TEST(LocaleChoice, ParsedIdentifierParts) {
    auto locale = parse_language_identifier("SR_latn_rs_1996");
    ASSERT_TRUE(locale.has_value());
    EXPECT_EQ(locale->language, "sr");
    EXPECT_EQ(locale->script, "Latn");
    EXPECT_EQ(locale->region, "RS");
    EXPECT_EQ(locale->variants, std::vector<std::string>{"1996"});
    for (const char* bad : {"", "d", "de-", "-de", "abcd", "de--DE", "de-DE-x", "de.DE"}) {
        EXPECT_FALSE(parse_language_identifier(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace file_explorer::i18n
