#include "views/file_view/entry_state.h"

#include "model/file_entry.h"

namespace file_explorer::views {

namespace {

constexpr char32_t glyph_replicated = 11;

std::optional<Badge> availability_badge(const AvailabilitySummary& a) {
    using enum BadgeTone;
    if (a.transfer_failed) return Badge{U'V', B};
    switch (a.phase) {
        case TransferPhase::Downloading: return Badge{U'W', B};
        case TransferPhase::Uploading: return Badge{U'Q', B};
        case TransferPhase::Queued:
        case TransferPhase::Verifying: return Badge{U'L', B};
        case TransferPhase::Idle: break;
    }
    if (a.residency == Residency::None) return Badge{U'G', A};
    if (a.residency == Residency::Partial) return Badge{U'W', A};
    if (a.kept_offline) return Badge{U'6', B};
    if (!a.replicas_known) return Badge{U'F', A};
    if (a.durable_replicas > 0) return Badge{glyph_replicated, A};
    return Badge{U'F', B};
}

const char* phase_message(const AvailabilitySummary& a) {
    switch (a.phase) {
        case TransferPhase::Queued: return "files-a11y-transfer-queued";
        case TransferPhase::Downloading: return "files-a11y-downloading";
        case TransferPhase::Uploading: return "files-a11y-uploading";
        case TransferPhase::Verifying: return "files-a11y-verifying";
        case TransferPhase::Idle: break;
    }
    switch (a.residency) {
        case Residency::None: return "files-a11y-online-only";
        case Residency::Partial: return "files-a11y-partly-offline";
        case Residency::Full: break;
    }
    return "files-a11y-available-offline";
}

void add(std::vector<MessagePart>& parts, const char* id, i18n::Args args = {}) {
    parts.push_back(MessagePart{id, std::move(args)});
}

void add_availability(std::vector<MessagePart>& parts, const AvailabilitySummary& a) {
    add(parts, a.transfer_failed ? "files-a11y-transfer-failed" : phase_message(a));
    if (a.kept_offline) add(parts, a.kept_by_parent ? "files-a11y-kept-offline-parent" : "files-a11y-kept-offline");
    if (!a.replicas_known)
        add(parts, "files-a11y-replica-unknown");
    else if (a.durable_replicas > 0)
        add(parts, "files-a11y-durably-replicated");
    else
        add(parts, "files-a11y-not-durably-replicated");
}

void add_sync(std::vector<MessagePart>& parts, LocalSync sync) {
    switch (sync) {
        case LocalSync::Local: add(parts, "files-a11y-available-offline"); break;
        case LocalSync::Projected: add(parts, "files-a11y-online-only"); break;
        case LocalSync::Downloading: add(parts, "files-a11y-downloading"); break;
        case LocalSync::Unknown: break;
    }
}

}  // namespace

EntryState entry_state(const model::FileEntry& entry) {
    EntryState s;
    s.is_dir = entry.is_dir;
    switch (entry.sync_state) {
        case model::SyncState::Local: s.sync = LocalSync::Local; break;
        case model::SyncState::Projected: s.sync = LocalSync::Projected; break;
        case model::SyncState::Downloading: s.sync = LocalSync::Downloading; break;
        case model::SyncState::Unknown: break;
    }
    // The availability, share and history projections carry no fields yet;
    // once they do, their summaries are filled in here and every badge and
    // description follows from the summary.
    return s;
}

std::optional<Badge> badge_for(const EntryState& state) {
    if (state.availability) return availability_badge(*state.availability);
    switch (state.sync) {
        case LocalSync::Local: return Badge{U'9', BadgeTone::A};
        case LocalSync::Projected: return Badge{U'G', BadgeTone::A};
        case LocalSync::Downloading: return Badge{U'W', BadgeTone::B};
        case LocalSync::Unknown: break;
    }
    return std::nullopt;
}

std::vector<MessagePart> description_parts(const EntryState& state, std::uint64_t size) {
    std::vector<MessagePart> parts;
    if (state.is_dir)
        add(parts, "files-a11y-folder");
    else
        add(parts, "files-a11y-file", i18n::Args().text("size", i18n::format_size(size)));
    if (state.availability)
        add_availability(parts, *state.availability);
    else
        add_sync(parts, state.sync);
    if (state.active_grants)
        add(parts, "files-a11y-shared-recipients",
            i18n::Args().number("count", static_cast<double>(*state.active_grants)));
    if (state.conflict) add(parts, "files-a11y-version-conflict");
    return parts;
}

std::string describe(const EntryState& state, std::uint64_t size) {
    std::string out;
    for (const MessagePart& part : description_parts(state, size)) {
        if (!out.empty()) out += ". ";
        out += part.args.items().empty() ? i18n::tr(part.id) : i18n::tr_args(part.id, part.args);
    }
    return out;
}

bool is_present_locally(const EntryState& state) {
    if (state.availability) return state.availability->residency == Residency::Full;
    return state.sync == LocalSync::Local || state.sync == LocalSync::Unknown;
}

}  // namespace file_explorer::views
