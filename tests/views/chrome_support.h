// Helpers for the tests of the toolbar, path bar, sidebar and favourites.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "command/command.h"
#include "vesk_ui/widget.h"
#include "support/scratch.h"

namespace chrome_test {

using files_test::TempDir;

inline void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline vesk_ui::Event pointer(vesk_ui::PointerKind kind, vesk_ui::Point at,
                              vesk_ui::Button button = vesk_ui::Button::Primary) {
    vesk_ui::PointerEvent p;
    p.kind = kind;
    p.physical = at;
    p.button = kind == vesk_ui::PointerKind::Move ? vesk_ui::Button::None : button;
    return vesk_ui::Event{p};
}

inline vesk_ui::Event key(const std::string& name, std::uint32_t mods = 0) {
    vesk_ui::KeyEvent k;
    k.key = name;
    k.modifiers = mods;
    return vesk_ui::Event{k};
}

inline vesk_ui::Event typed(const std::string& text) {
    vesk_ui::KeyEvent k;
    k.text = text;
    return vesk_ui::Event{k};
}

// Sends one event; true when it was consumed.
template <class W>
bool send(W& widget, const vesk_ui::Event& e) {
    vesk_ui::EventContext ctx;
    return widget.handle_event(e, ctx);
}

template <class W>
void click(W& widget, vesk_ui::Point at, vesk_ui::Button button = vesk_ui::Button::Primary) {
    send(widget, pointer(vesk_ui::PointerKind::Down, at, button));
    send(widget, pointer(vesk_ui::PointerKind::Up, at, button));
}

// Every queued command, oldest first.
inline std::vector<file_explorer::command::Command> drain(const file_explorer::command::CommandChannelRef& channel) {
    return channel->drain();
}

// English messages whatever the machine's locale.
inline void use_english() { ::setenv("LC_ALL", "en_US.UTF-8", 1); }

}  // namespace chrome_test
