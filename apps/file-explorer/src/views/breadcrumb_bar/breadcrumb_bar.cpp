#include "views/breadcrumb_bar/breadcrumb_bar.h"

#include <cmath>

#include "fileops/text.h"
#include "i18n/i18n.h"
#include "vesk_ui/chrome.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"

namespace file_explorer::views {

namespace {

using vesk_ui::Rect;

constexpr std::string_view kSeparator = "›";
constexpr std::string_view kEllipsis = "…";
constexpr std::string_view kNodePrefix = "files.crumb:";

vesk_ui::FontSpec crumb_font(bool current) {
    return {BreadcrumbBar::text_size, current ? vesk_ui::FontWeight::Semibold : vesk_ui::FontWeight::Regular};
}

}  // namespace

BreadcrumbBar::BreadcrumbBar(command::CommandChannelRef commands) : commands_(std::move(commands)) {}

void BreadcrumbBar::set_crumbs(std::vector<Crumb> crumbs) {
    if (crumbs == crumbs_) return;
    crumbs_ = std::move(crumbs);
    hovered_.reset();
    focus_crumb_.reset();
    slots_.clear();
    apply_layout(bounds_);
}

vesk_ui::Size BreadcrumbBar::measure(vesk_ui::Size available) { return {available.width, 32}; }

void BreadcrumbBar::apply_layout(const Rect& bounds) {
    bounds_ = bounds;
    const auto& r = vesk_ui::text_renderer();
    std::vector<float> widths;
    widths.reserve(crumbs_.size());
    for (std::size_t i = 0; i < crumbs_.size(); ++i)
        widths.push_back(std::ceil(r.measure(crumbs_[i].label, crumb_font(i + 1 == crumbs_.size())).width));
    CrumbMetrics m;
    m.separator = 2 * separator_space + r.measure(kSeparator, crumb_font(false)).width;
    m.ellipsis = r.measure(kEllipsis, crumb_font(false)).width;
    slots_ = layout_crumbs(widths, m, std::max(0.0f, bounds.width() - 2 * pad_x));
    if (hovered_ && !shown(*hovered_)) hovered_.reset();
}

bool BreadcrumbBar::shown(std::size_t crumb) const {
    for (const auto& s : slots_)
        if (s.crumb == crumb) return true;
    return false;
}

std::optional<Rect> BreadcrumbBar::crumb_rect(std::size_t i) const {
    for (const auto& s : slots_)
        if (s.crumb == i) return Rect{text_left() + s.left, bounds_.top, text_left() + s.left + s.width, bounds_.bottom};
    return std::nullopt;
}

std::optional<Rect> BreadcrumbBar::parent_target_rect() const {
    if (slots_.size() < 2) return std::nullopt;
    const CrumbSlot& s = slots_[slots_.size() - 2];
    return Rect{text_left() + s.left - separator_space, bounds_.top, text_left() + s.left + s.width + separator_space,
                bounds_.bottom};
}

std::optional<std::size_t> BreadcrumbBar::crumb_at(vesk_ui::Point p) const {
    if (p.y < bounds_.top || p.y >= bounds_.bottom) return std::nullopt;
    for (const auto& s : slots_) {
        if (!s.crumb) continue;
        const float left = text_left() + s.left - hover_slack;
        if (p.x >= left && p.x < left + s.width + 2 * hover_slack) return s.crumb;
    }
    return std::nullopt;
}

void BreadcrumbBar::activate(std::size_t crumb) {
    if (crumb >= crumbs_.size()) return;
    if (commands_) commands_->push(command::Command::with_path(command::Kind::NavigateToPath, crumbs_[crumb].target));
}

void BreadcrumbBar::move_focus(int delta) {
    if (crumbs_.empty()) return;
    std::size_t i = focus_crumb_.value_or(crumbs_.size() - 1);
    // Collapsed crumbs are skipped: they are neither drawn nor described.
    while (true) {
        if (delta < 0 && i == 0) break;
        if (delta > 0 && i + 1 >= crumbs_.size()) break;
        i = delta < 0 ? i - 1 : i + 1;
        if (shown(i)) {
            focus_crumb_ = i;
            return;
        }
    }
    if (!focus_crumb_) focus_crumb_ = crumbs_.size() - 1;
}

bool BreadcrumbBar::handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) {
    if (const auto* p = event.pointer()) {
        const auto at = p->logical();
        switch (p->kind) {
            case vesk_ui::PointerKind::Move:
            case vesk_ui::PointerKind::Leave: {
                auto hover = p->kind == vesk_ui::PointerKind::Move ? crumb_at(at) : std::nullopt;
                if (hover != hovered_) {
                    hovered_ = hover;
                    ctx.redraw = true;
                }
                return false;
            }
            case vesk_ui::PointerKind::Down: {
                if (p->button != vesk_ui::Button::Primary || !bounds_.contains(at)) return false;
                if (auto crumb = crumb_at(at)) activate(*crumb);
                else edit_request_ = true;
                ctx.redraw = ctx.handled = true;
                return true;
            }
            case vesk_ui::PointerKind::Up: return false;
        }
    }
    const auto* k = event.key();
    if (!k || !focused_ || !k->pressed || k->repeat || k->modifiers != 0 || event.no_reprocess || crumbs_.empty())
        return false;
    const std::size_t last = crumbs_.size() - 1;
    if (k->named("ArrowLeft")) move_focus(-1);
    else if (k->named("ArrowRight")) move_focus(1);
    else if (k->named("Home")) focus_crumb_ = 0;
    else if (k->named("End")) focus_crumb_ = last;
    else if (k->named("Enter") || k->named("NumpadEnter")) {
        const std::size_t i = focus_crumb_.value_or(last);
        if (i == last) edit_request_ = true;
        else activate(i);
    } else {
        return false;
    }
    ctx.redraw = ctx.handled = true;
    return true;
}

