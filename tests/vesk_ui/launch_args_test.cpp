#include <gtest/gtest.h>

#include "vesk_ui/launch.h"

namespace vesk_ui::launch {
namespace {

const std::vector<std::string> value_options = {"--size", "--path"};
const std::vector<std::string> flag_options = {"--open-share-stdin"};
const std::vector<std::string> scenes = {"grid", "status"};

std::expected<LaunchArgs, std::string> parse(std::vector<std::string> args) {
    args.insert(args.begin(), "file-explorer");
    return parse_args(args, value_options, flag_options, scenes);
}

struct ErrorCase {
    std::vector<std::string> args;
    std::string error;
};

TEST(LaunchArgs, RejectsBadCommandLines) {
    const ErrorCase cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--size"}, "missing value for option '--size'"},
        {{"--shot"}, "missing value for option '--shot'"},
        {{"--shot", "grid", "--output"}, "missing value for option '--output'"},
        {{"--output", "--size", "1x1"}, "missing value for option '--output'"},
        {{"--shot", "nope", "--output", "a.png"}, "unknown scene 'nope' (expected one of: grid, status)"},
        {{"--open-share-stdin=1"}, "option '--open-share-stdin' takes no value"},
    };
    for (const auto& c : cases) {
        auto result = parse(c.args);
        ASSERT_FALSE(result.has_value()) << c.args.front();
        EXPECT_EQ(result.error(), c.error);
    }
}

TEST(LaunchArgs, ParsesShotModeOptionsAndPositionals) {
    auto args = parse({"--shot", "grid", "--output", "/tmp/a.png", "--size=800x600", "--path", "/home"});
    ASSERT_TRUE(args.has_value()) << args.error();
    EXPECT_TRUE(args->shot_mode());
    EXPECT_EQ(args->scene(), "grid");
    EXPECT_EQ(args->output(), "/tmp/a.png");
    EXPECT_EQ(args->value("--size"), "800x600");
    EXPECT_EQ(args->value("--path"), "/home");
    EXPECT_FALSE(args->help_requested());

    auto normal = parse({"--open-share-stdin", "Documents", "-", "--", "--size"});
    ASSERT_TRUE(normal.has_value()) << normal.error();
    EXPECT_FALSE(normal->shot_mode());
    EXPECT_TRUE(normal->flag("--open-share-stdin"));
    EXPECT_EQ(normal->positional(), (std::vector<std::string>{"Documents", "-", "--size"}));
    EXPECT_EQ(normal->all().size(), 6u);
    EXPECT_FALSE(normal->value("--size"));
}

TEST(LaunchArgs, HelpWinsOverOtherErrors) {
    for (auto args : {std::vector<std::string>{"--help"}, {"-h"}, {"--bogus", "--help"}}) {
        auto result = parse(args);
        ASSERT_TRUE(result.has_value());
        EXPECT_TRUE(result->help_requested());
    }
    // After "--" it is a positional argument like any other.
    auto literal = parse({"--", "--help"});
    ASSERT_TRUE(literal.has_value());
    EXPECT_FALSE(literal->help_requested());
}

TEST(LaunchArgs, UsageNamesOptionsAndScenes) {
    Description d;
    d.value_options = value_options;
    d.flag_options = flag_options;
    d.scenes = scenes;
    std::string text = usage("file-explorer", d);
    for (const char* part : {"--shot SCENE", "--output FILE.png", "--size", "--open-share-stdin", "grid, status"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace vesk_ui::launch
