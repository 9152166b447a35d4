// The closed set of requests the root widget carries out, and the channel
// through which child widgets hand them over.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace file_explorer::command {

enum class Kind : std::uint8_t {
    NavigateToPath, OpenPath, GoUp, GoBack, GoForward, Refresh, ItemClicked,
    ContextMenuRequested, OpenItem, MoveCursor, SortByColumn, SetViewMode, ShowSortMenu,
    ShowViewMenu, SetSortKey, ToggleSortDirection, ShowShortcuts, SetSortDirection, SelectAll,
    OpenTerminal, NewFolder, StartRename, CommitRename, CancelRename, MoveToTrash, UndoTrash,
    Copy, Cut, Paste, ExtractHere, ExtractArchive, Compress, SendNearby, SendNearbyTo,
    ShowNearbyDestinations, AcceptNearby, RetryNearby, CancelNearby, ShowTemplateMenu,
    NewFromTemplate, FavouriteContextMenu, ItemPressed, StartDrag, AddFavourite, RemoveFavourite,
    ReorderFavourites, ZoomIn, ZoomOut, ToggleHidden, Restore, RequestEmptyTrash,
    DeletePermanently, EmptyTrash, KeepOffline, UseAutomaticStorage, FreeLocalSpace,
    EvictDestructively, RetryTransfer, ShowProperties, ShowAvailability, ShowSharing,
    CreateShareLink, ShareWith, ComposeShare, RevokeShare, OpenHistory, OpenHistoryVersion,
    OpenHistoryAlt, ShowInActivity, RestorePreviousVersion, ResolveConflict, ReviewMerge,
    DeclineNearbyOffer,
};
inline constexpr int kCommandCount = static_cast<int>(Kind::DeclineNearbyOffer) + 1;
static_assert(kCommandCount == 73);

// The kebab-case name ("move-to-trash").
std::string_view name(Kind kind);

enum class ViewMode : std::uint8_t { List, Grid };

// One request with its payload. Which members mean something depends on
// the kind; the factory functions below build each one correctly.
struct Command {
    Kind kind = Kind::Refresh;
    std::string path;                 // paths, devices, transfers, subjects, versions…
    std::string text;                 // second text (destination, permission, strategy…)
    std::string text2;                // third text (expiry…)
    std::vector<std::string> paths;   // delete-permanently, evict-destructively
    std::optional<std::size_t> index; // item and cursor commands; from-index of reorders
    std::size_t index2 = 0;           // to-index of reorders
    std::int32_t number = 0;          // column, sort key, sort direction, view mode
    bool flag_a = false;              // primary / extend / folder / remember
    bool flag_b = false;              // shift
    double x = 0, y = 0;              // press position

    static Command simple(Kind k) {
        Command c;
        c.kind = k;
        return c;
    }
    static Command with_path(Kind k, std::string p) {
        Command c;
        c.kind = k; c.path = std::move(p);
        return c;
    }
    static Command item_clicked(std::size_t i, bool primary, bool shift) {
        Command c;
        c.kind = Kind::ItemClicked; c.index = i; c.flag_a = primary; c.flag_b = shift;
        return c;
    }
    static Command context_menu_requested(std::optional<std::size_t> i) {
        Command c;
        c.kind = Kind::ContextMenuRequested; c.index = i;
        return c;
    }
    static Command open_item(std::size_t i) {
        Command c;
        c.kind = Kind::OpenItem; c.index = i;
        return c;
    }
    static Command move_cursor(std::size_t i, bool extend) {
        Command c;
        c.kind = Kind::MoveCursor; c.index = i; c.flag_a = extend;
        return c;
    }
    static Command sort_by_column(int column) {
        Command c;
        c.kind = Kind::SortByColumn; c.number = column;
        return c;
    }
    static Command set_view_mode(ViewMode m) {
        Command c;
        c.kind = Kind::SetViewMode; c.number = static_cast<std::int32_t>(m);
        return c;
    }
    static Command set_sort_key(int key) {
        Command c;
        c.kind = Kind::SetSortKey; c.number = key;
        return c;
    }
    static Command set_sort_direction(int dir) {
        Command c;
        c.kind = Kind::SetSortDirection; c.number = dir;
        return c;
    }
    static Command item_pressed(std::string p, double px, double py, bool folder) {
        Command c;
        c.kind = Kind::ItemPressed; c.path = std::move(p); c.flag_a = folder; c.x = px; c.y = py;
        return c;
    }
    static Command start_drag(std::string p, bool folder) {
        Command c;
        c.kind = Kind::StartDrag; c.path = std::move(p); c.flag_a = folder;
        return c;
    }
    static Command reorder_favourites(std::size_t from, std::size_t to) {
        Command c;
        c.kind = Kind::ReorderFavourites; c.index = from; c.index2 = to;
        return c;
    }
    static Command with_paths(Kind k, std::vector<std::string> ps) {
        Command c;
        c.kind = k; c.paths = std::move(ps);
        return c;
    }
};

// First-in first-out list shared by the root widget and its children.
// Children push; only the root drains. Pushing never runs anything.
class CommandChannel {
public:
    void push(Command c) { queue_.push_back(std::move(c)); }
    // Takes everything queued so far; later pushes wait for the next drain.
    std::vector<Command> drain() {
        std::vector<Command> out(std::make_move_iterator(queue_.begin()), std::make_move_iterator(queue_.end()));
        queue_.clear();
        return out;
    }
    bool empty() const { return queue_.empty(); }

private:
    std::deque<Command> queue_;
};

using CommandChannelRef = std::shared_ptr<CommandChannel>;

}  // namespace file_explorer::command
