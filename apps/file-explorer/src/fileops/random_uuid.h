// Random version 4 UUIDs for the names of private temporary folders.
#pragma once

#include <optional>
#include <string>

namespace file_explorer::fileops {

// 36 characters, lower-case hexadecimal with hyphens; none when the system's
// random source fails.
std::optional<std::string> random_uuid_v4();

}  // namespace file_explorer::fileops
