// Starting the desktop's terminal program in a folder, without waiting.
#pragma once

#include <expected>
#include <string>

namespace file_explorer::files_app {

// Starts the program "terminal" with `folder` as its working directory; the
// error is the system's description when it cannot start.
std::expected<void, std::string> start_terminal(const std::string& folder);

}  // namespace file_explorer::files_app
