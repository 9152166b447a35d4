#include "views/path_bar/path_completion_source.h"

#include "fileops/text.h"
#include "vesk_ui/icons.h"

namespace file_explorer::views {

void PathCompletionSource::begin(const std::string& base, const std::optional<std::string>& home) {
    base_ = base;
    home_ = home;
    text_.clear();
    engine_.reset();
    suggestions_.clear();
    raw_by_display_.clear();
    remember(base);
}

void PathCompletionSource::remember(const std::string& raw) {
    std::string display = fileops::lossy_utf8(raw);
    if (display != raw) raw_by_display_[std::move(display)] = raw;
}

std::string PathCompletionSource::raw_path(const std::string& text) const {
    const std::pair<const std::string, std::string>* best = nullptr;
    for (const auto& entry : raw_by_display_) {
        const std::string& display = entry.first;
        if (!text.starts_with(display)) continue;
        if (text.size() > display.size() && text[display.size()] != '/') continue;
        if (!best || display.size() > best->first.size()) best = &entry;
    }
    if (!best) return text;
    return best->second + text.substr(best->first.size());
}

std::string PathCompletionSource::resolve(const std::string& text) const {
    return raw_path(resolve_typed_path(text, base_, home_));
}

void PathCompletionSource::request(const std::string& text) {
    text_ = text;
    CompletionQuery query = completion_query(text, base_, home_);
    query.folder = raw_path(query.folder);
    engine_.start(query);
    suggestions_.clear();
}

bool PathCompletionSource::pending() const { return !engine_.done(); }

bool PathCompletionSource::advance(vesk_ui::Clock::time_point deadline) {
    if (!engine_.step(deadline)) return false;
    rebuild();
    return true;
}

void PathCompletionSource::rebuild() {
    // A suggestion keeps what was typed up to the last separator, so "~/Do"
    // becomes "~/Documents/" and a relative "rep" becomes "reports/".
    std::string kept;
    if (text_ == "~") kept = "~/";
    else if (auto slash = text_.rfind('/'); slash != std::string::npos) kept = text_.substr(0, slash + 1);
    suggestions_.clear();
    for (const CompletionCandidate& c : engine_.candidates()) {
        vesk_ui::widgets::Suggestion s;
        s.label = c.name;
        s.replacement = kept + c.name + (c.is_dir ? "/" : "");
        s.icon = c.is_dir ? vesk_ui::Icon::Folder : vesk_ui::icons::icon_for_path(c.name, false);
        if (fileops::lossy_utf8(c.path) != c.path) {
            // Remember the raw folder behind the text this suggestion puts in the field.
            std::string display = resolve_typed_path(s.replacement, base_, home_);
            raw_by_display_[display] = c.path;
        }
        suggestions_.push_back(std::move(s));
    }
}

}  // namespace file_explorer::views
