#include "vesk_ui/demo.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "vesk_ui/icons.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/selection.h"
#include "vesk_ui/text.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/status_bubble.h"

namespace vesk_ui::demo {

namespace {

constexpr float kRowHeight = 32;
constexpr float kHeaderHeight = 96;
constexpr float kPad = 16;
constexpr float kWheelLine = 48;
constexpr const char* kTitle = "Files toolkit demo";
constexpr const char* kButtonId = "demo-select-all";

std::string row_name(std::size_t i) {
    static const char* const kinds[] = {"/", ".txt", ".png", ".pdf", ".mp3", ".zip", ".cpp", ".ods", ".mp4", ".epub"};
    const char* kind = kinds[i % std::size(kinds)];
    if (kind[0] == '/') return fmt::format("Folder {:03}", i + 1);
    return fmt::format("Item {:03}{}", i + 1, kind);
}

bool is_folder(std::size_t i) { return i % 10 == 0; }

class DemoRoot final : public Widget {
public:
    Size measure(Size available) override { return available; }

    void apply_layout(const Rect& bounds) override {
        bounds_ = bounds;
        button_ = Rect::from_xywh(bounds.right - kPad - 112, bounds.top + 18, 112, 30);
        list_ = Rect{bounds.left + kPad, bounds.top + kHeaderHeight, bounds.right - kPad, bounds.bottom - kPad};
        clamp_offset();
    }

    void draw(Painter& p, const DrawContext& ctx) override {
        const Theme& t = ctx.theme;
        const TextRenderer& tr = text_renderer();
        p.fill_rect(bounds_, t.window_bg);
        tr.draw_text(p, Rect::from_xywh(bounds_.left + 24, bounds_.top + 14, 400, 32), kTitle, t.heading,
                     t.text_primary);
        tr.draw_text(p, Rect::from_xywh(bounds_.left + 24, bounds_.top + 50, bounds_.width() - 200, 24),
                     "Click, Shift+click and Ctrl+click select; arrows, Home, End and Page keys move.", t.body,
                     t.text_secondary);
        draw_button(p, t);
        draw_list(p, ctx);
        draw_status(p, ctx);
    }

    bool handle_event(const Event& e, EventContext& ctx) override {
        bool used = false;
        if (auto* pe = e.pointer()) used = pointer(*pe);
        if (auto* we = e.wheel()) used = wheel(*we);
        if (auto* ke = e.key(); ke && ke->pressed && !e.no_reprocess) used = key(*ke);
        if (used) {
            dirty_ = true;
            ctx.redraw = true;
            ctx.handled = true;
        }
        return used;
    }

    void set_interaction_environment(const InteractionEnvironment& env) override { scale_ = env.scale; }
    void update(Clock::time_point now) override { now_ = now; }
    bool take_structure_dirty() override { return std::exchange(structure_dirty_, false); }
    bool needs_redraw() const override { return dirty_; }
    void mark_drawn() override { dirty_ = false; }
    bool needs_animation_frame() const override { return bubble_.needs_frame(Clock::now()); }
    std::optional<Clock::time_point> next_wake_deadline() const override {
        return bubble_.next_deadline(Clock::now());
    }

    std::string automation_snapshot() const override {
        nlohmann::ordered_json j;
        j["app"] = "vesk_ui demo";
        j["rows"] = row_count;
        j["selected_indices"] = selection_.selected();
        if (auto p = selection_.primary())
            j["primary_index"] = *p;
        else
            j["primary_index"] = nullptr;
        j["offset_y"] = offset_;
        j["status"] = status_;
        j["button_presses"] = presses_;
        j["root_rect"] = {bounds_.left, bounds_.top, bounds_.right, bounds_.bottom};
        j["list_rect"] = {list_.left, list_.top, list_.right, list_.bottom};
        return j.dump();
    }

    std::optional<AccessNode> accessibility() const override {
        AccessNode root{Role::Window, kTitle, "A demonstration of the toolkit's widgets", status_, "", 0, bounds_, {}};
        root.children.push_back(AccessNode{Role::Heading, kTitle, "", "", "", 0, bounds_, {}});
        root.children.push_back(
            AccessNode{Role::Button, "Select all", "Selects every row", "", kButtonId, access_flags::focusable, button_, {}});
        AccessNode list{Role::List, "Rows", "", fmt::format("{} selected", selection_.size()), "demo-list",
                        access_flags::focused, list_, {}};
        auto [first, last] = visible_rows();
        for (std::size_t i = first; i < last; ++i) {
            std::uint32_t flags = access_flags::selectable;
            if (selection_.is_selected(i)) flags |= access_flags::selected;
            if (selection_.primary() == i) flags |= access_flags::focused;
            list.children.push_back(
                AccessNode{Role::ListItem, row_name(i), "", "", fmt::format("demo-row:{}", i), flags, row_rect(i), {}});
        }
        root.children.push_back(std::move(list));
        return root;
    }

