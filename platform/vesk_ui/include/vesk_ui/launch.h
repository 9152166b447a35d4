// Launching an application: the description an application fills in, the
// parsed command line, and the entry that runs the window or a screenshot.
//
// Command line (parsed here, not by the application):
//   APP [FLAG...] [POSITIONAL...]                       interactive window
//   APP --shot SCENE --output FILE.png [--size WxH] [--path DIR]
//   APP --help
#pragma once

#include <expected>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vesk_ui/persist.h"
#include "vesk_ui/widget.h"

namespace vesk_ui {

namespace launch {

// Parsed launch arguments: option values, flags and positional arguments.
class LaunchArgs {
public:
    // The value of an option that takes one ("--size"), if given.
    std::optional<std::string> value(std::string_view name) const;
    bool flag(std::string_view name) const;
    const std::vector<std::string>& positional() const { return positional_; }
    // Every process argument, the program name first.
    const std::vector<std::string>& all() const { return all_; }
    // "--help" (or "-h") was given: print usage() and exit with status 0.
    bool help_requested() const { return help_; }
    // Screenshot mode: "--shot SCENE" was given.
    bool shot_mode() const { return value("--shot").has_value(); }
    std::optional<std::string> scene() const { return value("--shot"); }
    std::optional<std::string> output() const { return value("--output"); }

private:
    friend std::expected<LaunchArgs, std::string> parse_args(
        const std::vector<std::string>& argv, const std::vector<std::string>& value_options,
        const std::vector<std::string>& flag_options, const std::vector<std::string>& scenes);
    std::vector<std::pair<std::string, std::string>> values_;
    std::vector<std::string> flags_;
    std::vector<std::string> positional_;
    std::vector<std::string> all_;
    bool help_ = false;
};

// Parses argv (program name first) against the description's options.
// "--shot" and "--output" are the toolkit's own value options. Values come
// as the next argument or after "=" ("--size=800x600"); "--" ends options.
// Unknown options, missing values and unknown scenes are errors (the text
// without the "Error: " prefix).
std::expected<LaunchArgs, std::string> parse_args(const std::vector<std::string>& argv,
                                                  const std::vector<std::string>& value_options,
                                                  const std::vector<std::string>& flag_options,
                                                  const std::vector<std::string>& scenes);

// What the normal factory receives.
struct LaunchContext {
    const LaunchArgs& args;
};

// What the screenshot factory receives. The factory builds the scene,
// renders it (see shot.h) and writes the PNG itself.
struct ShotRequest {
    const LaunchArgs& args;
    std::optional<std::string> output;  // "--output"; without it nothing is rendered
    std::string scene;                  // "--shot"
    std::optional<Size> default_size;   // the toolkit's default, if any
};

struct HistoryContentDeclaration {
    int kind = 2;
    std::string key;    // "selected-file"
    std::string title;  // "Selected file"
};

struct AppManifest {
    std::string app_id;
    std::vector<HistoryContentDeclaration> history_content;
};

struct Description {
    std::string app_id;
    std::vector<std::string> reserved_a;
    std::vector<std::string> value_options;  // e.g. "--size", "--path"
    std::vector<std::string> flag_options;   // e.g. "--open-share-stdin"
    std::vector<std::string> reserved_b;
    std::vector<std::string> scenes;         // screenshot scene names
    const AppManifest* manifest = nullptr;
    std::function<std::expected<WidgetBox, std::string>(const LaunchContext&)> normal_factory;
    std::function<std::expected<void, std::string>(const ShotRequest&)> shot_factory;
    int window_count = 1;
    std::function<Size()> initial_window_size;
    std::function<int()> second_callback;
    std::function<std::expected<PersistedDocument, std::string>()> open_persisted;
    bool flags[4] = {false, false, true, true};
};

// The text printed for "--help".
std::string usage(std::string_view program, const Description& description);

// Runs the application: the window and its loop, or one screenshot.
// Returns when the application ends.
std::expected<void, std::string> run(Description& description);
// Same, with explicit arguments (argv[0] first); for tests.
std::expected<void, std::string> run(Description& description, const std::vector<std::string>& argv);

}  // namespace launch
}  // namespace vesk_ui
