#include "fileops/trash_info.h"

#include <charconv>

#include <fmt/core.h>

namespace file_explorer::fileops {
namespace {

bool keeps_byte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool all_digits(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return !text.empty();
}

std::string_view strip_cr(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

template <typename Number>
bool parse_number(std::string_view text, Number& out) {
    if (text.empty()) return false;
    auto [end, err] = std::from_chars(text.data(), text.data() + text.size(), out);
    return err == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string percent_encode_path(std::string_view bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        if (keeps_byte(c)) {
            out.push_back(ch);
            continue;
        }
        out.push_back('%');
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 0xF]);
    }
    return out;
}

std::optional<std::string> percent_decode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size()) return std::nullopt;
            int high = hex_value(text[i + 1]);
            int low = hex_value(text[i + 2]);
            if (high < 0 || low < 0) return std::nullopt;
            c = static_cast<char>(high * 16 + low);
            i += 2;
        }
        if (c == '\0') return std::nullopt;
        out.push_back(c);
    }
    return out;
}

std::string format_deletion_date(const std::tm& local) {
    return fmt::format("{:04d}-{:02d}-{:02d}T{:02d}:{:02d}:{:02d}", local.tm_year + 1900, local.tm_mon + 1,
                       local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

bool is_deletion_date(std::string_view text) {
    // YYYY-MM-DDThh:mm:ss
    if (text.size() != 19) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        char expected = i == 4 || i == 7 ? '-' : i == 10 ? 'T' : i == 13 || i == 16 ? ':' : '0';
        if (expected == '0' ? (c < '0' || c > '9') : c != expected) return false;
    }
    return true;
}

std::string format_trash_info(std::string_view path, std::string_view deletion_date) {
    return fmt::format("[Trash Info]\nPath={}\nDeletionDate={}\n", percent_encode_path(path), deletion_date);
}

std::optional<TrashInfo> parse_trash_info(std::string_view text) {
    std::optional<std::string> path;
    std::string date;
    bool in_group = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = strip_cr(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.starts_with('[')) {
            in_group = line == "[Trash Info]";
            continue;
        }
        if (!in_group) continue;
        // The first occurrence of a key counts, as in desktop entry files.
        if (line.starts_with("Path=") && !path) {
            path = percent_decode(line.substr(5));
            if (!path) return std::nullopt;
        } else if (line.starts_with("DeletionDate=") && date.empty()) {
            std::string_view value = line.substr(13);
            if (is_deletion_date(value)) date = value;
        }
    }
    if (!path || path->empty()) return std::nullopt;
    return TrashInfo{std::move(*path), std::move(date)};
}

std::vector<DirectorySize> parse_directory_sizes(std::string_view text) {
    std::vector<DirectorySize> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        std::size_t first = line.find(' ');
        std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
        if (second == std::string_view::npos) continue;
        DirectorySize entry;
        std::string_view size = line.substr(0, first);
        std::string_view mtime = line.substr(first + 1, second - first - 1);
        if (!all_digits(size) || !parse_number(size, entry.size) || !parse_number(mtime, entry.mtime)) continue;
        auto name = percent_decode(line.substr(second + 1));
        if (!name || name->empty() || name->find('/') != std::string::npos) continue;
        entry.name = std::move(*name);
        out.push_back(std::move(entry));
    }
    return out;
}

std::string format_directory_sizes(const std::vector<DirectorySize>& lines) {
    std::string out;
    for (const DirectorySize& line : lines)
        out += fmt::format("{} {} {}\n", line.size, line.mtime, percent_encode_path(line.name));
    return out;
}

}  // namespace file_explorer::fileops