    bool perform_semantic_action(std::string_view node_id, SemanticAction action) override {
        if (node_id != kButtonId || !is_activating(action)) return false;
        press_button();
        dirty_ = true;
        return true;
    }

    std::vector<vesk_actions::Resource> resources() override {
        vesk_actions::Operation all{"select-all", "Select All", "demo.select", "\"all\"",
                                    vesk_actions::OperationClass::Effect, std::nullopt, std::nullopt};
        vesk_actions::Operation one{"select-row", "Select Row", "demo.select", "\"row\"",
                                    vesk_actions::OperationClass::Effect, std::nullopt,
                                    vesk_actions::TextArgument{"value", "Row number", "1"}};
        return {vesk_actions::Resource{"demo.list", "demo.list", "Demo list", {all, one}}};
    }

    vesk_actions::InvokeOutcome invoke_resource_operation_v2(const vesk_actions::Invocation& inv) override {
        if (inv.action != "demo.select") return vesk_actions::InvokeOutcome::not_handled();
        if (inv.payload_json == "\"all\"") {
            press_button();
            dirty_ = true;
            return vesk_actions::InvokeOutcome::success();
        }
        if (inv.payload_json == "\"row\"") {
            auto it = inv.text_args.find("value");
            const std::string text = it == inv.text_args.end() ? "" : it->second;
            std::size_t n = 0;
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
            if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > std::size_t(row_count))
                return vesk_actions::InvokeOutcome::fail(fmt::format("no row \"{}\"", text));
            selection_.select_only(n - 1);
            reveal(n - 1);
            dirty_ = true;
            return vesk_actions::InvokeOutcome::success();
        }
        return vesk_actions::InvokeOutcome::not_handled();
    }

private:
    Rect row_rect(std::size_t i) const {
        float top = list_.top + 4 + float(i) * kRowHeight - offset_;
        return Rect{list_.left + 4, top, list_.right - 12, top + kRowHeight};
    }

    std::pair<std::size_t, std::size_t> visible_rows() const {
        if (!list_.valid()) return {0, 0};
        auto first = std::size_t(std::max(0.0f, std::floor(offset_ / kRowHeight)));
        auto last = std::size_t(std::ceil((offset_ + list_.height()) / kRowHeight)) + 1;
        return {std::min(first, std::size_t(row_count)), std::min(last, std::size_t(row_count))};
    }

    float max_offset() const {
        return std::max(0.0f, float(row_count) * kRowHeight + 8 - std::max(0.0f, list_.height()));
    }
    void clamp_offset() { offset_ = std::clamp(offset_, 0.0f, max_offset()); }

    void reveal(std::size_t i) {
        float top = float(i) * kRowHeight;
        float bottom = top + kRowHeight + 8;
        if (top < offset_) offset_ = top;
        if (bottom > offset_ + list_.height()) offset_ = bottom - list_.height();
        clamp_offset();
    }

    std::optional<std::size_t> row_at(Point p) const {
        if (!list_.contains(p)) return std::nullopt;
        float y = p.y - list_.top - 4 + offset_;
        if (y < 0) return std::nullopt;
        auto i = std::size_t(y / kRowHeight);
        if (i >= std::size_t(row_count)) return std::nullopt;
        return i;
    }

    void say(std::string text) {
        status_ = std::move(text);
        bubble_.poke(Clock::now());
    }

    void press_button() {
        ++presses_;
        selection_.select_all(row_count);
        say(fmt::format("{} rows selected", row_count));
    }

    bool pointer(const PointerEvent& pe) {
        const Point p = pe.logical();
        const bool over_button = button_.contains(p);
        bool changed = over_button != button_hover_;
        button_hover_ = over_button;
        if (pe.kind == PointerKind::Leave) {
            button_hover_ = false;
            return changed;
        }
        if (pe.kind == PointerKind::Down && pe.button == Button::Primary && over_button) {
            button_down_ = true;
            return true;
        }
        if (pe.kind == PointerKind::Up && pe.button == Button::Primary && button_down_) {
            button_down_ = false;
            if (over_button) press_button();
            return true;
        }
        if (pe.kind != PointerKind::Down) return changed;
        auto row = row_at(p);
        if (!row) return changed;
        if (pe.button == Button::Primary) {
            if (pe.click_count >= 2 && !(pe.modifiers & (mods::primary | mods::shift))) {
                selection_.select_only(*row);
                say(fmt::format("Opened {}", row_name(*row)));
            } else {
                selection_.apply_click(*row, (pe.modifiers & mods::primary) != 0, (pe.modifiers & mods::shift) != 0);
            }
            return true;
        }
        if (pe.button == Button::Secondary) {
            if (!selection_.is_selected(*row)) selection_.select_only(*row);
            say(fmt::format("Menu for {}", row_name(*row)));
            return true;
        }
        return changed;
    }

