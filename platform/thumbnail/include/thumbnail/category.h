// The kind of a file as the views colour and badge it, decided by name.
#pragma once

#include <string_view>

namespace thumbnail {

enum class Category {
    Folder,
    Image,
    Video,
    Audio,
    Text,
    Code,
    Pdf,
    Archive,
    Document,
    Spreadsheet,
    Presentation,
    Font,
    Ebook,
    Executable,
    Other,
};

// By the extension of the last path component (case-insensitive), with a
// few well-known extensionless names ("Makefile", "Dockerfile").
Category category_for_path(std::string_view path, bool is_folder = false);

// By a MIME type such as "image/png"; Other when unknown.
Category category_for_mime(std::string_view mime);

// Lower-case English name ("image", "pdf", ...), for logs and snapshots.
std::string_view category_name(Category category);

}  // namespace thumbnail
