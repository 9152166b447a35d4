// Qt input to toolkit events.
#include <gtest/gtest.h>

#include "event_map.h"

namespace vesk_ui::qt {
namespace {

struct KeyCase {
    int key;
    Qt::KeyboardModifiers mods;
    const char* qt_text;
    const char* name;  // expected W3C key name, or ""
    const char* text;  // expected character text, or ""
    std::uint32_t bits;
};

TEST(EventMap, KeysBecomeNamesOrText) {
    const KeyCase cases[] = {
        {Qt::Key_Return, Qt::NoModifier, "\r", "Enter", "", 0},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", "Enter", "", 0},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", "Escape", "", 0},
        {Qt::Key_Down, Qt::ShiftModifier, "", "ArrowDown", "", mods::shift},
        {Qt::Key_F2, Qt::NoModifier, "", "F2", "", 0},
        {Qt::Key_Menu, Qt::NoModifier, "", "ContextMenu", "", 0},
        {Qt::Key_Backtab, Qt::ShiftModifier, "", "Tab", "", mods::shift},
        {Qt::Key_Space, Qt::NoModifier, " ", "", " ", 0},
        {Qt::Key_A, Qt::ShiftModifier, "A", "", "A", mods::shift},
        {Qt::Key_Question, Qt::ShiftModifier, "?", "", "?", mods::shift},
        {Qt::Key_C, Qt::ControlModifier, "\x03", "", "c", mods::control},
        {Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier, "\x0e", "", "n", mods::control | mods::shift},
        {Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, "+", "", "+", mods::control | mods::shift},
        {Qt::Key_C, Qt::MetaModifier, "c", "", "c", mods::super},
        {Qt::Key_X, Qt::AltModifier, "x", "", "x", mods::alt},
        {Qt::Key_Adiaeresis, Qt::NoModifier, "\u00e4", "", "\u00e4", 0},
    };
    for (const auto& c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods, QString::fromUtf8(c.qt_text));
        auto out = key_event_of(e);
        ASSERT_TRUE(out) << c.key;
        EXPECT_EQ(out->key, c.name) << c.key;
        EXPECT_EQ(out->text, c.text) << c.key;
        EXPECT_EQ(out->modifiers, c.bits) << c.key;
        EXPECT_TRUE(out->pressed);
    }
    QKeyEvent unknown(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString());
    EXPECT_FALSE(key_event_of(unknown));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier, QString());
    EXPECT_FALSE(key_event_of(release)->pressed);
}

TEST(EventMap, WheelDeltasAreLinesAndPositionsPhysical) {
    auto wheel = [](QPoint pixels, QPoint angle, float scale) {
        QWheelEvent e(QPointF(10, 20), QPointF(10, 20), pixels, angle, Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
        return wheel_event_of(e, scale);
    };
    WheelEvent notch = wheel({}, {0, 120}, 1);
    EXPECT_FLOAT_EQ(notch.dy, 1);
    EXPECT_EQ(notch.modifiers, mods::control);
    EXPECT_FLOAT_EQ(wheel({}, {0, -240}, 1).dy, -2);
    EXPECT_FLOAT_EQ(wheel({0, 96}, {}, 1).dy, 2);
    WheelEvent hidpi = wheel({}, {120, 0}, 2);
    EXPECT_FLOAT_EQ(hidpi.dx, 1);
    EXPECT_EQ(hidpi.physical, (Point{20, 40}));
    EXPECT_EQ(hidpi.logical(), (Point{10, 20}));
}

TEST(EventMap, ClickCounterCountsQuickPressesInPlace) {
    struct Step {
        Button button;
        Point at;
        long long ms;
        int expected;
    };
    const Step steps[] = {
        {Button::Primary, {10, 10}, 0, 1},      {Button::Primary, {11, 10}, 200, 2},
        {Button::Primary, {11, 11}, 350, 3},    {Button::Primary, {11, 11}, 1000, 1},
        {Button::Primary, {30, 11}, 1100, 1},   {Button::Secondary, {30, 11}, 1200, 1},
        {Button::Primary, {30, 11}, 1300, 1},
    };
    ClickCounter counter;
    for (const auto& s : steps) EXPECT_EQ(counter.press(s.button, s.at, s.ms, 400, 5), s.expected) << s.ms;
}

}  // namespace
}  // namespace vesk_ui::qt
