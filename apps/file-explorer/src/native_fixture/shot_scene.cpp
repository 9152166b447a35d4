#include "native_fixture/shot_scene.h"

#include <cstdlib>

#include "files_app/explorer_widget.h"
#include "fileops/paths.h"
#include "native_fixture/decoders.h"
#include "native_fixture/fixtures.h"
#include "vesk_ui/backend.h"
#include "vesk_ui/offscreen.h"
#include "vesk_ui/shot.h"
#include "vesk_ui/theme.h"

namespace file_explorer::native_fixture {

namespace {

using files_app::FileExplorerWidget;

// Puts the widget into the state a scene shows.
void apply_scene_state(FileExplorerWidget& root, const std::string& scene) {
    const auto now = vesk_ui::Clock::now();
    if (scene == "grid" || scene == "thumbnails" || scene == "thumbnails-fs") {
        root.set_view_mode(model::ViewMode::Grid);
    } else if (scene == "select") {
        for (std::size_t i : {std::size_t{7}, std::size_t{8}})
            if (i < root.entries().size()) root.selection().toggle(i);
        root.show_status_bubble(now);
    } else if (scene == "status") {
        root.show_status_bubble(now);
    } else if (scene == "rename") {
        if (root.entries().size() > 3) {
            root.selection().select_only(3);
            root.start_rename();
        }
    } else if (scene == "places") {
        root.show_sidebar_for_scene();
    } else if (scene == "reorder") {
        root.set_favourite_drag_for_scene(4, 1);
    } else if (scene == "pindrag") {
        root.set_drag_for_scene({fileops::join_path(root.location(), "Development")}, {150, 300});
    } else if (scene == "dropmove") {
        for (const auto& entry : root.entries()) {
            if (entry.is_dir) continue;
            root.set_drag_for_scene({entry.path}, root.sidebar_row_centre(0));
            break;
        }
    } else if (scene == "loading") {
        root.set_loading_for_scene(true);
    } else if (scene == "error") {
        root.set_load_error_for_scene("Permission denied");
    }
}

// Scenes with a menu open. The widget is laid out at the shot's size first,
// so that the menus are placed inside the window.
void open_scene_menus(FileExplorerWidget& root, const std::string& scene, vesk_ui::Size size) {
    if (scene != "menu" && scene != "archive-menu" && scene != "undo-trash" && scene != "context-menu") return;
    root.build_layout();
    root.apply_layout(vesk_ui::Rect::from_xywh(0, 0, size.width, size.height));
    if (scene == "undo-trash") root.set_trash_undo_for_scene(fileops::TrashUndoRecord{});
    if (scene != "context-menu") {
        root.open_view_options_menu();
        return;
    }
    root.open_item_menu(0.45f * size.width, 0.34f * size.height);
    root.open_template_menu_beside(false);
}

}  // namespace

std::expected<void, std::string> render_shot(const vesk_ui::launch::ShotRequest& request) {
    if (!request.output) return {};
    const vesk_ui::Size size = vesk_ui::shot::parse_size(request.args.value("--size"), request.default_size);
    vesk_ui::install_qt_backend(vesk_ui::GuiMode::Offscreen);

    files_app::ExplorerConfig config = files_app::ExplorerConfig::defaults();
    config.thumbnail_decoders = image_decoders();
    std::optional<std::string> start = request.args.value("--path");
    if (auto fixture = prepare_fixture(request.scene)) {
        // The fixture is the demonstration's only workspace root.
        ::setenv("VESK_WORKSPACE_ROOTS", fixture->c_str(), 1);
        config.fixed_workspace_roots = std::vector<std::string>{*fixture};
        start = *fixture;
    }
    FileExplorerWidget root(std::move(config), start);
    root.set_static_rendering(true);
    apply_scene_state(root, request.scene);
    open_scene_menus(root, request.scene, size);
    if ((request.scene == "thumbnails" || request.scene == "thumbnails-fs") && root.thumbnails()) {
        // A first frame asks for the visible pictures; the shot waits for them.
        if (auto first = vesk_ui::offscreen::OffscreenRenderer::new_(int(size.width), int(size.height))) {
            (void)first->render_resilient(root, vesk_ui::launch::shot_theme());
            root.thumbnails()->wait_idle(std::chrono::seconds(10));
        }
    }
    return vesk_ui::shot::render_png_to(root, size, *request.output);
}

}  // namespace file_explorer::native_fixture
