// The application's one top-level window: Qt events in, the root's frames
// out, through the Driver.
#pragma once

#include <QRasterWindow>

#include <functional>
#include <string>
#include <vector>

#include "accessible.h"
#include "driver.h"

namespace vesk_ui::qt {

class MainWindow final : public QRasterWindow {
public:
    MainWindow(WidgetBox root, const Theme& theme);
    ~MainWindow() override;

    Driver& driver() { return driver_; }
    AccessBridge& access_bridge() { return access_; }
    // Called once when the user closes the window.
    void set_on_close(std::function<void()> on_close) { on_close_ = std::move(on_close); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void sync_viewport(bool request);
    void key(QKeyEvent* e);
    void mouse(QMouseEvent* e, PointerKind kind);
    bool drag_event(QEvent* e);
    void input_method(QInputMethodEvent* e);
    void input_method_query(QInputMethodQueryEvent* e);
    // A drag the root asked for during an event runs once that event's
    // handling has returned, so the nested drag loop never re-enters it.
    void run_pending_drag();

    Driver driver_;
    AccessBridge access_{*this};
    std::function<void()> on_close_;
    std::vector<std::string> pending_drag_;
    bool dragging_ = false;
    bool dropped_inside_ = false;
    bool preediting_ = false;
};

}  // namespace vesk_ui::qt
