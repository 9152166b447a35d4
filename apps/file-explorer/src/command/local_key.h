// Stable resource identifiers for local paths.
#pragma once

#include <string>
#include <string_view>

namespace file_explorer::command {

// First 16 bytes, as 32 lowercase hex digits, of SHA-256 over the domain
// text, the path's byte length (64-bit big-endian) and the path's bytes.
// The same path gives the same key in every run and process.
std::string local_key(std::string_view path);

std::string folder_resource_id(std::string_view path);  // "files.folder:" + key
std::string entry_resource_id(std::string_view path);   // "files.entry:" + key
std::string place_resource_id(std::string_view path);   // "files.place:" + key

}  // namespace file_explorer::command
