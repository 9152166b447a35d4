#include "i18n/locale.h"

#include <cstdlib>
#include <string>

namespace file_explorer::i18n {
namespace {

bool is_alpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_alnum(char c) { return is_alpha(c) || is_digit(c); }

bool all_of(std::string_view s, bool (*pred)(char)) {
    for (char c : s) {
        if (!pred(c)) return false;
    }
    return true;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

bool is_language(std::string_view s) {
    return (s.size() == 2 || s.size() == 3 || (s.size() >= 5 && s.size() <= 8)) &&
           all_of(s, is_alpha);
}

bool is_script(std::string_view s) { return s.size() == 4 && all_of(s, is_alpha); }

bool is_region(std::string_view s) {
    return (s.size() == 2 && all_of(s, is_alpha)) || (s.size() == 3 && all_of(s, is_digit));
}

bool is_variant(std::string_view s) {
    if (s.size() >= 5 && s.size() <= 8) return all_of(s, is_alnum);
    return s.size() == 4 && is_digit(s[0]) && all_of(s, is_alnum);
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
    return s;
}

bool is_valid_utf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        std::size_t len = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

// What one environment value says: a locale, or nothing (look further).
std::optional<Locale> locale_from_value(std::string_view raw) {
    if (!is_valid_utf8(raw)) return std::nullopt;
    std::string_view value = trim(raw);
    if (value.empty()) return std::nullopt;
    value = trim(value.substr(0, value.find(':')));
    value = value.substr(0, value.find_first_of(".@"));
    if (value == "C" || value == "POSIX") return en_us();
    std::string tag(value);
    for (char& c : tag) {
        if (c == '_') c = '-';
    }
    return parse_language_identifier(tag);
}

}  // namespace

std::string Locale::tag() const {
    std::string out = language;
    for (const std::string* part : {&script, &region}) {
        if (!part->empty()) out += "-" + *part;
    }
    for (const auto& v : variants) out += "-" + v;
    return out;
}

std::optional<Locale> parse_language_identifier(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '-' || text[i] == '_') {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    std::size_t i = 0;
    if (!is_language(parts[i])) return std::nullopt;
    Locale locale;
    locale.language = lower(parts[i++]);
    if (i < parts.size() && is_script(parts[i])) {
        locale.script = upper(parts[i].substr(0, 1)) + lower(parts[i].substr(1));
        ++i;
    }
    if (i < parts.size() && is_region(parts[i])) locale.region = upper(parts[i++]);
    for (; i < parts.size(); ++i) {
        if (!is_variant(parts[i])) return std::nullopt;
        locale.variants.push_back(lower(parts[i]));
    }
    return locale;
}

Locale locale_from_environment(std::optional<std::string_view> lc_all,
                               std::optional<std::string_view> language,
                               std::optional<std::string_view> lang) {
    for (const auto& value : {lc_all, language, lang}) {
        if (!value) continue;
        if (auto locale = locale_from_value(*value)) return *locale;
    }
    return en_us();
}

Locale en_us() { return Locale{"en", "", "US", {}}; }

Locale current_locale() {
    // Computed once; later changes of the environment have no effect.
    static const Locale locale = [] {
        auto get = [](const char* name) -> std::optional<std::string_view> {
            const char* value = std::getenv(name);
            if (value == nullptr) return std::nullopt;
            return std::string_view(value);
        };
        return locale_from_environment(get("LC_ALL"), get("LANGUAGE"), get("LANG"));
    }();
    return locale;
}

}  // namespace file_explorer::i18n
