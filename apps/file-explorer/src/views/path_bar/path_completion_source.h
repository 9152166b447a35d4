// The path bar's suggestion source: completion candidates of the typed text
// as suggestions for the Autocomplete field.
//
// The field holds text, so a name that is not valid UTF-8 shows with U+FFFD
// in it. The source remembers the raw path behind every such text it
// offered (and behind the folder the edit started in), so that listing
// below it and navigating to it still reach the real folder.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "views/path_bar/completion.h"
#include "vesk_ui/widgets/autocomplete.h"

namespace file_explorer::views {

class PathCompletionSource final : public vesk_ui::widgets::SuggestionSource {
public:
    // A new edit: typed text is resolved against `base`.
    void begin(const std::string& base, const std::optional<std::string>& home);

    void request(const std::string& text) override;
    bool advance(vesk_ui::Clock::time_point deadline) override;
    bool pending() const override;
    const std::vector<vesk_ui::widgets::Suggestion>& suggestions() const override { return suggestions_; }

    // The raw path that the displayed path `text` stands for: the longest
    // remembered display path that `text` starts with is replaced by its
    // raw bytes.
    std::string raw_path(const std::string& text) const;
    // The path a submitted text names, raw bytes restored.
    std::string resolve(const std::string& text) const;

    const CompletionEngine& engine() const { return engine_; }

private:
    void remember(const std::string& raw);
    void rebuild();

    std::string base_;
    std::optional<std::string> home_;
    std::string text_;
    CompletionEngine engine_;
    std::vector<vesk_ui::widgets::Suggestion> suggestions_;
    std::map<std::string, std::string> raw_by_display_;
};

}  // namespace file_explorer::views
