// Keeping the shown folder current by polling: the folder is read again at
// an interval that grows with its size, and merged only when it changed.
#include <algorithm>

#include "files_app/explorer_widget.h"
#include "files_app/item_keys.h"
#include "files_app/refresh_interval.h"
#include "model/load.h"

namespace file_explorer::files_app {

namespace {

// The identity that carries selection across a refresh: the collaborative
// record when the entry has one, else the path.
struct ItemKey {
    std::optional<model::RecordId> record;
    std::string path;
};

ItemKey key_of(const model::FileEntry& e) {
    if (e.collab.has_value() && e.collab->record_id) return {e.collab->record_id, {}};
    return {std::nullopt, e.path};
}

std::optional<std::size_t> find_key(const std::vector<model::FileEntry>& entries, const ItemKey& key) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& e = entries[i];
        if (key.record) {
            if (e.collab.has_value() && e.collab->record_id == key.record) return i;
        } else if (e.path == key.path) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace

CarriedSelection carry_selection(const std::vector<model::FileEntry>& before, const std::vector<std::size_t>& selected,
                                 std::optional<std::size_t> cursor, const std::vector<model::FileEntry>& after) {
    CarriedSelection carried;
    for (std::size_t i : selected) {
        if (i >= before.size()) continue;
        auto at = find_key(after, key_of(before[i]));
        // Two old items with one record id land on one new item once.
        if (at && std::find(carried.selected.begin(), carried.selected.end(), *at) == carried.selected.end())
            carried.selected.push_back(*at);
    }
    if (cursor && *cursor < before.size()) carried.cursor = find_key(after, key_of(before[*cursor]));
    return carried;
}

void FileExplorerWidget::sync() {
    const auto now = vesk_ui::Clock::now();
    if (pump_completion()) redraw_ = true;
    if (now < refresh_deadline_) return;
    refresh_deadline_ = now + refresh_interval(entries_.size());
    if (rename_target_ || active_drag_ || armed_drag_ || loading_) return;
    silent_refresh();
}

bool FileExplorerWidget::silent_refresh() {
    // An archive is no folder to re-read; its members change only when the
    // file is replaced, which the next explicit load shows.
    if (location_is_archive_) return false;
    model::LoadOptions options;
    options.show_hidden = show_hidden_;
    options.sort = sort_;
    options.workspace_roots = roots_for_load();
    model::LoadOutcome fresh = model::load_location(location_, options);
    if (fresh.error) return false;
    if (fresh.entries == entries_) return false;

    const CarriedSelection carried = carry_selection(entries_, selection_.selected(), selection_.primary(), fresh.entries);
    const auto& positions = carried.selected;
    const auto& cursor_at = carried.cursor;

    entries_ = std::move(fresh.entries);
    view_entries_.reset();
    selection_.clear();
    selection_.set_count(entries_.size());
    for (std::size_t i : positions)
        if (!cursor_at || i != *cursor_at) selection_.toggle(i);
    // Toggling moves the cursor, so the cursor's item goes last; an
    // unselected cursor item is toggled twice to leave only the cursor there.
    if (cursor_at) {
        selection_.toggle(*cursor_at);
        if (std::find(positions.begin(), positions.end(), *cursor_at) == positions.end())
            selection_.toggle(*cursor_at);
    }
    structure_dirty_ = true;
    redraw_ = true;
    return true;
}

}  // namespace file_explorer::files_app
