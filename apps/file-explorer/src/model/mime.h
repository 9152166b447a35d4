// MIME types of listed items, guessed from their file names.
#pragma once

#include <string_view>

namespace file_explorer::model {

// A MIME type text with static storage: either a string literal or an entry
// of the built-in glob table. Holding only a view keeps entries small and
// copies free; the constructor accepts constants only, so a MimeType can never
// refer to a temporary string.
class MimeType {
public:
    constexpr MimeType() = default;
    consteval MimeType(const char* literal) : text_(literal) {}

    constexpr std::string_view text() const { return text_; }
    constexpr bool operator==(const MimeType& other) const { return text_ == other.text_; }

private:
    std::string_view text_ = "application/octet-stream";
};

inline constexpr MimeType kOctetStream{"application/octet-stream"};
inline constexpr MimeType kDirectoryMime{"inode/directory"};

// The type of the freedesktop.org glob that matches the end of `file_name`
// (the longest matching suffix; case-sensitive globs before the others), or
// application/octet-stream when none matches. No allocation.
MimeType guess_mime(std::string_view file_name);

}  // namespace file_explorer::model
