#include "model/ordering.h"

#include <openssl/evp.h>
#include <unicode/ucasemap.h>

#include <algorithm>
#include <memory>
#include <numeric>

namespace file_explorer::model {
namespace {

struct CaseMapCloser {
    void operator()(UCaseMap* map) const { ucasemap_close(map); }
};
using CaseMap = std::unique_ptr<UCaseMap, CaseMapCloser>;

CaseMap open_root_case_map() {
    UErrorCode status = U_ZERO_ERROR;
    // "" is the root locale: no language-specific rules.
    CaseMap map(ucasemap_open("", 0, &status));
    return U_SUCCESS(status) ? std::move(map) : nullptr;
}

bool is_ascii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Appends `name` lower-cased to `out`.
void append_folded(const CaseMap& map, std::string_view name, std::string& out) {
    if (is_ascii(name) || !map) {
        for (char c : name) out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        return;
    }
    // Lower-casing can grow a text (U+0130 becomes two code points).
    std::size_t start = out.size();
    int32_t capacity = static_cast<int32_t>(name.size() * 3 + 4);
    out.resize(start + static_cast<std::size_t>(capacity));
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = ucasemap_utf8ToLower(map.get(), out.data() + start, capacity, name.data(),
                                          static_cast<int32_t>(name.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.resize(start + static_cast<std::size_t>(length));
        status = U_ZERO_ERROR;
        length = ucasemap_utf8ToLower(map.get(), out.data() + start, length, name.data(),
                                      static_cast<int32_t>(name.size()), &status);
    }
    if (U_FAILURE(status)) {
        out.resize(start);
        out.append(name);
        return;
    }
    out.resize(start + static_cast<std::size_t>(length));
}

std::weak_ordering compare_bytes(std::string_view a, std::string_view b) {
    int c = a.compare(b);
    return c < 0 ? std::weak_ordering::less : c > 0 ? std::weak_ordering::greater : std::weak_ordering::equivalent;
}

// The first 8 bytes as a big-endian number, zero-padded: ordering these
// numbers orders the texts by their first 8 bytes.
std::uint64_t byte_prefix(std::string_view text) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        prefix <<= 8;
        if (i < text.size()) prefix |= static_cast<unsigned char>(text[i]);
    }
    return prefix;
}

// Step 2 of the comparator for every key but Name.
std::weak_ordering compare_non_name_key(const FileEntry& a, const FileEntry& b, SortKey key) {
    switch (key) {
    case SortKey::Size: return a.size <=> b.size;
    case SortKey::Modified: return a.modified <=> b.modified;
    case SortKey::Type: return compare_bytes(a.mime.text(), b.mime.text());
    case SortKey::Name: break;
    }
    return std::weak_ordering::equivalent;
}

std::weak_ordering finish(std::weak_ordering by_key, SortDirection direction) {
    return direction == SortDirection::Descending ? 0 <=> by_key : by_key;
}

// Moves entries[order[k]] to position k for every k, in place.
void apply_order(std::vector<FileEntry>& entries, std::vector<std::uint32_t>& order) {
    for (std::uint32_t start = 0; start < order.size(); ++start) {
        if (order[start] == start) continue;
        FileEntry held = std::move(entries[start]);
        std::uint32_t at = start;
        while (order[at] != start) {
            std::uint32_t from = order[at];
            entries[at] = std::move(entries[from]);
            order[at] = at;
            at = from;
        }
        entries[at] = std::move(held);
        order[at] = at;
    }
}

}  // namespace

std::string_view sort_key_name(SortKey key) {
    switch (key) {
    case SortKey::Name: return "Name";
    case SortKey::Size: return "Size";
    case SortKey::Modified: return "Modified";
    case SortKey::Type: return "Type";
    }
    return "Name";
}

std::string_view sort_direction_name(SortDirection direction) {
    return direction == SortDirection::Descending ? "Descending" : "Ascending";
}

std::string_view view_mode_name(ViewMode mode) { return mode == ViewMode::Grid ? "Grid" : "List"; }

std::string fold_name(std::string_view name) {
    std::string out;
    append_folded(open_root_case_map(), name, out);
    return out;
}

