// FileExplorerWidget: the root widget. It owns every piece of application
// state; its children are rebuilt from that state on each layout and report
// intent back as commands through the shared channel.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "command/command.h"
#include "fileops/clipboard.h"
#include "fileops/trash_commands.h"
#include "files_app/menus.h"
#include "files_app/sheets.h"
#include "model/file_entry.h"
#include "model/ordering.h"
#include "views/favorites/favorites.h"
#include "vesk_ui/selection.h"
#include "vesk_ui/widgets/status_bubble.h"
#include "vesk_ui/sysdirs.h"
#include "vesk_ui/widget.h"

#include "thumbnail/service.h"
namespace vesk_ui::widgets {
class TextInput;
class Scrollable;
class EmptyState;
class ContextMenu;
class Button;
class NavShell;
}  // namespace vesk_ui::widgets

namespace file_explorer::fileops {
struct ArchiveCommandOutcome;
}

namespace file_explorer::views {
class FileView;
class FileToolbar;
class PlacesSidebar;
struct ReorderState;
}

namespace file_explorer::files_app {

class ContentColumn;

// What the constructor needs from the outside world; `defaults()` reads it
// from the environment, tests and the screenshot mode fill it themselves.
struct ExplorerConfig {
    std::optional<std::string> config_dir;  // …/vesk-files
    std::optional<std::string> home;
    vesk_ui::sysdirs::UserDirs user_dirs;
    // Demonstration mode only: a fixed list of workspace roots used instead of
    // resolving them for every load.
    std::optional<std::vector<std::string>> fixed_workspace_roots;
    // The picture codecs for thumbnails; without them there are none.
    std::optional<thumbnail::Decoders> thumbnail_decoders;

    static ExplorerConfig defaults();
};

class FileExplorerWidget : public vesk_ui::Widget {
public:
    // Loads `start` when given, else the default start location.
    explicit FileExplorerWidget(ExplorerConfig config, std::optional<std::string> start = std::nullopt);
    ~FileExplorerWidget() override;

    // --- navigation -------------------------------------------------------
    // Paths are taken by value: callers often pass an entry's path, and a
    // load replaces the entries.
    void navigate(std::string path);
    void go_back();
    void go_forward();
    void go_up();
    void refresh();
    void open_entry(std::string path);
    void open_path(std::string path);
    void load(std::string path);

    // --- view settings ----------------------------------------------------
    void set_view_mode(model::ViewMode mode);
    void toggle_hidden();
    void set_zoom_step(int step);

    // --- selection --------------------------------------------------------
    void click_item(std::size_t index, bool extend, bool toggle);
    void prepare_context_selection(std::optional<std::size_t> index);
    void move_cursor(std::size_t index, bool extend);
    void select_all();
    void activate_item(std::optional<std::size_t> index);

    // --- rename -----------------------------------------------------------
    void start_rename();
    void commit_rename();
    void cancel_rename();

    // --- status -----------------------------------------------------------
    void set_status(std::string text);
    std::string status_text() const;

    // Reads the folder again and merges it when anything differs, keeping
    // the selection and cursor on the same items. True when it changed.
    bool silent_refresh();

    // Runs one command; true when the visible state may have changed.
    bool execute(const command::Command& command);
    // Runs every queued command; true when any changed something.
    bool drain_commands();

    // --- read access (automation, tests, screenshot scenes) ---------------
    const std::string& location() const { return location_; }
    const std::vector<model::FileEntry>& entries() const { return entries_; }
    const vesk_ui::SelectionModel& selection() const { return selection_; }
    vesk_ui::SelectionModel& selection() { return selection_; }
    const std::optional<std::string>& load_error() const { return load_error_; }
    const std::optional<std::string>& status_message() const { return status_message_; }
    const std::vector<std::string>& back_stack() const { return back_stack_; }
    const std::vector<std::string>& forward_stack() const { return forward_stack_; }
    model::ViewMode view_mode() const { return view_mode_; }
    model::SortState sort() const { return sort_; }
    bool show_hidden() const { return show_hidden_; }
    int zoom_step() const { return zoom_step_; }
    bool loading() const { return loading_; }
    std::optional<std::size_t> rename_target() const { return rename_target_; }
    std::uint64_t load_generation() const { return load_generation_; }
    const command::CommandChannelRef& channel() const { return channel_; }
    // The paths of the drag in progress; empty when none.
    std::vector<std::string> dragged_paths() const { return active_drag_ ? active_drag_->paths : std::vector<std::string>{}; }
    // Scene setters for the screenshot mode.
    void set_loading_for_scene(bool loading) { loading_ = loading; structure_dirty_ = true; }
    void set_load_error_for_scene(std::string error);
    void show_status_bubble(vesk_ui::Clock::time_point now);
    void set_static_rendering(bool on) { static_rendering_ = on; }
    thumbnail::ThumbnailService* thumbnails() const { return thumbnails_.get(); }

