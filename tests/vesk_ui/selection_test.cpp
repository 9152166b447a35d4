#include <gtest/gtest.h>

#include <functional>

#include "vesk_ui/selection.h"

namespace vesk_ui {
namespace {

using Indices = std::vector<std::size_t>;
using Step = std::function<void(SelectionModel&)>;

struct Case {
    const char* name;
    std::vector<Step> steps;
    Indices selected;
    std::optional<std::size_t> primary;
    std::optional<std::size_t> anchor;
};

Step click(std::size_t i, bool primary = false, bool shift = false) {
    return [=](SelectionModel& s) { s.apply_click(i, primary, shift); };
}
Step move(std::size_t i, bool extend) {
    return [=](SelectionModel& s) { s.move_to(i, extend); };
}

TEST(SelectionModel, DesktopSemantics) {
    const Case cases[] = {
        {"plain click selects only", {click(3), click(5)}, {5}, 5, 5},
        {"ctrl toggles on and moves anchor", {click(2), click(6, true)}, {2, 6}, 6, 6},
        {"ctrl toggles off", {click(2), click(6, true), click(2, true)}, {6}, 2, 2},
        {"shift range from anchor", {click(2), click(5, false, true)}, {2, 3, 4, 5}, 5, 2},
        {"shift range upwards", {click(5), click(2, false, true)}, {2, 3, 4, 5}, 2, 5},
        {"second shift click re-ranges from the same anchor",
         {click(4), click(8, false, true), click(1, false, true)}, {1, 2, 3, 4}, 1, 4},
        {"ctrl+shift adds a range", {click(1), click(5, true), click(7, true, true)}, {1, 5, 6, 7}, 7, 5},
        {"shift without anchor selects only", {click(3, false, true)}, {3}, 3, 3},
        {"move without extend", {click(3), move(4, false)}, {4}, 4, 4},
        {"move with extend", {click(3), move(4, true), move(6, true)}, {3, 4, 5, 6}, 6, 3},
        {"extend back past the anchor", {click(3), move(5, true), move(1, true)}, {1, 2, 3}, 1, 3},
        {"select all keeps the cursor", {click(2), [](SelectionModel& s) { s.select_all(4); }}, {0, 1, 2, 3}, 2, 2},
        {"select all without cursor", {[](SelectionModel& s) { s.select_all(3); }}, {0, 1, 2}, 0, 0},
        {"clear forgets cursor and anchor", {click(2), [](SelectionModel& s) { s.clear(); }}, {}, std::nullopt,
         std::nullopt},
        {"set_count drops what is gone",
         {click(1), click(9, false, true), [](SelectionModel& s) { s.set_count(4); }}, {1, 2, 3}, std::nullopt, 1},
    };
    for (const auto& c : cases) {
        SelectionModel s;
        for (const auto& step : c.steps) step(s);
        EXPECT_EQ(s.selected(), c.selected) << c.name;
        EXPECT_EQ(s.primary(), c.primary) << c.name;
        EXPECT_EQ(s.anchor(), c.anchor) << c.name;
        for (std::size_t i : c.selected) EXPECT_TRUE(s.is_selected(i)) << c.name;
    }
}

}  // namespace
}  // namespace vesk_ui
