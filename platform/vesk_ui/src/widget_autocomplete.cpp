#include <algorithm>
#include <utility>

#include "vesk_ui/chrome.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/autocomplete.h"

namespace vesk_ui::widgets {

namespace {
constexpr float popup_gap = 4;
constexpr float popup_pad = 4;
constexpr float icon_size = 16;

const std::vector<Suggestion>& no_suggestions() {
    static const std::vector<Suggestion> none;
    return none;
}
}  // namespace

Autocomplete::Autocomplete(std::string id, std::string placeholder) : input_(std::move(id), 0, std::move(placeholder)) {}

void Autocomplete::begin(std::string text) {
    input_.set_text(std::move(text));
    input_.select_all();
    input_.set_focus(true);
    input_.take_dirty();
    dismissed_ = true;
    highlight_.reset();
    hover_.reset();
    first_row_ = 0;
    dirty_ = false;
    submitted_.reset();
    cancelled_ = false;
}

void Autocomplete::end() {
    input_.set_focus(false);
    dismissed_ = true;
    highlight_.reset();
    hover_.reset();
}

bool Autocomplete::take_dirty() { return std::exchange(dirty_, false); }
std::optional<std::string> Autocomplete::take_submitted() { return std::exchange(submitted_, std::nullopt); }
bool Autocomplete::take_cancelled() { return std::exchange(cancelled_, false); }

const std::vector<Suggestion>& Autocomplete::suggestions() const {
    return source_ ? source_->suggestions() : no_suggestions();
}

bool Autocomplete::busy() const { return input_.focused() && source_ && source_->pending(); }

bool Autocomplete::pump(Clock::time_point deadline) {
    if (!busy()) return false;
    if (!source_->advance(deadline)) return false;
    const std::size_t n = suggestions().size();
    if (highlight_ && *highlight_ >= n) highlight_.reset();
    if (first_row_ >= n) first_row_ = 0;
    return !dismissed_;
}

bool Autocomplete::popup_open() const { return input_.focused() && !dismissed_ && !suggestions().empty(); }

Rect Autocomplete::popup_rect() const {
    if (!popup_open()) return {};
    const std::size_t rows = std::min(suggestions().size(), max_visible_rows);
    const float width = std::max(bounds_.width(), popup_min_width);
    const float top = bounds_.bottom + popup_gap;
    return Rect{bounds_.left, top, bounds_.left + width, top + 2 * popup_pad + float(rows) * row_height};
}

void Autocomplete::text_changed() {
    dirty_ = true;
    dismissed_ = false;
    highlight_.reset();
    hover_.reset();
    first_row_ = 0;
    if (source_) source_->request(input_.text());
}

bool Autocomplete::accept(std::size_t i) {
    const auto& all = suggestions();
    if (i >= all.size()) return false;
    std::string replacement = all[i].replacement;  // the request below replaces the list
    input_.set_text(std::move(replacement));
    text_changed();
    return true;
}

void Autocomplete::keep_highlight_visible() {
    if (!highlight_) return;
    if (*highlight_ < first_row_) first_row_ = *highlight_;
    if (*highlight_ >= first_row_ + max_visible_rows) first_row_ = *highlight_ + 1 - max_visible_rows;
}

void Autocomplete::move_highlight(int delta) {
    const std::size_t n = suggestions().size();
    if (n == 0) return;
    if (!highlight_) {
        if (delta > 0) highlight_ = 0;
    } else if (delta < 0 && std::size_t(-delta) > *highlight_) {
        // Above the first row the highlight goes back to the text.
        highlight_ = *highlight_ == 0 ? std::nullopt : std::optional<std::size_t>(0);
    } else {
        highlight_ = std::min(n - 1, std::size_t(std::ptrdiff_t(*highlight_) + delta));
    }
    keep_highlight_visible();
}

std::optional<std::size_t> Autocomplete::row_at(Point p) const {
    const Rect popup = popup_rect();
    if (!popup.contains(p)) return std::nullopt;
    const float y = p.y - popup.top - popup_pad;
    if (y < 0) return std::nullopt;
    const std::size_t row = first_row_ + std::size_t(y / row_height);
    if (row >= suggestions().size() || row >= first_row_ + max_visible_rows) return std::nullopt;
    return row;
}

bool Autocomplete::handle_key(const KeyEvent& k, const Event& event, EventContext& ctx) {
    const bool plain = (k.modifiers & ~mods::shift) == 0;
    const bool has = !suggestions().empty();
    auto used = [&] {
        ctx.redraw = ctx.handled = true;
        return true;
    };
    if (plain && k.named("ArrowDown") && has) {
        if (dismissed_) {
            dismissed_ = false;
            highlight_ = 0;
            keep_highlight_visible();
        } else {
            move_highlight(1);
        }
        return used();
    }
    if (plain && k.named("ArrowUp") && popup_open()) {
        move_highlight(-1);
        return used();
    }
    if (plain && k.named("PageDown") && popup_open()) {
        move_highlight(int(max_visible_rows));
        return used();
    }
    if (plain && k.named("PageUp") && popup_open()) {
        move_highlight(-int(max_visible_rows));
        return used();
    }
    if (k.named("Tab") && k.modifiers == 0 && popup_open()) {
        accept(highlight_.value_or(0));
        return used();
    }
    if ((k.named("Enter") || k.named("NumpadEnter")) && k.modifiers == 0) {
        if (popup_open() && highlight_) {
            accept(*highlight_);
        } else {
            submitted_ = input_.text();
            dismissed_ = true;
        }
        return used();
    }
    if (k.named("Escape") && k.modifiers == 0) {
        if (popup_open()) {
            dismissed_ = true;
            highlight_.reset();
        } else {
            cancelled_ = true;
        }
        return used();
    }
    const bool consumed = input_.handle_event(event, ctx);
    if (input_.take_dirty()) text_changed();
    return consumed;
}

bool Autocomplete::handle_pointer(const PointerEvent& p, const Event& event, EventContext& ctx) {
    const Point at = p.logical();
    const bool open = popup_open();
    if (p.kind == PointerKind::Move || p.kind == PointerKind::Leave) {
        auto hover = open && p.kind == PointerKind::Move ? row_at(at) : std::nullopt;
        if (hover != hover_) {
            hover_ = hover;
            ctx.redraw = true;
        }
        bool used = input_.handle_event(event, ctx);
        return used || (open && popup_rect().contains(at));
    }
    if (open && popup_rect().contains(at)) {
        if (p.kind == PointerKind::Down && p.button == PointerButton::Primary)
            if (auto row = row_at(at)) accept(*row);
        ctx.redraw = ctx.handled = true;
        return true;
    }
    if (p.kind == PointerKind::Down && p.button == PointerButton::Primary && !bounds_.contains(at)) {
        // A press elsewhere ends the edit; the press itself goes on.
        if (input_.focused()) {
            cancelled_ = true;
            end();
            ctx.redraw = true;
        }
        return false;
    }
    return input_.handle_event(event, ctx);
}

bool Autocomplete::handle_event(const Event& event, EventContext& ctx) {
    if (const auto* p = event.pointer()) return handle_pointer(*p, event, ctx);
    if (const auto* w = event.wheel()) {
        if (!popup_open() || !popup_rect().contains(w->logical())) return false;
        const std::size_t n = suggestions().size();
        const std::size_t last_first = n > max_visible_rows ? n - max_visible_rows : 0;
        if (w->dy < 0) first_row_ = std::min(last_first, first_row_ + 3);
        else if (w->dy > 0) first_row_ = first_row_ > 3 ? first_row_ - 3 : 0;
        ctx.redraw = ctx.handled = true;
        return true;
    }
    if (!input_.focused() || event.no_reprocess) return false;
    if (const auto* k = event.key()) {
        if (!k->pressed) return false;
        return handle_key(*k, event, ctx);
    }
    const bool used = input_.handle_event(event, ctx);
    if (input_.take_dirty()) text_changed();
    return used;
}

void Autocomplete::set_focus(bool focused) {
    input_.set_focus(focused);
    if (!focused) dismissed_ = true;
}

Size Autocomplete::measure(Size available) { return input_.measure(available); }

void Autocomplete::apply_layout(const Rect& bounds) {
    bounds_ = bounds;
    input_.apply_layout(bounds);
}

void Autocomplete::draw(Painter& painter, const DrawContext& ctx) {
    input_.draw(painter, ctx);
    if (popup_open()) draw_popup(painter, ctx);
}

void Autocomplete::draw_popup(Painter& painter, const DrawContext& ctx) {
    const Theme& t = ctx.theme;
    const Rect popup = popup_rect();
    chrome::draw_menu_surface(painter, popup, t);
    const auto& all = suggestions();
    const auto& r = text_renderer();
    painter.push_clip(popup);
    float y = popup.top + popup_pad;
    for (std::size_t i = first_row_; i < all.size() && i < first_row_ + max_visible_rows; ++i, y += row_height) {
        const Rect row{popup.left + popup_pad, y, popup.right - popup_pad, y + row_height};
        if (highlight_ == i) painter.fill_rounded_rect(row, t.radius_s, t.selection_focused);
        else if (hover_ == i) painter.fill_rounded_rect(row, t.radius_s, t.surface_hover);
        float x = row.left + 8;
        if (all[i].icon) {
            Rect box = Rect::from_xywh(x, row.top + (row_height - icon_size) / 2, icon_size, icon_size);
            if (icons::is_line_icon(*all[i].icon)) draw_icon(painter, *all[i].icon, box, t.text_secondary, ctx.scale);
            else draw_icon(painter, *all[i].icon, box, t, ctx.scale);
            x += icon_size + 8;
        }
        Rect text_box{x, row.top, row.right - 8, row.bottom};
        r.draw_text(painter, text_box, r.elide(all[i].label, t.body, text_box.width()), t.body, t.text_primary);
    }
    painter.pop_clip();
}

std::optional<AccessNode> Autocomplete::accessibility() const {
    auto node = input_.accessibility();
    if (!node) return node;
    if (!popup_open()) return node;
    node->flags |= access_flags::expanded;
    AccessNode list;
    list.role = Role::List;
    list.rect = popup_rect();
    const auto& all = suggestions();
    for (std::size_t i = 0; i < all.size(); ++i) {
        AccessNode item;
        item.role = Role::ListItem;
        item.label = all[i].label;
        item.value = all[i].replacement;
        item.flags = access_flags::selectable | (highlight_ == i ? access_flags::selected : 0);
        if (i >= first_row_ && i < first_row_ + max_visible_rows) {
            const float top = list.rect.top + popup_pad + float(i - first_row_) * row_height;
            item.rect = Rect{list.rect.left, top, list.rect.right, top + row_height};
        }
        list.children.push_back(std::move(item));
    }
    node->children.push_back(std::move(list));
    return node;
}

}  // namespace vesk_ui::widgets
