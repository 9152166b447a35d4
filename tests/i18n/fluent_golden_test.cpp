// The parser and resolver against Fluent's reference implementation: the
// expectations in fluent_expected.json come from @fluent/bundle and
// @fluent/syntax (gen_expected.mjs) for the two fixtures beside it.
#include <fstream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "i18n/fluent_bundle.h"
#include "i18n/fluent_parser.h"
#include "i18n/locale.h"

namespace file_explorer::i18n {
namespace {

using nlohmann::json;

std::string read_fixture(const std::string& name) {
    std::ifstream in(std::string(FILES_SOURCE_DIR) + "/tests/i18n/" + name, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

json expected() { return json::parse(read_fixture("fluent_expected.json")); }

Args args_from(const json& object) {
    Args args;
    for (const auto& [name, value] : object.items()) {
        if (value.is_string()) {
            args.text(name, value.get<std::string>());
        } else {
            args.number(name, value.get<double>());
        }
    }
    return args;
}

TEST(FluentGolden, FormatsLikeTheReferenceImplementation) {
    auto resource = std::make_shared<const fluent::Resource>(fluent::parse(read_fixture("fluent_fixture.ftl")));
    ASSERT_TRUE(resource->errors.empty()) << resource->errors[0].message << " at line " << resource->errors[0].line;
    std::map<std::string, fluent::Bundle> bundles;
    const json all = expected();
    for (const auto& c : all["cases"]) {
        const std::string locale_tag = c["locale"];
        const std::string id = c["id"];
        const std::string attribute = c["attribute"].is_null() ? "" : c["attribute"].get<std::string>();
        SCOPED_TRACE(locale_tag + " " + id + (attribute.empty() ? "" : "." + attribute) + " " + c["args"].dump());
        auto found = bundles.find(locale_tag);
        if (found == bundles.end()) {
            fluent::Bundle bundle(*parse_language_identifier(locale_tag));
            EXPECT_TRUE(bundle.add_resource(resource).empty());
            found = bundles.emplace(locale_tag, std::move(bundle)).first;
        }
        auto formatted = found->second.format(id, args_from(c["args"]), attribute);
        ASSERT_TRUE(formatted.has_value());
        EXPECT_EQ(formatted->text, c["text"].get<std::string>());
        EXPECT_EQ(formatted->errors.size(), c["errors"].get<std::size_t>());
    }
}

TEST(FluentGolden, SyntaxErrorsLoseOnlyTheBrokenEntries) {
    const json junk = expected()["junk"];
    auto resource = std::make_shared<const fluent::Resource>(fluent::parse(read_fixture("fluent_junk.ftl")));
    std::vector<std::string> ids;
    for (const auto& entry : resource->entries) ids.push_back(entry.id);
    EXPECT_EQ(ids, junk["entries"].get<std::vector<std::string>>());
    EXPECT_EQ(resource->errors.size(), junk["errors"].get<std::size_t>());

    fluent::Bundle bundle(en_us());
    bundle.add_resource(resource);
    for (const auto& message : junk["formatted"]) {
        const std::string id = message["id"];
        SCOPED_TRACE(id);
        auto value = bundle.format(id, {});
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(value->text, message["text"].get<std::string>());
        if (message.contains("title")) {
            auto title = bundle.format(id, {}, "title");
            ASSERT_TRUE(title.has_value());
            EXPECT_EQ(title->text, message["title"].get<std::string>());
        }
    }
}

TEST(FluentParser, ReportsWhereTheJunkIs) {
    auto resource = fluent::parse("ok = fine\nbad = { $x\nalso-ok = yes\n");
    ASSERT_EQ(resource.errors.size(), 1u);
    EXPECT_EQ(resource.errors[0].line, 2u);
    EXPECT_EQ(resource.errors[0].code, "E0003");
    EXPECT_EQ(resource.errors[0].junk, "bad = { $x\n");
    ASSERT_EQ(resource.entries.size(), 2u);
    EXPECT_EQ(resource.entries[1].id, "also-ok");
}

TEST(FluentParser, CrlfLineEndsReadAsLf) {
    auto resource = std::make_shared<const fluent::Resource>(
        fluent::parse("multi =\r\n    one\r\n\r\n    two\r\nsel = { $n ->\r\n   *[other] x\r\n}\r\n"));
    EXPECT_TRUE(resource->errors.empty());
    fluent::Bundle bundle(en_us());
    bundle.add_resource(resource);
    EXPECT_EQ(bundle.format("multi", {})->text, "one\n\ntwo");
    EXPECT_EQ(bundle.format("sel", Args().number("n", 1))->text, "x");
}

TEST(FluentParser, DeepNestingIsJunkNotACrash) {
    std::string deep = "deep = " + std::string(5000, '{') + "$x" + std::string(5000, '}') + "\nafter = ok\n";
    auto resource = fluent::parse(deep);
    EXPECT_EQ(resource.errors.size(), 1u);
    ASSERT_EQ(resource.entries.size(), 1u);
    EXPECT_EQ(resource.entries[0].id, "after");
}

TEST(FluentBundle, FirstDefinitionOfARepeatedIdentifierWins) {
    fluent::Bundle bundle(en_us());
    auto errors = bundle.add_resource(std::make_shared<const fluent::Resource>(fluent::parse("a = first\na = second\n")));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(bundle.format("a", {})->text, "first");
}

// A translator writes useGrouping: "false" to switch grouping off. The
// JavaScript implementation passes the string to Intl.NumberFormat, which
// treats it like "auto" and groups anyway; here it switches grouping off.
TEST(FluentBundle, UseGroupingFalseStringSwitchesGroupingOff) {
    fluent::Bundle bundle(en_us());
    bundle.add_resource(std::make_shared<const fluent::Resource>(fluent::parse(
        "off = { NUMBER($n, useGrouping: \"false\") }\non = { NUMBER($n, useGrouping: \"always\") }\n"
        "bad = { NUMBER($n, useGrouping: \"sometimes\") }\n")));
    Args n = Args().number("n", 1234567);
    EXPECT_EQ(bundle.format("off", n)->text, "1234567");
    EXPECT_EQ(bundle.format("on", n)->text, "1,234,567");
    EXPECT_EQ(bundle.format("bad", n)->errors.size(), 1u);
}

// Terms see only their own parameters, also after a nested term returns.
TEST(FluentBundle, NestedTermKeepsTheOuterTermsParameters) {
    fluent::Bundle bundle(en_us());
    bundle.add_resource(std::make_shared<const fluent::Resource>(
        fluent::parse("-inner = in\n-outer = { -inner } { $p }\nmsg = { -outer(p: \"param\") }\n")));
    auto formatted = bundle.format("msg", Args().text("p", "argument"));
    EXPECT_EQ(formatted->text, "in param");
    EXPECT_TRUE(formatted->errors.empty());
}

}  // namespace
}  // namespace file_explorer::i18n
