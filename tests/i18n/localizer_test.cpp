#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "i18n/fluent_bundle.h"
#include "i18n/fluent_parser.h"
#include "i18n/i18n.h"
#include "i18n/locale.h"
#include "i18n/localizer.h"
#include "i18n/pseudo_locale.h"

namespace file_explorer::i18n {
namespace {

// The process locale is fixed at first use: pin it before any test runs.
const bool kEnvironment = [] {
    setenv("LC_ALL", "C", 1);
    return true;
}();

Locale locale(const char* tag) { return *parse_language_identifier(tag); }

fluent::Bundle bundle_of(const char* source) {
    fluent::Bundle bundle(en_us());
    bundle.add_resource(std::make_shared<const fluent::Resource>(fluent::parse(source)));
    return bundle;
}

TEST(Localizer, ProcessLocaleFromTheEnvironmentIsEnUs) {
    ASSERT_TRUE(kEnvironment);
    EXPECT_EQ(current_locale().tag(), "en-US");
    EXPECT_EQ(tr("files-time-unknown"), "unknown time");
}

TEST(Localizer, UnformattableMessagesShowTheirIdentifier) {
    EXPECT_EQ(tr("files-no-such-message"), "files-no-such-message");
    EXPECT_EQ(tr("files-item-count"), "files-item-count");  // needs $count
    EXPECT_EQ(tr_args("files-item-count", Args().number("count", 1)), "1 item");
    EXPECT_EQ(tr_args("files-item-count", Args().number("count", 0)), "0 items");
    EXPECT_EQ(format_message(locale("de-DE"), "files-no-such-message", {}), "files-no-such-message");
}

TEST(Localizer, GermanFirstThenEnglishThenIdentifier) {
    auto german = bundle_of("both = Beide\nbroken = Kaputt { $missing }\nsel = { $n ->\n *[other] viele\n}\n");
    auto english = bundle_of("both = Both\nbroken = Broken\nenglish-only = English\nsel = many\n");
    const struct {
        const char* id;
        Args args;
        const char* expected;
    } cases[] = {
        {"both", {}, "Beide"},
        {"broken", {}, "Broken"},  // a resolver error in German counts as failure
        {"english-only", {}, "English"},
        {"sel", {}, "many"},  // select on a missing variable is an error too
        {"sel", Args().number("n", 3), "viele"},
        {"nowhere", {}, "nowhere"},
    };
    for (const auto& c : cases) EXPECT_EQ(format_with_fallback(&german, english, c.id, c.args), c.expected) << c.id;
    EXPECT_EQ(format_with_fallback(nullptr, english, "both", {}), "Both");
}

TEST(Localizer, CatalogFollowsTheLanguage) {
    EXPECT_EQ(format_message(locale("de-DE"), "files-time-unknown", {}), "unbekannter Zeitpunkt");
    EXPECT_EQ(format_message(locale("de-AT"), "files-time-unknown", {}), "unbekannter Zeitpunkt");
    EXPECT_EQ(format_message(locale("fr-FR"), "files-time-unknown", {}), "unknown time");
    // English text with the locale's numbers.
    EXPECT_EQ(format_message(locale("fr-FR"), "files-item-count", Args().number("count", 1000)), "1\u202F000 items");
}

TEST(Localizer, PseudoLocale) {
    const Locale qps = locale("qps");
    EXPECT_EQ(format_message(qps, "files-empty-folder", {}), "[Th\u00EDs f\u00F3ld\u00E9r \u00EDs \u00E9mpty !!]");
    EXPECT_EQ(format_message(qps, "files-directory-read-failed", Args().text("error", "Access denied")),
              "[\u00C7\u00F3\u00FAld \u00F1\u00F3t \u00F3p\u00E9\u00F1 th\u00EDs f\u00F3ld\u00E9r: Access denied !!]");
    // en-US plural rules and number format.
    EXPECT_EQ(format_message(qps, "files-item-count", Args().number("count", 1)), "[1 \u00EDt\u00E9m !!]");
    EXPECT_EQ(format_message(qps, "files-item-count", Args().number("count", 1000)), "[1,000 \u00EDt\u00E9ms !!]");
}

TEST(PseudoLocale, ArgumentsStayExactlyAsPassed) {
    const struct {
        const char* text;
        std::vector<std::string> args;
        const char* expected;
    } cases[] = {
        {"Open Anna", {"Anna"}, "[Ópéñ Anna !!]"},
        {"", {}, "[ !!]"},
        {"no args", {""}, "[ñó árgs !!]"},
        // The longer of two overlapping values wins where both match.
        {"Annabel and Ann", {"Ann", "Annabel"}, "[Annabel áñd Ann !!]"},
        // Digits of one argument never disturb another.
        {"cat 0 a", {"cat", "0", "a"}, "[cat 0 a !!]"},
        {"\u00FCber Unicode", {"\u00FCber"}, "[\u00FCber Úñíçódé !!]"},
    };
    for (const auto& c : cases) EXPECT_EQ(pseudo_localize(c.text, c.args), c.expected) << c.text;
}

TEST(Localizer, EachThreadFormatsWithItsOwnCache) {
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &failures] {
            const Locale mine = locale(t % 2 ? "de-DE" : "en-US");
            const char* expected = t % 2 ? "unbekannter Zeitpunkt" : "unknown time";
            for (int i = 0; i < 200; ++i) {
                if (format_message(mine, "files-time-unknown", {}) != expected) ++failures[t];
                if (tr("files-time-unknown") != "unknown time") ++failures[t];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace file_explorer::i18n
