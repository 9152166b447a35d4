#include "views/file_view/thumbs.h"

#include <limits>

#include "model/file_entry.h"
#include "model/workspace.h"
#include "views/file_view/entry_state.h"

namespace file_explorer::views {

std::int64_t modified_ms(const model::FileEntry& entry) {
    if (!entry.modified || entry.modified->seconds < 0) return 0;
    constexpr std::int64_t max_seconds = std::numeric_limits<std::int64_t>::max() / 1000 - 1;
    if (entry.modified->seconds > max_seconds) return std::numeric_limits<std::int64_t>::max();
    return entry.modified->seconds * 1000 + entry.modified->nanoseconds / 1000000;
}

std::optional<ThumbRequest> thumb_request(const model::FileEntry& entry, const EntryState& state,
                                          const std::vector<std::string>& workspace_roots, int size) {
    if (entry.is_dir) return std::nullopt;
    ThumbRequest r;
    const auto& hash = entry.collab->content_hash;
    r.key = hash ? thumbnail::ThumbKey::from_content(*hash, size)
                 : thumbnail::ThumbKey::from_file(entry.path, modified_ms(entry), entry.size, size);
    r.category = thumbnail::category_for_path(entry.path, false);
    r.collaborative = model::is_collaborative_path(entry.path, workspace_roots);
    if (r.collaborative && is_present_locally(state)) r.source = entry.path;
    return r;
}

vesk_ui::FileCategory to_file_category(thumbnail::Category c) {
    using T = thumbnail::Category;
    using V = vesk_ui::FileCategory;
    switch (c) {
        case T::Folder: return V::Folder;
        case T::Image: return V::Image;
        case T::Video: return V::Video;
        case T::Audio: return V::Audio;
        case T::Text: return V::Text;
        case T::Code: return V::Code;
        case T::Pdf: return V::Pdf;
        case T::Archive: return V::Archive;
        case T::Document: return V::Document;
        case T::Spreadsheet: return V::Spreadsheet;
        case T::Presentation: return V::Presentation;
        case T::Font: return V::Font;
        case T::Ebook: return V::Ebook;
        case T::Executable: return V::Executable;
        case T::Other: return V::Other;
    }
    return V::Other;
}

}  // namespace file_explorer::views