void BreadcrumbBar::draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) {
    const vesk_ui::Theme& t = ctx.theme;
    if (!bounds_.valid() || crumbs_.empty()) return;
    const auto& r = vesk_ui::text_renderer();
    const float chip_inset = 5;
    auto chip = [&](const CrumbSlot& s) {
        return Rect{text_left() + s.left - separator_space, bounds_.top + chip_inset,
                    text_left() + s.left + s.width + separator_space, bounds_.bottom - chip_inset};
    };
    painter.push_clip(bounds_);
    if (drop_highlight_)
        if (auto target = parent_target_rect()) {
            Rect box{target->left, bounds_.top + chip_inset, target->right, bounds_.bottom - chip_inset};
            painter.fill_rounded_rect(box, t.radius_s, t.selection_focused);
            painter.stroke_rounded_rect(box.inset(0.5f), t.radius_s, 1, t.accent_a);
        }
    for (std::size_t k = 0; k < slots_.size(); ++k) {
        const CrumbSlot& s = slots_[k];
        const float x = text_left() + s.left;
        if (k > 0) {
            const float sep_x = x - separator_space - r.measure(kSeparator, crumb_font(false)).width;
            Rect box{sep_x, bounds_.top, x, bounds_.bottom};
            r.draw_text(painter, box, kSeparator, crumb_font(false), t.text_tertiary);
        }
        Rect box{x, bounds_.top, x + s.width + 1, bounds_.bottom};
        if (!s.crumb) {
            r.draw_text(painter, box, kEllipsis, crumb_font(false), t.text_tertiary);
            continue;
        }
        const bool current = *s.crumb + 1 == crumbs_.size();
        if (hovered_ == s.crumb) painter.fill_rounded_rect(chip(s), t.radius_s, t.surface_hover);
        if (focused_ && focus_crumb_ == s.crumb) vesk_ui::chrome::draw_cursor_outline(painter, chip(s), t, t.radius_s);
        const vesk_ui::Color color = current || hovered_ == s.crumb ? t.text_primary : t.text_secondary;
        // The current folder may be wider than the bar: cut it there.
        const float room = bounds_.right - pad_x - x;
        const std::string& label = crumbs_[*s.crumb].label;
        r.draw_text(painter, box, s.width > room ? r.elide(label, crumb_font(current), room) : label,
                    crumb_font(current), color);
    }
    painter.pop_clip();
}

std::optional<vesk_ui::AccessNode> BreadcrumbBar::accessibility() const {
    vesk_ui::AccessNode list;
    list.role = vesk_ui::Role::List;
    list.label = i18n::tr("files-a11y-breadcrumbs");
    list.rect = bounds_;
    list.flags = vesk_ui::access_flags::focusable | (focused_ ? vesk_ui::access_flags::focused : 0);
    for (const auto& s : slots_) {
        if (!s.crumb) continue;
        const std::size_t i = *s.crumb;
        const bool current = i + 1 == crumbs_.size();
        const std::string path = fileops::lossy_utf8(crumbs_[i].target);
        vesk_ui::AccessNode node;
        node.role = vesk_ui::Role::ListItem;
        node.label = i18n::tr_args(current ? "files-a11y-current-breadcrumb" : "files-a11y-open-folder",
                                   i18n::Args().text("path", path));
        node.id = std::string(kNodePrefix) + std::to_string(i);
        node.rect = *crumb_rect(i);
        node.flags = vesk_ui::access_flags::focusable;
        if (focused_ && focus_crumb_ == i) node.flags |= vesk_ui::access_flags::focused;
        if (current) node.flags |= vesk_ui::access_flags::selected;
        list.children.push_back(std::move(node));
    }
    return list;
}

bool BreadcrumbBar::perform_semantic_action(std::string_view node_id, vesk_ui::SemanticAction action) {
    if (!node_id.starts_with(kNodePrefix) || !vesk_ui::is_activating(action)) return false;
    const std::string_view digits = node_id.substr(kNodePrefix.size());
    if (digits.empty() || digits.size() > 9) return false;
    std::size_t i = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        i = i * 10 + std::size_t(c - '0');
    }
    if (i >= crumbs_.size() || !shown(i)) return false;
    if (i + 1 == crumbs_.size()) edit_request_ = true;
    else activate(i);
    return true;
}

}  // namespace file_explorer::views
