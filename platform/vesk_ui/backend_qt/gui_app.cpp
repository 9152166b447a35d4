// The process's QGuiApplication and the installation of the Qt services.
#include <QClipboard>
#include <QGuiApplication>
#include <QStyleHints>

#include "qt_fonts.h"
#include "qt_services.h"
#include "vesk_ui/backend.h"
#include "vesk_ui/services.h"

namespace vesk_ui {

namespace qt {
namespace {

DragHandler& drag_handler() {
    static DragHandler handler;
    return handler;
}

class QtPlatformServices final : public PlatformServices {
public:
    void clipboard_copy(const std::string& text) override {
        if (auto* cb = QGuiApplication::clipboard()) cb->setText(to_qstring(text));
    }
    std::string clipboard_text() const override {
        auto* cb = QGuiApplication::clipboard();
        return cb ? cb->text().toStdString() : std::string();
    }
    bool start_file_drag(const std::vector<std::string>& paths) override {
        if (paths.empty() || headless_platform() || !drag_handler()) return false;
        return drag_handler()(paths);
    }
    std::chrono::milliseconds multi_click_interval() const override {
        return std::chrono::milliseconds(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    }
};

}  // namespace

void set_drag_handler(DragHandler handler) { drag_handler() = std::move(handler); }

}  // namespace qt

void ensure_gui_app(GuiMode mode) {
    if (QCoreApplication::instance()) return;
    if (mode == GuiMode::Offscreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps references to argc and argv for the life of the application;
    // the program's own arguments are parsed by the launcher, not by Qt.
    static int argc = 1;
    static char name[] = "file-explorer";
    static char* argv[] = {name, nullptr};
    // Lives until the process ends: destroying it during static teardown
    // would race with other static objects that hold Qt resources.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

bool headless_platform() {
    const QString name = QGuiApplication::platformName();
    return name == QLatin1String("offscreen") || name.startsWith(QLatin1String("minimal"));
}

void install_qt_backend(GuiMode mode) {
    ensure_gui_app(mode);
    static bool installed = false;
    if (installed) return;
    installed = true;
    qt::register_fonts();
    install_text_renderer(std::make_unique<QtTextRenderer>());
    install_platform_services(std::make_unique<qt::QtPlatformServices>());
}

}  // namespace vesk_ui