    // --- menus (menus_widget.cpp) -------------------------------------------
    // At most one of the item, view options, sort and place menus is open;
    // the New File submenu shows beside it.
    MenuContext menu_context() const;
    void open_item_menu(float x, float y);
    void open_view_options_menu();
    void open_sort_menu();
    void open_anchored_menu(const std::vector<MenuEntry>& entries, float anchor_x, float below_y, float above_y);
    void open_place_menu(const std::string& path);
    void open_template_menu(float x, float y);
    // The New File submenu beside the open menu, where the pointer or the
    // keyboard chose it.
    void open_template_menu_beside(bool by_pointer);
    void close_menus();
    bool menu_open() const;
    const vesk_ui::widgets::ContextMenu* open_main_menu() const;
    const vesk_ui::widgets::ContextMenu* open_template_submenu() const;
    const std::vector<std::optional<command::Command>>& main_menu_commands() const { return main_menu_commands_; }

    // --- sheets (sheets_widget.cpp) ----------------------------------------
    void open_sheet(Sheet sheet);
    void close_sheet();
    const std::optional<Sheet>& sheet() const { return sheet_; }
    bool sheet_focused() const { return sheet_focused_; }
    const std::optional<fileops::TrashUndoRecord>& trash_undo() const { return trash_undo_; }
    void set_trash_undo_for_scene(fileops::TrashUndoRecord record) { trash_undo_ = std::move(record); }
    const fileops::FileClipboard& clipboard() const { return clipboard_; }

    // --- chrome (explorer_chrome.cpp) ---------------------------------------
    // The places sidebar in the navigation shell, the toolbar with the path
    // bar, and the favourites they show.
    const views::FavoritesStore& favourites() const { return favorites_; }
    views::FileToolbar* toolbar() const { return toolbar_.get(); }
    views::PlacesSidebar* sidebar() const { return sidebar_; }
    vesk_ui::widgets::NavShell* nav_shell() const { return shell_.get(); }
    // Primary + L: the path bar becomes a text field with completion.
    void begin_location_edit();
    bool location_editing() const;
    // Scene setters for the screenshot mode.
    void show_sidebar_for_scene();
    void set_favourite_drag_for_scene(std::size_t from, std::size_t to);
    void set_drag_for_scene(std::vector<std::string> paths, vesk_ui::Point pointer);
    // The centre of sidebar row `i` (favourites first) of a window laid out
    // from its top-left corner.
    vesk_ui::Point sidebar_row_centre(std::size_t i) const;

    // --- widget interface -------------------------------------------------
    void set_interaction_environment(const vesk_ui::InteractionEnvironment& env) override;
    void sync() override;
    void update(vesk_ui::Clock::time_point now) override;
    void build_layout() override;
    vesk_ui::Size measure(vesk_ui::Size available) override;
    void apply_layout(const vesk_ui::Rect& bounds) override;
    void draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) override;
    bool handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) override;
    std::vector<vesk_ui::Widget*> children() override;
    std::optional<vesk_ui::AccessNode> accessibility() const override;
    bool perform_semantic_action(std::string_view node_id, vesk_ui::SemanticAction action) override;
    std::string automation_snapshot() const override;
    std::vector<vesk_actions::Resource> resources() override;
    std::optional<vesk_actions::Resource> resource(std::string_view id) override;
    vesk_actions::InvokeOutcome invoke_resource_operation_v2(const vesk_actions::Invocation& inv) override;
    // Long operations: answered synchronously unless a background area
    // takes them; one at a time.
    vesk_actions::InvokeOutcome start_resource_operation_with_document(const vesk_actions::Invocation& inv,
                                                                       const std::string& document) override;
    bool needs_animation_frame() const override;
    bool needs_idle_sync() const override;
    std::optional<vesk_ui::Clock::time_point> next_wake_deadline() const override;
    bool take_structure_dirty() override;
    bool needs_redraw() const override { return redraw_; }
    // Focusable exactly while a sheet is open.
    bool is_focusable() const override { return sheet_.has_value(); }
    void set_focus(bool focused) override;
    void mark_drawn() override { redraw_ = false; }

