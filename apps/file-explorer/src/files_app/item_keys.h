// Carrying the selection and the cursor across a re-read of the shown
// folder: an item is known by its collaborative record when it has one, so
// that it stays selected when renamed outside the program, else by its path.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "model/file_entry.h"

namespace file_explorer::files_app {

struct CarriedSelection {
    std::vector<std::size_t> selected;  // positions in the new list, in the old selection's order
    std::optional<std::size_t> cursor;
};

// Where the items at `selected` and `cursor` of `before` are in `after`;
// items that no longer match are dropped, indices past `before` ignored.
CarriedSelection carry_selection(const std::vector<model::FileEntry>& before, const std::vector<std::size_t>& selected,
                                 std::optional<std::size_t> cursor, const std::vector<model::FileEntry>& after);

}  // namespace file_explorer::files_app
