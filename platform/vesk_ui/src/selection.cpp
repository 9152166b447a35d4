#include <algorithm>

#include "vesk_ui/selection.h"

namespace vesk_ui {

void SelectionModel::add(std::size_t i) {
    auto it = std::lower_bound(selected_.begin(), selected_.end(), i);
    if (it == selected_.end() || *it != i) selected_.insert(it, i);
}

void SelectionModel::remove(std::size_t i) {
    auto it = std::lower_bound(selected_.begin(), selected_.end(), i);
    if (it != selected_.end() && *it == i) selected_.erase(it);
}

void SelectionModel::add_range(std::size_t a, std::size_t b) {
    auto [lo, hi] = std::minmax(a, b);
    std::vector<std::size_t> merged;
    merged.reserve(selected_.size() + (hi - lo + 1));
    std::size_t k = 0;
    while (k < selected_.size() && selected_[k] < lo) merged.push_back(selected_[k++]);
    for (std::size_t i = lo; i <= hi; ++i) merged.push_back(i);
    while (k < selected_.size() && selected_[k] <= hi) ++k;
    while (k < selected_.size()) merged.push_back(selected_[k++]);
    selected_ = std::move(merged);
}

void SelectionModel::select_only(std::size_t i) {
    selected_.assign(1, i);
    primary_ = i;
    anchor_ = i;
}

void SelectionModel::toggle(std::size_t i) {
    if (is_selected(i))
        remove(i);
    else
        add(i);
    primary_ = i;
    anchor_ = i;
}

void SelectionModel::apply_click(std::size_t i, bool primary_modifier, bool shift) {
    if (!shift) {
        if (primary_modifier)
            toggle(i);
        else
            select_only(i);
        return;
    }
    std::size_t from = anchor_.value_or(i);
    if (!primary_modifier) selected_.clear();
    add_range(from, i);
    primary_ = i;
    anchor_ = from;
}

void SelectionModel::move_to(std::size_t i, bool extend) {
    if (!extend) {
        select_only(i);
        return;
    }
    std::size_t from = anchor_.value_or(primary_.value_or(i));
    selected_.clear();
    add_range(from, i);
    primary_ = i;
    anchor_ = from;
}

void SelectionModel::select_all(std::size_t count) {
    selected_.resize(count);
    for (std::size_t i = 0; i < count; ++i) selected_[i] = i;
    if (primary_ && *primary_ >= count) primary_.reset();
    if (anchor_ && *anchor_ >= count) anchor_.reset();
    if (!primary_ && count > 0) primary_ = 0;
    if (!anchor_) anchor_ = primary_;
}

void SelectionModel::clear() {
    selected_.clear();
    primary_.reset();
    anchor_.reset();
}

void SelectionModel::set_count(std::size_t count) {
    selected_.erase(std::lower_bound(selected_.begin(), selected_.end(), count), selected_.end());
    if (primary_ && *primary_ >= count) primary_.reset();
    if (anchor_ && *anchor_ >= count) anchor_.reset();
}

bool SelectionModel::is_selected(std::size_t i) const {
    return std::binary_search(selected_.begin(), selected_.end(), i);
}

}  // namespace vesk_ui
