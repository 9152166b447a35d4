#include "vesk_ui/access.h"

namespace vesk_ui {

const char* role_name(Role role) {
    switch (role) {
        case Role::Window: return "window";
        case Role::Group: return "group";
        case Role::Pane: return "pane";
        case Role::Dialog: return "dialog";
        case Role::Heading: return "heading";
        case Role::Text: return "text";
        case Role::Button: return "button";
        case Role::List: return "list";
        case Role::ListItem: return "list_item";
        case Role::Table: return "table";
        case Role::Row: return "row";
        case Role::Cell: return "cell";
        case Role::Menu: return "menu";
        case Role::MenuItem: return "menu_item";
        case Role::Toolbar: return "toolbar";
        case Role::TextInput: return "text_input";
        case Role::Link: return "link";
        case Role::ProgressIndicator: return "progress_indicator";
        case Role::Status: return "status";
        case Role::Image: return "image";
        case Role::Tree: return "tree";
        case Role::TreeItem: return "tree_item";
    }
    return "unknown";
}

}  // namespace vesk_ui
