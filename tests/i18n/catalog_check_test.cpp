#include <algorithm>

#include <gtest/gtest.h>

#include "i18n/catalog_check.h"
#include "i18n/fluent_parser.h"

namespace file_explorer::i18n {
namespace {

constexpr const char* kSource = R"(# Source
files-plain = Plain
files-count = { $count } { $count ->
    [one] item
   *[other] items
}
files-two = { $name } in { $folder }
files-ref = See { files-two }
files-attr = Value
    .title = Title
files-gone = Only in the source
)";

constexpr const char* kTranslation = R"(# Translation
files-plain = Schlicht
files-count = { $count ->
   *[other] { $count } Dinge
}
files-two = { $name }
files-ref = Siehe { files-two } und { files-nirgends }
files-attr = Wert
files-extra = Nur hier
files-broken = { $x
files-plain = Doppelt
)";

bool mentions(const std::vector<std::string>& problems, const std::string& a, const std::string& b) {
    return std::any_of(problems.begin(), problems.end(), [&](const std::string& p) {
        return p.find(a) != std::string::npos && p.find(b) != std::string::npos;
    });
}

TEST(CatalogCheck, ReportsEveryMismatchByIdentifier) {
    auto report = check_catalogs(kSource, "en-US", kTranslation, "de-DE");
    const auto& p = report.problems;
    EXPECT_EQ(report.messages, 6u);
    EXPECT_TRUE(mentions(p, "files-count:", "branches of $count differ")) << ::testing::PrintToString(p);
    EXPECT_TRUE(mentions(p, "files-two:", "variables differ"));
    EXPECT_TRUE(mentions(p, "files-ref:", "variables differ"));  // through the referenced message
    EXPECT_TRUE(mentions(p, "files-ref:", "unknown message files-nirgends"));
    EXPECT_TRUE(mentions(p, "files-attr:", "attributes differ"));
    EXPECT_TRUE(mentions(p, "files-gone:", "missing in de-DE"));
    EXPECT_TRUE(mentions(p, "files-extra:", "not in en-US"));
    EXPECT_TRUE(mentions(p, "de-DE:10:", "E0003"));  // the junk entry
    EXPECT_TRUE(mentions(p, "files-plain:", "defined twice"));
    EXPECT_EQ(p.size(), 9u) << ::testing::PrintToString(p);
}

TEST(CatalogCheck, SameShapeWithDifferentWordsAgrees) {
    auto report = check_catalogs(kSource, "en-US", kSource, "de-DE");
    EXPECT_TRUE(report.problems.empty()) << ::testing::PrintToString(report.problems);
}

TEST(CatalogCheck, VariablesInOrderOfFirstUse) {
    fluent::Resource resource = fluent::parse(kSource);
    MessageIndex index(resource);
    EXPECT_EQ(index.shape(*index.find("files-ref")).variables, (std::vector<std::string>{"name", "folder"}));
    EXPECT_EQ(index.shape(*index.find("files-count")).variables, (std::vector<std::string>{"count"}));
}

}  // namespace
}  // namespace file_explorer::i18n
