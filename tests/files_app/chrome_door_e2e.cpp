// The window's chrome end to end through the automation door: a path typed
// with completion, the places and toolbar in the accessibility tree, a file
// dragged onto a place. The root widget is served in-process by the
// toolkit's window-less host; a client thread speaks the door's protocol.
#include <gtest/gtest.h>

#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "files_app/explorer_widget.h"
#include "support.h"
#include "vesk_ui/automation.h"

namespace {

using json = nlohmann::json;
using file_explorer::files_app::ExplorerConfig;
using file_explorer::files_app::FileExplorerWidget;
using vesk_ui::test::DoorClient;
namespace fs = std::filesystem;

json ok(DoorClient& c, const json& request) {
    json reply = c.call(request);
    EXPECT_EQ(reply.value("ok", false), true) << request.dump() << " -> " << reply.dump();
    return reply.is_object() && reply.contains("result") ? reply["result"] : json();
}

void press(DoorClient& c, const std::string& key, int mods = 0) {
    ok(c, {{"op", "key"}, {"key", key}, {"mods", mods}});
}

void type(DoorClient& c, const std::string& text) {
    for (char ch : text) ok(c, {{"op", "key"}, {"text", std::string(1, ch)}});
}

void idle(DoorClient& c) { ok(c, {{"op", "wait_idle"}, {"timeout_ms", 10000}}); }

// The first node, depth first, that `match` accepts.
const json* find_node(const json& node, const std::function<bool(const json&)>& match) {
    if (match(node)) return &node;
    if (node.contains("children"))
        for (const json& child : node["children"])
            if (const json* found = find_node(child, match)) return found;
    return nullptr;
}

std::size_t count_labelled(const json& node, const std::string& label) {
    std::size_t n = node.value("label", "") == label ? 1 : 0;
    if (node.contains("children"))
        for (const json& child : node["children"]) n += count_labelled(child, label);
    return n;
}

const json* by_label(const json& tree, const std::string& label) {
    return find_node(tree, [&](const json& n) { return n.value("label", "") == label; });
}

float centre_x(const json& node) { return (node["rect"][0].get<float>() + node["rect"][2].get<float>()) / 2; }
float centre_y(const json& node) { return (node["rect"][1].get<float>() + node["rect"][3].get<float>()) / 2; }

class ChromeDoor : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("LC_ALL", "en_US.UTF-8", 1);
        root_ = fs::temp_directory_path() / ("chrome-door-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        home_ = (root_ / "home").string();
        for (const char* d : {"Documents/Reports/2026", "Documents/Receipts", "Downloads", "config"})
            fs::create_directories(fs::path(home_) / d);
        std::ofstream(fs::path(home_) / "notes.txt") << "notes";
    }
    void TearDown() override { fs::remove_all(root_); }

    // Serves a root widget opened at the home folder while `body` runs as a
    // client; the client's final "quit" ends the loop.
    void with_door(const std::function<void(DoorClient&)>& body) {
        ExplorerConfig config;
        config.home = home_;
        config.config_dir = home_ + "/config/vesk-files";
        config.user_dirs = vesk_ui::sysdirs::UserDirs::from_text(
            "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n", home_);
        config.fixed_workspace_roots = std::vector<std::string>{};
        const std::string socket = vesk_ui::test::unique_socket_path();
        auto host = vesk_ui::AutomationHost::create(std::make_unique<FileExplorerWidget>(std::move(config), home_),
                                                    {1200, 720}, socket);
        ASSERT_TRUE(host) << host.error();
        std::thread client([&] {
            DoorClient c(socket);
            EXPECT_TRUE(c.connected());
            body(c);
            EXPECT_EQ(c.request(R"({"op":"quit"})").value("ok", false), true);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            ADD_FAILURE() << "door did not quit";
            (*host)->stop();
        });
        watchdog.start(60000);
        (*host)->run();
        client.join();
    }

    fs::path root_;
    std::string home_;
};

