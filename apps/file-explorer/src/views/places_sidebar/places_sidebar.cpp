#include "views/places_sidebar/places_sidebar.h"

#include <algorithm>
#include <cmath>

#include "command/local_key.h"
#include "fileops/text.h"
#include "i18n/i18n.h"
#include "vesk_ui/chrome.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"

namespace file_explorer::views {

namespace {

using command::Command;
using command::Kind;
using vesk_ui::Rect;

constexpr float kIconSize = 16;
constexpr float kIconLeft = 10;
constexpr float kLabelLeft = 36;

float clamp_scale(float s) { return std::isfinite(s) ? std::clamp(s, 0.5f, 4.0f) : 1.0f; }

}  // namespace

PlacesSidebar::PlacesSidebar() : reorder_(std::make_shared<ReorderState>()) {}

void PlacesSidebar::update(SidebarSetup setup) {
    favourites_ = std::move(setup.favourites);
    system_ = std::move(setup.system);
    current_ = std::move(setup.current);
    s_ = clamp_scale(setup.scale);
    if (setup.reorder) reorder_ = std::move(setup.reorder);
    commands_ = std::move(setup.commands);
    active_ = active_place(favourites_, system_, current_);
    const std::size_t n = size();
    if (hover_ && *hover_ >= n) hover_.reset();
    if (cursor_ && *cursor_ >= n) cursor_.reset();
    if (reorder_->pressed && *reorder_->pressed >= favourites_.size()) *reorder_ = ReorderState{};
}

const Place& PlacesSidebar::place(std::size_t i) const {
    return i < favourites_.size() ? favourites_[i] : system_[i - favourites_.size()];
}

SidebarGeometry PlacesSidebar::geometry() const { return {bounds_, s_, favourites_.size(), system_.size()}; }

std::optional<std::size_t> PlacesSidebar::place_at(vesk_ui::Point p) const {
    if (!bounds_.contains(p)) return std::nullopt;
    return geometry().hit(p);
}

void PlacesSidebar::apply_layout(const Rect& bounds) { bounds_ = bounds; }

void PlacesSidebar::push(Command c) {
    if (commands_) commands_->push(std::move(c));
}

void PlacesSidebar::open(std::size_t i) {
    if (i < size()) push(Command::with_path(Kind::NavigateToPath, place(i).path));
}

void PlacesSidebar::ask_menu(std::size_t i) {
    if (is_favourite(i)) push(Command::with_path(Kind::FavouriteContextMenu, favourites_[i].path));
}

bool PlacesSidebar::on_pointer(const vesk_ui::PointerEvent& p, vesk_ui::EventContext& ctx) {
    const vesk_ui::Point at = p.logical();
    ReorderState& drag = *reorder_;
    switch (p.kind) {
        case vesk_ui::PointerKind::Move:
        case vesk_ui::PointerKind::Leave: {
            auto hover = p.kind == vesk_ui::PointerKind::Move && !drag.dragging ? place_at(at) : std::nullopt;
            if (hover != hover_) {
                hover_ = hover;
                ctx.redraw = true;
            }
            if (!drag.pressed || p.kind == vesk_ui::PointerKind::Leave) return false;
            drag.pointer = at;
            if (!drag.dragging && std::hypot(at.x - drag.press.x, at.y - drag.press.y) >= drag.threshold) {
                drag.dragging = true;
                hover_.reset();
            }
            if (drag.dragging) drag.target = geometry().reorder_target(at.y - drag.grab_offset);
            ctx.redraw = ctx.handled = true;
            return true;
        }
        case vesk_ui::PointerKind::Down: {
            auto i = place_at(at);
            if (!i) return false;
            if (p.button == vesk_ui::Button::Secondary) {
                ask_menu(*i);
            } else if (p.button == vesk_ui::Button::Primary) {
                cursor_ = *i;
                if (is_favourite(*i)) {
                    drag = ReorderState{};
                    drag.pressed = *i;
                    drag.press = drag.pointer = at;
                    drag.grab_offset = at.y - geometry().row(*i).top;
                    drag.target = *i;
                } else {
                    open(*i);
                }
            } else {
                return false;
            }
            ctx.redraw = ctx.handled = true;
            return true;
        }
        case vesk_ui::PointerKind::Up: {
            if (p.button != vesk_ui::Button::Primary || !drag.pressed) return false;
            const std::size_t from = *drag.pressed;
            if (!drag.dragging) open(from);
            else if (drag.target != from) push(Command::reorder_favourites(from, drag.target));
            drag = ReorderState{};
            hover_ = place_at(at);
            ctx.redraw = ctx.handled = true;
            return true;
        }
    }
    return false;
}

bool PlacesSidebar::on_key(const vesk_ui::KeyEvent& k, vesk_ui::EventContext& ctx) {
    const std::size_t n = size();
    if (!focused_ || !k.pressed || k.repeat || k.modifiers != 0 || n == 0) return false;
    // Until the first key the cursor is the active place.
    std::size_t c = std::min(cursor_.value_or(active_.value_or(0)), n - 1);
    if (k.named("ArrowDown")) c = std::min(c + 1, n - 1);
    else if (k.named("ArrowUp")) c = c > 0 ? c - 1 : 0;
    else if (k.named("End")) c = n - 1;
    else if (k.named("Home")) c = 0;
    else if (k.named("Enter") || k.named("NumpadEnter")) open(c);
    else if (k.named("ContextMenu")) ask_menu(c);
    else return false;
    cursor_ = c;
    ctx.redraw = ctx.handled = true;
    return true;
}

bool PlacesSidebar::handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) {
    if (const auto* p = event.pointer()) return on_pointer(*p, ctx);
    if (const auto* k = event.key(); k && !event.no_reprocess) return on_key(*k, ctx);
    return false;
}

