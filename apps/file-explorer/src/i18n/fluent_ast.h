// The parsed form of a Fluent resource. Comments are not kept: nothing in the
// program reads them.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace file_explorer::i18n::fluent {

struct Expression;

// A run of text or one placeable.
struct PatternElement {
    std::string text;                        // when expression is null
    std::unique_ptr<Expression> expression;  // a placeable
};

struct Pattern {
    std::vector<PatternElement> elements;
};

struct VariantKey {
    bool numeric = false;
    std::string name;  // the identifier, or the number as written
    double number = 0;
};

struct Variant {
    VariantKey key;
    Pattern value;
    bool is_default = false;
};

struct NamedArgument {
    std::string name;
    std::unique_ptr<Expression> value;  // a string or number literal
};

enum class ExpressionKind {
    string_literal,
    number_literal,
    variable,
    message_reference,
    term_reference,
    function_call,
    select,
    placeable,  // a placeable nested inside another: { { ... } }
};

struct Expression {
    ExpressionKind kind = ExpressionKind::string_literal;
    // The unescaped text of a string literal, the number as written, or the
    // name of a variable, message, term (without its "-") or function.
    std::string name;
    std::string attribute;  // of a message or term reference; empty when none
    double number = 0;      // number literal
    int precision = 0;      // fraction digits written in a number literal
    bool has_call = false;  // a term reference with "(...)"
    std::vector<Expression> positional;
    std::vector<NamedArgument> named;
    std::unique_ptr<Expression> inner;  // the selector, or a nested placeable's content
    std::vector<Variant> variants;
};

struct Attribute {
    std::string name;
    Pattern value;
};

struct Entry {
    bool is_term = false;
    std::string id;  // terms keep their leading "-"
    std::optional<Pattern> value;
    std::vector<Attribute> attributes;
    std::size_t line = 0;
};

struct SyntaxError {
    std::size_t line = 0;    // 1-based
    std::size_t column = 0;  // 1-based, in bytes
    std::string code;        // "E0003"
    std::string message;
    std::string junk;  // the skipped source text
};

struct Resource {
    std::vector<Entry> entries;
    std::vector<SyntaxError> errors;
};

}  // namespace file_explorer::i18n::fluent
