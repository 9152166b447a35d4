// Construction, layout and painting of the root widget.
#include "files_app/explorer_widget.h"

#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "files_app/content_column.h"
#include "files_app/drag_card.h"
#include "files_app/zoom_file.h"
#include "fileops/paths.h"
#include "i18n/i18n.h"
#include "model/workspace.h"
#include "views/file_view/file_view.h"
#include "views/places_sidebar/places_sidebar.h"
#include "views/toolbar/toolbar.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/theme.h"
#include "vesk_ui/widgets/button.h"
#include "vesk_ui/widgets/context_menu.h"
#include "vesk_ui/widgets/empty_state.h"
#include "vesk_ui/widgets/nav_shell.h"
#include "vesk_ui/widgets/scrollable.h"
#include "vesk_ui/widgets/text_input.h"

namespace file_explorer::files_app {

namespace {

constexpr auto kFirstRefresh = std::chrono::milliseconds(750);

// "…" and the last n − 1 characters of a path longer than n characters.
std::string shorten_path(std::string_view path, std::size_t n) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < path.size(); ++i)
        if ((static_cast<unsigned char>(path[i]) & 0xc0) != 0x80) starts.push_back(i);
    if (starts.size() <= n) return std::string(path);
    return "…" + std::string(path.substr(starts[starts.size() - (n - 1)]));
}

std::string first_chars(std::string_view text, std::size_t n) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xc0) == 0x80) continue;
        if (count++ == n) return std::string(text.substr(0, i));
    }
    return std::string(text);
}

std::size_t char_count(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xc0) != 0x80) ++count;
    return count;
}

std::unique_ptr<thumbnail::ThumbnailService> make_thumbnails(const ExplorerConfig& config) {
    if (!config.thumbnail_decoders) return nullptr;
    const std::filesystem::path fallback = std::filesystem::temp_directory_path() / "vesk-file-explorer-thumbnails";
    const std::filesystem::path preferred =
        config.config_dir ? std::filesystem::path(*config.config_dir) / "thumbnails" : fallback;
    return thumbnail::ThumbnailService::create(256, preferred, fallback, *config.thumbnail_decoders);
}

}  // namespace

FileExplorerWidget::FileExplorerWidget(ExplorerConfig config, std::optional<std::string> start)
    : config_(std::move(config)), channel_(std::make_shared<command::CommandChannel>()) {
    zoom_step_ = read_zoom_step(config_.config_dir);
    rename_input_ = std::make_unique<vesk_ui::widgets::TextInput>("files.rename_input", 1,
                                                                  i18n::tr("files-new-name-placeholder"));
    thumbnails_ = make_thumbnails(config_);
    sidebar_roots_ = config_.fixed_workspace_roots ? *config_.fixed_workspace_roots
                                                   : model::workspace_roots(config_.home);
    now_ = vesk_ui::Clock::now();
    refresh_deadline_ = now_ + kFirstRefresh;
    init_chrome();
    std::string first = start ? *start : std::string();
    if (first.empty()) {
        const auto roots = roots_for_load();
        if (!roots.empty()) first = roots.front();
        else if (!std::getenv("VESK_WORKSPACE_ROOTS") && ::access("/workspace", F_OK) == 0) first = "/workspace";
        else if (config_.home && !config_.home->empty()) first = *config_.home;
        else if (char cwd[4096]; ::getcwd(cwd, sizeof cwd)) first = cwd;
        else first = "/";
    }
    load(first);
}

FileExplorerWidget::~FileExplorerWidget() = default;

void FileExplorerWidget::set_interaction_environment(const vesk_ui::InteractionEnvironment& env) {
    if (env.scale != env_.scale) structure_dirty_ = true;
    env_ = env;
}

void FileExplorerWidget::update(vesk_ui::Clock::time_point now) {
    now_ = now;
    if (thumbnails_ && thumbnails_->take_ready_count() > 0) redraw_ = true;
}

