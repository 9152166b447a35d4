#include "i18n/catalog_check.h"

#include <algorithm>

#include <fmt/core.h>

#include "i18n/fluent_parser.h"

namespace file_explorer::i18n {
namespace {

using fluent::Entry;
using fluent::Expression;
using fluent::ExpressionKind;
using fluent::Pattern;

// An inline expression as it would be written in Fluent.
std::string describe(const Expression& e) {
    auto call = [](const Expression& c) {
        std::vector<std::string> parts;
        for (const auto& p : c.positional) parts.push_back(describe(p));
        for (const auto& n : c.named) parts.push_back(n.name + ": " + describe(*n.value));
        std::string joined;
        for (const auto& p : parts) joined += (joined.empty() ? "" : ", ") + p;
        return "(" + joined + ")";
    };
    auto with_attribute = [&](std::string s) { return e.attribute.empty() ? s : s + "." + e.attribute; };
    switch (e.kind) {
        case ExpressionKind::string_literal: return "\"" + e.name + "\"";
        case ExpressionKind::number_literal: return e.name;
        case ExpressionKind::variable: return "$" + e.name;
        case ExpressionKind::message_reference: return with_attribute(e.name);
        case ExpressionKind::term_reference: return with_attribute("-" + e.name) + (e.has_call ? call(e) : "");
        case ExpressionKind::function_call: return e.name + call(e);
        case ExpressionKind::select: return describe(*e.inner) + " -> ...";
        case ExpressionKind::placeable: return "{ " + describe(*e.inner) + " }";
    }
    return {};
}

class ShapeWalker {
public:
    ShapeWalker(const MessageIndex& index, MessageShape& shape) : index_(index), shape_(shape) {}

    void message(const Entry& entry, bool top) {
        if (std::find(visiting_.begin(), visiting_.end(), &entry) != visiting_.end()) return;
        visiting_.push_back(&entry);
        if (entry.value) pattern(*entry.value, top);
        for (const auto& a : entry.attributes) pattern(a.value, top);
        visiting_.pop_back();
    }

private:
    const MessageIndex& index_;
    MessageShape& shape_;
    std::vector<const Entry*> visiting_;

    void pattern(const Pattern& p, bool top) {
        for (const auto& element : p.elements) {
            if (element.expression) expression(*element.expression, top);
        }
    }

    void unknown(std::string what) {
        auto& list = shape_.unknown_references;
        if (std::find(list.begin(), list.end(), what) == list.end()) list.push_back(std::move(what));
    }

