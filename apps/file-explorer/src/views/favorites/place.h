// A place of the sidebar: a folder with the label and icon it is shown with.
#pragma once

#include <string>

#include "vesk_ui/icons.h"

namespace file_explorer::views {

struct Place {
    std::string label;
    std::string path;  // raw bytes
    vesk_ui::Icon icon = vesk_ui::Icon::Folder;
    bool home = false;  // the user's home folder (its menu offers no removal)

    bool operator==(const Place&) const = default;
};

}  // namespace file_explorer::views