std::weak_ordering compare_entries(const FileEntry& a, const FileEntry& b, SortKey key, SortDirection direction) {
    if (a.is_dir != b.is_dir) return a.is_dir ? std::weak_ordering::less : std::weak_ordering::greater;
    if (key == SortKey::Name) return finish(compare_bytes(fold_name(a.name), fold_name(b.name)), direction);
    return finish(compare_non_name_key(a, b, key), direction);
}

void sort_entries(std::vector<FileEntry>& entries, SortKey key, SortDirection direction) {
    if (entries.size() < 2) return;
    std::vector<std::uint32_t> order(entries.size());
    if (key == SortKey::Name) {
        // Each name is folded once here instead of twice per comparison; the
        // folded names share one buffer so the keys stay small and cheap to move.
        struct NameKey {
            std::uint64_t prefix;  // first 8 folded bytes: most comparisons end here
            std::uint32_t offset;
            std::uint32_t length;
            std::uint32_t index;
            bool is_dir;
        };
        CaseMap map = open_root_case_map();
        std::string folded;
        std::vector<NameKey> keys;
        keys.reserve(entries.size());
        for (std::uint32_t i = 0; i < entries.size(); ++i) {
            std::size_t offset = folded.size();
            append_folded(map, entries[i].name, folded);
            std::string_view name(folded.data() + offset, folded.size() - offset);
            keys.push_back({byte_prefix(name), static_cast<std::uint32_t>(offset),
                            static_cast<std::uint32_t>(name.size()), i, entries[i].is_dir});
        }
        auto text = [&](const NameKey& k) { return std::string_view(folded.data() + k.offset, k.length); };
        std::stable_sort(keys.begin(), keys.end(), [&](const NameKey& a, const NameKey& b) {
            if (a.is_dir != b.is_dir) return a.is_dir;
            std::weak_ordering by_name = a.prefix != b.prefix ? a.prefix <=> b.prefix : compare_bytes(text(a), text(b));
            return finish(by_name, direction) < 0;
        });
        for (std::size_t k = 0; k < keys.size(); ++k) order[k] = keys[k].index;
    } else {
        std::iota(order.begin(), order.end(), 0u);
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t i, std::uint32_t j) {
            const FileEntry& a = entries[i];
            const FileEntry& b = entries[j];
            if (a.is_dir != b.is_dir) return a.is_dir;
            return finish(compare_non_name_key(a, b, key), direction) < 0;
        });
    }
    apply_order(entries, order);
}

void set_sort_key(SortState& state, std::vector<FileEntry>& entries, SortKey key) {
    state.key = key;
    sort_entries(entries, state.key, state.direction);
}

void toggle_sort_direction(SortState& state, std::vector<FileEntry>& entries) {
    state.direction =
        state.direction == SortDirection::Ascending ? SortDirection::Descending : SortDirection::Ascending;
    sort_entries(entries, state.key, state.direction);
}

void set_sort_direction(SortState& state, std::vector<FileEntry>& entries, SortDirection direction) {
    if (state.direction != direction) toggle_sort_direction(state, entries);
}

void sort_by_column(SortState& state, std::vector<FileEntry>& entries, SortKey column) {
    if (state.key == column) {
        toggle_sort_direction(state, entries);
    } else {
        set_sort_key(state, entries, column);
    }
}

std::string order_hash(const std::vector<FileEntry>& entries) {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr);
    for (const FileEntry& e : entries) {
        std::uint64_t length = e.name.size();
        unsigned char length_bytes[8];
        for (int i = 0; i < 8; ++i) length_bytes[i] = static_cast<unsigned char>(length >> (8 * i));
        unsigned char folder = e.is_dir ? 1 : 0;
        EVP_DigestUpdate(ctx.get(), length_bytes, sizeof length_bytes);
        EVP_DigestUpdate(ctx.get(), e.name.data(), e.name.size());
        EVP_DigestUpdate(ctx.get(), &folder, 1);
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digest_length = 0;
    EVP_DigestFinal_ex(ctx.get(), digest, &digest_length);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(digest_length * 2);
    for (unsigned int i = 0; i < digest_length; ++i) {
        out.push_back(kHex[digest[i] >> 4]);
        out.push_back(kHex[digest[i] & 0x0F]);
    }
    return out;
}

}  // namespace file_explorer::model
