// The automation snapshot: a JSON object describing what the window shows,
// for test clients and assistive tooling.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace file_explorer::native_observer {

using Rect4 = std::array<double, 4>;  // left, top, right, bottom

struct SnapshotInput {
    std::string directory;  // may hold non-UTF-8 bytes; replaced on output
    std::size_t entry_count = 0;
    std::string order_hash;
    bool is_loading = false;
    bool has_error = false;
    std::optional<std::uint64_t> thumbnail_pending;
    std::vector<std::size_t> selected_indices;
    std::vector<std::string> selected_names;
    std::optional<std::size_t> primary_index;
    double offset_x = 0, offset_y = 0;
    double last_cursor_x = 0, last_cursor_y = 0;
    Rect4 root_rect{};
    std::optional<Rect4> viewport_rect;
    std::optional<Rect4> content_rect;
    std::string view_mode;   // "List" | "Grid"
    std::string sort_by;     // "Name" | "Size" | "Modified" | "Type"
    std::string sort_order;  // "Ascending" | "Descending"
};

// True when every coordinate is finite and the rectangle has an area.
bool rect_valid(const Rect4& r);

// The snapshot object, serialized, members in their documented order.
std::string automation_snapshot_json(const SnapshotInput& in);

}  // namespace file_explorer::native_observer
