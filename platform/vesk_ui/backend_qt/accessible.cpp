#include "accessible.h"

#include <QAccessibleObject>
#include <QGuiApplication>

#include "access_tree.h"
#include "qt_fonts.h"
#include "window.h"

namespace vesk_ui::qt {

QAccessible::Role qt_role(Role role) {
    switch (role) {
    case Role::Window: return QAccessible::Window;
    case Role::Group: return QAccessible::Grouping;
    case Role::Pane: return QAccessible::Pane;
    case Role::Dialog: return QAccessible::Dialog;
    case Role::Heading: return QAccessible::Heading;
    case Role::Text: return QAccessible::StaticText;
    case Role::Button: return QAccessible::Button;
    case Role::List: return QAccessible::List;
    case Role::ListItem: return QAccessible::ListItem;
    case Role::Table: return QAccessible::Table;
    case Role::Row: return QAccessible::Row;
    case Role::Cell: return QAccessible::Cell;
    case Role::Menu: return QAccessible::PopupMenu;
    case Role::MenuItem: return QAccessible::MenuItem;
    case Role::Toolbar: return QAccessible::ToolBar;
    case Role::TextInput: return QAccessible::EditableText;
    case Role::Link: return QAccessible::Link;
    case Role::ProgressIndicator: return QAccessible::ProgressBar;
    case Role::Status: return QAccessible::StatusBar;
    case Role::Image: return QAccessible::Graphic;
    case Role::Tree: return QAccessible::Tree;
    case Role::TreeItem: return QAccessible::TreeItem;
    }
    return QAccessible::Client;
}

QAccessible::State qt_state(std::uint32_t flags) {
    QAccessible::State s;
    s.busy = (flags & access_flags::busy) != 0;
    s.focused = (flags & access_flags::focused) != 0;
    s.selected = (flags & access_flags::selected) != 0;
    s.disabled = (flags & access_flags::disabled) != 0;
    s.checked = (flags & access_flags::checked) != 0;
    s.expanded = (flags & access_flags::expanded) != 0;
    s.focusable = (flags & access_flags::focusable) != 0;
    s.selectable = (flags & access_flags::selectable) != 0;
    return s;
}

namespace {

QRect to_global(QWindow& w, const Rect& r) {
    if (!r.valid()) return {};
    const QPoint origin = w.mapToGlobal(QPoint(0, 0));
    return QRect(origin.x() + int(std::floor(r.left)), origin.y() + int(std::floor(r.top)),
                 int(std::ceil(r.width())), int(std::ceil(r.height())));
}

QString text_of(const AccessNode& n, QAccessible::Text t) {
    switch (t) {
    case QAccessible::Name: return to_qstring(n.label);
    case QAccessible::Description: return to_qstring(n.description);
    case QAccessible::Value: return to_qstring(n.value);
    default: return {};
    }
}

bool activatable(Role r) {
    return r == Role::Button || r == Role::ListItem || r == Role::MenuItem || r == Role::Link ||
           r == Role::TreeItem || r == Role::Row || r == Role::Cell;
}

QStringList action_names(const AccessNode& n) {
    QStringList names;
    if (n.id.empty()) return names;
    if (activatable(n.role)) names << QAccessibleActionInterface::pressAction();
    if (n.flags & access_flags::focusable) names << QAccessibleActionInterface::setFocusAction();
    if (n.role == Role::ListItem || n.role == Role::Row) names << QAccessibleActionInterface::showMenuAction();
    return names;
}

std::optional<SemanticAction> action_named(const QString& name) {
    if (name == QAccessibleActionInterface::pressAction()) return SemanticAction::Press;
    if (name == QAccessibleActionInterface::setFocusAction()) return SemanticAction::Focus;
    if (name == QAccessibleActionInterface::showMenuAction()) return SemanticAction::ShowMenu;
    if (name == QAccessibleActionInterface::increaseAction()) return SemanticAction::Increment;
    if (name == QAccessibleActionInterface::decreaseAction()) return SemanticAction::Decrement;
    return std::nullopt;
}

int child_at(QAccessibleInterface& iface, int x, int y) {
    for (int i = 0; i < iface.childCount(); ++i)
        if (auto* c = iface.child(i); c && c->rect().contains(x, y)) return i;
    return -1;
}

// One node of the tree, named by its path from the root. Its data is read
// from the bridge's latest tree on every question.
class NodeAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    NodeAccessible(AccessBridge& bridge, std::vector<int> path) : b_(bridge), path_(std::move(path)) {}

