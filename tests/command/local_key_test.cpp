#include "command/local_key.h"

#include <gtest/gtest.h>

using file_explorer::command::folder_resource_id;
using file_explorer::command::local_key;

TEST(LocalKey, IsThirtyTwoHexDigitsAndStable) {
    const std::string key = local_key("/home/ada/Documents");
    ASSERT_EQ(key.size(), 32u);
    EXPECT_EQ(key.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(key, local_key("/home/ada/Documents"));
    EXPECT_EQ(folder_resource_id("/home/ada/Documents"), "files.folder:" + key);
}

TEST(LocalKey, MatchesDigestOfDomainLengthAndBytes) {
    // sha256("vesk.files.local-resource.v1\\0" || be64(1) || "/"), first 16 bytes.
    EXPECT_EQ(local_key("/"), "fc52712847b3ad08d079da0607167df2");
}

TEST(LocalKey, OneByteApartGivesUnrelatedKeys) {
    const std::string a = local_key("/tmp/a");
    const std::string b = local_key("/tmp/b");
    EXPECT_NE(a, b);
    EXPECT_NE(a.substr(0, 8), b.substr(0, 8));
    // Raw, non-UTF-8 bytes are keyed as they are.
    EXPECT_NE(local_key(std::string("/tmp/\xff", 6)), local_key("/tmp/\xef\xbf\xbd"));
}
