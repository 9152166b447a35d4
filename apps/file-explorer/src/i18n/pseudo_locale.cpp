#include "i18n/pseudo_locale.h"

namespace file_explorer::i18n {
namespace {

const char* accented(char c) {
    switch (c) {
        case 'A': return "\u00C1";
        case 'C': return "\u00C7";
        case 'E': return "\u00C9";
        case 'I': return "\u00CD";
        case 'N': return "\u00D1";
        case 'O': return "\u00D3";
        case 'U': return "\u00DA";
        case 'a': return "\u00E1";
        case 'c': return "\u00E7";
        case 'e': return "\u00E9";
        case 'i': return "\u00ED";
        case 'n': return "\u00F1";
        case 'o': return "\u00F3";
        case 'u': return "\u00FA";
        default: return nullptr;
    }
}

std::size_t longest_argument_at(std::string_view text, std::size_t pos, const std::vector<std::string>& arguments) {
    std::size_t longest = 0;
    for (const auto& a : arguments) {
        if (a.size() > longest && text.substr(pos).starts_with(a)) longest = a.size();
    }
    return longest;
}

}  // namespace

// Arguments are protected by a single left-to-right scan rather than by
// substituting placeholder tokens: tokens would let one argument match inside
// another's token (a value "0" inside the token of argument 0) and would let
// a shorter value split a longer one that contains it.
std::string pseudo_localize(std::string_view text, const std::vector<std::string>& arguments) {
    std::string out = "[";
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (std::size_t n = longest_argument_at(text, pos, arguments); n > 0) {
            out += text.substr(pos, n);
            pos += n;
            continue;
        }
        const char* replacement = accented(text[pos]);
        if (replacement) {
            out += replacement;
        } else {
            out += text[pos];
        }
        ++pos;
    }
    out += " !!]";
    return out;
}

}  // namespace file_explorer::i18n
