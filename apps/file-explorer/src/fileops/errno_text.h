// The system's description of an errno value, passed through to messages.
#pragma once

#include <cstring>
#include <string>

namespace file_explorer::fileops {

inline std::string errno_text(int err) { return std::strerror(err); }

}  // namespace file_explorer::fileops
