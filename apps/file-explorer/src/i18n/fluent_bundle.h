// A set of Fluent messages and terms for one locale, and their formatting.
// Placeables are inserted without bidirectional isolation marks.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/fluent_ast.h"
#include "i18n/i18n.h"
#include "i18n/number_format.h"

namespace file_explorer::i18n::fluent {

struct Formatted {
    std::string text;                 // with fallbacks such as "{$name}" in place of failures
    std::vector<std::string> errors;  // empty when everything resolved
};

// Owns per-locale formatter caches: use one bundle from one thread at a time.
class Bundle {
public:
    explicit Bundle(const Locale& locale);

    // Adds the resource's messages and terms; an identifier that is already
    // present keeps its first definition (reported in the returned list).
    std::vector<std::string> add_resource(std::shared_ptr<const Resource> resource);

    bool has_message(std::string_view id) const;
    const Entry* message(std::string_view id) const;

    // Formats a message's value, or one of its attributes when attribute is
    // not empty. Nothing when the message or attribute does not exist or the
    // message has no value.
    std::optional<Formatted> format(std::string_view id, const Args& args, std::string_view attribute = {}) const;

private:
    friend class Resolver;

    NumberFormat numbers_;
    std::vector<std::shared_ptr<const Resource>> resources_;
    std::map<std::string, const Entry*, std::less<>> messages_;
    std::map<std::string, const Entry*, std::less<>> terms_;
};

}  // namespace file_explorer::i18n::fluent
