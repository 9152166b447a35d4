// The door around a window-less root, for test harnesses.
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTimer>

#include <cmath>

#include "automation_server.h"
#include "driver.h"
#include "qt_painter.h"
#include "vesk_ui/automation.h"
#include "vesk_ui/backend.h"
#include "vesk_ui/theme.h"

namespace vesk_ui {

struct AutomationHost::Impl {
    std::unique_ptr<qt::Driver> driver;
    std::unique_ptr<qt::AutomationServer> server;
    QImage canvas;
    QTimer frame_timer;
    QEventLoop* loop = nullptr;
    bool stop_requested = false;

    void paint() {
        const Size size = driver->size();
        const float scale = driver->scale();
        const QSize pixels(int(std::lround(size.width * scale)), int(std::lround(size.height * scale)));
        if (canvas.size() != pixels) {
            canvas = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
            canvas.setDevicePixelRatio(scale);
        }
        canvas.fill(qt::to_qcolor(driver->theme().window_bg));
        QPainter p(&canvas);
        qt::QtPainter qp(p);
        driver->paint(qp);
    }

    void stop() {
        stop_requested = true;
        if (loop) loop->quit();
    }
};

AutomationHost::AutomationHost(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

AutomationHost::~AutomationHost() {
    // The server refers to the driver: it goes first.
    impl_->server.reset();
    impl_->driver.reset();
}

std::expected<std::unique_ptr<AutomationHost>, std::string> AutomationHost::create(WidgetBox root, Size logical_size,
                                                                                   const std::string& socket_path,
                                                                                   float scale) {
    if (!root) return std::unexpected(std::string("no root widget"));
    if (!(logical_size.width >= 1 && logical_size.height >= 1 && logical_size.width <= 16384 &&
          logical_size.height <= 16384))
        return std::unexpected(std::string("invalid size"));
    install_qt_backend(GuiMode::Offscreen);
    auto impl = std::make_unique<Impl>();
    Impl* d = impl.get();
    // Frames are drawn one loop iteration after they are asked for, like a
    // window's update request.
    d->frame_timer.setSingleShot(true);
    QObject::connect(&d->frame_timer, &QTimer::timeout, [d] { d->paint(); });
    d->driver = std::make_unique<qt::Driver>(std::move(root), Theme::dark(), [d] { d->frame_timer.start(0); });
    d->driver->set_viewport(logical_size, scale);
    auto server = qt::AutomationServer::listen(socket_path, *d->driver, "automation host", [d] { d->stop(); });
    if (!server) return std::unexpected(server.error());
    d->server = std::move(*server);
    return std::unique_ptr<AutomationHost>(new AutomationHost(std::move(impl)));
}

Widget& AutomationHost::root() { return impl_->driver->root(); }

void AutomationHost::run() {
    if (impl_->stop_requested) return;
    QEventLoop loop;
    impl_->loop = &loop;
    loop.exec();
    impl_->loop = nullptr;
}

void AutomationHost::stop() { impl_->stop(); }

}  // namespace vesk_ui