void PlacesSidebar::draw_header(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, const char* message,
                                float top) {
    const vesk_ui::Theme& t = ctx.theme;
    const SidebarGeometry g = geometry();
    const vesk_ui::FontSpec font{11.5f * s_, vesk_ui::FontWeight::Semibold};
    const Rect box{bounds_.left + g.inset + kIconLeft, top + 6 * s_, bounds_.right - g.inset, top + g.header_h()};
    vesk_ui::text_renderer().draw_text(painter, box, i18n::tr(message), font, t.text_tertiary);
}

void PlacesSidebar::draw_row(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx, std::size_t i, const Rect& r) {
    const vesk_ui::Theme& t = ctx.theme;
    const Place& pl = place(i);
    const bool active = active_ == i;
    const Rect bg = r.inset(0, 1);
    if (drop_target_ == i) {
        painter.fill_rounded_rect(bg, t.radius_m, t.selection_focused);
        painter.stroke_rounded_rect(bg.inset(0.75f), t.radius_m - 0.75f, 1.5f, t.accent_a);
    } else if (active) {
        painter.fill_rounded_rect(bg, t.radius_m, focused_ ? t.selection_focused : t.selection);
    } else if (hover_ == i) {
        painter.fill_rounded_rect(bg, t.radius_m, t.surface_hover);
    }
    if (focused_ && cursor_ == i) vesk_ui::chrome::draw_cursor_outline(painter, bg, t, t.radius_m);

    const float icon = kIconSize * s_;
    const Rect icon_box = Rect::from_xywh(r.left + kIconLeft * s_, r.top + (r.height() - icon) / 2, icon, icon);
    const vesk_ui::Color tint = active ? t.accent_a_hover : t.text_secondary;
    vesk_ui::draw_icon(painter, pl.icon, icon_box, tint, ctx.scale);

    const vesk_ui::FontSpec font{13.0f * s_, active ? vesk_ui::FontWeight::Medium : vesk_ui::FontWeight::Regular};
    const Rect text{r.left + kLabelLeft * s_, r.top, r.right - 8, r.bottom};
    const auto& tr = vesk_ui::text_renderer();
    tr.draw_text(painter, text, tr.elide(pl.label, font, text.width()), font, active ? t.text_primary : t.text_secondary);
}

