// The accessibility tree of a widget tree: each widget's own node, which
// describes its children itself (containers compose their children's nodes).
// Widgets without a node of their own pass their children's nodes up.
#pragma once

#include <string_view>

#include "vesk_ui/access.h"
#include "vesk_ui/widget.h"

namespace vesk_ui::qt {

// The root's tree; when the root has no node of its own, a window node
// labelled `window_label` holds its children's nodes.
AccessNode access_tree(Widget& root, std::string_view window_label);

}  // namespace vesk_ui::qt
