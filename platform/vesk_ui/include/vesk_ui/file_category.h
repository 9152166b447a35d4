// Kinds of files as the toolkit colours and draws them; the thumbnail
// service uses the same categories.
#pragma once

#include <cstdint>

namespace vesk_ui {

enum class FileCategory : std::uint8_t {
    Folder, Image, Video, Audio, Text, Code, Pdf, Archive, Document, Spreadsheet, Presentation, Font,
    Ebook, Executable, Other,
};
inline constexpr int file_category_count = 15;

const char* file_category_name(FileCategory category);

}  // namespace vesk_ui
