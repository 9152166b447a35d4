#include "views/file_view/entry_state.h"

#include <gtest/gtest.h>

namespace file_explorer::views {
namespace {

AvailabilitySummary idle(Residency residency) {
    AvailabilitySummary a;
    a.residency = residency;
    return a;
}

TEST(EntryBadge, FollowsTheStateTable) {
    auto with = [](auto edit) {
        EntryState s;
        AvailabilitySummary a = idle(Residency::Full);
        edit(s, a);
        return s;
    };
    auto avail = [&](auto edit) {
        return with([&](EntryState& s, AvailabilitySummary& a) {
            edit(a);
            s.availability = a;
        });
    };
    auto sync = [](LocalSync v) {
        EntryState s;
        s.sync = v;
        return s;
    };
    using enum BadgeTone;
    struct Case { const char* what; EntryState state; std::optional<Badge> badge; };
    const Case cases[] = {
        {"sync local", sync(LocalSync::Local), Badge{U'9', A}},
        {"sync projected", sync(LocalSync::Projected), Badge{U'G', A}},
        {"sync downloading", sync(LocalSync::Downloading), Badge{U'W', B}},
        {"sync unknown", sync(LocalSync::Unknown), std::nullopt},
        {"failed", avail([](auto& a) { a.transfer_failed = true; a.phase = TransferPhase::Uploading; }), Badge{U'V', B}},
        {"not resident", avail([](auto& a) { a.residency = Residency::None; }), Badge{U'G', A}},
        {"partial", avail([](auto& a) { a.residency = Residency::Partial; }), Badge{U'W', A}},
        {"kept offline", avail([](auto& a) { a.kept_offline = true; a.replicas_known = true; a.durable_replicas = 2; }), Badge{U'6', B}},
        {"durable", avail([](auto& a) { a.replicas_known = true; a.durable_replicas = 1; }), Badge{char32_t{11}, A}},
        {"not durable", avail([](auto& a) { a.replicas_known = true; }), Badge{U'F', B}},
        {"replicas unknown", avail([](auto&) {}), Badge{U'F', A}},
        {"downloading", avail([](auto& a) { a.phase = TransferPhase::Downloading; }), Badge{U'W', B}},
        {"uploading", avail([](auto& a) { a.phase = TransferPhase::Uploading; }), Badge{U'Q', B}},
        {"queued", avail([](auto& a) { a.phase = TransferPhase::Queued; }), Badge{U'L', B}},
        {"verifying", avail([](auto& a) { a.phase = TransferPhase::Verifying; }), Badge{U'L', B}},
    };
    for (const Case& c : cases) EXPECT_EQ(badge_for(c.state), c.badge) << c.what;

    // An availability record wins over the sync state.
    EntryState both = sync(LocalSync::Local);
    both.availability = idle(Residency::None);
    EXPECT_EQ(badge_for(both), (Badge{U'G', A}));
}

std::vector<std::string> ids(const EntryState& s) {
    std::vector<std::string> out;
    for (const MessagePart& p : description_parts(s, 1234)) out.push_back(p.id);
    return out;
}

TEST(EntryDescription, PartsInOrder) {
    EntryState folder;
    folder.is_dir = true;
    EXPECT_EQ(ids(folder), std::vector<std::string>{"files-a11y-folder"});

    EntryState synced;
    synced.sync = LocalSync::Projected;
    synced.active_grants = 0;
    EXPECT_EQ(ids(synced), (std::vector<std::string>{"files-a11y-file", "files-a11y-online-only",
                                                     "files-a11y-shared-recipients"}));

    EntryState full;
    full.sync = LocalSync::Local;  // ignored beside an availability record
    AvailabilitySummary a = idle(Residency::Partial);
    a.kept_offline = true;
    a.kept_by_parent = true;
    a.replicas_known = true;
    full.availability = a;
    full.conflict = true;
    EXPECT_EQ(ids(full), (std::vector<std::string>{"files-a11y-file", "files-a11y-partly-offline",
                                                   "files-a11y-kept-offline-parent",
                                                   "files-a11y-not-durably-replicated",
                                                   "files-a11y-version-conflict"}));

    EntryState failed;
    AvailabilitySummary f = idle(Residency::Full);
    f.transfer_failed = true;
    f.kept_offline = true;
    failed.availability = f;
    EXPECT_EQ(ids(failed), (std::vector<std::string>{"files-a11y-file", "files-a11y-transfer-failed",
                                                     "files-a11y-kept-offline", "files-a11y-replica-unknown"}));
}

TEST(EntryDescription, FormatsSizeAndCounts) {
    EntryState shared;
    shared.active_grants = 2;
    auto parts = description_parts(shared, 1234);
    ASSERT_EQ(parts.size(), 2u);
    ASSERT_EQ(parts[0].args.items().size(), 1u);
    EXPECT_EQ(std::get<std::string>(parts[0].args.items()[0].second), i18n::format_size(1234));
    EXPECT_EQ(std::get<double>(parts[1].args.items()[0].second), 2.0);
}

TEST(EntryPresence, LocalOnlyWhenFullyResidentOrSyncedLocally) {
    EntryState unknown;
    EXPECT_TRUE(is_present_locally(unknown));
    EntryState projected;
    projected.sync = LocalSync::Projected;
    EXPECT_FALSE(is_present_locally(projected));
    EntryState partial;
    partial.availability = idle(Residency::Partial);
    EXPECT_FALSE(is_present_locally(partial));
    EntryState full;
    full.sync = LocalSync::Projected;
    full.availability = idle(Residency::Full);
    EXPECT_TRUE(is_present_locally(full));
}

}  // namespace
}  // namespace file_explorer::views
