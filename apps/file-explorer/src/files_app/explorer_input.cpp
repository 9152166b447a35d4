// Input: the order in which an event reaches the rename field, the children
// and the root's shortcuts, and how a press on an item becomes a drag.
#include <cmath>

#include "files_app/explorer_widget.h"
#include "views/file_view/file_view.h"
#include "vesk_ui/widgets/empty_state.h"
#include "vesk_ui/widgets/scrollable.h"
#include "vesk_ui/widgets/text_input.h"

namespace file_explorer::files_app {

namespace {

using command::Command;
using command::Kind;
namespace mods = vesk_ui::mods;

constexpr double kDragThreshold = 6.0;

bool is_char(const vesk_ui::KeyEvent& key, char lower) {
    return key.key.empty() && key.text.size() == 1 &&
           (key.text[0] == lower || key.text[0] == static_cast<char>(std::toupper(static_cast<unsigned char>(lower))));
}

}  // namespace

bool FileExplorerWidget::handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) {
    bool changed = false;

    // Pointer moves update the last position and may turn an armed press into a drag.
    if (const auto* p = event.pointer(); p && p->kind == vesk_ui::PointerKind::Move) {
        const auto pos = p->logical();
        last_pointer_x_ = pos.x;
        last_pointer_y_ = pos.y;
        if (armed_drag_ && !active_drag_ &&
            std::hypot(pos.x - armed_drag_->x, pos.y - armed_drag_->y) > kDragThreshold) {
            auto armed = *armed_drag_;
            armed_drag_.reset();
            changed = execute(Command::start_drag(armed.path, armed.folder)) || changed;
        }
        // The drag card follows the pointer.
        if (active_drag_ && !active_drag_->client_drag) redraw_ = ctx.redraw = true;
        hold_bubble(vesk_ui::Clock::now());
    }

    // While the error view is shown, Enter or Space is Try Again.
    if (const auto* key = event.key(); key && key->pressed && load_error_ && key->modifiers == 0 &&
                                       (key->named("Enter") || key->text == " ")) {
        refresh();
        ctx.redraw = ctx.handled = true;
        return true;
    }

    // An open sheet takes every event; nothing reaches the menus or children.
    if (sheet_) return handle_sheet_event(event, ctx);

    // A primary press decides which part of the window takes the keyboard.
    if (const auto* p = event.pointer(); p && p->kind == vesk_ui::PointerKind::Down &&
                                         p->button == vesk_ui::Button::Primary && !menu_open())
        focus_at(p->logical());

    if (const auto* p = event.pointer(); p && p->kind == vesk_ui::PointerKind::Up &&
                                         p->button == vesk_ui::Button::Primary) {
        armed_drag_.reset();
        if (active_drag_) {
            if (!active_drag_->client_drag) drop_dragged_items(p->logical());
            active_drag_.reset();
            pending_drag_set_.clear();
            changed = true;
        }
    }

    // A primary press outside the rename field commits the rename.
    if (const auto* p = event.pointer(); p && rename_target_ && p->kind == vesk_ui::PointerKind::Down &&
                                         p->button == vesk_ui::Button::Primary &&
                                         !rename_input_->bounds().contains(p->logical())) {
        commit_rename();
        changed = true;
    }

    // Primary + wheel zooms and never scrolls.
    if (const auto* w = event.wheel(); w && (w->modifiers & mods::primary)) {
        if (w->dy > 0) changed = execute(Command::simple(Kind::ZoomIn)) || changed;
        else if (w->dy < 0) changed = execute(Command::simple(Kind::ZoomOut)) || changed;
        ctx.redraw = ctx.redraw || changed;
        ctx.handled = true;
        return true;
    }

    bool consumed = false;
    // An open menu takes keys and primary presses first.
    if (auto used = handle_menu_event(event)) {
        consumed = *used;
        changed = true;
    } else if (rename_target_ && (event.key() || event.text_input())) {
        if (const auto* key = event.key(); key && key->pressed && key->named("Enter")) {
            commit_rename();
            consumed = changed = true;
        } else if (key && key->pressed && key->named("Escape")) {
            cancel_rename();
            consumed = changed = true;
        } else {
            vesk_ui::EventContext inner;
            consumed = rename_input_->handle_event(event, inner);
            changed = changed || inner.redraw;
        }
    } else {
        for (vesk_ui::Widget* child : children()) {
            vesk_ui::EventContext inner;
            if (child->handle_event(event, inner)) consumed = true;
            changed = changed || inner.redraw;
            if (consumed) break;
        }
    }

    if (!consumed && !rename_target_ && !location_editing()) {
        if (const auto* key = event.key(); key && key->pressed && !event.no_reprocess) {
            consumed = handle_shortcut(*key);
            changed = changed || consumed;
        }
    }

    const bool commands_ran = drain_commands();
    // Typing in the location field changes the field alone: the file view,
    // which may hold a very large folder, is not rebuilt for it.
    const bool field_only = !commands_ran && consumed && location_editing() && (event.key() || event.text_input());
    changed = commands_ran || changed;
    // A secondary press opens the place or item menu once the children have
    // reported it (and set the selection for it).
    if (const auto* p = event.pointer(); p && p->kind == vesk_ui::PointerKind::Down &&
                                         p->button == vesk_ui::Button::Secondary) {
        open_pointer_menu();
        consumed = changed = true;
    }
    if (changed) {
        if (!field_only) structure_dirty_ = true;
        redraw_ = true;
    }
    ctx.redraw = ctx.redraw || changed;
    ctx.handled = ctx.handled || consumed;
    return consumed;
}

