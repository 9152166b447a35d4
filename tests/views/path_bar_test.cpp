// Breadcrumbs, completion and the path bar.
#include <gtest/gtest.h>

#include <filesystem>

#include "chrome_support.h"
#include "views/breadcrumb_bar/breadcrumb_bar.h"
#include "views/path_bar/completion.h"
#include "views/path_bar/path_bar.h"
#include "vesk_ui/recording_painter.h"
#include "vesk_ui/theme.h"

namespace file_explorer::views {
namespace {

using chrome_test::key;
using chrome_test::send;
using chrome_test::TempDir;
using chrome_test::typed;
using command::Kind;
namespace fs = std::filesystem;

std::vector<std::string> labels(const std::vector<Crumb>& crumbs) {
    std::vector<std::string> out;
    for (const auto& c : crumbs) out.push_back(c.label);
    return out;
}

TEST(Crumbs, AnchorAtTheInnermostWorkspaceRootThenHomeThenRoot) {
    chrome_test::use_english();
    const std::optional<std::string> home = "/home/u";
    struct Case {
        const char* folder;
        std::vector<std::string> roots;
        std::vector<std::string> labels;
        std::string first_target;
    };
    const Case cases[] = {
        {"/home/u/Documents/Work", {}, {"Home", "Documents", "Work"}, "/home/u"},
        {"/home/u", {}, {"Home"}, "/home/u"},
        {"/var/workspace/team/plan", {"/var/workspace"}, {"workspace", "team", "plan"}, "/var/workspace"},
        // The longer root wins, wherever it stands in the list.
        {"/var/workspace/team/plan", {"/var/workspace/team", "/var/workspace"}, {"team", "plan"}, "/var/workspace/team"},
        {"/var/workspace/team/plan", {"/var/workspace", "/var/workspace/team"}, {"team", "plan"}, "/var/workspace/team"},
        // A workspace root inside the home folder anchors before Home.
        {"/home/u/Shared/x", {"/home/u/Shared"}, {"Shared", "x"}, "/home/u/Shared"},
        // Component-wise: /var/workspace2 is not below /var/workspace.
        {"/var/workspace2/a", {"/var/workspace"}, {"/", "var", "workspace2", "a"}, "/"},
        {"/etc", {}, {"/", "etc"}, "/"},
        {"/", {}, {"/"}, "/"},
        {"/", {"/"}, {"Workspace"}, "/"},
    };
    for (const Case& c : cases) {
        auto crumbs = make_crumbs(c.folder, home, c.roots);
        EXPECT_EQ(labels(crumbs), c.labels) << c.folder;
        ASSERT_FALSE(crumbs.empty());
        EXPECT_EQ(crumbs.front().target, c.first_target) << c.folder;
        EXPECT_TRUE(crumbs.back().target == c.folder || (c.folder == std::string("/") && crumbs.back().target == "/"));
    }
    auto deep = make_crumbs("/home/u/a/b", home, {});
    EXPECT_EQ(deep[1].target, "/home/u/a");
    EXPECT_EQ(make_crumbs("/home/u/a", std::nullopt, {}).front().label, "/");
}

TEST(Crumbs, LongPathsKeepTheFirstAnEllipsisAndWhatFitsFromTheEnd) {
    const CrumbMetrics m{20, 10};
    auto crumbs_of = [](const std::vector<CrumbSlot>& slots) {
        std::vector<int> out;
        for (const auto& s : slots) out.push_back(s.crumb ? int(*s.crumb) : -1);
        return out;
    };
    const std::vector<float> widths{40, 50, 50, 50, 60};
    // Everything fits: 250 + 4 × 20 = 330 ≤ 334 − 4.
    EXPECT_EQ(crumbs_of(layout_crumbs(widths, m, 334)), (std::vector<int>{0, 1, 2, 3, 4}));
    // Room after the first, "…" and one separator: 300 − 4 − 40 − 10 − 20 = 226:
    // the last (60) and two more (2 × 70) fit, a third would not.
    auto slots = layout_crumbs(widths, m, 300);
    EXPECT_EQ(crumbs_of(slots), (std::vector<int>{0, -1, 2, 3, 4}));
    EXPECT_EQ(slots[1].left, 60);  // after the first crumb and one separator
    EXPECT_EQ(slots[2].left, 90);
    // The current folder stays even when it alone does not fit.
    EXPECT_EQ(crumbs_of(layout_crumbs({40, 50, 500}, m, 200)), (std::vector<int>{0, -1, 2}));
    EXPECT_EQ(crumbs_of(layout_crumbs({500}, m, 100)), (std::vector<int>{0}));
}

TEST(BreadcrumbBar, PressesOpenCrumbsOrAskForTheEditorAndKeysWalkTheCrumbs) {
    chrome_test::use_english();
    auto channel = std::make_shared<command::CommandChannel>();
    BreadcrumbBar bar(channel);
    bar.set_crumbs(make_crumbs("/home/u/Documents/Work", std::string("/home/u"), {}));
    bar.apply_layout(vesk_ui::Rect::from_xywh(100, 8, 500, 32));
    ASSERT_EQ(bar.slots().size(), 3u);

    const auto docs = *bar.crumb_rect(1);
    send(bar, chrome_test::pointer(vesk_ui::PointerKind::Move, {docs.left - 2, 20}));  // within the 3-unit slack
    EXPECT_EQ(bar.hovered(), 1u);
    send(bar, chrome_test::pointer(vesk_ui::PointerKind::Move, {docs.left - 2, 60}));  // below the bar
    EXPECT_FALSE(bar.hovered());
    chrome_test::click(bar, docs.center());
    auto commands = channel->drain();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].kind, Kind::NavigateToPath);
    EXPECT_EQ(commands[0].path, "/home/u/Documents");

