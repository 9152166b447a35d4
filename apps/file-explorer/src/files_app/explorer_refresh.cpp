// Keeping the shown folder current by polling: the folder is read again at
// an interval that grows with its size, and merged only when it changed.
#include <algorithm>

#include "files_app/explorer_widget.h"
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

void FileExplorerWidget::sync() {
    const auto now = vesk_ui::Clock::now();
    if (pump_completion()) redraw_ = true;
    if (now < refresh_deadline_) return;
    refresh_deadline_ = now + refresh_interval(entries_.size());
    if (rename_target_ || active_drag_ || armed_drag_ || loading_) return;
    silent_refresh();
}

bool FileExplorerWidget::silent_refresh() {
    std::vector<ItemKey> selected;
    for (std::size_t i : selection_.selected())
        if (i < entries_.size()) selected.push_back(key_of(entries_[i]));
    std::optional<ItemKey> cursor;
    if (auto p = selection_.primary(); p && *p < entries_.size()) cursor = key_of(entries_[*p]);

    model::LoadOptions options;
    options.show_hidden = show_hidden_;
    options.sort = sort_;
    options.workspace_roots = roots_for_load();
    model::LoadOutcome fresh = model::load_location(location_, options);
    if (fresh.error) return false;
    if (fresh.entries == entries_) return false;

    std::vector<std::size_t> positions;
    for (const auto& key : selected)
        if (auto at = find_key(fresh.entries, key)) positions.push_back(*at);
    std::optional<std::size_t> cursor_at;
    if (cursor) cursor_at = find_key(fresh.entries, *cursor);

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
