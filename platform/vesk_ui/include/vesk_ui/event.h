// Input events as the toolkit delivers them to widgets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "vesk_ui/geometry.h"

namespace vesk_ui {

// Modifier bits.
namespace mods {
inline constexpr std::uint32_t shift = 0x4;
inline constexpr std::uint32_t control = 0x20;
inline constexpr std::uint32_t alt = 0x100;
inline constexpr std::uint32_t super = 0x800;
// Control or Super: the desktop's primary modifier.
inline constexpr std::uint32_t primary = control | super;
}  // namespace mods

// A key press or release. `key` is a W3C UI Events key value for named keys
// ("Enter", "ArrowDown", "F2", "ContextMenu", ...) and empty for characters;
// `text` is the character text ("a", "?", "+") and empty for named keys.
struct KeyEvent {
    std::string key;
    std::string text;
    std::uint32_t modifiers = 0;
    bool pressed = true;
    bool repeat = false;

    bool named(std::string_view name) const { return key == name; }
    bool has(std::uint32_t mask) const { return (modifiers & mask) != 0; }
};

enum class PointerKind : std::uint8_t { Move, Down, Up, Leave };
enum class Button : std::uint8_t { None, Primary, Secondary, Middle };
// The same, by a name that does not collide with the Button widget.
using PointerButton = Button;

// Positions arrive in physical pixels with the display scale; widgets work
// in logical units (`logical()`).
struct PointerEvent {
    PointerKind kind = PointerKind::Move;
    Point physical;
    float scale = 1.0f;
    Button button = Button::None;
    std::uint32_t modifiers = 0;
    int click_count = 1;  // 2 for the second press of a double click

    Point logical() const { return {physical.x / scale, physical.y / scale}; }
};

// Wheel deltas in lines; positive dy scrolls towards the top (wheel away
// from the user), positive dx towards the left.
struct WheelEvent {
    Point physical;
    float scale = 1.0f;
    float dx = 0;
    float dy = 0;
    std::uint32_t modifiers = 0;

    Point logical() const { return {physical.x / scale, physical.y / scale}; }
};

// Input-method text: committed text, and the current pre-edit string.
struct TextInputEvent {
    std::string commit;
    std::string preedit;
};

struct FocusEvent {
    bool gained = true;
};

struct Event {
    std::variant<KeyEvent, PointerEvent, WheelEvent, TextInputEvent, FocusEvent> data;
    // Raised by the toolkit for events that must not be acted on again
    // (for example a key already used by the input method).
    bool no_reprocess = false;

    const KeyEvent* key() const { return std::get_if<KeyEvent>(&data); }
    const PointerEvent* pointer() const { return std::get_if<PointerEvent>(&data); }
    const WheelEvent* wheel() const { return std::get_if<WheelEvent>(&data); }
    const TextInputEvent* text_input() const { return std::get_if<TextInputEvent>(&data); }
    const FocusEvent* focus() const { return std::get_if<FocusEvent>(&data); }
};

}  // namespace vesk_ui
