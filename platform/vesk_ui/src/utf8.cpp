#include "vesk_ui/utf8.h"

#include <algorithm>

namespace vesk_ui::utf8 {

namespace {

std::size_t expected_length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool is_continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

bool is_word_char(char32_t cp) {
    if (cp >= '0' && cp <= '9') return true;
    if (cp >= 'a' && cp <= 'z') return true;
    if (cp >= 'A' && cp <= 'Z') return true;
    if (cp == '_') return true;
    // Everything beyond ASCII except common punctuation and spaces counts as
    // a letter; good enough for names in the languages we show.
    if (cp < 0x80) return false;
    if (cp == 0xA0 || (cp >= 0x2000 && cp <= 0x206F) || cp == 0x3000 || cp == 0xFFFD) return false;
    return true;
}

}  // namespace

char32_t decode(std::string_view s, std::size_t pos, std::size_t* len) {
    *len = 1;
    if (pos >= s.size()) return 0;
    auto lead = static_cast<unsigned char>(s[pos]);
    std::size_t n = expected_length(lead);
    if (n == 1) return lead;
    if (n == 0 || pos + n > s.size()) return 0xFFFD;
    char32_t cp = lead & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) {
        auto c = static_cast<unsigned char>(s[pos + i]);
        if (!is_continuation(c)) return 0xFFFD;
        cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong three/four-byte forms, surrogates and values past U+10FFFF.
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0xFFFD;
    *len = n;
    return cp;
}

std::size_t next(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return s.size();
    std::size_t len = 1;
    decode(s, pos, &len);
    return pos + len;
}

std::size_t prev(std::string_view s, std::size_t pos) {
    if (pos == 0) return 0;
    pos = std::min(pos, s.size());
    // Try the longest sequence that ends exactly at pos.
    for (std::size_t back = 4; back >= 2; --back) {
        if (pos < back) continue;
        std::size_t len = 1;
        decode(s, pos - back, &len);
        if (len == back) return pos - back;
    }
    return pos - 1;
}

std::size_t floor_boundary(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return s.size();
    std::size_t at = 0;
    while (at < s.size()) {
        std::size_t n = next(s, at);
        if (n > pos) return at;
        at = n;
    }
    return s.size();
}

std::size_t count(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i = next(s, i)) ++n;
    return n;
}

void append(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::size_t next_word(std::string_view s, std::size_t pos) {
    std::size_t len = 1;
    while (pos < s.size() && !is_word_char(decode(s, pos, &len))) pos += len;
    while (pos < s.size() && is_word_char(decode(s, pos, &len))) pos += len;
    return std::min(pos, s.size());
}

std::size_t prev_word(std::string_view s, std::size_t pos) {
    pos = std::min(pos, s.size());
    std::size_t len = 1;
    while (pos > 0) {
        std::size_t p = prev(s, pos);
        if (is_word_char(decode(s, p, &len))) break;
        pos = p;
    }
    while (pos > 0) {
        std::size_t p = prev(s, pos);
        if (!is_word_char(decode(s, p, &len))) break;
        pos = p;
    }
    return pos;
}

}  // namespace vesk_ui::utf8
