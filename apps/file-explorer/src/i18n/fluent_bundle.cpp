#include "i18n/fluent_bundle.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <fmt/core.h>

namespace file_explorer::i18n::fluent {
namespace {

// Bounds the expansion of one message, so that references cannot blow up
// exponentially ("billion laughs").
constexpr int kMaxPlaceables = 100;

// A resolved value: text, a number with its display options, or nothing (an
// error), shown as "{" + fallback + "}".
struct Value {
    enum class Kind { text, number, none };
    Kind kind = Kind::none;
    std::string text;  // the text, or the fallback of none
    double number = 0;
    NumberOptions options;

    static Value of_text(std::string s) { return {Kind::text, std::move(s), 0, {}}; }
    static Value of_number(double n, NumberOptions o = {}) { return {Kind::number, {}, n, o}; }
    static Value none(std::string fallback = "???") { return {Kind::none, std::move(fallback), 0, {}}; }
};

using Params = std::vector<std::pair<std::string, Value>>;

// A repeated attribute name: the last definition counts.
const Pattern* find_attribute(const Entry& entry, std::string_view name) {
    const Pattern* found = nullptr;
    for (const auto& attribute : entry.attributes) {
        if (attribute.name == name) found = &attribute.value;
    }
    return found;
}

bool is_simple(const Pattern& p) { return p.elements.size() <= 1 && (p.elements.empty() || !p.elements[0].expression); }

// JavaScript's ToNumber for option strings: blank is 0, anything that is not
// a whole decimal number is NaN.
double option_number(const std::string& text) {
    std::size_t b = text.find_first_not_of(" \t\n\r\v\f");
    if (b == std::string::npos) return 0;
    std::size_t e = text.find_last_not_of(" \t\n\r\v\f");
    std::string trimmed = text.substr(b, e - b + 1);
    char* end = nullptr;
    double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size()) return std::nan("");
    return value;
}

Grouping grouping_option(const Value& v) {
    if (v.kind == Value::Kind::number) return (v.number == 0 || std::isnan(v.number)) ? Grouping::off : Grouping::always;
    const std::string& s = v.text;
    if (s == "always") return Grouping::always;
    if (s == "auto" || s == "true") return Grouping::automatic;
    if (s == "min2") return Grouping::min2;
    // "false" is what a translator writes to switch grouping off.
    if (s == "false" || s.empty()) return Grouping::off;
    return Grouping::invalid;
}

}  // namespace

class Resolver {
public:
    Resolver(const Bundle& bundle, const Args& args) : bundle_(bundle), args_(args) {}

    Formatted format(const Pattern& pattern) {
        if (is_simple(pattern)) return {pattern.elements.empty() ? "" : pattern.elements[0].text, {}};
        Value value = resolve_pattern(pattern);
        std::string text = aborted_ ? "{???}" : to_string(value);
        return {std::move(text), std::move(errors_)};
    }

private:
    const Bundle& bundle_;
    const Args& args_;
    const Params* params_ = nullptr;  // set while resolving a term
    std::vector<const Pattern*> active_;
    std::vector<std::string> errors_;
    int placeables_ = 0;
    bool aborted_ = false;

    void error(std::string message) { errors_.push_back(std::move(message)); }

    // Stops the whole message, as the reference resolver does for limits and
    // failed plural rules.
    void abort(std::string message) {
        if (!aborted_) error(std::move(message));
        aborted_ = true;
    }

    std::string to_string(const Value& v) {
        switch (v.kind) {
            case Value::Kind::text: return v.text;
            case Value::Kind::none: return "{" + v.text + "}";
            case Value::Kind::number: break;
        }
        auto text = bundle_.numbers_.format(v.number, v.options);
        if (text) return *text;
        error(text.error());
        return plain_number_text(v.number);
    }

    Value resolve_pattern(const Pattern& pattern) {
        if (is_simple(pattern)) return Value::of_text(pattern.elements.empty() ? "" : pattern.elements[0].text);
        if (std::find(active_.begin(), active_.end(), &pattern) != active_.end()) {
            error("Cyclic reference");
            return Value::none();
        }
        active_.push_back(&pattern);
        std::string out;
        for (const auto& element : pattern.elements) {
            if (aborted_) break;
            if (!element.expression) {
                out += element.text;
                continue;
            }
            if (++placeables_ > kMaxPlaceables) {
                abort(fmt::format("Too many placeables expanded: {}, max allowed is {}", placeables_, kMaxPlaceables));
                break;
            }
            out += to_string(resolve(*element.expression));
        }
        active_.pop_back();
        return Value::of_text(std::move(out));
    }

    Value resolve(const Expression& e) {
        switch (e.kind) {
            case ExpressionKind::string_literal: return Value::of_text(e.name);
            case ExpressionKind::number_literal: {
                NumberOptions options;
                options.minimum_fraction_digits = e.precision;
                return Value::of_number(e.number, options);
            }
            case ExpressionKind::variable: return variable(e.name);
            case ExpressionKind::message_reference: return message_reference(e);
            case ExpressionKind::term_reference: return term_reference(e);
            case ExpressionKind::function_call: return function_call(e);
            case ExpressionKind::select: return select(e);
            case ExpressionKind::placeable: return resolve(*e.inner);
        }
        return Value::none();
    }

    Value variable(const std::string& name) {
        if (params_) {
            // Inside a term only its own parameters are visible; a missing
            // one is not an error.
            for (const auto& [key, value] : *params_) {
                if (key == name) return value;
            }
            return Value::none("$" + name);
        }
        for (const auto& [key, value] : args_.items()) {
            if (key != name) continue;
            if (const auto* text = std::get_if<std::string>(&value)) return Value::of_text(*text);
            return Value::of_number(std::get<double>(value));
        }
        error("Unknown variable: $" + name);
        return Value::none("$" + name);
    }