bool FileExplorerWidget::handle_shortcut(const vesk_ui::KeyEvent& key) {
    const bool primary = key.has(mods::primary);
    const bool shift = key.has(mods::shift);
    const std::size_t count = entries_.size();
    auto cursor_to = [&](std::size_t index) {
        if (count == 0) return false;
        channel_->push(Command::move_cursor(index, shift));
        return true;
    };
    const auto primary_index = selection_.primary();

    if (!primary) {
        if (key.named("Enter")) {
            if (primary_index && selection_.is_selected(*primary_index) && *primary_index < count) {
                channel_->push(Command::open_item(*primary_index));
                return true;
            }
            return false;
        }
        if (key.named("ArrowDown")) {
            if (selection_.empty() || !primary_index) return cursor_to(0);
            return cursor_to(std::min(*primary_index + 1, count - 1));
        }
        if (key.named("ArrowUp")) {
            if (selection_.empty() || !primary_index) return cursor_to(0);
            return cursor_to(*primary_index == 0 ? 0 : *primary_index - 1);
        }
        if (key.named("End")) return cursor_to(count - 1);
        if (key.named("Home")) return cursor_to(0);
        if (key.named("Backspace")) return channel_->push(Command::simple(Kind::GoUp)), true;
        if (key.named("Delete")) return channel_->push(Command::simple(Kind::MoveToTrash)), true;
        if (key.named("Escape")) {
            selection_.clear();
            last_click_.reset();
            return true;
        }
        if (key.named("F1") || key.text == "?") return channel_->push(Command::simple(Kind::ShowShortcuts)), true;
        if (key.named("F2")) return channel_->push(Command::simple(Kind::StartRename)), true;
        if (key.named("F5")) return channel_->push(Command::simple(Kind::Refresh)), true;
        if (key.named("ContextMenu")) return open_keyboard_menu();
        if (key.named("Tab")) return cycle_focus(shift);
        return false;
    }

    if (shift && is_char(key, 'n')) return channel_->push(Command::simple(Kind::NewFolder)), true;
    if (shift) {
        if (key.text == "+" || key.text == "_") {
            channel_->push(Command::simple(key.text == "+" ? Kind::ZoomIn : Kind::ZoomOut));
            return true;
        }
        return false;
    }
    if (is_char(key, 'l')) {
        begin_location_edit();
        return true;
    }
    if (is_char(key, 'a')) return channel_->push(Command::simple(Kind::SelectAll)), true;
    if (is_char(key, 'c')) return channel_->push(Command::simple(Kind::Copy)), true;
    if (is_char(key, 'x')) return channel_->push(Command::simple(Kind::Cut)), true;
    if (is_char(key, 'v')) return channel_->push(Command::simple(Kind::Paste)), true;
    if (is_char(key, 'z')) return channel_->push(Command::simple(Kind::UndoTrash)), true;
    if (is_char(key, 'h')) return channel_->push(Command::simple(Kind::ToggleHidden)), true;
    if (key.text == "+" || key.text == "=") return channel_->push(Command::simple(Kind::ZoomIn)), true;
    if (key.text == "-" || key.text == "_") return channel_->push(Command::simple(Kind::ZoomOut)), true;
    if (key.text == "0") {
        set_zoom_step(0);
        return true;
    }
    return false;
}

}  // namespace file_explorer::files_app
