#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"
#include "vesk_ui/persist.h"

namespace vesk_ui {
namespace {

using test::ScopedEnv;
using test::TempDir;

TEST(PersistedDocument, RoundTripsValuesAndActorUnderXdgStateHome) {
    TempDir dir;
    ScopedEnv state("XDG_STATE_HOME", dir.path());

    auto doc = persist::open("ex.vesk.test");
    ASSERT_TRUE(doc.has_value()) << doc.error();
    EXPECT_EQ(doc->path(), dir / "ex.vesk.test/state.json");
    EXPECT_EQ(doc->actor().size(), 16u);
    auto first_actor = doc->actor();

    doc->set("scroll", R"({"x":0,"y":120.5})");
    doc->set("label", "not json");
    doc->set("gone", "1");
    doc->erase("gone");
    ASSERT_TRUE(doc->save().has_value());

    auto again = persist::open("ex.vesk.test");
    ASSERT_TRUE(again.has_value()) << again.error();
    EXPECT_EQ(again->actor(), first_actor);
    EXPECT_EQ(again->get("scroll"), R"({"x":0,"y":120.5})");
    EXPECT_EQ(again->get("label"), R"("not json")");
    EXPECT_FALSE(again->get("gone"));

    // The application's own writer label survives a save too.
    std::string label = "files-abc";
    again->set_actor({label.begin(), label.end()});
    ASSERT_TRUE(again->save().has_value());
    auto third = open_document_at(again->path());
    ASSERT_TRUE(third.has_value());
    EXPECT_EQ(std::string(third->actor().begin(), third->actor().end()), label);
    // No temporary file stays behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "ex.vesk.test"), {}), 1);
}

TEST(PersistedDocument, DamagedFileStartsFreshAndIsKeptAside) {
    TempDir dir;
    for (std::string damage : {"{\"actor\": 12", "[]", "{\"actor\":\"zz\"}", "{\"actor\":\"00\",\"values\":3}"}) {
        std::string path = dir / "state.json";
        test::write_file(path, damage);
        auto doc = open_document_at(path);
        ASSERT_TRUE(doc.has_value()) << damage;
        EXPECT_EQ(doc->actor().size(), 16u);
        EXPECT_FALSE(doc->get("anything"));
        EXPECT_EQ(test::read_file(path + ".damaged"), damage);
        std::filesystem::remove(path + ".damaged");
    }
}

TEST(PersistedDocument, RejectsUnsafeApplicationIds) {
    TempDir dir;
    ScopedEnv state("XDG_STATE_HOME", dir.path());
    for (const char* id : {"", ".", "..", "a/b"}) EXPECT_FALSE(persist::open(id).has_value()) << id;
}

}  // namespace
}  // namespace vesk_ui
