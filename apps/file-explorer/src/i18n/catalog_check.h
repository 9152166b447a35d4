// Structural checks of the catalogs for the translators' tool: a translation
// must have the source's identifiers, variables and selector branches.
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/fluent_ast.h"

namespace file_explorer::i18n {

// What callers and translators rely on in one message.
struct MessageShape {
    // Variables of the value and attributes, and of the messages they
    // reference (which see the same arguments), in order of first use.
    std::vector<std::string> variables;
    // Per selector as written ("$count", "NUMBER($n)"): the variant keys of
    // every select on it, the default marked "*other".
    std::map<std::string, std::set<std::string>> branches;
    // Message and term references that the resource does not define.
    std::vector<std::string> unknown_references;
};

// Messages (not terms) of a resource in source order; the first definition
// of a repeated identifier counts.
class MessageIndex {
public:
    explicit MessageIndex(const fluent::Resource& resource);
    const std::vector<const fluent::Entry*>& messages() const { return messages_; }
    const fluent::Entry* find(std::string_view id) const;
    bool has_term(std::string_view id) const;
    MessageShape shape(const fluent::Entry& message) const;
    std::vector<std::string> duplicates() const { return duplicates_; }

private:
    std::vector<const fluent::Entry*> messages_;
    std::map<std::string, const fluent::Entry*, std::less<>> by_id_;
    std::set<std::string, std::less<>> terms_;
    std::vector<std::string> duplicates_;
};

struct CatalogReport {
    std::vector<std::string> problems;  // one line each, naming the identifier
    std::size_t messages = 0;           // in the source catalog
};

// Compares a translation with the source catalog; also reports syntax errors,
// repeated identifiers and references to undefined messages or terms.
CatalogReport check_catalogs(std::string_view source, std::string_view source_name, std::string_view translation,
                             std::string_view translation_name);

}  // namespace file_explorer::i18n
