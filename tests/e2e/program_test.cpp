// The real program, run as a user or a test client would run it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "program_harness.h"
#include "vesk_ui/backend.h"
#include "vesk_ui/image_codec.h"

namespace fs = std::filesystem;
using e2e::AutomatedProgram;
using e2e::TempFolder;

namespace {

// A private home, configuration and data folder for each run.
std::map<std::string, std::string> isolated_env(const TempFolder& sandbox) {
    return {{"HOME", sandbox.path},
            {"VESK_UI_HOME", sandbox.path},
            {"XDG_CONFIG_HOME", sandbox.path + "/.config"},
            {"XDG_STATE_HOME", sandbox.path + "/.state"},
            {"XDG_DATA_HOME", sandbox.path + "/.data"},
            {"VESK_WORKSPACE_ROOTS", ""},
            {"LANG", "en_US.UTF-8"},
            {"LC_ALL", ""},
            {"LANGUAGE", ""}};
}

void fill_folder(const std::string& dir) {
    for (const char* d : {"Alpha", "Beta"}) fs::create_directories(fs::path(dir) / d);
    for (int i = 0; i < 12; ++i) std::ofstream(fs::path(dir) / ("note " + std::to_string(i) + ".txt")) << "text " << i;
}

struct Picture {
    int width = 0;
    int height = 0;
    std::size_t colours = 0;
};

Picture read_png(const std::string& path) {
    vesk_ui::ensure_gui_app();
    auto image = vesk_ui::image_codec::decode_file(path, 0);
    if (!image) return {};
    std::set<std::uint32_t> colours(image->pixels->begin(), image->pixels->end());
    return {image->width, image->height, colours.size()};
}

}  // namespace

TEST(ProgramShots, ListAndGridShowTheFolder) {
    TempFolder sandbox, folder;
    fill_folder(folder.path);
    for (const char* scene : {"status", "grid"}) {
        const std::string out = sandbox.path + "/shots/" + scene + ".png";
        auto run = e2e::run_program({"--shot", scene, "--output", out, "--path", folder.path, "--size", "900x600"},
                                    isolated_env(sandbox));
        ASSERT_EQ(run.exit_code, 0) << run.err;
        EXPECT_EQ(run.out, "file-explorer: wrote shot to " + out + "\n");
        const Picture picture = read_png(out);
        EXPECT_EQ(picture.width, 900);
        EXPECT_EQ(picture.height, 600);
        // Icons, text and selection paint many colours; a blank frame has one or two.
        EXPECT_GT(picture.colours, 30u) << scene;
    }
}

TEST(ProgramShots, SizeOptionAndFallback) {
    TempFolder sandbox, folder;
    const std::pair<const char*, std::pair<int, int>> cases[] = {
        {"800x600", {800, 600}}, {"800X600", {800, 600}}, {"800", {1200, 720}}, {"axb", {1200, 720}}};
    for (auto [size, want] : cases) {
        const std::string out = sandbox.path + "/size.png";
        auto run = e2e::run_program({"--shot", "select", "--output", out, "--path", folder.path, "--size", size},
                                    isolated_env(sandbox));
        ASSERT_EQ(run.exit_code, 0) << run.err;
        const Picture picture = read_png(out);
        EXPECT_EQ(picture.width, want.first) << size;
        EXPECT_EQ(picture.height, want.second) << size;
    }
}

TEST(ProgramLaunch, BadArgumentsEndWithAnError) {
    TempFolder sandbox;
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"}, {"--shot", "nope", "--output", sandbox.path + "/x.png"}, {"--size"}};
    for (const auto& args : cases) {
        auto run = e2e::run_program(args, isolated_env(sandbox));
        EXPECT_EQ(run.exit_code, 1) << args.front();
        EXPECT_EQ(run.err.rfind("Error: ", 0), 0u) << run.err;
    }
}

TEST(ProgramAutomation, NavigateSelectAndSeeChangesFromOutside) {
    TempFolder sandbox, folder;
    fill_folder(folder.path);
    AutomatedProgram program({folder.path}, isolated_env(sandbox));
    ASSERT_TRUE(program.connected());

    auto first = program.snapshot();
    EXPECT_EQ(first["directory"], folder.path);
    EXPECT_EQ(first["entry_count"], 14);
    EXPECT_TRUE(first["ready"]);

    // Keyboard: a Shift range, then Home and Enter open the first folder.
    program.key("ArrowDown");
    program.key("ArrowDown", 0x4);
    auto selected = program.snapshot();
    EXPECT_EQ(selected["selected_names"], nlohmann::json::array({"Alpha", "Beta"}));
    program.key("Home");
    program.key("Enter");
    EXPECT_EQ(program.snapshot()["directory"], folder.path + "/Alpha");
    program.key("Backspace");
    auto back = program.snapshot();
    EXPECT_EQ(back["directory"], folder.path);
    EXPECT_EQ(back["order_hash"], first["order_hash"]);

    // A file made outside the program appears within about a second.
    std::ofstream(fs::path(folder.path) / "0 fresh.txt") << "new";
    nlohmann::json now;
    for (int i = 0; i < 30; ++i) {
        program.request({{"op", "wait_idle"}, {"timeout_ms", 2000}});
        now = program.snapshot();
        if (now["entry_count"] == 15) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(now["entry_count"], 15);
    EXPECT_NE(now["order_hash"], first["order_hash"]);

    // The door answers bad requests with errors and keeps serving.
    EXPECT_FALSE(program.request({{"op", "no-such-op"}})["ok"]);
    EXPECT_TRUE(program.request({{"op", "snapshot"}})["ok"]);
}
