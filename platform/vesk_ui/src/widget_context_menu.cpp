#include <algorithm>
#include <cmath>

#include "vesk_ui/chrome.h"
#include "vesk_ui/icons.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/utf8.h"
#include "vesk_ui/widgets/context_menu.h"

namespace vesk_ui::widgets {

namespace {

constexpr float row_inset = 6;     // highlight inset from the surface's sides
constexpr float text_pad = 10;     // from the highlight's edge to the text
constexpr float check_column = 22; // reserved left of the labels when any item checks
constexpr float check_side = 14;
constexpr float hint_gap = 32;     // least space between a label and its hint
constexpr float chevron_side = 12;
constexpr float chevron_gap = 16;

bool has_primary_or_alt(std::uint32_t modifiers) { return (modifiers & (mods::primary | mods::alt)) != 0; }

char32_t fold(char32_t c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

}  // namespace

std::size_t ContextMenu::push(MenuItem item) {
    items_.push_back(std::move(item));
    return items_.size() - 1;
}

void ContextMenu::clear() {
    items_.clear();
    rows_.clear();
    highlight_.reset();
    chosen_.reset();
}

void ContextMenu::open_at(float x, float y, std::optional<float> flip_right) {
    origin_ = {x, y};
    flip_right_ = flip_right;
    open_ = true;
    highlight_.reset();
    chosen_.reset();
}

void ContextMenu::close() {
    open_ = false;
    highlight_.reset();
}

void ContextMenu::set_highlight(std::optional<std::size_t> index) {
    highlight_ = index && selectable(*index) ? index : std::nullopt;
}

// A separator at either end, or right after another, has nothing to set
// apart: it takes no room.
bool ContextMenu::collapsed(std::size_t i) const {
    if (!items_[i].separator()) return false;
    if (i > 0 && items_[i - 1].separator()) return true;
    auto is_item = [](const MenuItem& m) { return !m.separator(); };
    const bool before = std::any_of(items_.begin(), items_.begin() + std::ptrdiff_t(i), is_item);
    const bool after = std::any_of(items_.begin() + std::ptrdiff_t(i) + 1, items_.end(), is_item);
    return !before || !after;
}

bool ContextMenu::has_checks() const {
    return std::any_of(items_.begin(), items_.end(), [](const MenuItem& i) { return i.checked.has_value(); });
}

Size ContextMenu::measure(Size available) {
    const Theme& theme = Theme::dark();
    const TextRenderer& text = text_renderer();
    float content = 0;
    float height = 2 * padding;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const MenuItem& item = items_[i];
        if (item.separator()) {
            if (!collapsed(i)) height += separator_height;
            continue;
        }
        height += row_height;
        float w = std::ceil(text.measure(item.label, theme.body).width);
        if (!item.hint.empty()) w += hint_gap + std::ceil(text.measure(item.hint, theme.caption).width);
        if (item.submenu) w += chevron_gap + chevron_side;
        content = std::max(content, w);
    }
    float width = content + 2 * (row_inset + text_pad) + (has_checks() ? check_column : 0);
    width = std::max(width, min_width);
    if (available.width > 0) width = std::min(width, std::max(available.width, min_width));
    return {std::ceil(width), height};
}

void ContextMenu::apply_layout(const Rect& box) {
    const Size size = measure(box.size());
    float x = origin_.x;
    float y = origin_.y;
    if (viewport_) {
        const Rect& vp = *viewport_;
        if (x + size.width > vp.right) x = flip_right_.value_or(origin_.x) - size.width;
        x = std::clamp(x, vp.left, std::max(vp.left, vp.right - size.width));
        if (y + size.height > vp.bottom) y = origin_.y - size.height;
        y = std::clamp(y, vp.top, std::max(vp.top, vp.bottom - size.height));
    }
    bounds_ = Rect::from_xywh(x, y, size.width, size.height);
    rows_.clear();
    float top = y + padding;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const float h = !items_[i].separator() ? row_height : collapsed(i) ? 0 : separator_height;
        rows_.push_back(Rect{bounds_.left, top, bounds_.right, top + h});
        top += h;
    }
}

std::optional<std::size_t> ContextMenu::item_at(Point p) const {
    if (!open_ || !bounds_.contains(p)) return std::nullopt;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].contains(p)) return i;
    return std::nullopt;
}

std::optional<std::size_t> ContextMenu::take_chosen() {
    auto chosen = chosen_;
    chosen_.reset();
    return chosen;
}

bool ContextMenu::choose(std::size_t index) {
    if (!selectable(index)) return false;
    chosen_ = index;
    if (items_[index].submenu)
        highlight_ = index;
    else
        close();
    return true;
}

