#include "access_tree.h"

#include <iterator>
#include <vector>

namespace vesk_ui::qt {

namespace {

// Deeper than any real interface; stops a widget that lists an ancestor as
// its child from recursing forever.
constexpr int kMaxDepth = 64;

void collect(Widget& widget, int depth, std::vector<AccessNode>& out) {
    if (depth > kMaxDepth) return;
    std::optional<AccessNode> own = widget.accessibility();
    std::vector<AccessNode> below;
    for (Widget* child : widget.children())
        if (child && child != &widget) collect(*child, depth + 1, below);
    if (!own) {
        out.insert(out.end(), std::make_move_iterator(below.begin()), std::make_move_iterator(below.end()));
        return;
    }
    own->children.insert(own->children.end(), std::make_move_iterator(below.begin()),
                         std::make_move_iterator(below.end()));
    out.push_back(std::move(*own));
}

}  // namespace

AccessNode access_tree(Widget& root, std::string_view window_label) {
    std::optional<AccessNode> own = root.accessibility();
    AccessNode node;
    if (own) {
        node = std::move(*own);
    } else {
        node.role = Role::Window;
        node.label = std::string(window_label);
        node.rect = root.bounds();
    }
    for (Widget* child : root.children())
        if (child && child != &root) collect(*child, 1, node.children);
    return node;
}

}  // namespace vesk_ui::qt
