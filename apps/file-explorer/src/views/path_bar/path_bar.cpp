#include "views/path_bar/path_bar.h"

#include "i18n/i18n.h"
#include "views/path_bar/completion.h"
#include "views/path_bar/path_completion_source.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/theme.h"

namespace file_explorer::views {

PathBar::PathBar(command::CommandChannelRef commands)
    : commands_(commands),
      crumbs_(std::move(commands)),
      field_(std::make_unique<vesk_ui::widgets::Autocomplete>("files.path_input", i18n::tr("files-path-placeholder"))),
      source_(std::make_shared<PathCompletionSource>()) {
    field_->set_source(source_);
}

PathBar::~PathBar() = default;

void PathBar::set_commands(command::CommandChannelRef commands) {
    commands_ = commands;
    crumbs_.set_commands(std::move(commands));
}

void PathBar::update(const std::string& current, const std::optional<std::string>& home,
                     const std::vector<std::string>& workspace_roots) {
    current_ = current;
    home_ = home;
    roots_ = workspace_roots;
    if (!editing_) crumbs_.set_crumbs(make_crumbs(current_, home_, roots_));
}

void PathBar::begin_edit() {
    editing_ = true;
    edit_base_ = current_;
    source_->begin(edit_base_, home_);
    field_->begin(home_abbreviated(current_, home_));
    crumbs_.set_focus(false);
}

void PathBar::end_edit() {
    editing_ = false;
    field_->end();
    crumbs_.set_crumbs(make_crumbs(current_, home_, roots_));
}

bool PathBar::pump(vesk_ui::Clock::time_point deadline) { return editing_ && field_->pump(deadline); }

bool PathBar::busy() const { return editing_ && field_->busy(); }

std::optional<vesk_ui::Rect> PathBar::parent_target_rect() const {
    if (editing_) return std::nullopt;
    return crumbs_.parent_target_rect();
}

vesk_ui::Size PathBar::measure(vesk_ui::Size available) { return {available.width, height}; }

void PathBar::apply_layout(const vesk_ui::Rect& bounds) {
    bounds_ = bounds;
    field_->apply_layout(bounds);
    crumbs_.apply_layout(bounds);
}

void PathBar::submit(const std::string& text) {
    if (commands_) commands_->push(command::Command::with_path(command::Kind::NavigateToPath, source_->resolve(text)));
}

bool PathBar::settle(vesk_ui::EventContext& ctx) {
    if (editing_) {
        if (auto text = field_->take_submitted()) {
            submit(*text);
            end_edit();
        } else if (field_->take_cancelled()) {
            end_edit();
        } else {
            return false;
        }
    } else if (crumbs_.take_edit_request()) {
        begin_edit();
    } else {
        return false;
    }
    ctx.redraw = true;
    return true;
}

bool PathBar::handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) {
    const bool used = editing_ ? field_->handle_event(event, ctx) : crumbs_.handle_event(event, ctx);
    settle(ctx);
    return used;
}

void PathBar::draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) {
    const vesk_ui::Theme& t = ctx.theme;
    if (!bounds_.valid()) return;
    if (editing_) {
        field_->draw(painter, ctx);
        return;
    }
    painter.fill_rounded_rect(bounds_, t.radius_m, t.input_bg);
    painter.stroke_rounded_rect(bounds_.inset(0.5f), t.radius_m - 0.5f, 1, crumbs_.focused() ? t.accent_a : t.border);
    crumbs_.draw(painter, ctx);
}

std::optional<vesk_ui::AccessNode> PathBar::accessibility() const {
    return editing_ ? field_->accessibility() : crumbs_.accessibility();
}

bool PathBar::perform_semantic_action(std::string_view node_id, vesk_ui::SemanticAction action) {
    if (editing_ || !crumbs_.perform_semantic_action(node_id, action)) return false;
    vesk_ui::EventContext ctx;
    settle(ctx);
    return true;
}

}  // namespace file_explorer::views
