// UTF-8 helpers for names typed by the user or read from the file system.
#pragma once

#include <string>
#include <string_view>

namespace file_explorer::fileops {

// `bytes` as UTF-8 text, each invalid sequence (a maximal prefix of a
// well-formed sequence, or one stray byte) replaced by one U+FFFD.
std::string lossy_utf8(std::string_view bytes);

// `text` without leading and trailing Unicode White_Space characters. Bytes
// that do not decode are never white space, so invalid input is kept.
std::string_view trim_white_space(std::string_view text);

}  // namespace file_explorer::fileops
