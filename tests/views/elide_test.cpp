#include "views/file_view/elide.h"

#include <gtest/gtest.h>

#include "vesk_ui/utf8.h"

namespace file_explorer::views {
namespace {

// Every code point, "…" included, is 10 units wide.
class FixedWidthRenderer final : public vesk_ui::TextRenderer {
public:
    vesk_ui::TextMetrics measure(std::string_view text, const vesk_ui::FontSpec&) const override {
        return {10.0f * static_cast<float>(vesk_ui::utf8::count(text)), 16, 12};
    }
};

TEST(ElideMiddle, KeepsTheEndLongest) {
    FixedWidthRenderer r;
    vesk_ui::FontSpec font;
    struct Case { const char* text; float width; const char* out; };
    for (Case c : {
             Case{"report.txt", 100, "report.txt"},             // fits exactly
             Case{"abcdefghij.txt", 100, "abc…ij.txt"},         // k = 9: head 3, tail 6
             Case{"abcdefghij.txt", 60, "a….txt"},              // k = 5: head 1, tail 4
             Case{"abcdefghij.txt", 20, "…t"},                  // k = 1: head 0, tail 1
             Case{"abcdefghij.txt", 10, "…"},
             Case{"abcdefghij.txt", 5, "…"},                    // nothing fits: the ellipsis alone
             Case{"日本語のファイル名.txt", 80, "日本…名.txt"},  // characters, not bytes
             Case{"", -1, "…"},
         }) {
        EXPECT_EQ(elide_middle(c.text, c.width, r, font), c.out) << c.text << " @ " << c.width;
    }
}

}  // namespace
}  // namespace file_explorer::views
