#include "views/file_view/layout.h"

#include <cmath>

#include <gtest/gtest.h>

namespace file_explorer::views {
namespace {

using vesk_ui::Rect;

TEST(FileViewLayout, RowHeightFollowsZoomStep) {
    struct Case { int step; float row; };
    for (Case c : {Case{0, 34.0f}, Case{6, 64.6f}, Case{-2, 23.8f}}) {
        ViewGeometry g(ViewLayoutMode::List, zoom_for_step(c.step), 1.0f, Rect{0, 0, 500, 500});
        EXPECT_NEAR(g.row_height(), c.row, 1e-3) << "step " << c.step;
    }
}

TEST(FileViewLayout, ZoomAndScaleAreClamped) {
    ViewGeometry g(ViewLayoutMode::List, 9.0f, 0.1f, Rect{0, 0, 500, 500});
    EXPECT_FLOAT_EQ(g.zoom(), 3.0f);
    EXPECT_FLOAT_EQ(g.scale(), 0.5f);
    ViewGeometry nan(ViewLayoutMode::List, NAN, INFINITY, Rect{0, 0, 500, 500});
    EXPECT_FLOAT_EQ(nan.zoom(), 1.0f);
    EXPECT_FLOAT_EQ(nan.scale(), 1.0f);
}

TEST(FileViewLayout, ColumnsShownByWidth) {
    struct Case { float width; bool size; bool modified; };
    for (Case c : {Case{300, false, false}, Case{400, true, false}, Case{600, true, true}}) {
        ListColumns cols = list_columns(0, c.width, 1, 1);
        EXPECT_EQ(cols.size.has_value(), c.size) << c.width;
        EXPECT_EQ(cols.modified.has_value(), c.modified) << c.width;
        EXPECT_FLOAT_EQ(cols.name.left, 10);
    }
    ListColumns all = list_columns(0, 600, 1, 1);
    EXPECT_FLOAT_EQ(all.modified->right, 590);
    EXPECT_FLOAT_EQ(all.modified->left, 432);
    EXPECT_FLOAT_EQ(all.size->right, 422);
    EXPECT_FLOAT_EQ(all.size->left, 326);
    EXPECT_FLOAT_EQ(all.name.right, 316);
}

TEST(FileViewLayout, GridCellsFromWidth) {
    GridCells narrow = grid_cells(250, 1, 1);
    EXPECT_FLOAT_EQ(narrow.cell_width, 112);
    EXPECT_FLOAT_EQ(narrow.cell_height, 104);
    EXPECT_EQ(narrow.columns, 1u);

    GridCells two = grid_cells(300, 1, 1);
    EXPECT_FLOAT_EQ(two.cell_width, 112);
    EXPECT_EQ(two.columns, 2u);

    GridCells scaled = grid_cells(320, 1, 1.5f);
    EXPECT_NEAR(scaled.gap, 19.596f, 1e-2);
    EXPECT_NEAR(scaled.cell_width, 140.2f, 0.05);
    EXPECT_NEAR(scaled.cell_height, 122, 1e-3);
    EXPECT_EQ(scaled.columns, 2u);

    EXPECT_EQ(grid_cells(0, 1, 1).columns, 1u);
}

TEST(FileViewLayout, ListVisibleRange) {
    ViewGeometry g(ViewLayoutMode::List, 1, 1, Rect{0, 0, 400, 34000});
    EXPECT_EQ(g.visible_range(std::nullopt, 1000), (IndexRange{0, 1000}));
    // Rows start at 30 and are 34 high.
    EXPECT_EQ(g.visible_range(Rect{0, 0, 400, 300}, 1000), (IndexRange{0, 9}));
    // vt = 30 + 34 * 10 + 5 → first row 10, one more above; vb gives ceil + 1.
    EXPECT_EQ(g.visible_range(Rect{0, 375, 400, 675}, 1000), (IndexRange{9, 20}));
    EXPECT_EQ(g.visible_range(Rect{0, 375, 400, 675}, 12), (IndexRange{9, 12}));
    EXPECT_EQ(g.visible_range(Rect{0, 90000, 400, 90300}, 12), (IndexRange{12, 12}));
}

TEST(FileViewLayout, GridVisibleRangeCoversWholeRows) {
    ViewGeometry g(ViewLayoutMode::Grid, 1, 1, Rect{0, 0, 300, 10000});
    ASSERT_EQ(g.cells().columns, 2u);
    // Rows of 104 + 16 starting at 10; a viewport over rows 3 to 5.
    auto r = g.visible_range(Rect{0, 10 + 120 * 3 + 1, 300, 10 + 120 * 5}, 100);
    EXPECT_EQ(r, (IndexRange{4, 12}));
}

TEST(FileViewLayout, ListHitTest) {
    ViewGeometry g(ViewLayoutMode::List, 1, 1, Rect{0, 0, 400, 1000});
    struct Case { float x, y; std::optional<std::size_t> hit; };
    for (Case c : {Case{50, 10, std::nullopt},   // header band
                   Case{50, 31, 0}, Case{50, 30 + 34 * 2 + 1, 2}, Case{50, 30 + 34 * 5, std::nullopt},
                   Case{-1, 40, std::nullopt}, Case{400, 40, std::nullopt}, Case{50, -5, std::nullopt}}) {
        EXPECT_EQ(g.hit_test({c.x, c.y}, std::nullopt, 5), c.hit) << c.x << "," << c.y;
    }
    // Scrolled: the header sticks to the viewport's top and hides the row under it.
    Rect viewport{0, 200, 400, 500};
    EXPECT_EQ(g.hit_test({50, 210}, viewport, 20), std::nullopt);
    EXPECT_EQ(g.hit_test({50, 240}, viewport, 20), std::optional<std::size_t>(6));
    EXPECT_EQ(g.header_hit({50, 210}, viewport), Column::Name);
}

TEST(FileViewLayout, HeaderHitFindsShownColumnsOnly) {
    ViewGeometry wide(ViewLayoutMode::List, 1, 1, Rect{0, 0, 600, 1000});
    EXPECT_EQ(wide.header_hit({100, 15}, std::nullopt), Column::Name);
    EXPECT_EQ(wide.header_hit({400, 15}, std::nullopt), Column::Size);
    EXPECT_EQ(wide.header_hit({500, 15}, std::nullopt), Column::Modified);
    EXPECT_EQ(wide.header_hit({320, 15}, std::nullopt), std::nullopt);  // gap between columns
    EXPECT_EQ(wide.header_hit({100, 40}, std::nullopt), std::nullopt);
    ViewGeometry narrow(ViewLayoutMode::List, 1, 1, Rect{0, 0, 300, 1000});
    EXPECT_EQ(narrow.header_hit({250, 15}, std::nullopt), Column::Name);
}

TEST(FileViewLayout, GridHitTestSkipsGaps) {
    ViewGeometry g(ViewLayoutMode::Grid, 1, 1, Rect{0, 0, 300, 1000});
    // Cells at x 10..122 and 138..250, rows at y 10..114, 130..234.
    struct Case { float x, y; std::optional<std::size_t> hit; };
    for (Case c : {Case{20, 20, 0}, Case{140, 20, 1}, Case{20, 140, 2}, Case{130, 20, std::nullopt},
                   Case{20, 120, std::nullopt}, Case{5, 20, std::nullopt}, Case{270, 20, std::nullopt},
                   Case{140, 140, std::nullopt}}) {
        EXPECT_EQ(g.hit_test({c.x, c.y}, std::nullopt, 3), c.hit) << c.x << "," << c.y;
    }
}

TEST(FileViewLayout, ContentHeight) {
    EXPECT_FLOAT_EQ(ViewGeometry::list_content_height(1, 1, 10), 30 + 340 + 6);
    GridCells cells = grid_cells(300, 1, 1);
    EXPECT_FLOAT_EQ(ViewGeometry::grid_content_height(1, cells, 0), 10);
    EXPECT_FLOAT_EQ(ViewGeometry::grid_content_height(1, cells, 3), 10 + 2 * 120);
}

}  // namespace
}  // namespace file_explorer::views