    Value message_reference(const Expression& e) {
        const Entry* message = bundle_.message(e.name);
        if (!message) {
            error("Unknown message: " + e.name);
            return Value::none(e.name);
        }
        if (!e.attribute.empty()) {
            const Pattern* pattern = find_attribute(*message, e.attribute);
            if (pattern) return resolve_pattern(*pattern);
            error("Unknown attribute: " + e.attribute);
            return Value::none(e.name + "." + e.attribute);
        }
        if (!message->value) {
            error("No value: " + e.name);
            return Value::none(e.name);
        }
        return resolve_pattern(*message->value);
    }

    Value term_reference(const Expression& e) {
        std::string id = "-" + e.name;
        auto found = bundle_.terms_.find(id);
        if (found == bundle_.terms_.end()) {
            error("Unknown term: " + id);
            return Value::none(id);
        }
        const Entry& term = *found->second;
        const Pattern* pattern = &*term.value;
        if (!e.attribute.empty()) {
            pattern = find_attribute(term, e.attribute);
            if (!pattern) {
                error("Unknown attribute: " + e.attribute);
                return Value::none(id + "." + e.attribute);
            }
        }
        // Every term reference sees only the parameters passed to it.
        for (const auto& argument : e.positional) resolve(argument);
        Params params;
        for (const auto& named : e.named) params.emplace_back(named.name, resolve(*named.value));
        const Params* outer = params_;
        params_ = &params;
        Value value = resolve_pattern(*pattern);
        params_ = outer;
        return value;
    }

    Value function_call(const Expression& e) {
        std::vector<Value> positional;
        if (e.name != "NUMBER") {
            error("Unknown function: " + e.name + "()");
            return Value::none(e.name + "()");
        }
        for (const auto& argument : e.positional) positional.push_back(resolve(argument));
        Params named;
        for (const auto& argument : e.named) named.emplace_back(argument.name, resolve(*argument.value));
        return number_function(positional, named);
    }

    Value number_function(const std::vector<Value>& positional, const Params& named) {
        if (!positional.empty() && positional[0].kind == Value::Kind::none) {
            return Value::none("NUMBER(" + positional[0].text + ")");
        }
        if (positional.empty() || positional[0].kind != Value::Kind::number) {
            error("Invalid argument to NUMBER");
            return Value::none("NUMBER()");
        }
        Value result = positional[0];
        for (const auto& [name, value] : named) {
            auto number = [&] { return value.kind == Value::Kind::number ? value.number : option_number(value.text); };
            if (name == "minimumIntegerDigits") result.options.minimum_integer_digits = number();
            if (name == "minimumFractionDigits") result.options.minimum_fraction_digits = number();
            if (name == "maximumFractionDigits") result.options.maximum_fraction_digits = number();
            if (name == "minimumSignificantDigits") result.options.minimum_significant_digits = number();
            if (name == "maximumSignificantDigits") result.options.maximum_significant_digits = number();
            if (name == "useGrouping") result.options.grouping = grouping_option(value);
        }
        return result;
    }

    // Variants are tried in order: a number key matches an equal number, an
    // identifier key an equal text or the number's plural category.
    Value select(const Expression& e) {
        Value selector = resolve(*e.inner);
        if (selector.kind != Value::Kind::none) {
            for (const auto& variant : e.variants) {
                if (aborted_) return Value::none();
                if (matches(selector, variant.key)) return resolve_pattern(variant.value);
            }
        }
        for (const auto& variant : e.variants) {
            if (variant.is_default) return resolve_pattern(variant.value);
        }
        error("No default");
        return Value::none();
    }

    bool matches(const Value& selector, const VariantKey& key) {
        if (key.numeric) return selector.kind == Value::Kind::number && selector.number == key.number;
        if (selector.kind == Value::Kind::text) return selector.text == key.name;
        auto category = bundle_.numbers_.plural_category(selector.number, selector.options);
        if (!category) {
            abort(category.error());
            return false;
        }
        return *category == key.name;
    }
};

Bundle::Bundle(const Locale& locale) : numbers_(locale) {}

std::vector<std::string> Bundle::add_resource(std::shared_ptr<const Resource> resource) {
    std::vector<std::string> errors;
    for (const auto& entry : resource->entries) {
        auto& index = entry.is_term ? terms_ : messages_;
        if (!index.emplace(entry.id, &entry).second) {
            errors.push_back(fmt::format("Attempt to override an existing {}: \"{}\"",
                                         entry.is_term ? "term" : "message", entry.id));
        }
    }
    resources_.push_back(std::move(resource));
    return errors;
}

bool Bundle::has_message(std::string_view id) const { return message(id) != nullptr; }

const Entry* Bundle::message(std::string_view id) const {
    auto found = messages_.find(id);
    return found == messages_.end() ? nullptr : found->second;
}

std::optional<Formatted> Bundle::format(std::string_view id, const Args& args, std::string_view attribute) const {
    const Entry* entry = message(id);
    if (!entry) return std::nullopt;
    const Pattern* pattern = attribute.empty() ? (entry->value ? &*entry->value : nullptr)
                                               : find_attribute(*entry, attribute);
    if (!pattern) return std::nullopt;
    return Resolver(*this, args).format(*pattern);
}

}  // namespace file_explorer::i18n::fluent