    bool isValid() const override { return b_.find(path_) != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return &b_.window(); }

    QAccessibleInterface* parent() const override {
        if (path_.size() <= 1) return QAccessible::queryAccessibleInterface(&b_.window());
        return b_.node_interface({path_.begin(), path_.end() - 1});
    }
    QAccessibleInterface* child(int index) const override {
        const AccessNode* n = b_.find(path_);
        if (!n || index < 0 || index >= int(n->children.size())) return nullptr;
        auto p = path_;
        p.push_back(index);
        return b_.node_interface(p);
    }
    int childCount() const override {
        const AccessNode* n = b_.find(path_);
        return n ? int(n->children.size()) : 0;
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i) == c) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        int i = child_at(*const_cast<NodeAccessible*>(this), x, y);
        return i < 0 ? nullptr : child(i);
    }

    QString text(QAccessible::Text t) const override {
        const AccessNode* n = b_.find(path_);
        return n ? text_of(*n, t) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const AccessNode* n = b_.find(path_);
        return n ? to_global(b_.window(), n->rect) : QRect();
    }
    QAccessible::Role role() const override {
        const AccessNode* n = b_.find(path_);
        return n ? qt_role(n->role) : QAccessible::NoRole;
    }
    QAccessible::State state() const override {
        const AccessNode* n = b_.find(path_);
        QAccessible::State s = n ? qt_state(n->flags) : QAccessible::State();
        if (!n) s.invisible = true;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }
    QStringList actionNames() const override {
        const AccessNode* n = b_.find(path_);
        return n ? action_names(*n) : QStringList();
    }
    void doAction(const QString& name) override {
        const AccessNode* n = b_.find(path_);
        auto action = action_named(name);
        if (!n || !action || n->id.empty()) return;
        b_.perform(n->id, *action);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    AccessBridge& b_;
    std::vector<int> path_;
};

// The window itself: the root node, whose children are the tree's.
class WindowAccessible final : public QAccessibleObject, public QAccessibleActionInterface {
public:
    explicit WindowAccessible(MainWindow* w) : QAccessibleObject(w), w_(w) {}

    QWindow* window() const override { return w_; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(qApp); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return bridge().node_interface({index});
    }
    int childCount() const override { return int(bridge().tree().children.size()); }
    int indexOfChild(const QAccessibleInterface* c) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i) == c) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        int i = child_at(*const_cast<WindowAccessible*>(this), x, y);
        return i < 0 ? nullptr : child(i);
    }
    QString text(QAccessible::Text t) const override {
        QString s = text_of(bridge().tree(), t);
        if (t == QAccessible::Name && s.isEmpty()) s = w_->title();
        return s;
    }
    QRect rect() const override { return QRect(w_->mapToGlobal(QPoint(0, 0)), w_->size()); }
    QAccessible::Role role() const override { return QAccessible::Window; }
    QAccessible::State state() const override {
        QAccessible::State s = qt_state(bridge().tree().flags);
        s.active = w_->isActive();
        s.focused = s.focused || w_->isActive();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }
    QStringList actionNames() const override { return action_names(bridge().tree()); }
    void doAction(const QString& name) override {
        const AccessNode& n = bridge().tree();
        if (auto action = action_named(name); action && !n.id.empty()) bridge().perform(n.id, *action);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    AccessBridge& bridge() const { return w_->access_bridge(); }
    MainWindow* w_;
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* w = dynamic_cast<MainWindow*>(object)) return new WindowAccessible(w);
    return nullptr;
}

const AccessNode* find_in(const AccessNode& root, const std::vector<int>& path) {
    const AccessNode* n = &root;
    for (int i : path) {
        if (i < 0 || i >= int(n->children.size())) return nullptr;
        n = &n->children[std::size_t(i)];
    }
    return n;
}