private:
    struct ArmedDrag {
        std::string path;
        double x = 0, y = 0;
        bool folder = false;
    };
    struct ActiveDrag {
        std::vector<std::string> paths;
        bool client_drag = false;
    };
    struct LastClick {
        std::size_t index = 0;
        vesk_ui::Clock::time_point at;
    };

    std::vector<std::string> roots_for_load() const;
    bool apply_outcome(const fileops::ArchiveCommandOutcome& outcome);
    const model::FileEntry* entry_for_resource(std::string_view id) const;
    vesk_actions::Resource entry_resource(const model::FileEntry& entry, std::string id) const;
    vesk_actions::InvokeOutcome invoke_entry_command(const vesk_actions::Invocation& inv,
                                                     const nlohmann::json& payload);
    void resort(const std::function<void()>& sort);
    void restore_selection(const std::vector<std::string>& paths, const std::optional<std::string>& primary);
    std::optional<std::string> trash_files_folder() const;
    bool is_archive_location() const { return location_is_archive_; }
    bool handle_shortcut(const vesk_ui::KeyEvent& key);
    bool handle_pointer(const vesk_ui::PointerEvent& pointer, vesk_ui::EventContext& ctx);
    bool start_drag(const std::string& path, bool folder);
    void open_with_desktop(const std::string& path);
    std::string loading_detail() const;
    std::string error_detail() const;
    vesk_ui::Rect content_rect() const;
    void draw_status_bubble(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx);
    // Holds the bubble while the pointer is near it or an archive is browsed.
    void hold_bubble(vesk_ui::Clock::time_point now);

    // Menus and sheets (menus_widget.cpp, menus_commands.cpp, sheets_widget.cpp).
    struct MenuAnchor {
        float x = 0, below_y = 0, above_y = 0;
    };
    bool toolbar_compact() const;
    vesk_ui::Rect toolbar_rect() const;
    std::optional<vesk_ui::Rect> view_options_button_rect() const;
    std::optional<vesk_ui::Rect> sort_control_rect() const;
    bool is_home_favourite(const std::string& path) const;
    bool is_removable_favourite(const std::string& path) const;
    bool in_trash_folder() const;
    MenuAnchor anchor_at(const std::optional<vesk_ui::Rect>& control) const;
    void install_main_menu(const std::vector<MenuEntry>& entries, float x, float y);
    bool open_keyboard_menu();
    void open_pointer_menu();
    void run_menu_choice(bool from_submenu, std::size_t index, bool by_pointer);
    // Some(consumed) when an open menu took the event, none when it goes on.
    std::optional<bool> handle_menu_event(const vesk_ui::Event& event);
    bool handle_sheet_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx);
    void draw_overlay(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx);
    std::optional<vesk_ui::AccessNode> overlay_access_node() const;
    // Some(changed) for the commands carried out there, none for the rest.
    std::optional<bool> execute_shell_command(const command::Command& c);
    std::vector<std::string> selected_paths() const;
    void finish_command(const std::string& status, bool reload);
    void finish_creation(const std::optional<std::string>& created, const std::string& status);
    bool show_properties();
    bool move_selection_to_trash();
    bool request_empty_trash();
    vesk_ui::Rect bubble_box_;

    // Chrome (explorer_chrome.cpp).
    enum class FocusArea : std::uint8_t { Content, Sidebar, Breadcrumbs };
    void init_chrome();
    void build_body();
    void build_chrome();
    void apply_focus();
    void focus_at(vesk_ui::Point p);
    bool cycle_focus(bool backwards);
    std::optional<std::string> drop_destination(vesk_ui::Point p) const;
    void drop_dragged_items(vesk_ui::Point p);
    void show_drop_target();
    std::optional<bool> execute_chrome_command(const command::Command& c);
    bool pump_completion();
    vesk_actions::Operation favourite_operation() const;
    void append_place_resources(std::vector<vesk_actions::Resource>& out) const;
    std::optional<vesk_actions::Resource> place_resource(std::string_view id) const;
    std::optional<vesk_actions::InvokeOutcome> invoke_chrome(const vesk_actions::Invocation& inv,
                                                             const nlohmann::json& payload);
    void append_chrome_access(vesk_ui::AccessNode& root) const;

    // Navigation and listing.
    ExplorerConfig config_;
    std::string location_;
    bool location_is_archive_ = false;
    std::vector<std::string> back_stack_;
    std::vector<std::string> forward_stack_;
    std::vector<model::FileEntry> entries_;
    // A read-only copy of `entries_` for the views, made once per change of
    // the entries; every change of `entries_` resets it.
    std::shared_ptr<const std::vector<model::FileEntry>> view_entries_;
    std::optional<std::string> load_error_;
    bool loading_ = false;
    std::uint64_t load_generation_ = 0;
    std::vector<std::string> sidebar_roots_;
    // The roots the last load resolved; the views use them rather than
    // asking the file system again on every rebuild.
    std::vector<std::string> loaded_roots_;

    // View settings.
    model::ViewMode view_mode_ = model::ViewMode::List;
    model::SortState sort_;
    bool show_hidden_ = false;
    int zoom_step_ = 0;

    // Selection and pointer.
    vesk_ui::SelectionModel selection_;
    std::optional<LastClick> last_click_;
    double last_pointer_x_ = 0, last_pointer_y_ = 0;
    std::optional<ArmedDrag> armed_drag_;
    std::vector<std::string> pending_drag_set_;
    std::optional<ActiveDrag> active_drag_;

    // Rename.
    std::unique_ptr<vesk_ui::widgets::TextInput> rename_input_;
    std::optional<std::size_t> rename_target_;

    // A resource operation the toolkit started and is waiting for.
    bool operation_running_ = false;

    // Status.
    std::optional<std::string> status_message_;
    vesk_ui::StatusBubble bubble_;
    std::string bubble_text_;
    bool static_rendering_ = false;

    // Scroll offset of the file view, kept across rebuilds.
    float offset_x_ = 0, offset_y_ = 0;

    // Services and shared parts.
    command::CommandChannelRef channel_;
    std::unique_ptr<thumbnail::ThumbnailService> thumbnails_;
    vesk_ui::InteractionEnvironment env_;
    vesk_ui::Clock::time_point refresh_deadline_;
    vesk_ui::Clock::time_point now_;

    // Children, rebuilt by build_layout.
    std::unique_ptr<vesk_ui::widgets::Scrollable> scroller_;
    views::FileView* file_view_ = nullptr;  // owned by scroller_
    std::unique_ptr<vesk_ui::widgets::EmptyState> state_view_;
    // The chrome lives as long as the widget: the shell holds the sidebar and
    // the content column, which places the toolbar and the body above.
    std::unique_ptr<views::FileToolbar> toolbar_;
    std::unique_ptr<vesk_ui::widgets::NavShell> shell_;
    views::PlacesSidebar* sidebar_ = nullptr;  // owned by shell_
    ContentColumn* content_ = nullptr;         // owned by shell_
    views::FavoritesStore favorites_;
    std::shared_ptr<views::ReorderState> reorder_;
    FocusArea focus_area_ = FocusArea::Content;
    bool structure_dirty_ = true;
    bool redraw_ = true;

    // Menus, sheets, the Trash undo record and the file clipboard.
    std::unique_ptr<vesk_ui::widgets::ContextMenu> main_menu_;
    std::vector<std::optional<command::Command>> main_menu_commands_;
    std::unique_ptr<vesk_ui::widgets::ContextMenu> template_menu_;
    std::vector<std::optional<command::Command>> template_menu_commands_;
    bool template_menu_open_ = false;
    std::optional<std::string> pending_place_menu_;
    std::optional<Sheet> sheet_;
    bool sheet_focused_ = false;
    bool sheet_pressed_ = false;  // the primary button went down while the sheet was open
    bool sheet_close_hovered_ = false;
    std::unique_ptr<vesk_ui::widgets::Button> sheet_button_;
    std::optional<fileops::TrashUndoRecord> trash_undo_;
    fileops::FileClipboard clipboard_;
};

}  // namespace file_explorer::files_app
