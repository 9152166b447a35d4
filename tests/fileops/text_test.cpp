#include "fileops/text.h"

#include <gtest/gtest.h>

using namespace file_explorer::fileops;

TEST(Text, LossyUtf8ReplacesEachInvalidSequenceOnce) {
    const std::string R = "\xEF\xBF\xBD";
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"plain.txt", "plain.txt"},
        {"Grüße ☃ 𝄞", "Grüße ☃ 𝄞"},
        {"bad\xFF.txt", "bad" + R + ".txt"},
        {"\xC0\x80", R + R},                 // overlong: two stray bytes
        {"\xED\xA0\x80", R + R + R},         // surrogate: not a sequence at all
        {"a\xF0\x9F\x98", "a" + R},          // truncated four-byte sequence
        {"\xE2\x98x", R + "x"},              // broken three-byte sequence
        {"\xF4\x90\x80\x80", R + R + R + R}, // beyond U+10FFFF
    };
    for (const Case& c : cases) EXPECT_EQ(lossy_utf8(c.in), c.out) << c.in;
}

TEST(Text, TrimsUnicodeWhiteSpaceOnly) {
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"  Budget.ods  ", "Budget.ods"},
        {"\t\n a b \r", "a b"},
        {"\u00A0\u3000name\u2003", "name"},
        {"\u200Bname", "\u200Bname"},  // zero width space is not White_Space
        {"   ", ""},
        {" \xFF ", "\xFF"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(trim_white_space(c.in), c.out) << c.in;
}
