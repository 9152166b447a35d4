// Collaborative state of items inside workspace folders.
//
// The workspace service publishes it as extended attributes; the readers
// below turn one item's attributes into values. A missing or malformed
// attribute reads as nothing, never as an error.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace file_explorer::model {

enum class SyncState : std::uint8_t {
    Local = 0,
    Projected = 1,
    Downloading = 2,
    Unknown = 255,
};

using ContentHash = std::array<std::uint8_t, 32>;  // collaborative content digest
using RecordId = std::array<std::uint8_t, 16>;     // record UUID bytes

// The projection records; their contents arrive with the projection readers.
struct AvailabilityProjection {
    bool operator==(const AvailabilityProjection&) const = default;
};
struct ShareProjection {
    bool operator==(const ShareProjection&) const = default;
};
struct HistoryProjection {
    bool operator==(const HistoryProjection&) const = default;
};
struct MetadataProjection {
    bool operator==(const MetadataProjection&) const = default;
};

// The rarely present fields of an entry, kept together out of line.
struct CollabFields {
    std::optional<ContentHash> content_hash;
    std::optional<RecordId> record_id;
    std::optional<AvailabilityProjection> availability;
    std::optional<ShareProjection> share;
    std::optional<HistoryProjection> history;
    std::optional<MetadataProjection> metadata;

    bool empty() const {
        return !content_hash && !record_id && !availability && !share && !history && !metadata;
    }
    bool operator==(const CollabFields&) const = default;
};

// One reader per field, given the item's path (raw bytes). Links are never
// followed.
std::optional<SyncState> read_sync_state(const std::string& path);
std::optional<ContentHash> read_content_hash(const std::string& path);
std::optional<RecordId> read_record_id(const std::string& path);
std::optional<AvailabilityProjection> read_availability(const std::string& path);
std::optional<ShareProjection> read_share(const std::string& path);
std::optional<HistoryProjection> read_history(const std::string& path);
std::optional<MetadataProjection> read_metadata(const std::string& path);

}  // namespace file_explorer::model
