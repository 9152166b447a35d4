#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>

#include <gtest/gtest.h>

#include "i18n/i18n.h"
#include "i18n/locale.h"
#include "i18n/localizer.h"
#include "i18n/number_format.h"

namespace file_explorer::i18n {
namespace {

const bool kUtc = [] {
    setenv("TZ", "UTC", 1);
    tzset();
    return true;
}();

TEST(FormatSize, DecimalUnitsRoundedHalfUpAfterChoosingTheUnit) {
    const struct {
        std::uint64_t bytes;
        const char* en;
        const char* de;
    } cases[] = {
        {0, "0\u00A0B", "0\u00A0B"},
        {999, "999\u00A0B", "999\u00A0B"},
        {1000, "1\u00A0kB", "1\u00A0kB"},
        {1049, "1\u00A0kB", "1\u00A0kB"},
        {1050, "1.1\u00A0kB", "1,1\u00A0kB"},
        {1499, "1.5\u00A0kB", "1,5\u00A0kB"},
        {999999, "1,000\u00A0kB", "1.000\u00A0kB"},
        {1000000, "1\u00A0MB", "1\u00A0MB"},
        {123456789012, "123.5\u00A0GB", "123,5\u00A0GB"},
        {1000000000000000000ULL, "1\u00A0EB", "1\u00A0EB"},
        // size * 10 no longer fits in 64 bits here.
        {std::numeric_limits<std::uint64_t>::max(), "18.4\u00A0EB", "18,4\u00A0EB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(format_size_in(en_us(), c.bytes), c.en) << c.bytes;
        EXPECT_EQ(format_size_in(*parse_language_identifier("de-DE"), c.bytes), c.de) << c.bytes;
    }
    EXPECT_EQ(format_size(1499), "1.5\u00A0kB");  // the process locale is en-US under LC_ALL=C or unset
}

TEST(FormatSize, LocalesWithoutDataUseRootConventions) {
    // "qps" follows en-US; an unknown language gets the root locale, not
    // whatever ICU's default locale happens to be.
    EXPECT_EQ(format_size_in(*parse_language_identifier("qps"), 999999), "1,000\u00A0kB");
    EXPECT_EQ(format_size_in(*parse_language_identifier("xyzzy"), 1234567890), "1.2\u00A0GB");
    EXPECT_EQ(NumberFormat(*parse_language_identifier("xyzzy")).plural_category(1, {}), "other");
}

TEST(FormatTime, LocalDateTimePattern) {
    std::tm local{};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 1;
    local.tm_mday = 9;
    local.tm_hour = 7;
    local.tm_min = 5;
    EXPECT_EQ(format_local_datetime(local), "2024-02-09 07:05");
}

TEST(FormatTime, TimestampsInLocalTime) {
    ASSERT_TRUE(kUtc);
    const std::string unknown = tr("files-time-unknown");
    const struct {
        std::int64_t ms;
        std::string expected;
    } cases[] = {
        {0, "1970-01-01 00:00"},
        {1700000000999, "2023-11-14 22:13"},
        {253402300799999, "9999-12-31 23:59"},
        {253402300800000, unknown},  // year 10000
        {-1, unknown},
        {std::numeric_limits<std::int64_t>::min(), unknown},
        {std::numeric_limits<std::int64_t>::max(), unknown},
    };
    for (const auto& c : cases) EXPECT_EQ(format_timestamp_ms(c.ms), c.expected) << c.ms;
    EXPECT_EQ(format_timestamp_ms(std::uint64_t{1700000000999}), "2023-11-14 22:13");
    EXPECT_EQ(format_timestamp_ms(std::numeric_limits<std::uint64_t>::max()), unknown);
}

}  // namespace
}  // namespace file_explorer::i18n
