// Navigation, loading, selection and rename of the root widget.
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "files_app/explorer_widget.h"
#include "files_app/launch_support.h"
#include "files_app/zoom_file.h"
#include "fileops/archive_location.h"
#include "fileops/naming.h"
#include "fileops/paths.h"
#include "fileops/text.h"
#include "i18n/i18n.h"
#include "model/load.h"
#include "model/workspace.h"
#include "vesk_ui/services.h"
#include "vesk_ui/widgets/text_input.h"

extern char** environ;

namespace file_explorer::files_app {

namespace {

bool is_directory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Keeps the first 512 characters (code points) of a status text.
std::string cut_status(std::string text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xc0) == 0x80) continue;
        if (count++ == 512) {
            text.resize(i);
            break;
        }
    }
    return text;
}

std::optional<std::string> xdg_dir(const char* variable, const char* fallback_under_home) {
    if (auto value = env_utf8(variable); value && !value->empty() && value->front() == '/') return value;
    std::string home = vesk_ui::sysdirs::home_dir();
    if (home.empty()) return std::nullopt;
    return fileops::join_path(home, fallback_under_home);
}

}  // namespace

ExplorerConfig ExplorerConfig::defaults() {
    ExplorerConfig config;
    if (auto base = xdg_dir("XDG_CONFIG_HOME", ".config")) config.config_dir = fileops::join_path(*base, "vesk-files");
    std::string home = vesk_ui::sysdirs::home_dir();
    if (!home.empty()) config.home = home;
    config.user_dirs = vesk_ui::sysdirs::UserDirs::from_system();
    return config;
}

std::vector<std::string> FileExplorerWidget::roots_for_load() const {
    if (config_.fixed_workspace_roots) return *config_.fixed_workspace_roots;
    return model::workspace_roots(config_.home);
}

std::optional<std::string> FileExplorerWidget::trash_files_folder() const {
    auto data = xdg_dir("XDG_DATA_HOME", ".local/share");
    if (!data) return std::nullopt;
    return fileops::join_path(fileops::join_path(*data, "Trash"), "files");
}

void FileExplorerWidget::load(std::string path) {
    loading_ = true;
    selection_.clear();
    load_error_.reset();
    status_message_.reset();
    offset_x_ = offset_y_ = 0;
    cancel_rename();
    armed_drag_.reset();
    pending_drag_set_.clear();

    model::LoadOptions options;
    options.show_hidden = show_hidden_;
    options.sort = sort_;
    options.workspace_roots = roots_for_load();
    loaded_roots_ = options.workspace_roots;
    options.trash_files_folder = trash_files_folder();
    model::LoadOutcome outcome = model::load_location(path, options);

    entries_ = std::move(outcome.entries);
    view_entries_.reset();
    selection_.set_count(entries_.size());
    load_error_ = std::move(outcome.error);
    location_ = path;
    location_is_archive_ = outcome.is_archive;
    if (!load_error_ && outcome.status_message) status_message_ = cut_status(*outcome.status_message);
    loading_ = false;
    ++load_generation_;
    structure_dirty_ = true;
    redraw_ = true;
}

void FileExplorerWidget::navigate(std::string path) {
    if (!fileops::same_path(path, location_)) {
        back_stack_.push_back(location_);
        forward_stack_.clear();
    }
    load(path);
}

void FileExplorerWidget::go_back() {
    if (back_stack_.empty()) return;
    std::string target = std::move(back_stack_.back());
    back_stack_.pop_back();
    forward_stack_.push_back(location_);
    load(target);
}

void FileExplorerWidget::go_forward() {
    if (forward_stack_.empty()) return;
    std::string target = std::move(forward_stack_.back());
    forward_stack_.pop_back();
    back_stack_.push_back(location_);
    load(target);
}

void FileExplorerWidget::go_up() {
    auto parent = fileops::parent_path(location_);
    if (!parent || parent->empty()) return;
    navigate(*parent);
}

void FileExplorerWidget::refresh() {
    std::string path = location_;
    load(path);
}

void FileExplorerWidget::open_entry(std::string path) {
    if (auto archive = fileops::find_archive_location(path); archive && !archive->inner.empty()) {
        // Only folders inside an archive can be shown; files need extracting.
        for (const auto& entry : entries_) {
            if (entry.path == path && entry.is_dir) {
                navigate(path);
                return;
            }
        }
        set_status(i18n::tr("files-archive-open-after-extract"));
        return;
    }
    if (is_directory(path) || fileops::find_archive_location(path)) {
        navigate(path);
        return;
    }
    open_with_desktop(path);
}

void FileExplorerWidget::open_path(std::string path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !fileops::is_archive_name(path)) {
        open_entry(path);
        return;
    }
    navigate(path);
}

