// Process entry of Files: installs logging, describes the application to the
// toolkit and supplies the factories that build the root widget.
#include <spdlog/spdlog.h>
#include <unistd.h>

#include <cstdio>

#include "files_app/explorer_widget.h"
#include "files_app/launch_support.h"
#include "i18n/i18n.h"
#include "native_fixture/decoders.h"
#include "native_fixture/shot_scene.h"
#include "vesk_ui/launch.h"
#include "vesk_ui/persist.h"

namespace {

using file_explorer::files_app::FileExplorerWidget;
using file_explorer::files_app::LinkOutcome;
namespace fa = file_explorer::files_app;
namespace i18n = file_explorer::i18n;

const vesk_ui::launch::AppManifest kManifest{
    "ex.vesk.file-explorer", {{2, "selected-file", "Selected file"}}};

// Reads the shared-file link from standard input when asked to. Admitting a
// received link needs the platform's received-file service, which this build
// does not reach.
LinkOutcome read_link_outcome(const std::vector<std::string>& argv) {
    bool wanted = false;
    for (const auto& arg : argv) wanted = wanted || arg == "--open-share-stdin";
    if (!wanted) return {};
    LinkOutcome outcome;
    outcome.kind = LinkOutcome::Kind::Message;
    auto link = fa::read_share_link(STDIN_FILENO);
    outcome.message = i18n::tr(link ? "files-received-unavailable" : link.error());
    return outcome;
}

std::expected<vesk_ui::WidgetBox, std::string> make_root(const vesk_ui::launch::LaunchContext& context) {
    const LinkOutcome link = read_link_outcome(context.args.all());
    std::optional<std::string> start;
    if (link.kind == LinkOutcome::Kind::None && !context.args.positional().empty()) {
        char cwd[4096];
        const std::string here = ::getcwd(cwd, sizeof cwd) ? cwd : "";
        auto absolute = fa::make_absolute(context.args.positional().front(), here);
        if (!absolute) return std::unexpected(absolute.error());
        start = *absolute;
    }
    fa::ExplorerConfig config = fa::ExplorerConfig::defaults();
    config.thumbnail_decoders = file_explorer::native_fixture::image_decoders();
    auto root = std::make_unique<FileExplorerWidget>(std::move(config), start);
    switch (link.kind) {
        case LinkOutcome::Kind::Message: root->set_status(link.message); break;
        case LinkOutcome::Kind::Admitted: root->set_status(i18n::tr("files-received-admitted")); break;
        case LinkOutcome::Kind::Open:
            root->navigate(link.path);
            root->set_status(i18n::tr(link.single_file ? "files-received-file" : "files-received-mount-starting"));
            break;
        case LinkOutcome::Kind::None: break;
    }
    return root;
}

std::expected<vesk_ui::PersistedDocument, std::string> open_persisted() {
    auto document = vesk_ui::persist::open("ex.vesk.file-explorer");
    if (!document) return document;
    const std::string label = fa::actor_label([](const char* name) { return fa::env_utf8(name); }, document->actor());
    vesk_ui::diag::write_line("file-explorer: persisted document writer identity is " + label);
    document->set_actor(std::vector<std::uint8_t>(label.begin(), label.end()));
    return document;
}

vesk_ui::launch::Description make_description() {
    vesk_ui::launch::Description d;
    d.app_id = "ex.vesk.file-explorer";
    d.value_options = {"--size", "--path"};
    d.flag_options = {"--open-share-stdin"};
    d.scenes = {"archive", "archive-menu", "context-menu", "dropmove", "error", "grid", "history",
                "loading", "menu", "pindrag", "places", "remote-account", "rename", "reorder",
                "select", "status", "sync", "thumbnails", "thumbnails-fs", "undo-trash"};
    d.manifest = &kManifest;
    d.normal_factory = make_root;
    d.shot_factory = file_explorer::native_fixture::render_shot;
    d.window_count = 1;
    d.initial_window_size = [] { return vesk_ui::Size{1280, 800}; };
    d.second_callback = [] { return 1; };
    d.open_persisted = open_persisted;
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