std::optional<std::size_t> ContextMenu::step(std::optional<std::size_t> from, int direction) const {
    const std::size_t n = items_.size();
    if (n == 0) return std::nullopt;
    std::size_t i = from ? *from : (direction > 0 ? n - 1 : 0);
    for (std::size_t tries = 0; tries < n; ++tries) {
        i = direction > 0 ? (i + 1) % n : (i + n - 1) % n;
        if (selectable(i)) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> ContextMenu::typeahead(std::string_view text) const {
    std::size_t len = 0;
    const char32_t wanted = fold(utf8::decode(text, 0, &len));
    const std::size_t n = items_.size();
    const std::size_t start = highlight_ ? *highlight_ + 1 : 0;
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = (start + k) % n;
        if (!selectable(i)) continue;
        std::size_t first_len = 0;
        if (fold(utf8::decode(items_[i].label, 0, &first_len)) == wanted) return i;
    }
    return std::nullopt;
}

bool ContextMenu::handle_event(const Event& event, EventContext& ctx) {
    if (!open_) return false;
    if (const auto* key = event.key()) {
        if (!key->pressed) return false;
        std::optional<std::size_t> next = highlight_;
        bool used = true;
        if (key->named("ArrowDown")) next = step(highlight_, +1);
        else if (key->named("ArrowUp")) next = step(highlight_, -1);
        else if (key->named("Home")) next = step(std::nullopt, +1);
        else if (key->named("End")) next = step(std::nullopt, -1);
        else if (key->named("Escape") || (is_submenu_ && key->named("ArrowLeft"))) close();
        else if (key->named("Enter") || key->named("NumpadEnter") || key->text == " " ||
                 (key->named("ArrowRight") && highlight_ && items_[*highlight_].submenu)) {
            if (highlight_) choose(*highlight_);
        } else if (key->named("Tab")) {
            next = step(highlight_, key->has(mods::shift) ? -1 : +1);
        } else if (key->key.empty() && !key->text.empty() && !has_primary_or_alt(key->modifiers)) {
            if (auto hit = typeahead(key->text)) next = hit;
        } else {
            used = false;
        }
        if (open_) highlight_ = next;
        if (used) ctx.redraw = ctx.handled = true;
        return used;
    }
    if (const auto* p = event.pointer()) {
        const Point pos = p->logical();
        const auto hit = item_at(pos);
        if (p->kind == PointerKind::Move || p->kind == PointerKind::Leave) {
            std::optional<std::size_t> hover = p->kind == PointerKind::Move && hit && selectable(*hit) ? hit : std::nullopt;
            // Leaving a submenu item keeps it lit while its submenu is shown.
            if (!hover && highlight_ && items_[*highlight_].submenu) hover = highlight_;
            if (hover != highlight_) {
                highlight_ = hover;
                ctx.redraw = true;
            }
            return false;
        }
        if (p->kind != PointerKind::Down) return false;
        if (!bounds_.contains(pos)) {
            close();
            ctx.redraw = true;
            return false;
        }
        if (p->button == Button::Primary && hit) choose(*hit);
        ctx.redraw = ctx.handled = true;
        return true;
    }
    return false;
}

void ContextMenu::draw(Painter& painter, const DrawContext& ctx) {
    if (!open_ || rows_.size() != items_.size()) return;
    const Theme& t = ctx.theme;
    const TextRenderer& text = text_renderer();
    chrome::draw_menu_surface(painter, bounds_, t);
    const float label_left = bounds_.left + row_inset + text_pad + (has_checks() ? check_column : 0);
    const float right = bounds_.right - row_inset - text_pad;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const MenuItem& item = items_[i];
        const Rect& row = rows_[i];
        if (item.separator()) {
            if (row.height() <= 0) continue;
            const float y = row.top + separator_height / 2;
            chrome::draw_hairline(painter, {row.left + row_inset + 4, y}, {row.right - row_inset - 4, y}, t.border,
                                  ctx.scale);
            continue;
        }
        const bool lit = highlight_ == i && item.enabled;
        if (lit) painter.fill_rounded_rect(row.inset(row_inset, 1), t.radius_m, t.selection_focused);
        const Color fg = !item.enabled ? t.text_disabled : t.text_primary;
        if (item.checked.value_or(false)) {
            const float cy = row.top + (row_height - check_side) / 2;
            draw_icon(painter, Icon::Check,
                      Rect::from_xywh(bounds_.left + row_inset + text_pad - 2, cy, check_side, check_side),
                      item.enabled ? t.accent_a : t.text_disabled, ctx.scale);
        }
        float label_right = right;
        if (item.submenu) {
            const float cy = row.top + (row_height - chevron_side) / 2;
            draw_icon(painter, Icon::ChevronRight, Rect::from_xywh(right - chevron_side + 2, cy, chevron_side, chevron_side),
                      lit ? t.text_primary : t.text_secondary, ctx.scale);
            label_right -= chevron_side + chevron_gap / 2;
        }
        if (!item.hint.empty()) {
            const float hint_width = std::ceil(text.measure(item.hint, t.caption).width);
            text.draw_text(painter, Rect{label_right - hint_width, row.top, label_right, row.bottom}, item.hint,
                           t.caption, item.enabled ? t.text_tertiary : t.text_disabled, Align::End);
            label_right -= hint_width + hint_gap / 2;
        }
        const Rect label_box{label_left, row.top, std::max(label_left, label_right), row.bottom};
        text.draw_text(painter, label_box, text.elide(item.label, t.body, label_box.width()), t.body, fg);
    }
}

std::optional<AccessNode> ContextMenu::accessibility() const {
    if (!open_) return std::nullopt;
    AccessNode menu;
    menu.role = Role::Menu;
    menu.rect = bounds_;
    for (std::size_t i = 0; i < items_.size() && i < rows_.size(); ++i) {
        const MenuItem& item = items_[i];
        if (item.separator()) continue;
        AccessNode node;
        node.role = Role::MenuItem;
        node.label = item.label;
        node.description = item.hint;
        node.rect = rows_[i];
        node.flags = access_flags::focusable;
        if (!item.enabled) node.flags |= access_flags::disabled;
        if (item.checked.value_or(false)) node.flags |= access_flags::checked;
        if (highlight_ == i) node.flags |= access_flags::focused;
        if (item.submenu) node.value = "submenu";
        menu.children.push_back(std::move(node));
    }
    return menu;
}

}  // namespace vesk_ui::widgets
