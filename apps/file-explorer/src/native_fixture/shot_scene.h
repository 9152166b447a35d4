// The screenshot mode: builds the root widget in one of the named
// demonstration scenes and renders it to a PNG file.
#pragma once

#include <expected>
#include <string>

#include "vesk_ui/launch.h"

namespace file_explorer::native_fixture {

std::expected<void, std::string> render_shot(const vesk_ui::launch::ShotRequest& request);

}  // namespace file_explorer::native_fixture
