#include <gtest/gtest.h>

#include <cstdlib>

#include "i18n/i18n.h"
#include "model/load.h"

using namespace file_explorer;
using namespace file_explorer::model;

namespace {
// Before the first message lookup fixes the process locale.
const bool kEnglish = setenv("LC_ALL", "en_US.UTF-8", 1) == 0;
}  // namespace

TEST(StatusText, CountsAndSelection) {
    ASSERT_TRUE(kEnglish);
    std::string five = i18n::tr_args("files-item-count", i18n::Args().number("count", 5));
    EXPECT_EQ(status_text(std::nullopt, 5, 0), five);
    EXPECT_EQ(status_text(std::nullopt, 5, 2),
              i18n::tr_args("files-selected-count", i18n::Args().text("base", five).number("count", 2)));
    EXPECT_EQ(status_text(std::string("Renamed"), 5, 1),
              i18n::tr_args("files-selected-count", i18n::Args().text("base", "Renamed").number("count", 1)));
    EXPECT_EQ(status_text(std::string("Renamed"), 5, 0), "Renamed");
}

TEST(StatusText, EnglishTexts) {
    ASSERT_TRUE(kEnglish);
    EXPECT_EQ(status_text(std::nullopt, 5, 2), "5 items  ·  2 selected");
    EXPECT_EQ(status_text(std::nullopt, 1, 0), "1 item");
    EXPECT_EQ(status_text(std::nullopt, 0, 0), "0 items");
}
