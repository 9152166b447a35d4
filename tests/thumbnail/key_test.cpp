#include <gtest/gtest.h>

#include <unordered_set>

#include "thumbnail/key.h"

using thumbnail::ThumbKey;

TEST(ThumbKey, EveryFieldTellsKeysApart) {
    std::array<std::uint8_t, 32> hash{};
    hash[0] = 1;
    auto other_hash = hash;
    other_hash[31] = 9;
    ThumbKey base = ThumbKey::from_file("/d/a.png", 1000, 42, 256);
    std::vector<ThumbKey> keys = {
        base,
        ThumbKey::from_file("/d/b.png", 1000, 42, 256),
        ThumbKey::from_file("/d/a.png", 1001, 42, 256),
        ThumbKey::from_file("/d/a.png", 1000, 43, 256),
        ThumbKey::from_file("/d/a.png", 1000, 42, 128),
        ThumbKey::from_content(hash, 256),
        ThumbKey::from_content(other_hash, 256),
        ThumbKey::from_content(hash, 128),
    };
    std::unordered_set<ThumbKey> set(keys.begin(), keys.end());
    EXPECT_EQ(set.size(), keys.size());
    std::unordered_set<std::string> names;
    for (const auto& key : keys) {
        std::string name = key.cache_file_name();
        EXPECT_EQ(name.size(), 64u + 4u);
        EXPECT_TRUE(name.ends_with(".png"));
        EXPECT_EQ(name.find_first_not_of("0123456789abcdef"), 64u);
        names.insert(name);
    }
    EXPECT_EQ(names.size(), keys.size());

    ThumbKey same = ThumbKey::from_file("/d/a.png", 1000, 42, 256);
    EXPECT_EQ(same, base);
    EXPECT_EQ(same.hash(), base.hash());
    EXPECT_EQ(same.cache_file_name(), base.cache_file_name());
}

TEST(ThumbKey, TimeBefore1970CountsAsZero) {
    EXPECT_EQ(ThumbKey::from_file("/x", -5, 1, 256), ThumbKey::from_file("/x", 0, 1, 256));
}
