#include "model/collab_fields.h"

// The attribute formats are not parsed yet, so every field reads as absent;
// listings already call each reader where its field belongs.

namespace file_explorer::model {

std::optional<SyncState> read_sync_state(const std::string&) { return std::nullopt; }
std::optional<ContentHash> read_content_hash(const std::string&) { return std::nullopt; }
std::optional<RecordId> read_record_id(const std::string&) { return std::nullopt; }
std::optional<AvailabilityProjection> read_availability(const std::string&) { return std::nullopt; }
std::optional<ShareProjection> read_share(const std::string&) { return std::nullopt; }
std::optional<HistoryProjection> read_history(const std::string&) { return std::nullopt; }
std::optional<MetadataProjection> read_metadata(const std::string&) { return std::nullopt; }

}  // namespace file_explorer::model
