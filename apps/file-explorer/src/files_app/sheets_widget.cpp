// The root widget's open sheet: opening and closing it, the input it takes
// while open, and the overlay layer (sheet, then menus) painted over the
// content.
#include "files_app/explorer_widget.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/widgets/button.h"
#include "vesk_ui/widgets/context_menu.h"

namespace file_explorer::files_app {

namespace {
constexpr vesk_ui::Rect kMenuBox{0, 0, 400, 800};
}  // namespace

void FileExplorerWidget::open_sheet(Sheet sheet) {
    sheet_ = std::move(sheet);
    sheet_focused_ = true;
    sheet_pressed_ = false;
    sheet_button_ = std::make_unique<vesk_ui::widgets::Button>();
    structure_dirty_ = redraw_ = true;
}

void FileExplorerWidget::close_sheet() {
    sheet_.reset();
    sheet_focused_ = false;
    sheet_pressed_ = false;
    sheet_button_.reset();
    structure_dirty_ = redraw_ = true;
}

void FileExplorerWidget::set_focus(bool focused) { sheet_focused_ = sheet_.has_value() && focused; }

// Every event that reaches an open sheet stops here.
bool FileExplorerWidget::handle_sheet_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) {
    if (const auto* p = event.pointer()) {
        if (p->kind == vesk_ui::PointerKind::Move || p->kind == vesk_ui::PointerKind::Leave) {
            vesk_ui::EventContext inner;
            if (sheet_button_) sheet_button_->handle_event(event, inner);
            const vesk_ui::Rect panel = sheet_panel_rect(*sheet_, bounds_);
            const bool over_close = p->kind == vesk_ui::PointerKind::Move && close_hit_rect(panel).contains(p->logical());
            if (inner.redraw || over_close != sheet_close_hovered_) redraw_ = true;
            sheet_close_hovered_ = over_close;
        } else if (p->kind == vesk_ui::PointerKind::Down && p->button == vesk_ui::Button::Primary) {
            sheet_pressed_ = true;
        }
    }
    const SheetResponse response = sheet_response(*sheet_, bounds_, event, sheet_pressed_);
    if (const auto* p = event.pointer(); p && p->kind == vesk_ui::PointerKind::Up) sheet_pressed_ = false;
    bool changed = false;
    if (response == SheetResponse::Close) {
        close_sheet();
        changed = true;
    } else if (response == SheetResponse::Confirm) {
        const command::Command run = sheet_->action->command();
        close_sheet();
        execute(run);
        changed = true;
    }
    changed = drain_commands() || changed;
    if (changed) structure_dirty_ = redraw_ = true;
    ctx.redraw = ctx.redraw || changed || redraw_;
    ctx.handled = true;
    return true;
}

void FileExplorerWidget::draw_overlay(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) {
    if (sheet_ && sheet_button_) draw_sheet(painter, ctx, *sheet_, bounds_, *sheet_button_, sheet_close_hovered_);
    // Menus follow the window when it is resized while they are open.
    if (main_menu_ && main_menu_->is_open()) {
        main_menu_->set_viewport(bounds_);
        main_menu_->apply_layout(kMenuBox);
        main_menu_->draw(painter, ctx);
    }
    if (template_menu_open_ && template_menu_) {
        template_menu_->set_viewport(bounds_);
        template_menu_->apply_layout(kMenuBox);
        template_menu_->draw(painter, ctx);
    }
}

std::optional<vesk_ui::AccessNode> FileExplorerWidget::overlay_access_node() const {
    if (template_menu_open_ && template_menu_) return template_menu_->accessibility();
    if (main_menu_) return main_menu_->accessibility();
    return std::nullopt;
}

}  // namespace file_explorer::files_app