// The deepest focused node's path, if any.
std::optional<std::vector<int>> focused_path(const AccessNode& n, std::vector<int>& at) {
    for (int i = 0; i < int(n.children.size()); ++i) {
        at.push_back(i);
        if (auto deeper = focused_path(n.children[std::size_t(i)], at)) return deeper;
        at.pop_back();
    }
    if (!at.empty() && (n.flags & access_flags::focused)) return at;
    return std::nullopt;
}

bool same_shape(const AccessNode& a, const AccessNode& b) {
    if (a.children.size() != b.children.size() || a.role != b.role) return false;
    for (std::size_t i = 0; i < a.children.size(); ++i)
        if (!same_shape(a.children[i], b.children[i])) return false;
    return true;
}

}  // namespace

AccessBridge::AccessBridge(MainWindow& window) : window_(window) { install_factory(); }

AccessBridge::~AccessBridge() {
    for (auto& [path, id] : interfaces_) QAccessible::deleteAccessibleInterface(id);
}

void AccessBridge::install_factory() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(factory);
}

const AccessNode& AccessBridge::tree() {
    // Questions from assistive technology never rebuild the tree (that could
    // delete the interface being asked); frames do. Only the first question
    // before any frame builds it.
    if (!built_) rebuild();
    return tree_;
}

const AccessNode* AccessBridge::find(const std::vector<int>& path) { return find_in(tree(), path); }

QAccessibleInterface* AccessBridge::node_interface(const std::vector<int>& path) {
    if (!find(path)) return nullptr;
    auto it = interfaces_.find(path);
    if (it != interfaces_.end()) return QAccessible::accessibleInterface(it->second);
    auto* iface = new NodeAccessible(*this, path);
    interfaces_.emplace(path, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

void AccessBridge::perform(const std::string& node_id, SemanticAction action) {
    window_.driver().perform_semantic_action(node_id, action);
    stale_ = true;
}

void AccessBridge::rebuild() {
    tree_ = access_tree(window_.driver().root(), window_.title().toStdString());
    stale_ = false;
    built_ = true;
    // Interfaces of nodes that no longer exist go; the others now describe
    // whatever sits at their path.
    for (auto it = interfaces_.begin(); it != interfaces_.end();) {
        if (find_in(tree_, it->first)) {
            ++it;
            continue;
        }
        QAccessible::deleteAccessibleInterface(it->second);
        it = interfaces_.erase(it);
    }
}

void AccessBridge::frame_done() {
    if (!stale_ || !QAccessible::isActive()) return;
    refresh();
}

void AccessBridge::refresh() {
    AccessNode before = tree_;
    rebuild();
    notify_changes(before);
}

void AccessBridge::notify_changes(const AccessNode& before) {
    QAccessibleInterface* win = QAccessible::queryAccessibleInterface(&window_);
    if (!same_shape(before, tree_) && win) {
        QAccessibleEvent ev(win, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&ev);
    }
    for (auto& [path, id] : interfaces_) {
        const AccessNode* now = find_in(tree_, path);
        const AccessNode* was = find_in(before, path);
        QAccessibleInterface* iface = QAccessible::accessibleInterface(id);
        if (!now || !was || !iface) continue;
        if (now->label != was->label) {
            QAccessibleEvent ev(iface, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&ev);
        }
        if (now->description != was->description) {
            QAccessibleEvent ev(iface, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&ev);
        }
        if (now->value != was->value) {
            QAccessibleValueChangeEvent ev(iface, to_qstring(now->value));
            QAccessible::updateAccessibility(&ev);
        }
        if (now->flags != was->flags) {
            QAccessible::State changed;
            const std::uint32_t diff = now->flags ^ was->flags;
            changed = qt_state(diff);
            QAccessibleStateChangeEvent ev(iface, changed);
            QAccessible::updateAccessibility(&ev);
        }
    }
    std::vector<int> at_before, at_now;
    auto focus_before = focused_path(before, at_before);
    auto focus_now = focused_path(tree_, at_now);
    if (focus_now && focus_now != focus_before) {
        if (QAccessibleInterface* iface = node_interface(*focus_now)) {
            QAccessibleEvent ev(iface, QAccessible::Focus);
            QAccessible::updateAccessibility(&ev);
        }
    }
}

}  // namespace vesk_ui::qt
