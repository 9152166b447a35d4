// UTF-8 stepping for carets, elision and text editing. Invalid bytes count
// as one code point each, so no walk ever stalls or cuts inside a sequence.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vesk_ui::utf8 {

// Decodes the code point at `pos` (U+FFFD for an invalid sequence) and
// stores its length in bytes (at least 1) in `len`.
char32_t decode(std::string_view s, std::size_t pos, std::size_t* len);
// Byte offset of the next / previous code point boundary (clamped).
std::size_t next(std::string_view s, std::size_t pos);
std::size_t prev(std::string_view s, std::size_t pos);
// The boundary at or before `pos`.
std::size_t floor_boundary(std::string_view s, std::size_t pos);
std::size_t count(std::string_view s);
void append(std::string& out, char32_t cp);

// Word moves as desktop text fields do them: forward skips separators then
// the word; backward skips separators then the word before.
std::size_t next_word(std::string_view s, std::size_t pos);
std::size_t prev_word(std::string_view s, std::size_t pos);

}  // namespace vesk_ui::utf8
