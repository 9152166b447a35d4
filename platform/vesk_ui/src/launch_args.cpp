#include <algorithm>

#include <fmt/format.h>

#include "vesk_ui/launch.h"

namespace vesk_ui::launch {

namespace {

const std::vector<std::string> toolkit_value_options = {"--shot", "--output"};

bool contains(const std::vector<std::string>& list, std::string_view item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

bool is_help(std::string_view arg) { return arg == "--help" || arg == "-h"; }

// "-" alone is the usual name for standard input, so it stays positional.
bool looks_like_option(std::string_view arg) { return arg.size() > 1 && arg[0] == '-'; }

std::string scene_list(const std::vector<std::string>& scenes) {
    return fmt::format("{}", fmt::join(scenes, ", "));
}

}  // namespace

std::optional<std::string> LaunchArgs::value(std::string_view name) const {
    // The last occurrence wins, as with most command-line tools.
    for (auto it = values_.rbegin(); it != values_.rend(); ++it)
        if (it->first == name) return it->second;
    return std::nullopt;
}

bool LaunchArgs::flag(std::string_view name) const { return contains(flags_, name); }

std::expected<LaunchArgs, std::string> parse_args(const std::vector<std::string>& argv,
                                                  const std::vector<std::string>& value_options,
                                                  const std::vector<std::string>& flag_options,
                                                  const std::vector<std::string>& scenes) {
    LaunchArgs args;
    args.all_ = argv;
    for (std::size_t i = 1; i < argv.size() && argv[i] != "--"; ++i) {
        if (is_help(argv[i])) {
            args.help_ = true;
            return args;
        }
    }

    bool options_done = false;
    for (std::size_t i = 1; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        if (options_done || !looks_like_option(arg)) {
            args.positional_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options_done = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> inline_value;
        if (auto eq = arg.find('='); eq != std::string::npos) {
            name = arg.substr(0, eq);
            inline_value = arg.substr(eq + 1);
        }
        bool takes_value = contains(value_options, name) || contains(toolkit_value_options, name);
        if (takes_value) {
            if (inline_value) {
                args.values_.emplace_back(name, *inline_value);
                continue;
            }
            // A following option is not taken as the value: "--output --size"
            // is a forgotten file name, not a file called "--size".
            if (i + 1 >= argv.size() || (argv[i + 1].size() > 2 && argv[i + 1].starts_with("--")))
                return std::unexpected(fmt::format("missing value for option '{}'", name));
            args.values_.emplace_back(name, argv[++i]);
            continue;
        }
        if (contains(flag_options, name)) {
            if (inline_value) return std::unexpected(fmt::format("option '{}' takes no value", name));
            args.flags_.push_back(name);
            continue;
        }
        return std::unexpected(fmt::format("unknown option '{}'", name));
    }

    if (auto scene = args.value("--shot")) {
        if (!contains(scenes, *scene))
            return std::unexpected(
                fmt::format("unknown scene '{}' (expected one of: {})", *scene, scene_list(scenes)));
    }
    return args;
}

std::string usage(std::string_view program, const Description& description) {
    std::string out = fmt::format("Usage:\n  {} [OPTION...] [ARGUMENT...]\n", program);
    out += fmt::format("  {} --shot SCENE --output FILE.png", program);
    for (const auto& option : description.value_options) out += fmt::format(" [{} VALUE]", option);
    out += "\n\nOptions:\n";
    for (const auto& option : description.flag_options) out += fmt::format("  {}\n", option);
    for (const auto& option : description.value_options) out += fmt::format("  {} VALUE\n", option);
    out += "  --shot SCENE       render one scene to a PNG file instead of opening a window\n";
    out += "  --output FILE.png  where the screenshot is written\n";
    out += "  --help             show this help\n";
    if (!description.scenes.empty()) out += fmt::format("\nScenes: {}\n", scene_list(description.scenes));
    return out;
}

}  // namespace vesk_ui::launch
