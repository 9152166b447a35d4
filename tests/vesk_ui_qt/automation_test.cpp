// The automation door, driven by a client thread against the demo root.
#include <gtest/gtest.h>

#include <QTimer>

#include <functional>
#include <string>
#include <thread>

#include "support.h"
#include "vesk_ui/automation.h"
#include "vesk_ui/demo.h"

namespace vesk_ui {
namespace {

using json = nlohmann::json;

// Demo layout at 640 x 480: rows start at y = 100 and are 32 units tall.
constexpr float kRowX = 100;
float row_y(int i) { return 116.0f + 32.0f * float(i); }
const Point kButton{640 - 16 - 56, 33};

json ok_result(test::DoorClient& c, const json& request) {
    json reply = c.call(request);
    EXPECT_EQ(reply.value("ok", false), true) << request.dump() << " -> " << reply.dump();
    return reply.is_object() && reply.contains("result") ? reply["result"] : json();
}

std::string error_of(test::DoorClient& c, const std::string& line) {
    json reply = c.request(line);
    EXPECT_TRUE(reply.is_object()) << line;
    if (!reply.is_object()) return {};
    EXPECT_EQ(reply.value("ok", true), false) << line;
    return reply.value("error", "");
}

void click(test::DoorClient& c, Point p, const char* button = "primary", int mods = 0) {
    ok_result(c, {{"op", "pointer"}, {"kind", "down"}, {"x", p.x}, {"y", p.y}, {"button", button}, {"mods", mods}});
    ok_result(c, {{"op", "pointer"}, {"kind", "up"}, {"x", p.x}, {"y", p.y}, {"button", button}, {"mods", mods}});
}

json selected(test::DoorClient& c) { return ok_result(c, {{"op", "snapshot"}})["selected_indices"]; }

// Serves the demo root without a window on this thread while `body` runs as
// a client on another; the client's final "quit" ends the loop.
void with_demo_door(const std::function<void(test::DoorClient&)>& body) {
    const std::string path = test::unique_socket_path();
    auto host = AutomationHost::create(demo::make_demo_root(), {640, 480}, path);
    ASSERT_TRUE(host) << host.error();
    std::thread client([&] {
        test::DoorClient c(path);
        EXPECT_TRUE(c.connected());
        body(c);
        EXPECT_EQ(c.request(R"({"op":"quit"})").value("ok", false), true);
    });
    // A door that never answers "quit" fails the test instead of hanging it.
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

TEST(AutomationDoor, SnapshotAndAccessibilityDescribeTheRoot) {
    with_demo_door([](test::DoorClient& c) {
        json snap = ok_result(c, {{"op", "snapshot"}});
        EXPECT_EQ(snap["rows"], 200);
        EXPECT_EQ(snap["selected_indices"], json::array());
        EXPECT_EQ(snap["root_rect"], json({0, 0, 640, 480}));

        json tree = ok_result(c, {{"op", "accessibility"}});
        EXPECT_EQ(tree["role"], "window");
        EXPECT_EQ(tree["label"], "Files toolkit demo");
        ASSERT_EQ(tree["children"].size(), 3u);
        const json& button = tree["children"][1];
        EXPECT_EQ(button["role"], "button");
        EXPECT_EQ(button["id"], "demo-select-all");
        EXPECT_EQ(button["rect"], json({512, 18, 624, 48}));
        const json& list = tree["children"][2];
        ASSERT_FALSE(list["children"].empty());
        EXPECT_EQ(list["children"][0]["label"], "Folder 001");
        EXPECT_EQ(list["children"][0]["role"], "list_item");
    });
}

TEST(AutomationDoor, KeysMoveTheSelection) {
    with_demo_door([](test::DoorClient& c) {
        ok_result(c, {{"op", "key"}, {"key", "ArrowDown"}});
        EXPECT_EQ(selected(c), json({0}));
        ok_result(c, {{"op", "key"}, {"key", "ArrowDown"}});
        ok_result(c, {{"op", "key"}, {"key", "ArrowDown"}, {"mods", 4}});
        json snap = ok_result(c, {{"op", "snapshot"}});
        EXPECT_EQ(snap["selected_indices"], json({1, 2}));
        EXPECT_EQ(snap["primary_index"], 2);
        ok_result(c, {{"op", "key"}, {"key", "End"}});
        snap = ok_result(c, {{"op", "snapshot"}});
        EXPECT_EQ(snap["selected_indices"], json({199}));
        EXPECT_GT(snap["offset_y"].get<double>(), 0.0);
        json handled = ok_result(c, {{"op", "key"}, {"text", "a"}, {"mods", 32}});
        EXPECT_EQ(handled["handled"], true);
        EXPECT_EQ(selected(c).size(), 200u);
    });
}

TEST(AutomationDoor, PointerClicksSelectLikeADesktop) {
    with_demo_door([](test::DoorClient& c) {
        click(c, {kRowX, row_y(3)});
        EXPECT_EQ(selected(c), json({3}));
        click(c, {kRowX, row_y(5)}, "primary", 4);  // Shift: range from the anchor
        EXPECT_EQ(selected(c), json({3, 4, 5}));
        click(c, {kRowX, row_y(4)}, "primary", 32);  // Control: toggle
        EXPECT_EQ(selected(c), json({3, 5}));
        click(c, {kRowX, row_y(7)}, "secondary");
        json snap = ok_result(c, {{"op", "snapshot"}});
        EXPECT_EQ(snap["selected_indices"], json({7}));
        EXPECT_EQ(snap["status"], "Menu for Item 008.ods");
        click(c, {kRowX, row_y(2)});
        click(c, {kRowX, row_y(2)});  // second press within the interval
        EXPECT_EQ(ok_result(c, {{"op", "snapshot"}})["status"], "Opened Item 003.png");
    });
}

TEST(AutomationDoor, WheelScrollsTheList) {
    with_demo_door([](test::DoorClient& c) {
        ok_result(c, {{"op", "wheel"}, {"x", kRowX}, {"y", 200}, {"dy", -2}});
        EXPECT_EQ(ok_result(c, {{"op", "snapshot"}})["offset_y"], 96.0);
    });
}

TEST(AutomationDoor, RenderWritesAPngOfTheWindowSize) {
    test::TempDir dir;
    with_demo_door([&](test::DoorClient& c) {
        const std::string out = dir / "frames/now.png";
        json result = ok_result(c, {{"op", "render"}, {"path", out}});
        EXPECT_EQ(result["width"], 640);
        EXPECT_EQ(result["height"], 480);
        EXPECT_EQ(test::png_size(out), (test::PngSize{640, 480}));
        EXPECT_FALSE(error_of(c, R"({"op":"render","path":"relative.png"})").empty());
    });
}

TEST(AutomationDoor, BadRequestsGetErrorsAndTheDoorKeepsAnswering) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    const char* bad[] = {
        "not json",
        "[1,2]",
        "{}",
        R"({"op":7})",
        R"({"op":"fly"})",
        R"({"op":"key"})",
        R"({"op":"key","key":"A","text":"b"})",
        R"({"op":"key","key":"ArrowDown","mods":-1})",
        R"({"op":"pointer","kind":"down","x":"1","y":2})",
        R"({"op":"pointer","kind":"hop","x":1,"y":1})",
        R"({"op":"pointer","kind":"move","x":1e308,"y":1})",
        R"({"op":"pointer","kind":"down","x":1,"y":1,"button":"fourth"})",
        R"({"op":"wait_idle","timeout_ms":-1})",
        R"({"op":"render"})",
        R"({"op":"invoke"})",
        R"({"op":"invoke","action":"demo.select","class":3})",
        R"({"op":"invoke","action":"demo.select","payload":"row","args":{"value":3}})",
    };
    with_demo_door([&](test::DoorClient& c) {
        for (const char* line : bad) EXPECT_FALSE(error_of(c, line).empty()) << line;
        EXPECT_FALSE(error_of(c, deep).empty());
        // Longer than the 1 MiB limit: one error, then the next request.
        c.send_raw(std::string((1 << 20) + 100, 'x') + "\n");
        c.send_raw("{\"op\":\"snapshot\"}\n");
        json oversized = json::parse(c.read_line().value_or("null"), nullptr, false);
        EXPECT_EQ(oversized.value("ok", true), false);
        EXPECT_NE(oversized.value("error", "").find("longer"), std::string::npos);
        json next = json::parse(c.read_line().value_or("null"), nullptr, false);
        EXPECT_EQ(next.value("ok", false), true);
        // Blank lines are no requests; the snapshot after them still answers.
        EXPECT_EQ(c.request("\n\r\n{\"op\":\"snapshot\"}").value("ok", false), true);
    });
}

TEST(AutomationDoor, ResourcesAndInvocations) {
    with_demo_door([](test::DoorClient& c) {
        json resources = ok_result(c, {{"op", "resources"}});
        ASSERT_EQ(resources.size(), 1u);
        EXPECT_EQ(resources[0]["id"], "demo.list");
        ASSERT_EQ(resources[0]["operations"].size(), 2u);
        const json& op = resources[0]["operations"][1];
        EXPECT_EQ(op["payload"], "row");
        EXPECT_EQ(op["class"], 1);
        EXPECT_EQ(op["text_argument"]["name"], "value");
        EXPECT_TRUE(op["unavailable"].is_null());

        json select5 = {{"op", "invoke"}, {"action", "demo.select"}, {"class", 1}, {"payload", "row"},
                        {"resource", "demo.list"}, {"args", {{"value", "5"}}}};
        EXPECT_EQ(ok_result(c, select5), "success");
        EXPECT_EQ(selected(c), json({4}));
        select5["args"]["value"] = "999";
        EXPECT_EQ(error_of(c, select5.dump()), "no row \"999\"");
        EXPECT_EQ(ok_result(c, {{"op", "invoke"}, {"action", "files.unknown"}}), "not_handled");
    });
}

TEST(AutomationDoor, WaitIdleWaitsForTheAnimationAndKeepsOrder) {
    with_demo_door([](test::DoorClient& c) {
        click(c, kButton);  // shows the status bubble, which fades in
        EXPECT_NE(error_of(c, R"({"op":"wait_idle","timeout_ms":0})").find("not idle"), std::string::npos);
        c.send_raw("{\"op\":\"wait_idle\",\"timeout_ms\":5000}\n{\"op\":\"snapshot\"}\n");
        json idle = json::parse(c.read_line().value_or("null"), nullptr, false);
        EXPECT_EQ(idle.value("result", ""), "idle");
        json snap = json::parse(c.read_line().value_or("null"), nullptr, false);
        EXPECT_EQ(snap["result"]["button_presses"], 1);
    });
}

}  // namespace
}  // namespace vesk_ui
