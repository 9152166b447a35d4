#include "views/file_view/thumbs.h"

#include <gtest/gtest.h>

#include "model/file_entry.h"
#include "views/file_view/entry_state.h"

namespace file_explorer::views {
namespace {

model::FileEntry entry(std::string path) {
    model::FileEntry e;
    e.name = path.substr(path.rfind('/') + 1);
    e.path = std::move(path);
    e.size = 5000;
    e.modified = model::ModifiedTime{1700000000, 250000000};
    return e;
}

TEST(ThumbRequest, KeyFromContentHashElseFileStatus) {
    model::FileEntry plain = entry("/home/u/pic.png");
    auto r = thumb_request(plain, entry_state(plain), {}, 256);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->key, thumbnail::ThumbKey::from_file("/home/u/pic.png", 1700000000250, 5000, 256));
    EXPECT_EQ(r->category, thumbnail::Category::Image);
    EXPECT_FALSE(r->collaborative);

    model::FileEntry hashed = plain;
    model::ContentHash hash{};
    hash[0] = 7;
    hashed.collab.edit().content_hash = hash;
    EXPECT_EQ(thumb_request(hashed, entry_state(hashed), {}, 256)->key, thumbnail::ThumbKey::from_content(hash, 256));

    model::FileEntry undated = plain;
    undated.modified.reset();
    EXPECT_EQ(thumb_request(undated, entry_state(undated), {}, 256)->key.mtime_ms, 0);
    undated.modified = model::ModifiedTime{-5, 0};
    EXPECT_EQ(thumb_request(undated, entry_state(undated), {}, 256)->key.mtime_ms, 0);

    model::FileEntry dir = plain;
    dir.is_dir = true;
    EXPECT_FALSE(thumb_request(dir, entry_state(dir), {}, 256));
}

TEST(ThumbRequest, WorkspaceFilesCarryASourceOnlyWhenLocal) {
    const std::vector<std::string> roots{"/var/workspace"};
    struct Case { LocalSync sync; std::optional<Residency> residency; bool source; };
    for (Case c : {Case{LocalSync::Unknown, std::nullopt, true}, Case{LocalSync::Local, std::nullopt, true},
                   Case{LocalSync::Projected, std::nullopt, false}, Case{LocalSync::Downloading, std::nullopt, false},
                   Case{LocalSync::Projected, Residency::Full, true}, Case{LocalSync::Local, Residency::Partial, false},
                   Case{LocalSync::Local, Residency::None, false}}) {
        EntryState s;
        s.sync = c.sync;
        if (c.residency) {
            AvailabilitySummary a;
            a.residency = *c.residency;
            s.availability = a;
        }
        auto r = thumb_request(entry("/var/workspace/team/pic.png"), s, roots, 256);
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->collaborative);
        EXPECT_EQ(r->source.has_value(), c.source) << int(c.sync);
        if (c.source) {
            EXPECT_EQ(*r->source, "/var/workspace/team/pic.png");
        }
    }
    auto outside = thumb_request(entry("/var/workspace2/pic.png"), EntryState{}, roots, 256);
    EXPECT_FALSE(outside->collaborative);
}

}  // namespace
}  // namespace file_explorer::views
