#include "access_tree.h"

#include <vector>

namespace vesk_ui::qt {

namespace {

// Deeper than any real interface; stops a widget that lists an ancestor as
// its child from recursing forever.
constexpr int kMaxDepth = 64;

// A widget's own node already describes its children (containers and the
// root compose them), so the walk goes below only widgets without one.
void collect(Widget& widget, int depth, std::vector<AccessNode>& out) {
    if (depth > kMaxDepth) return;
    if (std::optional<AccessNode> own = widget.accessibility()) {
        out.push_back(std::move(*own));
        return;
    }
    for (Widget* child : widget.children())
        if (child && child != &widget) collect(*child, depth + 1, out);
}

}  // namespace

AccessNode access_tree(Widget& root, std::string_view window_label) {
    if (std::optional<AccessNode> own = root.accessibility()) return std::move(*own);
    AccessNode node;
    node.role = Role::Window;
    node.label = std::string(window_label);
    node.rect = root.bounds();
    for (Widget* child : root.children())
        if (child && child != &root) collect(*child, 1, node.children);
    return node;
}

}  // namespace vesk_ui::qt
