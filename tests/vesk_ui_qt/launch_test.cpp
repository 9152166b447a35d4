// The launcher: command line, help, screenshot sizes and failures, and the
// window mode driven through the automation door.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

#include <cstdlib>
#include <thread>

#include "support.h"
#include "vesk_ui/automation.h"
#include "vesk_ui/backend.h"
#include "vesk_ui/demo.h"
#include "vesk_ui/launch.h"
#include "vesk_ui/offscreen.h"
#include "vesk_ui/shot.h"

namespace vesk_ui {
namespace {

using json = nlohmann::json;

launch::Description demo_description() {
    launch::Description d;
    d.app_id = "ex.vesk.toolkit-test";
    d.value_options = {"--size", "--path"};
    d.flag_options = {"--open-share-stdin"};
    d.scenes = {"grid", "select"};
    d.normal_factory = [](const launch::LaunchContext&) -> std::expected<WidgetBox, std::string> {
        return demo::make_demo_root();
    };
    d.shot_factory = [](const launch::ShotRequest& r) -> std::expected<void, std::string> {
        if (!r.output) return {};
        auto root = demo::make_demo_root();
        return shot::render_png_to(*root, shot::parse_size(r.args.value("--size"), r.default_size), *r.output);
    };
    d.initial_window_size = [] { return Size{640, 480}; };
    return d;
}

std::expected<void, std::string> run_with(std::vector<std::string> args) {
    args.insert(args.begin(), "file-explorer");
    auto d = demo_description();
    return launch::run(d, args);
}

struct SizeCase {
    const char* size;
    test::PngSize expected;
};

TEST(Launch, ShotSizeComesFromTheSizeOption) {
    const SizeCase cases[] = {
        {"800x600", {800, 600}}, {"800X600", {800, 600}}, {"320x200", {320, 200}},
        {"800", {1200, 720}},    {"800x", {1200, 720}},   {"wide x tall", {1200, 720}},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        const std::string out = dir / "shot.png";
        testing::internal::CaptureStdout();
        auto r = run_with({"--shot", "grid", "--output", out, "--size", c.size});
        const std::string printed = testing::internal::GetCapturedStdout();
        ASSERT_TRUE(r) << c.size << ": " << r.error();
        EXPECT_EQ(test::png_size(out), c.expected) << c.size;
        EXPECT_EQ(printed, "file-explorer: wrote shot to " + out + "\n");
    }
}

TEST(Launch, ShotCreatesParentFoldersAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const std::string out = dir / "a/b/shot.png";
    testing::internal::CaptureStdout();
    auto r = run_with({"--shot", "select", "--output", out, "--size", "400x300"});
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(r) << r.error();
    EXPECT_EQ(test::png_size(out), (test::PngSize{400, 300}));
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir / "a/b")) ++files;
    EXPECT_EQ(files, 1);
}

TEST(Launch, ShotWithoutOutputRendersNothing) {
    auto r = run_with({"--shot", "grid"});
    EXPECT_TRUE(r);
}

TEST(Launch, ShotWriteFailureNamesTheAtomicPublication) {
    test::TempDir dir;
    std::ofstream(dir / "file") << "x";
    auto r = run_with({"--shot", "grid", "--output", dir / "file/shot.png", "--size", "64x64"});
    ASSERT_FALSE(r);
    EXPECT_TRUE(r.error().starts_with("atomically publish png: ")) << r.error();
}

TEST(Launch, CommandLineErrors) {
    struct Case {
        std::vector<std::string> args;
        const char* contains;
    };
    const Case cases[] = {
        {{"--bogus"}, "unknown option"},
        {{"--shot"}, "missing value"},
        {{"--shot", "grid", "--output"}, "missing value"},
        {{"--shot", "sunset", "--output", "/tmp/x.png"}, "unknown scene"},
        {{"--output", "/tmp/x.png"}, "--shot"},
    };
    for (const auto& c : cases) {
        auto r = run_with(c.args);
        ASSERT_FALSE(r) << c.args.front();
        EXPECT_NE(r.error().find(c.contains), std::string::npos) << r.error();
    }
}

TEST(Launch, HelpListsModesOptionsAndScenes) {
    testing::internal::CaptureStdout();
    auto r = run_with({"--help"});
    const std::string text = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(r);
    for (const char* word : {"--shot SCENE", "--output", "--size", "--open-share-stdin", "grid", "select"})
        EXPECT_NE(text.find(word), std::string::npos) << word;
}

TEST(Launch, AutomationDoorRefusesToReplaceAFileThatIsNoSocket) {
    test::TempDir dir;
    const std::string path = dir / "not-a-socket";
    std::ofstream(path) << "keep me";
    setenv(automation_env, path.c_str(), 1);
    auto r = run_with({});
    unsetenv(automation_env);
    ASSERT_FALSE(r);
    EXPECT_NE(r.error().find("not a socket"), std::string::npos) << r.error();
    std::ifstream in(path);
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "keep me");
}

// The whole window path: launch, events through the loop, a rendered frame,
// and "quit" ending run().
TEST(Launch, WindowIsDrivenThroughTheDoor) {
    test::TempDir dir;
    const std::string path = test::unique_socket_path();
    setenv(automation_env, path.c_str(), 1);
    std::thread client([&] {
        test::DoorClient c(path);
        EXPECT_TRUE(c.connected());
        EXPECT_EQ(c.request(R"({"op":"wait_idle"})").value("result", ""), "idle");
        json snap = c.request(R"({"op":"snapshot"})");
        EXPECT_EQ(snap["result"]["root_rect"], json({0, 0, 640, 480}));
        c.request(R"({"op":"key","key":"ArrowDown"})");
        c.request(R"({"op":"key","key":"ArrowDown","mods":4})");
        EXPECT_EQ(c.request(R"({"op":"snapshot"})")["result"]["selected_indices"], json({0, 1}));
        // The button starts the status pill's fade: frames run until it is
        // shown, then the window goes quiet.
        c.request(R"({"op":"pointer","kind":"down","x":570,"y":33})");
        c.request(R"({"op":"pointer","kind":"up","x":570,"y":33})");
        EXPECT_EQ(c.request(R"({"op":"wait_idle","timeout_ms":3000})").value("result", ""), "idle");
        json render = c.call(json{{"op", "render"}, {"path", dir / "window.png"}});
        EXPECT_EQ(render.value("ok", false), true) << render.dump();
        EXPECT_EQ(test::png_size(dir / "window.png"), (test::PngSize{640, 480}));
        EXPECT_EQ(c.request(R"({"op":"quit"})").value("ok", false), true);
    });
    // A door that never quits fails the test instead of hanging it.
    ensure_gui_app(GuiMode::Offscreen);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        ADD_FAILURE() << "window did not close";
        for (QWindow* w : QGuiApplication::topLevelWindows()) w->close();
    });
    watchdog.start(60000);
    auto r = run_with({});
    unsetenv(automation_env);
    client.join();
    EXPECT_TRUE(r) << (r ? "" : r.error());
    struct stat st{};
    EXPECT_NE(::lstat(path.c_str(), &st), 0) << "socket left behind";
}

}  // namespace
}  // namespace vesk_ui
