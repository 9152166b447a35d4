#include <gtest/gtest.h>

#include "vesk_ui/text.h"
#include "vesk_ui/utf8.h"

namespace vesk_ui {
namespace {

TEST(Utf8, StepsOverWholeCodePointsAndInvalidBytes) {
    std::string s = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFFz";  // a é € 😀 <bad> z
    std::vector<std::size_t> forward;
    for (std::size_t i = 0; i < s.size(); i = utf8::next(s, i)) forward.push_back(i);
    EXPECT_EQ(forward, (std::vector<std::size_t>{0, 1, 3, 6, 10, 11}));
    std::vector<std::size_t> backward;
    for (std::size_t i = s.size(); i > 0;) backward.push_back(i = utf8::prev(s, i));
    EXPECT_EQ(backward, (std::vector<std::size_t>{11, 10, 6, 3, 1, 0}));
    EXPECT_EQ(utf8::count(s), 6u);
    EXPECT_EQ(utf8::floor_boundary(s, 8), 6u);
}

TEST(Utf8, WordMoves) {
    std::string s = "hello, wörld  foo";
    EXPECT_EQ(utf8::next_word(s, 0), 5u);
    EXPECT_EQ(utf8::next_word(s, 5), 13u);  // "wörld" is one word
    EXPECT_EQ(utf8::prev_word(s, s.size()), 15u);
    EXPECT_EQ(utf8::prev_word(s, 15), 7u);
    EXPECT_EQ(utf8::prev_word(s, 3), 0u);
}

TEST(TextRenderer, ElideNeverCutsInsideACodePoint) {
    const auto& r = text_renderer();
    FontSpec font;
    std::string text = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9 \xF0\x9F\x98\x80\xF0\x9F\x98\x80";
    for (float width = 0; width < r.measure(text, font).width + 10; width += 1.5f) {
        std::string out = r.elide(text, font, width);
        EXPECT_LE(r.measure(out, font).width, width);
        for (std::size_t i = 0; i < out.size(); i = utf8::next(out, i)) {
            std::size_t len = 1;
            EXPECT_NE(utf8::decode(out, i, &len), 0xFFFDu) << "width " << width;
        }
    }
    EXPECT_EQ(r.elide(text, font, 1e6f), text);
}

TEST(TextRenderer, HitTestFindsNearestBoundary) {
    const auto& r = text_renderer();
    FontSpec font;
    std::string text = "ab\xC3\xA9" "cd";
    EXPECT_EQ(r.hit_test(text, font, -5), 0u);
    EXPECT_EQ(r.hit_test(text, font, 1e6f), text.size());
    float to_e = r.measure("ab\xC3\xA9", font).width;
    EXPECT_EQ(r.hit_test(text, font, to_e + 0.5f), 4u);
}

}  // namespace
}  // namespace vesk_ui
