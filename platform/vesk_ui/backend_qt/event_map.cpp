#include "event_map.h"

#include <cmath>

namespace vesk_ui::qt {

std::uint32_t modifiers_of(Qt::KeyboardModifiers m) {
    std::uint32_t out = 0;
    if (m & Qt::ShiftModifier) out |= mods::shift;
    if (m & Qt::ControlModifier) out |= mods::control;
    if (m & Qt::AltModifier) out |= mods::alt;
    if (m & Qt::MetaModifier) out |= mods::super;
    return out;
}

Button button_of(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return Button::Primary;
    case Qt::RightButton: return Button::Secondary;
    case Qt::MiddleButton: return Button::Middle;
    default: return Button::None;
    }
}

const char* named_key(int k) {
    static const char* const function_keys[] = {"F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",
                                                 "F9",  "F10", "F11", "F12", "F13", "F14", "F15", "F16",
                                                 "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return function_keys[k - Qt::Key_F1];
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return "Enter";
    case Qt::Key_Escape: return "Escape";
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return "Tab";
    case Qt::Key_Backspace: return "Backspace";
    case Qt::Key_Delete: return "Delete";
    case Qt::Key_Insert: return "Insert";
    case Qt::Key_Home: return "Home";
    case Qt::Key_End: return "End";
    case Qt::Key_PageUp: return "PageUp";
    case Qt::Key_PageDown: return "PageDown";
    case Qt::Key_Left: return "ArrowLeft";
    case Qt::Key_Right: return "ArrowRight";
    case Qt::Key_Up: return "ArrowUp";
    case Qt::Key_Down: return "ArrowDown";
    case Qt::Key_Menu: return "ContextMenu";
    case Qt::Key_Shift: return "Shift";
    case Qt::Key_Control: return "Control";
    case Qt::Key_Alt: return "Alt";
    case Qt::Key_AltGr: return "AltGraph";
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return "Meta";
    case Qt::Key_CapsLock: return "CapsLock";
    case Qt::Key_NumLock: return "NumLock";
    case Qt::Key_ScrollLock: return "ScrollLock";
    case Qt::Key_Print: return "PrintScreen";
    case Qt::Key_Pause: return "Pause";
    case Qt::Key_Clear: return "Clear";
    case Qt::Key_Help: return "Help";
    case Qt::Key_Back: return "BrowserBack";
    case Qt::Key_Forward: return "BrowserForward";
    case Qt::Key_Refresh: return "BrowserRefresh";
    case Qt::Key_Copy: return "Copy";
    case Qt::Key_Cut: return "Cut";
    case Qt::Key_Paste: return "Paste";
    case Qt::Key_Undo: return "Undo";
    case Qt::Key_Redo: return "Redo";
    case Qt::Key_Find: return "Find";
    default: return nullptr;
    }
}

namespace {

bool printable(const QString& s) {
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return false;
    return true;
}

// The character a key code stands for (Qt uses Unicode code points for
// character keys, upper case for letters).
QString char_of_key(int k) {
    if (k < 0x20 || k == 0x7f || k > 0x10ffff || (k >= 0xd800 && k <= 0xdfff)) return {};
    if (k >= 0x01000000) return {};  // Qt's own codes for function keys
    char32_t cp = char32_t(k);
    return QString::fromUcs4(&cp, 1);
}

}  // namespace

std::optional<KeyEvent> key_event_of(const QKeyEvent& e) {
    KeyEvent out;
    out.modifiers = modifiers_of(e.modifiers());
    out.pressed = e.type() == QEvent::KeyPress;
    out.repeat = e.isAutoRepeat();
    const int k = e.key();
    if (const char* name = named_key(k)) {
        out.key = name;
        return out;
    }
    QString text;
    if (out.has(mods::primary)) {
        // The text of a Control chord is a control character; the key code
        // still names the key.
        text = char_of_key(k).toLower();
        if (text.isEmpty() && printable(e.text())) text = e.text().toLower();
    } else if (printable(e.text())) {
        text = e.text();
    } else {
        text = char_of_key(k);
        if (!(out.modifiers & mods::shift)) text = text.toLower();
    }
    if (text.isEmpty()) return std::nullopt;
    out.text = text.toStdString();
    return out;
}

WheelEvent wheel_event_of(const QWheelEvent& e, float scale) {
    WheelEvent out;
    out.scale = scale;
    out.physical = {float(e.position().x() * scale), float(e.position().y() * scale)};
    out.modifiers = modifiers_of(e.modifiers());
    const QPoint angle = e.angleDelta();
    if (!angle.isNull()) {
        out.dx = float(angle.x()) / 120.0f;
        out.dy = float(angle.y()) / 120.0f;
    } else {
        const QPoint px = e.pixelDelta();
        out.dx = float(px.x()) / kPixelsPerLine;
        out.dy = float(px.y()) / kPixelsPerLine;
    }
    return out;
}

int ClickCounter::press(Button button, Point logical, long long now_ms, int interval_ms, float max_distance) {
    const float dx = logical.x - last_pos_.x;
    const float dy = logical.y - last_pos_.y;
    const bool near = std::sqrt(dx * dx + dy * dy) <= max_distance;
    if (count_ > 0 && button == last_button_ && near && now_ms - last_ms_ <= interval_ms)
        ++count_;
    else
        count_ = 1;
    last_button_ = button;
    last_pos_ = logical;
    last_ms_ = now_ms;
    return count_;
}

}  // namespace vesk_ui::qt