    chrome_test::click(bar, {580, 20});  // past the crumbs
    EXPECT_TRUE(bar.take_edit_request());
    EXPECT_FALSE(bar.take_edit_request());

    EXPECT_FALSE(send(bar, key("ArrowLeft")));  // not focused
    bar.set_focus(true);
    EXPECT_TRUE(send(bar, key("ArrowLeft")));
    EXPECT_TRUE(send(bar, key("Home")));
    EXPECT_TRUE(send(bar, key("ArrowLeft")));  // not below the first
    EXPECT_EQ(bar.focused_crumb(), 0u);
    send(bar, key("Enter"));
    EXPECT_EQ(channel->drain().at(0).path, "/home/u");
    send(bar, key("End"));
    send(bar, key("Enter"));  // the current folder: edit it
    EXPECT_TRUE(bar.take_edit_request());
    EXPECT_TRUE(channel->empty());

    auto node = bar.accessibility();
    ASSERT_TRUE(node);
    EXPECT_EQ(node->label, "Breadcrumbs");
    ASSERT_EQ(node->children.size(), 3u);
    EXPECT_EQ(node->children[0].label, "Open /home/u");
    EXPECT_EQ(node->children[2].label, "Current folder, /home/u/Documents/Work. Press Enter to edit the path");
    EXPECT_TRUE(bar.perform_semantic_action(node->children[1].id, vesk_ui::SemanticAction::Default));
    EXPECT_EQ(channel->drain().at(0).path, "/home/u/Documents");

    // Narrow: collapsed crumbs are neither described nor hit.
    bar.set_crumbs(make_crumbs("/a/bbbbbbbb/cccccccc/dddddddd/eeeeeeee", std::nullopt, {}));
    bar.apply_layout(vesk_ui::Rect::from_xywh(0, 0, 190, 32));
    EXPECT_FALSE(bar.crumb_rect(1));
    EXPECT_TRUE(bar.crumb_rect(5));
    EXPECT_LT(bar.accessibility()->children.size(), 6u);
    vesk_ui::RecordingPainter p;
    bar.draw(p, {vesk_ui::Theme::dark(), {}, 1.0f});
    EXPECT_TRUE(p.balanced());
    EXPECT_NE(p.find_text("…"), nullptr);
    EXPECT_EQ(p.find_text("bbbbbbbb"), nullptr);
}

// --- completion ------------------------------------------------------------

TEST(Completion, QueriesSplitTheTypedTextAfterExpandingHome) {
    const std::optional<std::string> home = "/home/u";
    struct Case {
        const char* text;
        const char* folder;
        const char* prefix;
    };
    const Case cases[] = {
        {"~/Do", "/home/u/", "Do"},
        {"~", "/home/u/", ""},
        {"", "/base/", ""},
        {"reports", "/base/", "reports"},
        {"sub/x", "/base/sub/", "x"},
        {"/etc/pa", "/etc/", "pa"},
        {"/", "/", ""},
        {"~other", "/base/", "~other"},
    };
    for (const Case& c : cases) {
        auto q = completion_query(c.text, "/base", home);
        EXPECT_EQ(q.folder, c.folder) << c.text;
        EXPECT_EQ(q.prefix, c.prefix) << c.text;
    }
    EXPECT_EQ(completion_query("~/x", "/base", std::nullopt).folder, "/base/~/");
    EXPECT_EQ(resolve_typed_path("reports", "/base", home), "/base/reports");
    EXPECT_EQ(resolve_typed_path("~/Documents/", "/base", home), "/home/u/Documents");
    EXPECT_EQ(resolve_typed_path("/", "/base", home), "/");
    EXPECT_EQ(home_abbreviated("/home/u", home), "~");
    EXPECT_EQ(home_abbreviated("/home/u/Documents", home), "~/Documents");
    EXPECT_EQ(home_abbreviated("/home/user2", home), "/home/user2");
}

class CompletionTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* d : {"Documents", "Downloads", "desk", ".dotfiles", "Music"}) fs::create_directories(tmp / d);
        for (const char* f : {"Doc.txt", "dossier.pdf", ".hidden"}) chrome_test::write_file(tmp / f, "x");
        fs::create_symlink(tmp / "Documents", tmp / "DocLink");  // a link is not a folder here
    }
    std::vector<std::string> names(const std::string& text) {
        std::vector<std::string> out;
        for (const auto& c : complete_now(text, tmp.path(), tmp.path())) out.push_back(c.name + (c.is_dir ? "/" : ""));
        return out;
    }
    TempDir tmp;
};

TEST_F(CompletionTest, PrefixesHiddenNamesAndOrder) {
    EXPECT_EQ(names("~/Do"), (std::vector<std::string>{"Documents/", "Downloads/", "Doc.txt", "DocLink", "dossier.pdf"}));
    EXPECT_EQ(names("~/dOC"), (std::vector<std::string>{"Documents/", "Doc.txt", "DocLink"}));  // any case
    EXPECT_EQ(names("~/.d"), (std::vector<std::string>{".dotfiles/"}));
    EXPECT_EQ(names("~/."), (std::vector<std::string>{".dotfiles/", ".hidden"}));
    EXPECT_EQ(names(""), (std::vector<std::string>{"desk/", "Documents/", "Downloads/", "Music/", "Doc.txt",
                                                   "DocLink", "dossier.pdf"}));
    EXPECT_TRUE(names("~/zzz").empty());
    EXPECT_TRUE(names("~/Music/").empty());
    EXPECT_TRUE(names("/no/such/folder/x").empty());
    auto full = complete_now("Mu", tmp.path(), std::nullopt);
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(full[0].path, tmp / "Music");
}

TEST_F(CompletionTest, NamesThatAreNotUtf8KeepTheirBytesInThePath) {
    fs::create_directories(tmp / "caf\xff");
    fs::create_directories(tmp / "CAF\xc3\x89-upper");  // "CAFÉ-upper"
    auto found = complete_now("ca", tmp.path(), std::nullopt);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, "CAF\xc3\x89-upper");  // bytes order: é (C3 A9) before FF
    EXPECT_EQ(found[1].name, "caf\xEF\xBF\xBD");
    EXPECT_EQ(found[1].path, tmp / "caf\xff");
    EXPECT_EQ(complete_now("café", tmp.path(), std::nullopt).size(), 1u);  // folded É matches é
    EXPECT_EQ(fold_case("ÀÉÎ ΑΩ АЯ Ё Ÿ \xff"), "àéî αω ая ё ÿ \xff");
}

TEST_F(CompletionTest, AHundredMatchesOfferTheFirstSixty) {
    for (int i = 0; i < 100; ++i) chrome_test::write_file(tmp / ("match-" + std::to_string(1000 + i)), "");
    auto found = complete_now("match", tmp.path(), std::nullopt);
    ASSERT_EQ(found.size(), CompletionEngine::max_candidates);
    EXPECT_EQ(found.front().name, "match-1000");
    EXPECT_EQ(found.back().name, "match-1059");
}

TEST_F(CompletionTest, StepsEndAtTheirDeadlineAndResumeWhereTheyStopped) {
    for (int i = 0; i < 3000; ++i) chrome_test::write_file(tmp / ("f" + std::to_string(i)), "");
    CompletionEngine engine;
    engine.start(completion_query("f", tmp.path(), std::nullopt));
    engine.step(std::chrono::steady_clock::time_point::min());  // one small batch only
    EXPECT_FALSE(engine.done());
    EXPECT_LT(engine.listed(), 3000u);
    int steps = 1;
    while (!engine.done()) {
        engine.step(std::chrono::steady_clock::time_point::min());
        ++steps;
    }
    EXPECT_GT(steps, 3);
    EXPECT_EQ(engine.candidates().size(), CompletionEngine::max_candidates);
    EXPECT_EQ(engine.candidates().front().name, "f0");

    // A new prefix in the same folder reuses the names already read.
    engine.start(completion_query("f299", tmp.path(), std::nullopt));
    EXPECT_EQ(engine.listed(), 3009u);
    while (!engine.done()) engine.step(std::chrono::steady_clock::time_point::max());
    EXPECT_EQ(engine.candidates().size(), 11u);  // f299, f2990 … f2999
}

