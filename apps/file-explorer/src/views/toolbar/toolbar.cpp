#include "views/toolbar/toolbar.h"

#include <cmath>

#include "i18n/i18n.h"
#include "vesk_ui/chrome.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/button.h"
#include "vesk_ui/widgets/toggle_group.h"

namespace file_explorer::views {

namespace {

using command::Command;
using command::Kind;
using vesk_ui::Icon;
using vesk_ui::Rect;
using vesk_ui::widgets::Button;
using vesk_ui::widgets::ToggleGroup;

constexpr float kPadX = 10;
constexpr float kGroupGap = 10;
constexpr float kNavGap = 2;
constexpr float kRightGap = 6;

constexpr const char* kViewModeId = "files.view-mode";

// A button that shows only its icon but keeps its name for assistive
// technology.
class IconButton final : public Button {
public:
    IconButton(std::string name, Icon icon, std::function<void()> on_click) : name_(std::move(name)) {
        set_icon(icon);
        set_on_click(std::move(on_click));
    }
    std::optional<vesk_ui::AccessNode> accessibility() const override {
        auto node = Button::accessibility();
        if (node) node->label = name_;
        return node;
    }

private:
    std::string name_;
};

}  // namespace

FileToolbar::FileToolbar(command::CommandChannelRef commands)
    : commands_(commands), path_bar_(std::make_unique<PathBar>(std::move(commands))) {}

FileToolbar::~FileToolbar() = default;

void FileToolbar::push(Command c) {
    if (commands_) commands_->push(std::move(c));
}

void FileToolbar::add_button(std::vector<Control>& group, std::string id, const char* message, Icon icon, Kind kind,
                             bool enabled) {
    auto button = std::make_unique<IconButton>(i18n::tr(message), icon, [this, kind] { push(Command::simple(kind)); });
    button->set_variant(Button::Variant::Flat).set_enabled(enabled).set_id(id);
    group.push_back({std::move(button), std::move(id), button_width});
}

std::vector<std::string> FileToolbar::wanted_ids() const {
    std::vector<std::string> ids{"files.back"};
    if (!compact_) ids.push_back("files.forward");
    ids.push_back("files.up");
    if (!compact_) ids.push_back(kViewModeId);
    if (!compact_ && state_.grid_mode) ids.push_back("files.sort_menu");
    ids.push_back(state_.in_archive ? "files.archive.extract" : "files.view_menu");
    return ids;
}

void FileToolbar::build() {
    // The same controls as before are only brought up to date, so that a
    // button keeps its hover and press across the rebuilds of every event.
    std::vector<std::string> ids;
    for (const auto* group : {&left_, &right_})
        for (const auto& c : *group) ids.push_back(c.id);
    if (built_ && ids == wanted_ids()) {
        const std::pair<const char*, bool> enabled[] = {
            {"files.back", state_.can_go_back}, {"files.forward", state_.can_go_forward}, {"files.up", state_.can_go_up}};
        for (const auto& [id, on] : enabled)
            if (Control* c = find(id)) static_cast<Button*>(c->widget.get())->set_enabled(on);
        if (view_mode_) view_mode_->set_selected(state_.grid_mode ? 1 : 0);
        layout_controls();
        return;
    }
    built_ = true;
    left_.clear();
    right_.clear();
    view_mode_ = nullptr;

    add_button(left_, "files.back", "files-back", Icon::Back, Kind::GoBack, state_.can_go_back);
    if (!compact_) add_button(left_, "files.forward", "files-forward", Icon::Forward, Kind::GoForward, state_.can_go_forward);
    add_button(left_, "files.up", "files-up", Icon::Up, Kind::GoUp, state_.can_go_up);

    if (!compact_) {
        auto toggle = std::make_unique<ToggleGroup>(
            std::vector<ToggleGroup::Option>{{i18n::tr("files-view-list"), Icon::ViewList, "files.view-mode.list", false},
                                             {i18n::tr("files-view-grid"), Icon::ViewGrid, "files.view-mode.grid", false}},
            state_.grid_mode ? 1 : 0);
        toggle->set_id(kViewModeId);
        toggle->set_on_change([this](std::size_t i) {
            push(Command::set_view_mode(i == 1 ? command::ViewMode::Grid : command::ViewMode::List));
        });
        view_mode_ = toggle.get();
        const float width = toggle->measure({1000, button_height}).width;
        right_.push_back({std::move(toggle), kViewModeId, width});
    }
    if (!compact_ && state_.grid_mode) {
        auto sort = std::make_unique<Button>(i18n::tr("files-sort-by"), [this] { push(Command::simple(Kind::ShowSortMenu)); });
        sort->set_icon(Icon::Sort).set_variant(Button::Variant::Flat).set_id("files.sort_menu");
        right_.push_back({std::move(sort), "files.sort_menu", wide_button_width});
    }
    if (state_.in_archive) {
        const std::string label = i18n::tr("files-archive-extract");
        auto on_click = [this] { push(Command::simple(Kind::ExtractArchive)); };
        if (compact_) {
            auto extract = std::make_unique<IconButton>(label, Icon::FileArchive, on_click);
            extract->set_variant(Button::Variant::Flat).set_id("files.archive.extract");
            right_.push_back({std::move(extract), "files.archive.extract", button_width});
        } else {
            auto extract = std::make_unique<Button>(label, on_click);
            extract->set_variant(Button::Variant::Standard).set_id("files.archive.extract");
            // Wide enough for its label in every language.
            const float width = std::max(wide_button_width, std::ceil(extract->measure({1000, button_height}).width));
            right_.push_back({std::move(extract), "files.archive.extract", width});
        }
    } else {
        add_button(right_, "files.view_menu", "files-view-options", Icon::More, Kind::ShowViewMenu);
    }
    layout_controls();
}

void FileToolbar::apply_layout(const Rect& bounds) {
    bounds_ = bounds;
    const bool compact = bounds.width() < compact_below;
    if (compact != compact_) {
        compact_ = compact;
        structure_dirty_ = true;
        built_ = false;
    }
    // A change of width class rebuilds at once, so no frame shows the old set.
    if (!built_) build();
    layout_controls();
}

void FileToolbar::layout_controls() {
    if (!bounds_.valid()) return;
    const float top = bounds_.top + std::round((bounds_.height() - button_height) / 2);
    float x = bounds_.left + kPadX;
    for (auto& c : left_) {
        c.widget->apply_layout(Rect::from_xywh(x, top, c.width, button_height));
        x += c.width + kNavGap;
    }
    const float path_left = x - kNavGap + kGroupGap;
    float right = bounds_.right - kPadX;
    for (auto it = right_.rbegin(); it != right_.rend(); ++it) {
        it->widget->apply_layout(Rect::from_xywh(right - it->width, top, it->width, button_height));
        right -= it->width + kRightGap;
    }
    const float path_right = right + kRightGap - kGroupGap;
    path_bar_->apply_layout(Rect{path_left, top, std::max(path_left, path_right), top + button_height});
}

void FileToolbar::draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) {
    if (!bounds_.valid()) return;
    painter.fill_rect(bounds_, ctx.theme.surface);
    vesk_ui::chrome::draw_hairline(painter, {bounds_.left, bounds_.bottom - 0.5f}, {bounds_.right, bounds_.bottom - 0.5f},
                                   ctx.theme.divider, ctx.scale);
    for (auto& c : left_) c.widget->draw(painter, ctx);
    for (auto& c : right_) c.widget->draw(painter, ctx);
    // Last, so that its suggestions lie over everything else of the toolbar.
    path_bar_->draw(painter, ctx);
}