TEST_F(ChromeDoor, ATypedPathWithCompletionOpensOnEnter) {
    with_door([&](DoorClient& c) {
        EXPECT_EQ(ok(c, {{"op", "snapshot"}})["directory"], home_);
        ok(c, {{"op", "key"}, {"text", "l"}, {"mods", 32}});  // Control + L
        json tree = ok(c, {{"op", "accessibility"}});
        const json* field = find_node(tree, [](const json& n) { return n.value("id", "") == "files.path_input"; });
        ASSERT_NE(field, nullptr);
        EXPECT_EQ((*field)["value"], "~");

        type(c, "~/Do");
        idle(c);  // completion runs in slices between frames
        tree = ok(c, {{"op", "accessibility"}});
        field = find_node(tree, [](const json& n) { return n.value("id", "") == "files.path_input"; });
        ASSERT_NE(field, nullptr);
        ASSERT_EQ((*field)["children"].size(), 1u);
        const json& list = (*field)["children"][0];
        ASSERT_EQ(list["children"].size(), 2u);
        EXPECT_EQ(list["children"][0]["label"], "Documents");
        EXPECT_EQ(list["children"][1]["label"], "Downloads");

        press(c, "Tab");  // takes the first: ~/Documents/
        type(c, "rep");   // any case
        idle(c);
        press(c, "ArrowDown");
        press(c, "Enter");  // takes the highlighted suggestion
        tree = ok(c, {{"op", "accessibility"}});
        field = find_node(tree, [](const json& n) { return n.value("id", "") == "files.path_input"; });
        ASSERT_NE(field, nullptr);
        EXPECT_EQ((*field)["value"], "~/Documents/Reports/");
        press(c, "Enter");  // submits

        json snap = ok(c, {{"op", "snapshot"}});
        EXPECT_EQ(snap["directory"], home_ + "/Documents/Reports");
        EXPECT_EQ(snap["entry_count"], 1);
        tree = ok(c, {{"op", "accessibility"}});
        EXPECT_EQ(find_node(tree, [](const json& n) { return n.value("id", "") == "files.path_input"; }), nullptr);
        const json* crumbs = by_label(tree, "Breadcrumbs");
        ASSERT_NE(crumbs, nullptr);
        ASSERT_EQ((*crumbs)["children"].size(), 3u);
        EXPECT_EQ((*crumbs)["children"][0]["label"], "Open " + home_);
    });
}

TEST_F(ChromeDoor, PlacesAndToolbarReachTheTreeAndTakeDrops) {
    with_door([&](DoorClient& c) {
        json tree = ok(c, {{"op", "accessibility"}});
        // Each part is described once.
        for (const char* label : {"Places", "Breadcrumbs", "Files", "Back", "notes.txt"})
            EXPECT_EQ(count_labelled(tree, label), 1u) << label;
        const json* places = by_label(tree, "Places");
        ASSERT_NE(places, nullptr);
        std::vector<std::string> labels;
        for (const json& p : (*places)["children"]) labels.push_back(p["label"]);
        EXPECT_EQ(labels, (std::vector<std::string>{"Home", "Documents", "Downloads", "Root", "Trash"}));
        EXPECT_EQ((*places)["children"][0]["description"], "Favourite, " + home_);
        const json* toolbar = find_node(tree, [](const json& n) { return n.value("role", "") == "toolbar"; });
        ASSERT_NE(toolbar, nullptr);
        EXPECT_NE(by_label(*toolbar, "Back"), nullptr);
        EXPECT_NE(by_label(*toolbar, "View options"), nullptr);

        // Drag notes.txt from the list onto the Downloads place.
        const json* notes = by_label(tree, "notes.txt");
        const json* place = by_label(*places, "Downloads");
        ASSERT_NE(notes, nullptr);
        ASSERT_NE(place, nullptr);
        const json downloads = *place;  // the tree is read again below
        const float x = centre_x(*notes), y = centre_y(*notes);
        ok(c, {{"op", "pointer"}, {"kind", "move"}, {"x", x}, {"y", y}});
        ok(c, {{"op", "pointer"}, {"kind", "down"}, {"x", x}, {"y", y}, {"button", "primary"}});
        ok(c, {{"op", "pointer"}, {"kind", "move"}, {"x", x - 40}, {"y", y + 20}});
        ok(c, {{"op", "pointer"}, {"kind", "move"}, {"x", centre_x(downloads)}, {"y", centre_y(downloads)}});
        ok(c, {{"op", "pointer"}, {"kind", "up"}, {"x", centre_x(downloads)}, {"y", centre_y(downloads)},
               {"button", "primary"}});
        EXPECT_TRUE(fs::exists(fs::path(home_) / "Downloads" / "notes.txt"));
        EXPECT_FALSE(fs::exists(fs::path(home_) / "notes.txt"));
        tree = ok(c, {{"op", "accessibility"}});
        EXPECT_EQ(by_label(tree, "notes.txt"), nullptr);  // the folder was read again

        // The place's action opens it.
        ok(c, {{"op", "invoke"}, {"action", "files.open"}, {"class", 2},
               {"payload", home_ + "/Downloads"}, {"resource", downloads["id"]}});
        EXPECT_EQ(ok(c, {{"op", "snapshot"}})["directory"], home_ + "/Downloads");
    });
}

}  // namespace
