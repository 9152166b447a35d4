// Accessibility nodes: what assistive technology and automation clients read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vesk_ui/geometry.h"

namespace vesk_ui {

enum class Role : std::uint8_t {
    Window, Group, Pane, Dialog, Heading, Text, Button, List, ListItem, Table, Row, Cell,
    Menu, MenuItem, Toolbar, TextInput, Link, ProgressIndicator, Status, Image, Tree, TreeItem,
};
const char* role_name(Role role);

namespace access_flags {
inline constexpr std::uint32_t busy = 1u << 0;
inline constexpr std::uint32_t error = 1u << 1;
inline constexpr std::uint32_t focused = 1u << 2;
inline constexpr std::uint32_t selected = 1u << 3;
inline constexpr std::uint32_t disabled = 1u << 4;
inline constexpr std::uint32_t checked = 1u << 5;
inline constexpr std::uint32_t expanded = 1u << 6;
inline constexpr std::uint32_t focusable = 1u << 7;
inline constexpr std::uint32_t selectable = 1u << 8;
}  // namespace access_flags

struct AccessNode {
    Role role = Role::Group;
    std::string label;
    std::string description;
    std::string value;
    std::string id;  // semantic identifier, e.g. "files-retry-folder"
    std::uint32_t flags = 0;
    Rect rect;       // logical window coordinates
    std::vector<AccessNode> children;
};

// Semantic action kinds; 0, 1 and 9 activate.
enum class SemanticAction : std::uint8_t {
    Default = 0, Activate = 1, Focus = 2, ScrollIntoView = 3, Increment = 4, Decrement = 5,
    Expand = 6, Collapse = 7, ShowMenu = 8, Press = 9,
};
inline bool is_activating(SemanticAction a) {
    return a == SemanticAction::Default || a == SemanticAction::Activate || a == SemanticAction::Press;
}

}  // namespace vesk_ui