// --- the path bar -------------------------------------------------------------

struct PathBarFixture {
    PathBarFixture() {
        chrome_test::use_english();
        fs::create_directories(tmp / "home/Documents");
        fs::create_directories(tmp / "home/Downloads");
        fs::create_directories(tmp / "home/reports");
        home = tmp / "home";
        bar.update(home + "/Documents", home, {});
        bar.apply_layout(vesk_ui::Rect::from_xywh(120, 8, 600, 32));
    }
    void settle() {
        while (bar.busy()) bar.pump(vesk_ui::Clock::now() + std::chrono::milliseconds(4));
    }
    TempDir tmp;
    std::string home;
    command::CommandChannelRef channel = std::make_shared<command::CommandChannel>();
    PathBar bar{channel};
};

TEST(PathBar, EditingStartsWithTheAbbreviatedFolderAndSubmitsRelativeToIt) {
    PathBarFixture f;
    ASSERT_FALSE(f.bar.editing());
    send(f.bar, key("Enter"));  // crumbs not focused: nothing
    EXPECT_FALSE(f.bar.editing());
    f.bar.set_focus(true);
    send(f.bar, key("Enter"));  // on the current folder: edit
    ASSERT_TRUE(f.bar.editing());
    EXPECT_EQ(f.bar.field().text(), "~/Documents");
    EXPECT_EQ(f.bar.accessibility()->id, "files.path_input");

    // The current folder changes underneath: the edit is left alone.
    f.bar.update(f.home, f.home, {});
    EXPECT_EQ(f.bar.field().text(), "~/Documents");
    EXPECT_EQ(f.bar.edit_base(), f.home + "/Documents");

    send(f.bar, typed("reports"));
    send(f.bar, key("Enter"));
    EXPECT_FALSE(f.bar.editing());
    auto commands = f.channel->drain();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].path, f.home + "/Documents/reports");  // the base from when editing began

    // Escape with the popup closed cancels without navigating.
    f.bar.begin_edit();
    send(f.bar, key("Escape"));
    EXPECT_FALSE(f.bar.editing());
    EXPECT_TRUE(f.channel->empty());
}

TEST(PathBar, CompletionOffersFoldersFirstAndTabTakesOne) {
    PathBarFixture f;
    f.bar.begin_edit();
    send(f.bar, typed("~/Do"));
    EXPECT_TRUE(f.bar.busy());
    f.settle();
    const auto& shown = f.bar.field().suggestions();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].label, "Documents");
    EXPECT_EQ(shown[1].replacement, "~/Downloads/");
    send(f.bar, key("ArrowDown"));
    send(f.bar, key("ArrowDown"));
    send(f.bar, key("Tab"));
    EXPECT_EQ(f.bar.field().text(), "~/Downloads/");
    send(f.bar, key("Enter"));
    EXPECT_EQ(f.channel->drain().at(0).path, f.home + "/Downloads");
}

TEST(PathBar, AFolderNotInUtf8CanBeCompletedAndOpened) {
    PathBarFixture f;
    fs::create_directories(f.home + "/caf\xff/inner");
    f.bar.begin_edit();
    send(f.bar, typed("~/ca"));
    f.settle();
    send(f.bar, key("Tab"));
    EXPECT_EQ(f.bar.field().text(), "~/caf\xEF\xBF\xBD/");
    f.settle();
    ASSERT_EQ(f.bar.field().suggestions().size(), 1u);  // listed below the raw folder
    EXPECT_EQ(f.bar.field().suggestions()[0].label, "inner");
    send(f.bar, key("Enter"));
    EXPECT_EQ(f.channel->drain().at(0).path, f.home + "/caf\xff");

    // Opened from there, an unchanged text leads back to the same folder.
    f.bar.update(f.home + "/caf\xff", f.home, {});
    f.bar.begin_edit();
    send(f.bar, key("Enter"));
    EXPECT_EQ(f.channel->drain().at(0).path, f.home + "/caf\xff");
}

}  // namespace
}  // namespace file_explorer::views