    bool wheel(const WheelEvent& we) {
        if (!list_.contains(we.logical())) return false;
        float before = offset_;
        offset_ -= we.dy * kWheelLine;
        clamp_offset();
        return offset_ != before;
    }

    bool key(const KeyEvent& ke) {
        const bool extend = ke.has(mods::shift);
        const std::size_t last = row_count - 1;
        const std::size_t cursor = selection_.primary().value_or(0);
        const std::size_t page = std::max<std::size_t>(1, std::size_t(list_.height() / kRowHeight) - 1);
        std::optional<std::size_t> to;
        if (ke.named("ArrowDown")) to = selection_.primary() ? std::min(cursor + 1, last) : 0;
        if (ke.named("ArrowUp")) to = cursor > 0 ? cursor - 1 : 0;
        if (ke.named("Home")) to = 0;
        if (ke.named("End")) to = last;
        if (ke.named("PageDown")) to = std::min(cursor + page, last);
        if (ke.named("PageUp")) to = cursor > page ? cursor - page : 0;
        if (to) {
            selection_.move_to(*to, extend);
            reveal(*to);
            return true;
        }
        if (ke.named("Escape")) {
            selection_.clear();
            return true;
        }
        if (ke.named("Enter") && selection_.primary()) {
            say(fmt::format("Opened {}", row_name(*selection_.primary())));
            return true;
        }
        if (ke.has(mods::primary) && ke.text == "a") {
            selection_.select_all(row_count);
            return true;
        }
        return false;
    }

    void draw_button(Painter& p, const Theme& t) {
        p.fill_rounded_rect(button_, t.radius_m, button_down_ ? t.accent_a_pressed
                                                 : button_hover_ ? t.accent_a_hover
                                                                 : t.accent_a);
        text_renderer().draw_text(p, button_, "Select all", t.body_strong, t.text_on_accent, Align::Center);
    }

    void draw_list(Painter& p, const DrawContext& ctx) {
        const Theme& t = ctx.theme;
        if (!list_.valid()) return;
        p.fill_rounded_rect(list_, t.radius_l, t.surface_raised);
        p.stroke_rounded_rect(list_, t.radius_l, 1, t.border_subtle);
        p.push_clip(list_.inset(1));
        auto [first, last] = visible_rows();
        const TextRenderer& tr = text_renderer();
        for (std::size_t i = first; i < last; ++i) {
            Rect r = row_rect(i);
            if (selection_.is_selected(i)) p.fill_rounded_rect(r, t.radius_m, t.selection_focused);
            if (selection_.primary() == i) p.stroke_rounded_rect(r, t.radius_m, 1, t.cursor_outline);
            std::string name = row_name(i);
            Icon icon = icons::icon_for_path(name, is_folder(i));
            draw_icon(p, icon, Rect::from_xywh(r.left + 10, r.top + 6, 20, 20), t, ctx.scale);
            tr.draw_text(p, Rect{r.left + 40, r.top, r.right - 90, r.bottom}, name, t.body, t.text_primary);
            std::string size = is_folder(i) ? "—" : fmt::format("{} KB", (i * 37) % 900 + 4);
            tr.draw_text(p, Rect{r.right - 90, r.top, r.right - 12, r.bottom}, size, t.caption, t.text_tertiary,
                         Align::End);
        }
        p.pop_clip();
        draw_scrollbar(p, t);
    }

    void draw_scrollbar(Painter& p, const Theme& t) {
        const float content = float(row_count) * kRowHeight + 8;
        if (content <= list_.height()) return;
        const float track = list_.height() - 8;
        const float thumb = std::max(24.0f, track * list_.height() / content);
        const float top = list_.top + 4 + (track - thumb) * (offset_ / max_offset());
        p.fill_rounded_rect(Rect{list_.right - 9, top, list_.right - 4, top + thumb}, 2.5f, t.scrollbar);
    }

    void draw_status(Painter& p, const DrawContext& ctx) {
        const float alpha = bubble_.alpha(ctx.now);
        if (alpha <= 0 || status_.empty()) return;
        Size box = StatusBubble::pill_size(status_, ctx.scale);
        Rect text_box = Rect::from_xywh(bounds_.center().x - box.width / 2,
                                        bounds_.bottom - ctx.theme.margin - StatusBubble::pad_y - box.height,
                                        box.width, box.height);
        StatusBubble::draw_pill(p, StatusBubble::pill_rect(text_box), status_, alpha, ctx.theme);
    }

    SelectionModel selection_;
    StatusBubble bubble_;
    std::string status_;
    Rect button_;
    Rect list_;
    float offset_ = 0;
    float scale_ = 1;
    int presses_ = 0;
    bool button_hover_ = false;
    bool button_down_ = false;
    bool dirty_ = true;
    bool structure_dirty_ = true;
    Clock::time_point now_ = Clock::now();
};

}  // namespace

WidgetBox make_demo_root() { return std::make_unique<DemoRoot>(); }

}  // namespace vesk_ui::demo
