// launch::run: the command line, then one screenshot or the window and its
// loop.
#include <QEventLoop>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <fmt/format.h>

#include "automation_server.h"
#include "window.h"
#include "vesk_ui/automation.h"
#include "vesk_ui/backend.h"
#include "vesk_ui/launch.h"
#include "vesk_ui/theme.h"

namespace vesk_ui::launch {

namespace {

constexpr Size kDefaultWindowSize{1280, 800};

// The process's own arguments, read back from the kernel since run() is
// not handed argv.
std::vector<std::string> process_arguments() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\0', start);
        if (end == std::string::npos) end = all.size();
        out.emplace_back(all.substr(start, end - start));
        start = end + 1;
    }
    if (out.empty()) out.emplace_back("file-explorer");
    return out;
}

std::string program_name(const std::vector<std::string>& argv) {
    if (argv.empty() || argv.front().empty()) return "file-explorer";
    const std::string& p = argv.front();
    auto slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::expected<void, std::string> run_shot(Description& d, const LaunchArgs& args) {
    if (!d.shot_factory) return std::unexpected(std::string("this application has no screenshot mode"));
    install_qt_backend(GuiMode::Offscreen);
    ShotRequest request{args, args.output(), args.scene().value_or(""), std::nullopt};
    return d.shot_factory(request);
}

std::expected<void, std::string> run_window(Description& d, const LaunchArgs& args) {
    if (!d.normal_factory) return std::unexpected(std::string("this application has no window"));
    install_qt_backend(GuiMode::Window);
    QGuiApplication::setApplicationName(QString::fromStdString(d.app_id));
    QGuiApplication::setDesktopFileName(QString::fromStdString(d.app_id));

    std::optional<PersistedDocument> document;
    if (d.open_persisted) {
        auto opened = d.open_persisted();
        if (opened)
            document = std::move(*opened);
        else
            diag::write_line(fmt::format("vesk_ui: persisted state unavailable: {}", opened.error()));
    }

    auto root = d.normal_factory(LaunchContext{args});
    if (!root) return std::unexpected(root.error());
    if (!*root) return std::unexpected(std::string("the application built no root widget"));

    qt::MainWindow window(std::move(*root), Theme::dark());
    window.setTitle(QString::fromStdString(d.app_id));
    Size size = d.initial_window_size ? d.initial_window_size() : kDefaultWindowSize;
    if (!(size.width >= 1 && size.height >= 1)) size = kDefaultWindowSize;
    window.resize(int(std::lround(size.width)), int(std::lround(size.height)));

    QEventLoop loop;
    window.set_on_close([&loop] { loop.quit(); });

    std::unique_ptr<qt::AutomationServer> door;
    if (const char* path = std::getenv(automation_env); path && *path) {
        auto server = qt::AutomationServer::listen(path, window.driver(), d.app_id, [&window, &loop] {
            window.close();
            loop.quit();
        });
        if (!server) return std::unexpected(fmt::format("automation door: {}", server.error()));
        door = std::move(*server);
    }

    window.show();
    window.requestActivate();
    loop.exec();
    door.reset();

    if (document) {
        if (auto saved = document->save(); !saved)
            diag::write_line(fmt::format("vesk_ui: persisted state not saved: {}", saved.error()));
    }
    return {};
}

}  // namespace

std::expected<void, std::string> run(Description& description) { return run(description, process_arguments()); }

std::expected<void, std::string> run(Description& description, const std::vector<std::string>& argv) {
    auto args = parse_args(argv, description.value_options, description.flag_options, description.scenes);
    if (!args) return std::unexpected(args.error());
    if (args->help_requested()) {
        std::fputs(usage(program_name(argv), description).c_str(), stdout);
        std::fflush(stdout);
        return {};
    }
    if (args->shot_mode()) return run_shot(description, *args);
    if (args->output()) return std::unexpected(std::string("option '--output' needs '--shot SCENE'"));
    return run_window(description, *args);
}

}  // namespace vesk_ui::launch
