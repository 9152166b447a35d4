// Which items of a list are selected, with the keyboard cursor (the
// primary index) and the anchor that Shift ranges extend from. Indices are
// positions in the visible order.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace vesk_ui {

class SelectionModel {
public:
    // Only `i` selected; cursor and anchor move to it.
    void select_only(std::size_t i);
    // Flips `i`; cursor and anchor move to it.
    void toggle(std::size_t i);
    // A click with the desktop's rules: plain selects only `i`; with the
    // primary modifier toggles `i` and moves the anchor; with Shift selects
    // the range from the anchor to `i` (replacing the selection, the anchor
    // stays); with both adds that range to the selection.
    void apply_click(std::size_t i, bool primary_modifier, bool shift);
    // Keyboard cursor move: without `extend` like select_only; with it the
    // selection becomes the range from the anchor to `i`.
    void move_to(std::size_t i, bool extend);
    // Every index below `count`; the cursor stays where it was when valid.
    void select_all(std::size_t count);
    void clear();
    // The list now has `count` items: indices at or past it are dropped.
    void set_count(std::size_t count);

    bool is_selected(std::size_t i) const;
    // Ascending.
    const std::vector<std::size_t>& selected() const { return selected_; }
    std::size_t size() const { return selected_.size(); }
    bool empty() const { return selected_.empty(); }
    std::optional<std::size_t> primary() const { return primary_; }
    std::optional<std::size_t> anchor() const { return anchor_; }

    bool operator==(const SelectionModel&) const = default;

private:
    void add(std::size_t i);
    void remove(std::size_t i);
    void add_range(std::size_t a, std::size_t b);

    std::vector<std::size_t> selected_;
    std::optional<std::size_t> primary_;
    std::optional<std::size_t> anchor_;
};

}  // namespace vesk_ui
