// Process entry of Files. Until the explorer's root widget exists, the
// window shows the toolkit's demonstration root.
#include <spdlog/spdlog.h>

#include <cstdio>

#include "vesk_ui/demo.h"
#include "vesk_ui/launch.h"
#include "vesk_ui/offscreen.h"
#include "vesk_ui/shot.h"

namespace {

vesk_ui::launch::Description make_description() {
    vesk_ui::launch::Description d;
    d.app_id = "ex.vesk.file-explorer";
    d.value_options = {"--size", "--path"};
    d.flag_options = {"--open-share-stdin"};
    d.scenes = {"archive", "archive-menu", "context-menu", "dropmove", "error", "grid", "history",
                "loading", "menu", "pindrag", "places", "remote-account", "rename", "reorder",
                "select", "status", "sync", "thumbnails", "thumbnails-fs", "undo-trash"};
    d.normal_factory = [](const vesk_ui::launch::LaunchContext&) -> std::expected<vesk_ui::WidgetBox, std::string> {
        return vesk_ui::demo::make_demo_root();
    };
    d.shot_factory = [](const vesk_ui::launch::ShotRequest& request) -> std::expected<void, std::string> {
        if (!request.output) return {};
        vesk_ui::Size size = vesk_ui::shot::parse_size(request.args.value("--size"), request.default_size);
        auto root = vesk_ui::demo::make_demo_root();
        return vesk_ui::shot::render_png_to(*root, size, *request.output);
    };
    d.initial_window_size = [] { return vesk_ui::Size{1280, 800}; };
    d.second_callback = [] { return 1; };
    return d;
}

}  // namespace

int main() {
    spdlog::set_level(spdlog::level::info);
    auto description = make_description();
    if (auto result = vesk_ui::launch::run(description); !result) {
        std::fprintf(stderr, "Error: %s\n", result.error().c_str());
        return 1;
    }
    return 0;
}