bool FileExplorerWidget::take_structure_dirty() {
    bool dirty = structure_dirty_;
    structure_dirty_ = false;
    return dirty;
}

std::string FileExplorerWidget::loading_detail() const {
    return i18n::tr_args("files-loading-detail", i18n::Args().text("path", shorten_path(location_, 36)));
}

// The error part is the text after its first ": ", cut to 25 characters and
// "…" when it is longer than 26.
std::string FileExplorerWidget::error_detail() const {
    std::string_view error = *load_error_;
    if (auto colon = error.find(": "); colon != std::string_view::npos) error.remove_prefix(colon + 2);
    std::string shown = char_count(error) > 26 ? first_chars(error, 25) + "…" : std::string(error);
    return i18n::tr_args("files-load-error-detail",
                         i18n::Args().text("error", shown).text("path", shorten_path(location_, 22)));
}

void FileExplorerWidget::build_layout() {
    build_body();
    build_chrome();
}

void FileExplorerWidget::build_body() {
    scroller_.reset();
    file_view_ = nullptr;
    state_view_.reset();
    if (loading_) {
        state_view_ = std::make_unique<vesk_ui::widgets::EmptyState>(i18n::tr("files-loading-title"), loading_detail());
        state_view_->set_busy(true);
        return;
    }
    if (load_error_) {
        state_view_ = std::make_unique<vesk_ui::widgets::EmptyState>(i18n::tr("files-load-error-title"), error_detail());
        state_view_->set_error(true).set_icon(vesk_ui::Icon::Warning);
        state_view_->set_action(i18n::tr("files-try-again"), [this] { refresh(); }, "files-retry-folder");
        return;
    }
    if (entries_.empty()) {
        const auto trash = trash_files_folder();
        const bool in_trash = trash && fileops::same_path(*trash, location_);
        state_view_ = std::make_unique<vesk_ui::widgets::EmptyState>(
            i18n::tr(in_trash ? "files-empty-trash" : "files-empty-folder"));
        state_view_->set_icon(in_trash ? vesk_ui::Icon::PlaceTrash : vesk_ui::Icon::FolderOpen);
        return;
    }

    views::FileViewSetup setup;
    if (!view_entries_) view_entries_ = std::make_shared<const std::vector<model::FileEntry>>(entries_);
    setup.entries = view_entries_;
    setup.selection = selection_;
    setup.zoom_step = zoom_step_;
    setup.scale = env_.scale;
    setup.rename.index = rename_target_;
    setup.rename.field = rename_target_ ? rename_input_.get() : nullptr;
    setup.thumbnails = thumbnails_.get();
    setup.workspace_roots = loaded_roots_;
    setup.commands = channel_;
    if (thumbnails_) thumbnails_->set_generation(load_generation_);
    auto view = view_mode_ == model::ViewMode::List
                    ? std::make_unique<views::FileView>(std::move(setup), sort_.key, sort_.direction)
                    : std::make_unique<views::FileView>(std::move(setup));
    view->set_focus(true);
    file_view_ = view.get();
    scroller_ = std::make_unique<vesk_ui::widgets::Scrollable>(std::move(view));
    scroller_->with_persisted_offset(&offset_x_, &offset_y_);
}

vesk_ui::Size FileExplorerWidget::measure(vesk_ui::Size available) { return available; }

vesk_ui::Rect FileExplorerWidget::content_rect() const { return content_ ? content_->body_rect() : bounds_; }

void FileExplorerWidget::apply_layout(const vesk_ui::Rect& bounds) {
    bounds_ = bounds;
    // The shell places the sidebar and the content column; the column places
    // the toolbar and the scroller or the state view.
    shell_->apply_layout(bounds);
    if (toolbar_->take_structure_dirty()) redraw_ = true;
    if (scroller_ && file_view_) file_view_->set_viewport(scroller_->viewport());
}

std::vector<vesk_ui::Widget*> FileExplorerWidget::children() {
    return {shell_.get()};
}

