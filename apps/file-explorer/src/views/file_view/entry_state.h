// What the view shows about an entry's collaborative state: the badge over
// its icon and the parts of its accessible description. Both are derived
// from a small summary of the entry's sync state and projections.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "i18n/i18n.h"

namespace file_explorer::model {
struct FileEntry;
}

namespace file_explorer::views {

enum class TransferPhase : std::uint8_t { Idle, Queued, Downloading, Uploading, Verifying };
enum class Residency : std::uint8_t { None, Partial, Full };
enum class LocalSync : std::uint8_t { Local, Projected, Downloading, Unknown };

struct AvailabilitySummary {
    bool transfer_failed = false;  // the record carries a last error
    TransferPhase phase = TransferPhase::Idle;
    Residency residency = Residency::None;
    bool kept_offline = false;     // pinned policy
    bool kept_by_parent = false;   // the pin is inherited
    bool replicas_known = false;
    std::uint32_t durable_replicas = 0;
};

struct EntryState {
    bool is_dir = false;
    LocalSync sync = LocalSync::Unknown;
    std::optional<AvailabilitySummary> availability;
    std::optional<std::size_t> active_grants;  // set when the entry has a share record
    bool conflict = false;                     // an unresolved version conflict
};

EntryState entry_state(const model::FileEntry& entry);

// Badges are glyphs of the toolkit's icon set in one of two theme colours.
enum class BadgeTone : std::uint8_t { A, B };
struct Badge {
    char32_t glyph = 0;
    BadgeTone tone = BadgeTone::A;
    bool operator==(const Badge&) const = default;
};

// The availability badge when there is an availability record, else the
// sync-state badge when the sync state is known.
std::optional<Badge> badge_for(const EntryState& state);

// One catalog message with its arguments.
struct MessagePart {
    std::string id;
    i18n::Args args;
};

// The description parts in order: folder or file (with the formatted size),
// availability or sync state, sharing, conflict.
std::vector<MessagePart> description_parts(const EntryState& state, std::uint64_t size);
// The parts formatted and joined with ". ".
std::string describe(const EntryState& state, std::uint64_t size);

// Whether the file's content is on this device, as far as the view knows.
bool is_present_locally(const EntryState& state);

}  // namespace file_explorer::views