bool FileToolbar::handle_event(const vesk_ui::Event& event, vesk_ui::EventContext& ctx) {
    if (path_bar_->handle_event(event, ctx)) return true;
    for (auto* group : {&left_, &right_})
        for (auto& c : *group)
            if (c.widget->handle_event(event, ctx)) return true;
    return false;
}

std::vector<vesk_ui::Widget*> FileToolbar::children() {
    std::vector<vesk_ui::Widget*> out;
    for (auto& c : left_) out.push_back(c.widget.get());
    out.push_back(path_bar_.get());
    for (auto& c : right_) out.push_back(c.widget.get());
    return out;
}

std::optional<vesk_ui::AccessNode> FileToolbar::accessibility() const {
    vesk_ui::AccessNode node;
    node.role = vesk_ui::Role::Toolbar;
    node.rect = bounds_;
    auto add = [&](const vesk_ui::Widget& w) {
        if (auto child = w.accessibility()) node.children.push_back(std::move(*child));
    };
    for (const auto& c : left_) add(*c.widget);
    add(*path_bar_);
    for (const auto& c : right_) add(*c.widget);
    return node;
}

bool FileToolbar::perform_semantic_action(std::string_view node_id, vesk_ui::SemanticAction action) {
    for (auto* w : children())
        if (w->perform_semantic_action(node_id, action)) return true;
    return false;
}

FileToolbar::Control* FileToolbar::find(std::string_view id) {
    for (auto* group : {&left_, &right_})
        for (auto& c : *group)
            if (c.id == id) return &c;
    return nullptr;
}

const FileToolbar::Control* FileToolbar::find(std::string_view id) const {
    return const_cast<FileToolbar*>(this)->find(id);
}

std::optional<Rect> FileToolbar::view_options_rect() const {
    if (const Control* c = find("files.view_menu")) return c->widget->bounds();
    return std::nullopt;
}

std::optional<Rect> FileToolbar::sort_control_rect() const {
    if (right_.empty()) return std::nullopt;
    return (right_.size() >= 2 ? right_[1] : right_[0]).widget->bounds();
}

std::vector<std::string> FileToolbar::control_ids() const {
    std::vector<std::string> out;
    for (const auto& c : left_) out.push_back(c.id);
    out.push_back("files.path_bar");
    for (const auto& c : right_) out.push_back(c.id);
    return out;
}

bool FileToolbar::invoke_control(std::string_view action, std::string_view value) {
    if (action == kViewModeId) {
        if (!view_mode_) return false;
        std::size_t index = view_mode_->selected() == 1 ? 0 : 1;
        if (value == "list") index = 0;
        else if (value == "grid") index = 1;
        view_mode_->choose(index);
        return true;
    }
    Control* c = find(action);
    if (!c) return false;
    return static_cast<Button*>(c->widget.get())->activate();
}

}  // namespace file_explorer::views
