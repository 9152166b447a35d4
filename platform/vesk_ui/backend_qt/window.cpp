#include "window.h"

#include <QDrag>
#include <QFile>
#include <QGuiApplication>
#include <QInputMethodQueryEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <utility>

#include "qt_painter.h"
#include "qt_services.h"
#include "vesk_ui/theme.h"

namespace vesk_ui::qt {

MainWindow::MainWindow(WidgetBox root, const Theme& theme)
    : driver_(std::move(root), theme, [this] { update(); }) {
    setMinimumSize(QSize(360, 240));
    set_drag_handler([this](const std::vector<std::string>& paths) {
        if (dragging_ || driver_.synthetic()) return false;
        pending_drag_ = paths;
        return true;
    });
}

MainWindow::~MainWindow() { set_drag_handler(nullptr); }

void MainWindow::sync_viewport(bool request) {
    driver_.set_viewport({float(width()), float(height())}, float(devicePixelRatio()), request);
}

void MainWindow::paintEvent(QPaintEvent*) {
    // The display scale can change without a resize (moved to another
    // screen); every frame checks it.
    sync_viewport(false);
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRectF(0, 0, width(), height()), to_qcolor(driver_.theme().window_bg));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    {
        QtPainter qp(p);
        driver_.paint(qp);
    }
    access_.invalidate();
    access_.frame_done();
}

void MainWindow::resizeEvent(QResizeEvent*) { sync_viewport(true); }

bool MainWindow::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::Close:
        if (on_close_) std::exchange(on_close_, nullptr)();
        break;
    case QEvent::Leave:
        driver_.pointer(PointerKind::Leave, driver_.last_pointer(), Button::None, 0);
        return true;
    case QEvent::InputMethod:
        input_method(static_cast<QInputMethodEvent*>(e));
        return true;
    case QEvent::InputMethodQuery:
        input_method_query(static_cast<QInputMethodQueryEvent*>(e));
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
        return drag_event(e);
    default:
        break;
    }
    return QRasterWindow::event(e);
}

void MainWindow::key(QKeyEvent* e) {
    auto ke = key_event_of(*e);
    if (!ke) return;
    Event ev{*ke};
    // While the input method composes, the keys belong to it.
    ev.no_reprocess = preediting_;
    driver_.dispatch(ev);
    run_pending_drag();
}

void MainWindow::keyPressEvent(QKeyEvent* e) { key(e); }
void MainWindow::keyReleaseEvent(QKeyEvent* e) { key(e); }

void MainWindow::mouse(QMouseEvent* e, PointerKind kind) {
    const Point pos{float(e->position().x()), float(e->position().y())};
    const auto mods = modifiers_of(e->modifiers());
    // The side buttons of a mouse mean back and forward, as on a keyboard.
    if (e->button() == Qt::BackButton || e->button() == Qt::ForwardButton) {
        KeyEvent ke;
        ke.key = e->button() == Qt::BackButton ? "BrowserBack" : "BrowserForward";
        ke.modifiers = mods;
        ke.pressed = kind == PointerKind::Down;
        driver_.dispatch(Event{ke});
        return;
    }
    Button button = kind == PointerKind::Move ? Button::None : button_of(e->button());
    driver_.pointer(kind, pos, button, mods);
    run_pending_drag();
}

void MainWindow::mousePressEvent(QMouseEvent* e) { mouse(e, PointerKind::Down); }
void MainWindow::mouseReleaseEvent(QMouseEvent* e) { mouse(e, PointerKind::Up); }
void MainWindow::mouseMoveEvent(QMouseEvent* e) { mouse(e, PointerKind::Move); }
// A window also receives the second press of a double click as a press;
// the driver counts clicks itself.
void MainWindow::mouseDoubleClickEvent(QMouseEvent*) {}

void MainWindow::wheelEvent(QWheelEvent* e) {
    driver_.dispatch(Event{wheel_event_of(*e, float(devicePixelRatio()))});
}

void MainWindow::focusInEvent(QFocusEvent*) { driver_.dispatch(Event{FocusEvent{true}}); }
void MainWindow::focusOutEvent(QFocusEvent*) { driver_.dispatch(Event{FocusEvent{false}}); }

void MainWindow::input_method(QInputMethodEvent* e) {
    TextInputEvent te;
    te.commit = e->commitString().toStdString();
    te.preedit = e->preeditString().toStdString();
    preediting_ = !te.preedit.empty();
    driver_.dispatch(Event{te});
    e->accept();
}

void MainWindow::input_method_query(QInputMethodQueryEvent* e) {
    const Point p = driver_.last_pointer();
    e->setValue(Qt::ImEnabled, true);
    // Without a caret position from the root, candidate windows open near
    // the pointer rather than in a corner.
    e->setValue(Qt::ImCursorRectangle, QRectF(p.x, p.y, 1, 16));
    e->setValue(Qt::ImHints, int(Qt::ImhNone));
    e->accept();
}

bool MainWindow::drag_event(QEvent* e) {
    // Only the window's own drags are handled here: their moves and drop
    // reach the root as pointer events, so an in-window drop works like any
    // release. Drops from other applications are refused.
    if (!dragging_) {
        e->ignore();
        return true;
    }
    switch (e->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* de = static_cast<QDragMoveEvent*>(e);
        const Point pos{float(de->position().x()), float(de->position().y())};
        driver_.pointer(PointerKind::Move, pos, Button::None, modifiers_of(de->modifiers()));
        de->setDropAction(Qt::CopyAction);
        de->accept();
        return true;
    }
    case QEvent::DragLeave:
        driver_.pointer(PointerKind::Leave, driver_.last_pointer(), Button::None, 0);
        return true;
    case QEvent::Drop: {
        auto* de = static_cast<QDropEvent*>(e);
        const Point pos{float(de->position().x()), float(de->position().y())};
        de->setDropAction(Qt::CopyAction);
        de->accept();
        dropped_inside_ = true;
        driver_.pointer(PointerKind::Up, pos, Button::Primary, modifiers_of(de->modifiers()));
        return true;
    }
    default:
        return false;
    }
}

void MainWindow::run_pending_drag() {
    if (pending_drag_.empty() || dragging_) return;
    const auto paths = std::exchange(pending_drag_, {});
    QList<QUrl> urls;
    for (const auto& path : paths) urls << QUrl::fromLocalFile(QFile::decodeName(path.c_str()));
    auto* mime = new QMimeData;
    mime->setUrls(urls);
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    dragging_ = true;
    dropped_inside_ = false;
    drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
    drag->deleteLater();
    dragging_ = false;
    // Dropped on another application or cancelled: the root still sees its
    // release, outside the window, where nothing takes the items.
    if (!dropped_inside_) driver_.pointer(PointerKind::Up, Point{-1, -1}, Button::Primary, 0);
}

}  // namespace vesk_ui::qt
