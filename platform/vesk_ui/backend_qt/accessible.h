// The accessibility bridge: the root's AccessNode tree offered to Qt's
// accessibility (and through it to AT-SPI screen readers) as the window's
// accessible children.
#pragma once

#include <QAccessible>

#include <map>
#include <string>
#include <vector>

#include "vesk_ui/access.h"

namespace vesk_ui::qt {

class MainWindow;

class AccessBridge {
public:
    explicit AccessBridge(MainWindow& window);
    ~AccessBridge();
    AccessBridge(const AccessBridge&) = delete;
    AccessBridge& operator=(const AccessBridge&) = delete;

    // Something may have changed: the tree is read again when next asked.
    void invalidate() { stale_ = true; }
    // After a frame: when assistive technology listens, reads the tree and
    // tells it about focus, name, value, state and structure changes.
    void frame_done();
    // Reads the tree now and sends the change notifications.
    void refresh();

    MainWindow& window() { return window_; }
    const AccessNode& tree();
    // The node at `path` (child indices from the root), or null.
    const AccessNode* find(const std::vector<int>& path);
    // The interface of the node at `path`, created once and kept while the
    // path exists.
    QAccessibleInterface* node_interface(const std::vector<int>& path);
    void perform(const std::string& node_id, SemanticAction action);

    // Installs the factory that gives MainWindow its accessible interface.
    static void install_factory();

private:
    void rebuild();
    void notify_changes(const AccessNode& before);

    MainWindow& window_;
    AccessNode tree_;
    bool stale_ = true;
    bool built_ = false;
    std::map<std::vector<int>, QAccessible::Id> interfaces_;
};

QAccessible::Role qt_role(Role role);
QAccessible::State qt_state(std::uint32_t flags);

}  // namespace vesk_ui::qt