void FileExplorerWidget::draw(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) {
    now_ = ctx.now;
    painter.fill_rect(bounds_, ctx.theme.surface);
    if (scroller_ && file_view_) file_view_->set_viewport(scroller_->viewport());
    show_drop_target();
    shell_->draw(painter, ctx);
    if (active_drag_ && !active_drag_->client_drag)
        draw_drag_card(painter, ctx.theme, {float(last_pointer_x_), float(last_pointer_y_)}, active_drag_->paths,
                       ctx.scale);
    draw_overlay(painter, ctx);
    draw_status_bubble(painter, ctx);
}

void FileExplorerWidget::show_status_bubble(vesk_ui::Clock::time_point now) {
    bubble_text_ = status_text();
    bubble_.poke(now);
}

void FileExplorerWidget::draw_status_bubble(vesk_ui::Painter& painter, const vesk_ui::DrawContext& ctx) {
    const std::string text = status_text();
    if (text != bubble_text_) {
        bubble_text_ = text;
        // Still pictures show the bubble only where a scene asks for it.
        if (!static_rendering_) bubble_.poke(ctx.now);
    }
    const vesk_ui::Size box = vesk_ui::StatusBubble::pill_size(text, ctx.scale);
    const vesk_ui::Rect content = content_rect();
    const float margin = ctx.theme.margin;
    const vesk_ui::Rect text_box = vesk_ui::Rect::from_xywh(
        content.right - margin - vesk_ui::StatusBubble::pad_x - box.width,
        content.bottom - margin - vesk_ui::StatusBubble::pad_y - box.height, box.width, box.height);
    bubble_box_ = text_box;
    hold_bubble(ctx.now);
    float alpha = bubble_.alpha(ctx.now);
    // A still picture shows a poked bubble fully, as it looks once faded in.
    if (static_rendering_ && bubble_.is_visible(ctx.now + vesk_ui::StatusBubble::fade_in)) alpha = 1.0f;
    if (alpha <= 0) return;
    vesk_ui::StatusBubble::draw_pill(painter, vesk_ui::StatusBubble::pill_rect(text_box), text, alpha, ctx.theme);
}

// The hover area is the painted pill widened 40 units to the left and 24
// upwards, so that a pointer coming from the content does not let it fade
// just before reaching it.
void FileExplorerWidget::hold_bubble(vesk_ui::Clock::time_point now) {
    const vesk_ui::Rect pill = vesk_ui::StatusBubble::pill_rect(bubble_box_);
    const vesk_ui::Rect area{pill.left - 40, pill.top - 24, pill.right, pill.bottom};
    const bool placed = bubble_box_.right > bubble_box_.left;  // not before the first draw
    const bool held =
        is_archive_location() || (placed && area.contains({float(last_pointer_x_), float(last_pointer_y_)}));
    if (held == bubble_.hovered()) return;
    bubble_.set_hover(held, now);
    redraw_ = true;
}

bool FileExplorerWidget::needs_animation_frame() const {
    if (loading_) return true;
    if (state_view_ && state_view_->needs_animation_frame()) return true;
    if (shell_->needs_animation_frame()) return true;
    return bubble_.needs_frame(vesk_ui::Clock::now());
}

std::optional<vesk_ui::Clock::time_point> FileExplorerWidget::next_wake_deadline() const {
    std::optional<vesk_ui::Clock::time_point> deadline = refresh_deadline_;
    if (auto shell = shell_->next_wake_deadline(); shell && *shell < *deadline) deadline = shell;
    if (file_view_)
        if (auto view = file_view_->next_wake_deadline(); view && *view < *deadline) deadline = view;
    if (auto fade = bubble_.next_deadline(vesk_ui::Clock::now()); fade && *fade < *deadline) deadline = fade;
    if (thumbnails_ && thumbnails_->pending() > 0) {
        auto soon = vesk_ui::Clock::now() + std::chrono::milliseconds(50);
        if (soon < *deadline) deadline = soon;
    }
    return deadline;
}

}  // namespace file_explorer::files_app
