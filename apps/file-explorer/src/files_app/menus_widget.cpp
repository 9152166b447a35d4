// The root widget's pop-up menus: opening them where they belong, and the
// input that reaches an open menu before anything else.
#include "files_app/explorer_widget.h"
#include "fileops/paths.h"
#include "fileops/templates.h"
#include "views/file_view/file_view.h"
#include "views/toolbar/toolbar.h"
#include "vesk_ui/widgets/context_menu.h"

namespace file_explorer::files_app {

namespace {

using command::Command;
using command::Kind;
using vesk_ui::widgets::ContextMenu;

// Menus are sized inside this box, so that their rows can be hit at once.
constexpr vesk_ui::Rect kMenuBox{0, 0, 400, 800};
// The New File submenu overlaps its menu by this much.
constexpr float kSubmenuOverlap = 6;
// Below the pointer's row when chosen with the pointer; below the menu's top
// when chosen from the keyboard.
constexpr float kSubmenuAbovePointer = 10;
constexpr float kSubmenuBelowTop = 28;
// The keyboard menu's offset from the primary row, or from the window.
constexpr float kKeyboardRowOffset = 24;
constexpr float kKeyboardWindowX = 24, kKeyboardWindowY = 72;
// Where toolbar controls are narrower than this, the toolbar is compact.
constexpr float kCompactToolbarWidth = 760;

// "New File  ›" is drawn with a chevron instead of its trailing arrow.
std::string menu_label(const MenuEntry& entry) {
    std::string label = entry.label;
    if (entry.command && entry.command->kind == Kind::ShowTemplateMenu) {
        const std::string arrow = "\xE2\x80\xBA";  // ›
        if (label.ends_with(arrow)) label.resize(label.size() - arrow.size());
        while (!label.empty() && label.back() == ' ') label.pop_back();
    }
    return label;
}

std::unique_ptr<ContextMenu> make_menu(const std::vector<MenuEntry>& entries, const vesk_ui::Rect& viewport,
                                       std::vector<std::optional<Command>>& commands) {
    auto menu = std::make_unique<ContextMenu>();
    menu->set_viewport(viewport);
    commands.clear();
    for (const MenuEntry& entry : entries) {
        vesk_ui::widgets::MenuItem item;
        item.label = menu_label(entry);
        item.enabled = entry.command.has_value();
        if (entry.check != MenuCheck::None) item.checked = entry.check == MenuCheck::Checked;
        if (entry.command) {
            item.hint = shortcut_hint(*entry.command);
            item.submenu = entry.command->kind == Kind::ShowTemplateMenu;
        }
        menu->push(std::move(item));
        commands.push_back(entry.command);
    }
    return menu;
}

}  // namespace

// --- state the menus read ------------------------------------------------

bool FileExplorerWidget::toolbar_compact() const { return toolbar_rect().width() < kCompactToolbarWidth; }

// Before the first layout the toolbar has no rectangle; menus then anchor at
// the window's top-right corner.
vesk_ui::Rect FileExplorerWidget::toolbar_rect() const {
    if (toolbar_->bounds().valid()) return toolbar_->bounds();
    return vesk_ui::Rect{bounds_.left, bounds_.top, bounds_.right, bounds_.top};
}
std::optional<vesk_ui::Rect> FileExplorerWidget::view_options_button_rect() const {
    return toolbar_->view_options_rect();
}
std::optional<vesk_ui::Rect> FileExplorerWidget::sort_control_rect() const { return toolbar_->sort_control_rect(); }

bool FileExplorerWidget::is_home_favourite(const std::string& path) const {
    const views::Place* favourite = favorites_.find(path);
    return favourite && favourite->home;
}

bool FileExplorerWidget::is_removable_favourite(const std::string& path) const {
    const views::Place* favourite = favorites_.find(path);
    return favourite && !favourite->home;
}

bool FileExplorerWidget::in_trash_folder() const {
    const auto trash = trash_files_folder();
    return trash && fileops::same_path(*trash, location_);
}

MenuContext FileExplorerWidget::menu_context() const {
    MenuContext c;
    c.entries = &entries_;
    for (std::size_t i : selection_.selected())
        if (i < entries_.size()) c.selected.push_back(i);
    if (auto p = selection_.primary(); p && selection_.is_selected(*p) && *p < entries_.size()) c.primary = p;
    c.location = location_;
    c.in_archive = is_archive_location();
    c.in_trash = in_trash_folder();
    c.clipboard_filled = !clipboard_.empty();
    c.has_templates = !fileops::template_items().empty();
    c.show_hidden = show_hidden_;
    c.toolbar_compact = toolbar_compact();
    c.can_go_forward = !forward_stack_.empty();
    c.has_trash_undo = trash_undo_.has_value();
    c.location_removable_favourite = is_removable_favourite(location_);
    c.view_mode = view_mode_;
    c.sort = sort_;
    return c;
}

// --- opening -------------------------------------------------------------

void FileExplorerWidget::install_main_menu(const std::vector<MenuEntry>& entries, float x, float y) {
    template_menu_open_ = false;
    main_menu_ = make_menu(entries, bounds_, main_menu_commands_);
    main_menu_->open_at(x, y);
    main_menu_->apply_layout(kMenuBox);
    redraw_ = true;
}

void FileExplorerWidget::open_item_menu(float x, float y) { install_main_menu(item_menu(menu_context()), x, y); }

void FileExplorerWidget::open_place_menu(const std::string& path) {
    install_main_menu(place_menu(path, is_home_favourite(path)), float(last_pointer_x_), float(last_pointer_y_));
}

FileExplorerWidget::MenuAnchor FileExplorerWidget::anchor_at(const std::optional<vesk_ui::Rect>& control) const {
    if (control) return {control->right, control->bottom + 2, control->top - 2};
    const vesk_ui::Rect bar = toolbar_rect();
    return {bar.right, bar.bottom, bar.bottom};
}

void FileExplorerWidget::open_view_options_menu() {
    const MenuAnchor a = anchor_at(view_options_button_rect());
    open_anchored_menu(view_options_menu(menu_context()), a.x, a.below_y, a.above_y);
}

void FileExplorerWidget::open_sort_menu() {
    const MenuAnchor a = anchor_at(sort_control_rect());
    open_anchored_menu(sort_menu(sort_), a.x, a.below_y, a.above_y);
}

// The menu's right edge meets the anchor; it opens below the control, or
// above it when it would reach past the window's bottom.
void FileExplorerWidget::open_anchored_menu(const std::vector<MenuEntry>& entries, float anchor_x, float below_y,
                                            float above_y) {
    install_main_menu(entries, anchor_x, below_y);
    const vesk_ui::Size size = main_menu_->menu_rect().size();
    const float x = std::clamp(anchor_x - size.width, bounds_.left, std::max(bounds_.right - size.width, bounds_.left));
    float y = below_y;
    if (below_y + size.height > bounds_.bottom) y = std::max(above_y - size.height, bounds_.top);
    main_menu_->open_at(x, y);
    main_menu_->apply_layout(kMenuBox);
}

void FileExplorerWidget::open_template_menu(float x, float y) {
    const auto templates = fileops::template_items();
    if (templates.empty() || !main_menu_ || !main_menu_->is_open()) {
        template_menu_open_ = false;
        return;
    }
    template_menu_ = make_menu(template_menu(templates), bounds_, template_menu_commands_);
    template_menu_->set_submenu(true);
    // Where it does not fit to the right, it opens on the menu's left side.
    template_menu_->open_at(x, y, main_menu_->menu_rect().left + kSubmenuOverlap);
    template_menu_->apply_layout(kMenuBox);
    template_menu_open_ = true;
    redraw_ = true;
}

void FileExplorerWidget::open_template_menu_beside(bool by_pointer) {
    if (!main_menu_ || !main_menu_->is_open()) return;
    const vesk_ui::Rect m = main_menu_->menu_rect();
    const float y = by_pointer ? float(last_pointer_y_) - kSubmenuAbovePointer : m.top + kSubmenuBelowTop;
    open_template_menu(m.right - kSubmenuOverlap, y);
    // The entry that leads to the submenu stays lit while it is shown.
    for (std::size_t i = 0; template_menu_open_ && i < main_menu_commands_.size(); ++i)
        if (main_menu_commands_[i] && main_menu_commands_[i]->kind == Kind::ShowTemplateMenu) main_menu_->set_highlight(i);
}

void FileExplorerWidget::close_menus() {
    if (main_menu_) main_menu_->close();
    template_menu_open_ = false;
    redraw_ = true;
}

bool FileExplorerWidget::menu_open() const { return (main_menu_ && main_menu_->is_open()) || template_menu_open_; }

const vesk_ui::widgets::ContextMenu* FileExplorerWidget::open_main_menu() const {
    return main_menu_ && main_menu_->is_open() ? main_menu_.get() : nullptr;
}
const vesk_ui::widgets::ContextMenu* FileExplorerWidget::open_template_submenu() const {
    return template_menu_open_ ? template_menu_.get() : nullptr;
}

// The ContextMenu key: at the primary row when the view shows it, else near
// the window's top-left corner.
bool FileExplorerWidget::open_keyboard_menu() {
    if (selection_.empty()) return false;
    float x = bounds_.left + kKeyboardWindowX, y = bounds_.top + kKeyboardWindowY;
    if (auto p = selection_.primary(); p && file_view_) {
        if (auto row = file_view_->item_rect(*p)) {
            x = row->left + kKeyboardRowOffset;
            y = row->top + kKeyboardRowOffset;
        }
    }
    open_item_menu(x, y);
    return true;
}

// After a secondary press has been through the children: the place menu
// when the sidebar asked for one, else the item menu.
void FileExplorerWidget::open_pointer_menu() {
    if (pending_place_menu_) {
        const std::string path = std::move(*pending_place_menu_);
        pending_place_menu_.reset();
        open_place_menu(path);
        return;
    }
    open_item_menu(float(last_pointer_x_), float(last_pointer_y_));
}

// --- input ---------------------------------------------------------------

void FileExplorerWidget::run_menu_choice(bool from_submenu, std::size_t index, bool by_pointer) {
    const auto& commands = from_submenu ? template_menu_commands_ : main_menu_commands_;
    if (index >= commands.size() || !commands[index]) {
        close_menus();
        return;
    }
    const Command chosen = *commands[index];
    if (chosen.kind == Kind::ShowTemplateMenu) {
        open_template_menu_beside(by_pointer);
        return;
    }
    close_menus();
    execute(chosen);
}

std::optional<bool> FileExplorerWidget::handle_menu_event(const vesk_ui::Event& event) {
    if (!menu_open()) return std::nullopt;
    ContextMenu* main = main_menu_ && main_menu_->is_open() ? main_menu_.get() : nullptr;
    ContextMenu* sub = template_menu_open_ ? template_menu_.get() : nullptr;

    if (const auto* p = event.pointer(); p && (p->kind == vesk_ui::PointerKind::Move ||
                                               p->kind == vesk_ui::PointerKind::Leave)) {
        vesk_ui::EventContext inner;
        if (sub) sub->handle_event(event, inner);
        if (main) main->handle_event(event, inner);
        if (inner.redraw) redraw_ = true;
        return std::nullopt;
    }

    if (event.key()) {
        ContextMenu* target = sub ? sub : main;
        if (!target) return std::nullopt;
        vesk_ui::EventContext inner;
        const bool used = target->handle_event(event, inner);
        // The submenu may have closed itself (Escape, ArrowLeft).
        if (sub && !sub->is_open()) template_menu_open_ = false;
        if (auto chosen = target->take_chosen()) run_menu_choice(target == sub, *chosen, false);
        if (!used) return std::nullopt;
        redraw_ = true;
        return true;
    }

    const auto* p = event.pointer();
    if (!p || p->kind != vesk_ui::PointerKind::Down || p->button != vesk_ui::Button::Primary) return std::nullopt;
    const vesk_ui::Point at = p->logical();
    if (sub) {
        if (auto hit = sub->item_at(at)) run_menu_choice(true, *hit, true);
        else close_menus();
    } else if (main) {
        auto hit = main->item_at(at);
        if (hit && *hit < main_menu_commands_.size() && main_menu_commands_[*hit]) run_menu_choice(false, *hit, true);
        else close_menus();
    } else {
        template_menu_open_ = false;
    }
    redraw_ = true;
    return true;
}

}  // namespace file_explorer::files_app