    void expression(const Expression& e, bool top) {
        switch (e.kind) {
            case ExpressionKind::variable: {
                auto& vars = shape_.variables;
                if (std::find(vars.begin(), vars.end(), e.name) == vars.end()) vars.push_back(e.name);
                return;
            }
            case ExpressionKind::message_reference: {
                const Entry* target = index_.find(e.name);
                if (!target) {
                    if (top) unknown("message " + e.name);
                    return;
                }
                // A referenced message sees the same arguments; its own
                // selects and references are checked where it is defined.
                message(*target, false);
                return;
            }
            case ExpressionKind::term_reference:
                if (top && !index_.has_term("-" + e.name)) unknown("term -" + e.name);
                [[fallthrough]];
            case ExpressionKind::function_call:
                for (const auto& p : e.positional) expression(p, top);
                return;
            case ExpressionKind::placeable: expression(*e.inner, top); return;
            case ExpressionKind::select: {
                expression(*e.inner, top);
                if (top) {
                    auto& keys = shape_.branches[describe(*e.inner)];
                    for (const auto& v : e.variants) keys.insert((v.is_default ? "*" : "") + v.key.name);
                }
                for (const auto& v : e.variants) pattern(v.value, top);
                return;
            }
            default: return;
        }
    }
};

std::string join(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& item : items) out += (out.empty() ? "" : " ") + item;
    return out.empty() ? "none" : out;
}

std::string keys_text(const std::set<std::string>& keys) {
    std::vector<std::string> items;
    for (const auto& k : keys) items.push_back(k.starts_with("*") ? "*[" + k.substr(1) + "]" : "[" + k + "]");
    return join(items);
}

std::vector<std::string> attribute_names(const Entry& entry) {
    std::vector<std::string> names;
    for (const auto& a : entry.attributes) names.push_back(a.name);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

// Problems of one catalog on its own.
void check_alone(const fluent::Resource& resource, const MessageIndex& index, std::string_view name,
                 std::vector<std::string>& problems) {
    for (const auto& error : resource.errors) {
        problems.push_back(fmt::format("{}:{}:{}: {} {}", name, error.line, error.column, error.code, error.message));
    }
    for (const auto& id : index.duplicates()) problems.push_back(fmt::format("{}: defined twice in {}", id, name));
    for (const Entry* message : index.messages()) {
        for (const auto& what : index.shape(*message).unknown_references) {
            problems.push_back(fmt::format("{}: {} references unknown {}", message->id, name, what));
        }
    }
}

void compare_message(const Entry& a, const MessageIndex& a_index, std::string_view a_name, const Entry& b,
                     const MessageIndex& b_index, std::string_view b_name, std::vector<std::string>& problems) {
    const std::string& id = a.id;
    if (a.value.has_value() != b.value.has_value()) {
        problems.push_back(fmt::format("{}: has a value in {} only", id, a.value ? a_name : b_name));
    }
    if (attribute_names(a) != attribute_names(b)) {
        problems.push_back(fmt::format("{}: attributes differ ({}: {}; {}: {})", id, a_name, join(attribute_names(a)),
                                       b_name, join(attribute_names(b))));
    }
    MessageShape sa = a_index.shape(a);
    MessageShape sb = b_index.shape(b);
    if (sorted(sa.variables) != sorted(sb.variables)) {
        problems.push_back(fmt::format("{}: variables differ ({}: {}; {}: {})", id, a_name, join(sa.variables), b_name,
                                       join(sb.variables)));
    }
    std::set<std::string> selectors;
    for (const auto& [selector, keys] : sa.branches) selectors.insert(selector);
    for (const auto& [selector, keys] : sb.branches) selectors.insert(selector);
    for (const auto& selector : selectors) {
        auto ka = sa.branches.find(selector);
        auto kb = sb.branches.find(selector);
        if (ka == sa.branches.end() || kb == sb.branches.end()) {
            problems.push_back(fmt::format("{}: selects on {} in {} only", id, selector,
                                           ka == sa.branches.end() ? b_name : a_name));
        } else if (ka->second != kb->second) {
            problems.push_back(fmt::format("{}: branches of {} differ ({}: {}; {}: {})", id, selector, a_name,
                                           keys_text(ka->second), b_name, keys_text(kb->second)));
        }
    }
}

}  // namespace

MessageIndex::MessageIndex(const fluent::Resource& resource) {
    for (const auto& entry : resource.entries) {
        if (entry.is_term) {
            if (!terms_.insert(entry.id).second) duplicates_.push_back(entry.id);
            continue;
        }
        if (!by_id_.emplace(entry.id, &entry).second) {
            duplicates_.push_back(entry.id);
            continue;
        }
        messages_.push_back(&entry);
    }
}

const Entry* MessageIndex::find(std::string_view id) const {
    auto found = by_id_.find(id);
    return found == by_id_.end() ? nullptr : found->second;
}

bool MessageIndex::has_term(std::string_view id) const { return terms_.find(id) != terms_.end(); }

MessageShape MessageIndex::shape(const Entry& message) const {
    MessageShape shape;
    ShapeWalker(*this, shape).message(message, true);
    return shape;
}

CatalogReport check_catalogs(std::string_view source, std::string_view source_name, std::string_view translation,
                             std::string_view translation_name) {
    CatalogReport report;
    fluent::Resource a = fluent::parse(source);
    fluent::Resource b = fluent::parse(translation);
    MessageIndex a_index(a);
    MessageIndex b_index(b);
    report.messages = a_index.messages().size();
    check_alone(a, a_index, source_name, report.problems);
    check_alone(b, b_index, translation_name, report.problems);
    for (const Entry* message : a_index.messages()) {
        const Entry* other = b_index.find(message->id);
        if (!other) {
            report.problems.push_back(fmt::format("{}: missing in {}", message->id, translation_name));
            continue;
        }
        compare_message(*message, a_index, source_name, *other, b_index, translation_name, report.problems);
    }
    for (const Entry* message : b_index.messages()) {
        if (!a_index.find(message->id)) {
            report.problems.push_back(fmt::format("{}: in {} but not in {}", message->id, translation_name, source_name));
        }
    }
    return report;
}

}  // namespace file_explorer::i18n
