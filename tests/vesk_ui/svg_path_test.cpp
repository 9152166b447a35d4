#include <gtest/gtest.h>

#include "../../platform/vesk_ui/src/svg_path.h"

namespace vesk_ui::svg {
namespace {

TEST(SvgPath, ParsesCommandsAndEndsArcsExactly) {
    Path p = parse_path("M2 3 h4 v2 l-1 1 Z m10 10 A2 2 0 0 1 14 12 q1 1 2 0 c0 1 1 1 1 0 s1 -1 2 0");
    using V = Path::Verb;
    ASSERT_GE(p.verbs().size(), 8u);
    EXPECT_EQ(p.points()[0], (Point{2, 3}));
    EXPECT_EQ(p.points()[1], (Point{6, 3}));
    EXPECT_EQ(p.points()[2], (Point{6, 5}));
    EXPECT_EQ(p.points()[3], (Point{5, 6}));
    EXPECT_EQ(p.verbs()[4], V::Close);
    // The relative move starts from the closed subpath's start.
    EXPECT_EQ(p.points()[4], (Point{12, 13}));
    EXPECT_EQ(p.points().back(), (Point{19, 12}));

    Path arc = parse_path("M10 0 A10 10 0 1 1 -10 0");
    EXPECT_EQ(arc.points().back(), (Point{-10, 0}));
    // A half turn is two quarter segments bulging downwards (sweep flag 1).
    EXPECT_EQ(arc.verbs().size(), 3u);
    EXPECT_GT(arc.bounds().bottom, 9.9f);
}

TEST(SvgPath, StopsAtMalformedData) {
    EXPECT_TRUE(parse_path("").empty());
    EXPECT_TRUE(parse_path("garbage").empty());
    Path partial = parse_path("M1 1 L2 2 L3 Z 4 4");
    EXPECT_EQ(partial.points().size(), 2u);
    Path after_close = parse_path("M0 0 L1 1 Z 5 5");
    EXPECT_EQ(after_close.verbs().back(), Path::Verb::Close);
}

}  // namespace
}  // namespace vesk_ui::svg
