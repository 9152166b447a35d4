// Which thumbnail an entry needs and how it is asked for.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "thumbnail/category.h"
#include "thumbnail/key.h"
#include "vesk_ui/file_category.h"

namespace file_explorer::model {
struct FileEntry;
}

namespace file_explorer::views {

struct EntryState;

struct ThumbRequest {
    thumbnail::ThumbKey key;
    thumbnail::Category category = thumbnail::Category::Other;
    // Inside a workspace root: asked for as a collaborative file, with its
    // path as a readable source only when the content is on this device.
    bool collaborative = false;
    std::optional<std::string> source;
};

// The request for a file's thumbnail at `size` pixels; none for folders.
// The key is the content hash when there is one, else the path with the
// modification time in milliseconds and the byte size.
std::optional<ThumbRequest> thumb_request(const model::FileEntry& entry, const EntryState& state,
                                          const std::vector<std::string>& workspace_roots, int size);

// Milliseconds since 1970; 0 when absent or earlier.
std::int64_t modified_ms(const model::FileEntry& entry);

vesk_ui::FileCategory to_file_category(thumbnail::Category c);

}  // namespace file_explorer::views