// Hands the file to the desktop's default application without waiting; an
// opener that cannot start is dropped silently, and the next one is tried.
void FileExplorerWidget::open_with_desktop(const std::string& path) {
    const char* openers[][3] = {{"xdg-open", nullptr, nullptr}, {"gio", "open", nullptr}};
    for (auto& opener : openers) {
        std::vector<char*> argv;
        for (const char* part : opener)
            if (part) argv.push_back(const_cast<char*>(part));
        argv.push_back(const_cast<char*>(path.c_str()));
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0) return;
    }
}

void FileExplorerWidget::set_view_mode(model::ViewMode mode) {
    view_mode_ = mode;
    structure_dirty_ = true;
}

void FileExplorerWidget::toggle_hidden() {
    show_hidden_ = !show_hidden_;
    refresh();
}

void FileExplorerWidget::set_zoom_step(int step) {
    step = std::clamp(step, kMinZoomStep, kMaxZoomStep);
    if (step == zoom_step_) return;
    zoom_step_ = step;
    write_zoom_step(config_.config_dir, step);
    structure_dirty_ = true;
}

void FileExplorerWidget::activate_item(std::optional<std::size_t> index) {
    if (!index) {
        selection_.clear();
        last_click_.reset();
        return;
    }
    const auto now = vesk_ui::Clock::now();
    if (last_click_ && last_click_->index == *index && now - last_click_->at < env_.multi_click_interval) {
        last_click_.reset();
        if (*index < entries_.size()) open_entry(entries_[*index].path);
        return;
    }
    selection_.select_only(*index);
    last_click_ = LastClick{*index, now};
}

void FileExplorerWidget::click_item(std::size_t index, bool extend, bool toggle) {
    if (index >= entries_.size()) return;
    if (extend || toggle) {
        selection_.apply_click(index, toggle, extend);
        last_click_.reset();
        return;
    }
    pending_drag_set_.clear();
    if (selection_.selected().size() >= 2 && selection_.is_selected(index)) {
        for (std::size_t i : selection_.selected())
            if (i < entries_.size()) pending_drag_set_.push_back(entries_[i].path);
    }
    activate_item(index);
}

void FileExplorerWidget::prepare_context_selection(std::optional<std::size_t> index) {
    if (index && *index < entries_.size()) {
        if (!selection_.is_selected(*index)) selection_.select_only(*index);
    } else {
        selection_.clear();
    }
    last_click_.reset();
}

void FileExplorerWidget::move_cursor(std::size_t index, bool extend) {
    if (index < entries_.size()) selection_.move_to(index, extend);
}

void FileExplorerWidget::select_all() { selection_.select_all(entries_.size()); }

void FileExplorerWidget::start_rename() {
    const auto selected = selection_.selected();
    if (selected.size() != 1 || selected.front() >= entries_.size()) return;
    rename_target_ = selected.front();
    rename_input_->set_text(entries_[selected.front()].name);
    rename_input_->select_all();
    rename_input_->set_focus(true);
    status_message_.reset();
    structure_dirty_ = true;
}

void FileExplorerWidget::commit_rename() {
    if (!rename_target_ || *rename_target_ >= entries_.size()) return;
    const model::FileEntry& entry = entries_[*rename_target_];
    const std::string typed = rename_input_->text();
    const std::string trimmed(fileops::trim_white_space(typed));
    // The editor starts with the shown name, in which bytes that are not
    // UTF-8 became U+FFFD: an untouched name must not rename the item to that.
    if (trimmed.empty() || trimmed == entry.name || trimmed == fileops::file_name(entry.path)) {
        cancel_rename();
        return;
    }
    auto renamed = fileops::rename_entry(entry.path, trimmed);
    if (!renamed) {
        set_status(i18n::tr_args("files-rename-failed", i18n::Args().text("error", renamed.error())));
        return;
    }
    cancel_rename();
    refresh();
    set_status(i18n::tr("files-renamed"));
}

void FileExplorerWidget::cancel_rename() {
    if (!rename_target_) return;
    rename_target_.reset();
    rename_input_->set_text("");
    rename_input_->set_focus(false);
    structure_dirty_ = true;
}

void FileExplorerWidget::set_status(std::string text) {
    status_message_ = cut_status(std::move(text));
    structure_dirty_ = true;
    redraw_ = true;
}

std::string FileExplorerWidget::status_text() const {
    return model::status_text(status_message_, entries_.size(), selection_.selected().size());
}

void FileExplorerWidget::set_load_error_for_scene(std::string error) {
    entries_.clear();
    view_entries_.reset();
    selection_.set_count(0);
    load_error_ = i18n::tr_args("files-directory-read-failed", i18n::Args().text("error", std::move(error)));
    structure_dirty_ = true;
}

}  // namespace file_explorer::files_app
