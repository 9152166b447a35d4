// The automation door: when VESK_UI_AUTOMATION names a socket path, the
// toolkit serves newline-delimited JSON requests on that Unix socket from its
// loop. Each request is one JSON object with "op"; each reply is one line,
// {"ok": true, "result": ...} or {"ok": false, "error": "text"}.
//
//   {"op":"snapshot"}        the root's automation snapshot
//   {"op":"accessibility"}   the accessibility tree (role, label, description,
//                            value, id, flags, rect [l,t,r,b], children)
//   {"op":"resources"}       resources with their operations
//   {"op":"invoke","action":..,"class":1|2,"payload":..,"resource":..,"args":{..}}
//                            "success" | "not_handled", or the failure as error
//   {"op":"key","key":"ArrowDown","mods":4} / {"op":"key","text":"?"}
//   {"op":"pointer","kind":"move"|"down"|"up"|"leave","x":..,"y":..,"button":"primary"|"secondary"|"middle"}
//   {"op":"wheel","dx":0,"dy":-1,"mods":32}
//   {"op":"render","path":"/abs/file.png"}
//   {"op":"wait_idle","timeout_ms":5000}
//   {"op":"quit"}
//
// Positions are logical units. A request is handled to its end (events
// dispatched, layout updated) before its reply is written.
#pragma once

#include <expected>
#include <memory>
#include <string>

#include "vesk_ui/geometry.h"
#include "vesk_ui/widget.h"

namespace vesk_ui {

inline constexpr const char* automation_env = "VESK_UI_AUTOMATION";

// A root widget served through the door without a window: frames are drawn
// off screen at a fixed logical size. For test harnesses (run them with
// QT_QPA_PLATFORM=offscreen or let the host choose it).
class AutomationHost {
public:
    static std::expected<std::unique_ptr<AutomationHost>, std::string> create(WidgetBox root, Size logical_size,
                                                                              const std::string& socket_path,
                                                                              float scale = 1.0f);
    ~AutomationHost();
    AutomationHost(const AutomationHost&) = delete;
    AutomationHost& operator=(const AutomationHost&) = delete;

    Widget& root();
    // Runs the loop until a "quit" request or stop(); returns then.
    void run();
    void stop();

private:
    struct Impl;
    explicit AutomationHost(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace vesk_ui
