// How often the shown folder is read again, by its number of entries.
#pragma once

#include <chrono>
#include <cstddef>

namespace file_explorer::files_app {

inline std::chrono::milliseconds refresh_interval(std::size_t entry_count) {
    using std::chrono::milliseconds;
    if (entry_count < 512) return milliseconds(750);
    if (entry_count < 4096) return milliseconds(3000);
    if (entry_count < 20000) return milliseconds(12000);
    return milliseconds(30000);
}

}  // namespace file_explorer::files_app
