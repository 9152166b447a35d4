// The "qps" pseudo-locale: visibly altered texts for layout and coverage
// testing, with argument values left exactly as passed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace file_explorer::i18n {

// "[" + text + " !!]" with A C E I N O U a c e i n o u accented (Á Ç É ...).
// Every occurrence of a non-empty value from `arguments` is kept unaltered;
// where several match at one place, the longest wins.
std::string pseudo_localize(std::string_view text, const std::vector<std::string>& arguments);

}  // namespace file_explorer::i18n
