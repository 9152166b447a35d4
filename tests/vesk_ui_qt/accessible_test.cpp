// The accessibility bridge: the demo root's nodes as Qt accessible
// interfaces, and a screen reader's press reaching the widget.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QElapsedTimer>

#include "vesk_ui/backend.h"
#include "vesk_ui/demo.h"
#include "vesk_ui/theme.h"
#include "window.h"

namespace vesk_ui::qt {
namespace {

QAccessibleInterface* find_child(QAccessibleInterface* parent, QAccessible::Role role) {
    for (int i = 0; i < parent->childCount(); ++i)
        if (auto* c = parent->child(i); c && c->role() == role) return c;
    return nullptr;
}

TEST(AccessBridge, ExposesTheTreeAndPerformsActions) {
    install_qt_backend();
    MainWindow window(demo::make_demo_root(), Theme::dark());
    window.setTitle("demo");
    window.resize(640, 480);
    window.show();
    QElapsedTimer t;
    t.start();
    while ((!window.isExposed() || window.driver().frame_pending()) && t.elapsed() < 5000)
        QCoreApplication::processEvents();
    window.access_bridge().refresh();

    QAccessibleInterface* win = QAccessible::queryAccessibleInterface(&window);
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->role(), QAccessible::Window);
    EXPECT_EQ(win->text(QAccessible::Name), "Files toolkit demo");
    ASSERT_EQ(win->childCount(), 3);

    QAccessibleInterface* button = find_child(win, QAccessible::Button);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(QAccessible::Name), "Select all");
    EXPECT_EQ(button->parent(), win);
    EXPECT_EQ(win->indexOfChild(button), 1);
    EXPECT_TRUE(button->state().focusable);
    EXPECT_EQ(button->rect().size(), QSize(112, 30));

    QAccessibleInterface* list = find_child(win, QAccessible::List);
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->childCount(), 5);
    QAccessibleInterface* first = list->child(0);
    EXPECT_EQ(first->role(), QAccessible::ListItem);
    EXPECT_EQ(first->text(QAccessible::Name), "Folder 001");
    EXPECT_FALSE(first->state().selected);
    EXPECT_EQ(list->child(0), first) << "one interface per node";

    auto* action = button->actionInterface();
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
    window.access_bridge().refresh();
    EXPECT_EQ(win->text(QAccessible::Value), "200 rows selected");
    EXPECT_TRUE(list->child(0)->state().selected);
}

}  // namespace
}  // namespace vesk_ui::qt
