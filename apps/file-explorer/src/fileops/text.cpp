#include "fileops/text.h"

#include <cstdint>

namespace file_explorer::fileops {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Length of the well-formed UTF-8 sequence starting at `i`, or the number of
// bytes that form the maximal invalid prefix (negated) when it is ill-formed.
int sequence_length(std::string_view s, std::size_t i) {
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) return 1;
    int extra = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        extra = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
        extra = 2;
        if (b == 0xE0) lo = 0xA0;
        if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        extra = 3;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F;
    } else {
        return -1;
    }
    for (int k = 1; k <= extra; ++k) {
        if (i + k >= s.size()) return -k;
        auto c = static_cast<unsigned char>(s[i + k]);
        unsigned char min = k == 1 ? lo : 0x80;
        unsigned char max = k == 1 ? hi : 0xBF;
        if (c < min || c > max) return -k;
    }
    return extra + 1;
}

// The code point of a well-formed sequence of `len` bytes at `i`.
std::uint32_t decode(std::string_view s, std::size_t i, int len) {
    auto b = [&](int k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(s[i + k])); };
    switch (len) {
    case 1: return b(0);
    case 2: return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3: return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    default: return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    }
}

bool is_white_space(std::uint32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// The code point ending just before `end`, with its length; 0 length when the
// bytes before `end` do not end a well-formed sequence.
int last_sequence(std::string_view s, std::size_t end, std::uint32_t& code) {
    for (int len = 1; len <= 4 && static_cast<std::size_t>(len) <= end; ++len) {
        std::size_t start = end - len;
        auto b = static_cast<unsigned char>(s[start]);
        if ((b & 0xC0) == 0x80) continue;
        if (sequence_length(s, start) != len) return 0;
        code = decode(s, start, len);
        return len;
    }
    return 0;
}

}  // namespace

std::string lossy_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        int len = sequence_length(bytes, i);
        if (len > 0) {
            out.append(bytes.substr(i, len));
            i += len;
        } else {
            out.append(kReplacement);
            i += -len;
        }
    }
    return out;
}

std::string_view trim_white_space(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size()) {
        int len = sequence_length(text, begin);
        if (len <= 0 || !is_white_space(decode(text, begin, len))) break;
        begin += len;
    }
    std::size_t end = text.size();
    while (end > begin) {
        std::uint32_t code = 0;
        int len = last_sequence(text, end, code);
        if (len == 0 || !is_white_space(code)) break;
        end -= len;
    }
    return text.substr(begin, end - begin);
}

}  // namespace file_explorer::fileops
