#include "native_observer/snapshot.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "fileops/text.h"

namespace file_explorer::native_observer {

bool rect_valid(const Rect4& r) {
    for (double v : r)
        if (!std::isfinite(v)) return false;
    return r[2] > r[0] && r[3] > r[1];
}

namespace {
nlohmann::ordered_json rect_json(const std::optional<Rect4>& r) {
    if (!r) return nullptr;
    return nlohmann::ordered_json::array({(*r)[0], (*r)[1], (*r)[2], (*r)[3]});
}
}  // namespace

std::string automation_snapshot_json(const SnapshotInput& in) {
    const bool ready = !in.is_loading && !in.has_error && rect_valid(in.root_rect) && in.viewport_rect &&
                       rect_valid(*in.viewport_rect) && in.content_rect && rect_valid(*in.content_rect);
    nlohmann::ordered_json j;
    j["app"] = "ex.vesk.file-explorer";
    j["view_id"] = "file_view";
    j["directory"] = fileops::lossy_utf8(in.directory);
    j["entry_count"] = in.entry_count;
    j["order_hash"] = in.order_hash;
    j["hash_algorithm"] = "sha256";
    j["ready"] = ready;
    j["is_loading"] = in.is_loading;
    j["has_error"] = in.has_error;
    j["thumbnail_pending"] = in.thumbnail_pending ? nlohmann::ordered_json(*in.thumbnail_pending) : nullptr;
    j["selected_indices"] = in.selected_indices;
    j["selected_names"] = in.selected_names;
    j["primary_index"] = in.primary_index ? nlohmann::ordered_json(*in.primary_index) : nullptr;
    j["offset_x"] = in.offset_x;
    j["offset_y"] = in.offset_y;
    j["offset_units"] = "pixels";
    j["last_cursor"] = {in.last_cursor_x, in.last_cursor_y};
    j["root_rect"] = rect_json(in.root_rect);
    j["viewport_rect"] = rect_json(in.viewport_rect);
    j["content_rect"] = rect_json(in.content_rect);
    j["view_mode"] = in.view_mode;
    j["sort_by"] = in.sort_by;
    j["sort_order"] = in.sort_order;
    return j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace file_explorer::native_observer
