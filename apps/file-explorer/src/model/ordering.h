// The order in which entries are shown: folders first, then by one key in one
// direction; stable, so equal entries keep their previous order.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/file_entry.h"

namespace file_explorer::model {

enum class SortKey : std::uint8_t { Name = 0, Size = 1, Modified = 2, Type = 3 };
enum class SortDirection : std::uint8_t { Ascending = 0, Descending = 1 };
enum class ViewMode : std::uint8_t { List = 0, Grid = 1 };

// "Name", "Size", "Modified", "Type"; "Ascending", "Descending"; "List", "Grid".
std::string_view sort_key_name(SortKey key);
std::string_view sort_direction_name(SortDirection direction);
std::string_view view_mode_name(ViewMode mode);

struct SortState {
    SortKey key = SortKey::Name;
    SortDirection direction = SortDirection::Ascending;
    bool operator==(const SortState&) const = default;
};

// The comparator: a folder is before a file in both directions; otherwise the
// key decides (names lower-cased with full Unicode rules and compared byte by
// byte; sizes as numbers; a missing time before any time; MIME texts byte by
// byte), reversed when descending.
std::weak_ordering compare_entries(const FileEntry& a, const FileEntry& b, SortKey key, SortDirection direction);

// Stable sort of `entries` by compare_entries, in place.
void sort_entries(std::vector<FileEntry>& entries, SortKey key, SortDirection direction);

// The state changes behind the sort commands and column headers; each one
// re-sorts `entries` by the new state.
void set_sort_key(SortState& state, std::vector<FileEntry>& entries, SortKey key);
void toggle_sort_direction(SortState& state, std::vector<FileEntry>& entries);
void set_sort_direction(SortState& state, std::vector<FileEntry>& entries, SortDirection direction);
// A click on a column header: the current key flips the direction, another
// key becomes the key with the direction unchanged.
void sort_by_column(SortState& state, std::vector<FileEntry>& entries, SortKey column);

// SHA-256 over each entry in order: its name's byte length as 8 bytes little
// endian, the name bytes, and 1 for a folder or 0; as 64 lowercase hex digits.
std::string order_hash(const std::vector<FileEntry>& entries);

// `name` lower-cased with the full, language-independent Unicode mapping.
std::string fold_name(std::string_view name);

}  // namespace file_explorer::model