void PlacesSidebar::draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) {
    const vesk_ui::Theme& t = ctx.theme;
    if (!bounds_.valid()) return;
    painter.fill_rect(bounds_, t.sidebar_bg);
    vesk_ui::chrome::draw_hairline(painter, {bounds_.right - 0.5f, bounds_.top}, {bounds_.right - 0.5f, bounds_.bottom},
                                   t.divider, ctx.scale);
    painter.push_clip(bounds_);
    const SidebarGeometry g = geometry();
    const ReorderState& drag = *reorder_;
    if (!favourites_.empty()) draw_header(painter, ctx, "files-place-favourites", g.favourites_top());
    for (std::size_t i = 0; i < favourites_.size(); ++i) {
        if (!drag.dragging || !drag.pressed) {
            draw_row(painter, ctx, i, g.row(i));
        } else if (auto slot = reorder_slot(i, *drag.pressed, drag.target)) {
            draw_row(painter, ctx, i, g.row(*slot));
        }
    }
    draw_header(painter, ctx, "files-place-system", g.system_top());
    for (std::size_t i = favourites_.size(); i < size(); ++i) draw_row(painter, ctx, i, g.row(i));

    // The dragged favourite follows the pointer, held where it was grabbed.
    if (drag.dragging && drag.pressed && *drag.pressed < favourites_.size()) {
        const Rect rest = g.row(*drag.pressed);
        const Rect lifted = rest.translated(0, drag.pointer.y - drag.grab_offset - rest.top);
        vesk_ui::chrome::draw_drag_card(painter, lifted.inset(0, 1), t);
        draw_row(painter, ctx, *drag.pressed, lifted);
    }
    painter.pop_clip();
}

std::string PlacesSidebar::node_id(std::size_t i) const { return command::place_resource_id(place(i).path); }

std::optional<vesk_ui::AccessNode> PlacesSidebar::accessibility() const {
    vesk_ui::AccessNode list;
    list.role = vesk_ui::Role::List;
    list.label = i18n::tr("files-a11y-places");
    list.rect = bounds_;
    list.flags = vesk_ui::access_flags::focusable | (focused_ ? vesk_ui::access_flags::focused : 0);
    const SidebarGeometry g = geometry();
    const std::string favourite = i18n::tr("files-a11y-favourite");
    const std::string system = i18n::tr("files-a11y-system-location");
    for (std::size_t i = 0; i < size(); ++i) {
        vesk_ui::AccessNode node;
        node.role = vesk_ui::Role::ListItem;
        node.label = place(i).label;
        node.description = i18n::tr_args("files-a11y-place-description",
                                         i18n::Args()
                                             .text("section", is_favourite(i) ? favourite : system)
                                             .text("path", fileops::lossy_utf8(place(i).path)));
        node.id = node_id(i);
        node.rect = g.row(i);
        node.flags = vesk_ui::access_flags::focusable | vesk_ui::access_flags::selectable;
        if (active_ == i) node.flags |= vesk_ui::access_flags::selected;
        if (focused_ && cursor_ == i) node.flags |= vesk_ui::access_flags::focused;
        list.children.push_back(std::move(node));
    }
    return list;
}

bool PlacesSidebar::perform_semantic_action(std::string_view id, vesk_ui::SemanticAction action) {
    if (!id.starts_with("files.place:")) return false;
    for (std::size_t i = 0; i < size(); ++i) {
        if (node_id(i) != id) continue;
        if (vesk_ui::is_activating(action)) {
            cursor_ = i;
            open(i);
            return true;
        }
        if (action == vesk_ui::SemanticAction::ShowMenu && is_favourite(i)) {
            cursor_ = i;
            ask_menu(i);
            return true;
        }
        if (action == vesk_ui::SemanticAction::Focus) {
            cursor_ = i;
            return true;
        }
        return false;
    }
    return false;
}

}  // namespace file_explorer::views
