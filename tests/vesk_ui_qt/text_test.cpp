// Text metrics with the toolkit's real fonts.
#include <gtest/gtest.h>

#include <QFontInfo>

#include "qt_fonts.h"
#include "vesk_ui/backend.h"
#include "vesk_ui/text.h"

namespace vesk_ui {
namespace {

class QtText : public testing::Test {
protected:
    void SetUp() override { install_qt_backend(); }
    const TextRenderer& tr() { return text_renderer(); }
    FontSpec body{13.0f};
};

TEST_F(QtText, TheFontsAreInterAndDejaVuMono) {
    EXPECT_EQ(QFontInfo(qt::font_for(body, qt::reference_dpi())).family(), "Inter");
    FontSpec mono{13.0f, FontWeight::Regular, false, true};
    EXPECT_EQ(QFontInfo(qt::font_for(mono, qt::reference_dpi())).family(), "DejaVu Sans Mono");
}

TEST_F(QtText, MeasuresRealAdvances) {
    TextMetrics files = tr().measure("Files", body);
    EXPECT_GT(files.width, 20.0f);
    EXPECT_GT(files.height, 13.0f);
    EXPECT_LT(files.height, 20.0f);
    EXPECT_GT(files.ascent, 9.0f);
    EXPECT_GT(tr().measure("Files and folders", body).width, files.width);
    EXPECT_GT(tr().measure("Files", FontSpec{13.0f, FontWeight::Bold}).width, files.width);
    EXPECT_GT(tr().measure("Files", FontSpec{26.0f}).width, 1.8f * files.width);
    // Proportional text, but fixed advances in the monospace face.
    EXPECT_LT(tr().measure("iiii", body).width, tr().measure("MMMM", body).width);
    FontSpec mono{13.0f, FontWeight::Regular, false, true};
    EXPECT_FLOAT_EQ(tr().measure("iiii", mono).width, tr().measure("MMMM", mono).width);
}

TEST_F(QtText, ElideCutsWithAnEllipsisThatFits) {
    const std::string name = "A rather long file name that cannot fit.txt";
    std::string cut = tr().elide(name, body, 100);
    ASSERT_TRUE(cut.ends_with("\u2026")) << cut;
    EXPECT_LE(tr().measure(cut, body).width, 100.0f);
    EXPECT_TRUE(name.starts_with(cut.substr(0, cut.size() - 3)));
    EXPECT_EQ(tr().elide("Short", body, 100), "Short");
    EXPECT_EQ(tr().elide(name, body, 1), "");
}

TEST_F(QtText, HitTestGivesByteOffsetsOfCaretPositions) {
    EXPECT_EQ(tr().hit_test("abc", body, -5), 0u);
    EXPECT_EQ(tr().hit_test("abc", body, 1000), 3u);
    const float ab = tr().measure("ab", body).width;
    EXPECT_EQ(tr().hit_test("abc", body, ab + 0.5f), 2u);
    // Two-byte characters: the offset lands between them, never inside.
    const std::string umlauts = "\u00e4\u00f6\u00fc";
    const float one = tr().measure("\u00e4", body).width;
    EXPECT_EQ(tr().hit_test(umlauts, body, one + 0.3f), 2u);
    EXPECT_EQ(tr().hit_test(umlauts, body, 1000), 6u);
}

}  // namespace
}  // namespace vesk_ui
