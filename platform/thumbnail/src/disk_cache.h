// The thumbnail cache folder: small PNG files named by key digest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <filesystem>
#include <span>
#include <string>

namespace thumbnail::detail {

// Creates the folder when missing; true when it exists and is writable.
bool prepare_cache_dir(const std::filesystem::path& dir);

// Readers never see a partial file: the bytes go to a unique temporary
// name in the same folder, which is then renamed over `file`.
std::expected<void, std::string> write_atomically(const std::filesystem::path& file,
                                                  std::span<const std::uint8_t> bytes);

// Marks a cache file as recently used, so pruning keeps it.
void touch(const std::filesystem::path& file);

// Keeps the folder near `max_files` pictures by removing the least
// recently used, and removes temporary files left by a crash.
void prune_cache(const std::filesystem::path& dir, std::size_t max_files);

}  // namespace thumbnail::detail
