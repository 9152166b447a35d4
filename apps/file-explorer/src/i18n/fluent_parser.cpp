#include "i18n/fluent_parser.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <set>
#include <string>

#include <fmt/core.h>

namespace file_explorer::i18n::fluent {
namespace {

constexpr int kEof = -1;
// Placeables and selects nest through recursion; bound it so that hostile
// input cannot exhaust the stack.
constexpr int kMaxNesting = 64;

bool is_id_start(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }
bool is_id_char(int c) { return is_id_start(c) || is_digit(c) || c == '_' || c == '-'; }
int hex_value(int c) {
    if (is_digit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool is_function_name(std::string_view name) {
    if (name.empty() || !(name[0] >= 'A' && name[0] <= 'Z')) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || is_digit(c) || c == '_' || c == '-';
    });
}

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Thrown inside the parser only; parse() turns it into junk.
struct Failure {
    std::size_t offset;
    std::string code;
    std::string message;
};

// Pieces of a pattern before indentation is removed.
struct Piece {
    enum class Kind { text, indent, placeable } kind;
    std::string text;
    std::unique_ptr<Expression> expression;
};

class Parser {
public:
    explicit Parser(std::string_view source) : src_(source) {}

    Resource parse() {
        Resource resource;
        skip_blank_block();
        while (cur() != kEof) {
            std::size_t start = pos_;
            depth_ = 0;
            try {
                std::optional<Entry> entry = parse_entry();
                expect_line_end();
                if (entry) resource.entries.push_back(std::move(*entry));
            } catch (const Failure& failure) {
                skip_to_next_entry_start(start);
                resource.errors.push_back(make_error(failure, start));
            }
            skip_blank_block();
        }
        return resource;
    }

private:
    std::string_view src_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    mutable std::size_t counted_offset_ = 0;
    mutable std::size_t counted_lines_ = 1;

    int at(std::size_t i) const { return i < src_.size() ? static_cast<unsigned char>(src_[i]) : kEof; }
    int cur() const { return at(pos_); }

    [[noreturn]] void fail(std::string code, std::string message) const {
        throw Failure{pos_, std::move(code), std::move(message)};
    }

    SyntaxError make_error(const Failure& failure, std::size_t junk_start) const {
        // The reported position lies inside the junk, not at the next entry.
        std::size_t offset = std::min(failure.offset, pos_ > junk_start ? pos_ - 1 : pos_);
        std::size_t line_start = 0;
        if (offset > 0) {
            std::size_t newline = src_.rfind('\n', offset - 1);
            if (newline != std::string_view::npos) line_start = newline + 1;
        }
        SyntaxError error;
        error.line = line_of(offset);
        error.column = offset - line_start + 1;
        error.code = failure.code;
        error.message = failure.message;
        error.junk = std::string(src_.substr(junk_start, pos_ - junk_start));
        return error;
    }

    void expect(char c) {
        if (cur() != static_cast<unsigned char>(c)) fail("E0003", fmt::format("Expected token: \"{}\"", c));
        ++pos_;
    }

    void expect_line_end() {
        if (cur() == kEof) return;
        if (cur() == '\n') {
            ++pos_;
            return;
        }
        fail("E0003", "Expected a line end");
    }

    std::size_t blank_inline_end(std::size_t p) const {
        while (at(p) == ' ') ++p;
        return p;
    }
    void skip_blank_inline() { pos_ = blank_inline_end(pos_); }

    // Spaces and line ends.
    void skip_blank() {
        while (cur() == ' ' || cur() == '\n') ++pos_;
    }
    std::size_t blank_end(std::size_t p) const {
        while (at(p) == ' ' || at(p) == '\n') ++p;
        return p;
    }

    // Skips whole blank lines from p (at a line start or a line end). Returns
    // the start of the next non-blank line, or the end of the source.
    std::size_t blank_block_end(std::size_t p, std::size_t* newlines = nullptr) const {
        for (;;) {
            std::size_t q = blank_inline_end(p);
            if (at(q) == '\n') {
                if (newlines) ++*newlines;
                p = q + 1;
                continue;
            }
            return at(q) == kEof ? q : p;
        }
    }
    void skip_blank_block() { pos_ = blank_block_end(pos_); }

    // Whether the line starting at line_start continues a pattern: an
    // indented line not starting with "}", ".", "[" or "*", or a placeable.
    bool is_value_continuation(std::size_t line_start) const {
        std::size_t q = blank_inline_end(line_start);
        int c = at(q);
        if (c == '{') return true;
        if (q == line_start) return false;
        return c != kEof && c != '}' && c != '.' && c != '[' && c != '*';
    }

    void skip_to_next_entry_start(std::size_t junk_start) {
        std::size_t last_newline = src_.rfind('\n', pos_);
        if (last_newline != std::string_view::npos && junk_start < last_newline) pos_ = last_newline;
        while (cur() != kEof) {
            if (cur() != '\n') {
                ++pos_;
                continue;
            }
            ++pos_;
            int first = cur();
            if (is_id_start(first) || first == '-' || first == '#') break;
        }
    }

    std::optional<Entry> parse_entry() {
        int c = cur();
        if (c == '#') {
            parse_comment();
            return std::nullopt;
        }
        if (c == '-') return parse_term();
        if (is_id_start(c)) return parse_message();
        fail("E0002", "Expected an entry start");
    }

    // "#", "##" or "###", then nothing or a space and text, on one line.
    void parse_comment() {
        int level = 0;
        while (cur() == '#' && level < 3) {
            ++pos_;
            ++level;
        }
        if (cur() == '\n' || cur() == kEof) return;
        expect(' ');
        while (cur() != '\n' && cur() != kEof) ++pos_;
    }

    // Entries come in source order, so lines are counted on from the last
    // position asked for.
    std::size_t line_of(std::size_t offset) const {
        if (offset < counted_offset_) {
            counted_offset_ = 0;
            counted_lines_ = 1;
        }
        counted_lines_ += static_cast<std::size_t>(
            std::count(src_.begin() + static_cast<std::ptrdiff_t>(counted_offset_),
                       src_.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
        counted_offset_ = offset;
        return counted_lines_;
    }

    Entry parse_message() {
        Entry entry;
        entry.line = line_of(pos_);
        entry.id = identifier();
        skip_blank_inline();
        expect('=');
        entry.value = maybe_pattern();
        entry.attributes = attributes();
        if (!entry.value && entry.attributes.empty()) {
            fail("E0005", fmt::format("Expected message \"{}\" to have a value or attributes", entry.id));
        }
        return entry;
    }

    Entry parse_term() {
        Entry entry;
        entry.line = line_of(pos_);
        entry.is_term = true;
        expect('-');
        entry.id = "-";
        entry.id += identifier();
        skip_blank_inline();
        expect('=');
        entry.value = maybe_pattern();
        if (!entry.value) fail("E0006", fmt::format("Expected term \"{}\" to have a value", entry.id));
        entry.attributes = attributes();
        return entry;
    }

    std::vector<Attribute> attributes() {
        std::vector<Attribute> result;
        for (;;) {
            std::size_t p = blank_end(pos_);
            if (at(p) != '.') return result;
            pos_ = p + 1;
            Attribute attribute;
            attribute.name = identifier();
            skip_blank_inline();
            expect('=');
            auto value = maybe_pattern();
            if (!value) fail("E0012", "Expected value");
            attribute.value = std::move(*value);
            result.push_back(std::move(attribute));
        }
    }

    std::string identifier() {
        if (!is_id_start(cur())) fail("E0004", "Expected a character from range: \"a-zA-Z\"");
        std::size_t start = pos_;
        while (is_id_char(cur())) ++pos_;
        return std::string(src_.substr(start, pos_ - start));
    }

    // A pattern starting on the same line, or on an indented line below
    // (a block pattern, whose first line counts for the common indent).
    std::optional<Pattern> maybe_pattern() {
        std::size_t p = blank_inline_end(pos_);
        if (at(p) != '\n' && at(p) != kEof) {
            pos_ = p;
            return pattern(false);
        }
        std::size_t q = blank_block_end(p);
        if (is_value_continuation(q)) {
            pos_ = q;
            return pattern(true);
        }
        return std::nullopt;
    }

    Pattern pattern(bool block) {
        std::vector<Piece> pieces;
        std::size_t common_indent = std::numeric_limits<std::size_t>::max();
        if (block) {
            std::size_t start = pos_;
            skip_blank_inline();
            common_indent = pos_ - start;
            pieces.push_back({Piece::Kind::indent, std::string(common_indent, ' '), nullptr});
        }
        while (cur() != kEof) {
            int c = cur();
            if (c == '\n') {
                std::size_t newlines = 0;
                std::size_t next_line = blank_block_end(pos_, &newlines);
                if (!is_value_continuation(next_line)) break;
                pos_ = next_line;
                std::size_t start = pos_;
                skip_blank_inline();
                std::size_t indent = pos_ - start;
                common_indent = std::min(common_indent, indent);
                pieces.push_back({Piece::Kind::indent, std::string(newlines, '\n') + std::string(indent, ' '), nullptr});
                continue;
            }
            if (c == '{') {
                pieces.push_back({Piece::Kind::placeable, {}, placeable()});
                continue;
            }
            if (c == '}') fail("E0027", "Unbalanced closing brace in text");
            std::size_t start = pos_;
            while (cur() != kEof && cur() != '{' && cur() != '}' && cur() != '\n') ++pos_;
            pieces.push_back({Piece::Kind::text, std::string(src_.substr(start, pos_ - start)), nullptr});
        }
        return dedent(std::move(pieces), common_indent);
    }

    // Removes the common indent from every line and joins adjacent text.
    static Pattern dedent(std::vector<Piece> pieces, std::size_t common_indent) {
        Pattern result;
        auto& out = result.elements;
        for (auto& piece : pieces) {
            if (piece.kind == Piece::Kind::placeable) {
                out.push_back({{}, std::move(piece.expression)});
                continue;
            }
            if (piece.kind == Piece::Kind::indent) {
                piece.text.resize(piece.text.size() - common_indent);
                if (piece.text.empty()) continue;
            }
            if (!out.empty() && !out.back().expression) {
                out.back().text += piece.text;
                continue;
            }
            out.push_back({std::move(piece.text), nullptr});
        }
        if (!out.empty() && !out.back().expression) {
            std::string& text = out.back().text;
            std::size_t end = text.find_last_not_of(" \n\r");
            text.resize(end == std::string::npos ? 0 : end + 1);
            if (text.empty()) out.pop_back();
        }
        return result;
    }

    struct NestingGuard {
        explicit NestingGuard(Parser& p) : parser(p) {
            if (++parser.depth_ > kMaxNesting) parser.fail("E0028", "Placeables are nested too deeply");
        }
        ~NestingGuard() { --parser.depth_; }
        Parser& parser;
    };

    std::unique_ptr<Expression> placeable() {
        NestingGuard guard(*this);
        expect('{');
        skip_blank();
        auto expression = std::make_unique<Expression>(expression_or_select());
        expect('}');
        return expression;
    }

    Expression expression_or_select() {
        Expression selector = inline_expression();
        skip_blank();
        if (cur() == '-' && at(pos_ + 1) == '>') {
            check_selector(selector);
            pos_ += 2;
            skip_blank_inline();
            expect_line_end();
            Expression select;
            select.kind = ExpressionKind::select;
            select.inner = std::make_unique<Expression>(std::move(selector));
            select.variants = variants();
            return select;
        }
        if (selector.kind == ExpressionKind::term_reference && !selector.attribute.empty()) {
            fail("E0019", "Attributes of terms cannot be used as placeables");
        }
        return selector;
    }

    void check_selector(const Expression& selector) const {
        switch (selector.kind) {
            case ExpressionKind::message_reference:
                if (selector.attribute.empty()) fail("E0016", "Message references cannot be used as selectors");
                fail("E0018", "Attributes of messages cannot be used as selectors");
            case ExpressionKind::term_reference:
                if (selector.attribute.empty()) fail("E0017", "Terms cannot be used as selectors");
                return;
            case ExpressionKind::placeable:
                fail("E0029", "Placeables cannot be used as selectors");
            default:
                return;
        }
    }

    bool is_variant_start() const { return cur() == '[' || (cur() == '*' && at(pos_ + 1) == '['); }

    std::vector<Variant> variants() {
        std::vector<Variant> result;
        bool has_default = false;
        skip_blank();
        while (is_variant_start()) {
            result.push_back(variant(has_default));
            has_default = has_default || result.back().is_default;
            expect_line_end();
            skip_blank();
        }
        if (result.empty()) fail("E0011", "Expected at least one variant after \"->\"");
        if (!has_default) fail("E0010", "Expected one of the variants to be marked as default (*)");
        return result;
    }

    Variant variant(bool has_default) {
        Variant result;
        if (cur() == '*') {
            if (has_default) fail("E0015", "Only one variant can be marked as default (*)");
            ++pos_;
            result.is_default = true;
        }
        expect('[');
        skip_blank();
        if (cur() == kEof) fail("E0013", "Expected variant key");
        if (is_digit(cur()) || cur() == '-') {
            Expression number = number_literal();
            result.key = {true, number.name, number.number};
        } else {
            result.key.name = identifier();
        }
        skip_blank();
        expect(']');
        auto value = maybe_pattern();
        if (!value) fail("E0012", "Expected value");
        result.value = std::move(*value);
        return result;
    }

    bool is_number_start() const {
        int c = cur() == '-' ? at(pos_ + 1) : cur();
        return is_digit(c);
    }

    Expression inline_expression() {
        int c = cur();
        if (c == '{') {
            Expression nested;
            nested.kind = ExpressionKind::placeable;
            nested.inner = placeable();
            return nested;
        }
        if (is_number_start()) return number_literal();
        if (c == '"') return string_literal();
        Expression e;
        if (c == '$') {
            ++pos_;
            e.kind = ExpressionKind::variable;
            e.name = identifier();
            return e;
        }
        if (c == '-') {
            ++pos_;
            e.kind = ExpressionKind::term_reference;
            e.name = identifier();
            if (cur() == '.') {
                ++pos_;
                e.attribute = identifier();
            }
            std::size_t p = blank_end(pos_);
            if (at(p) == '(') {
                pos_ = p;
                e.has_call = true;
                call_arguments(e);
            }
            return e;
        }
        if (!is_id_start(c)) fail("E0028", "Expected an inline expression");
        e.name = identifier();
        std::size_t p = blank_end(pos_);
        if (at(p) == '(') {
            if (!is_function_name(e.name)) fail("E0008", "The callee has to be an upper-case identifier or a term");
            pos_ = p;
            e.kind = ExpressionKind::function_call;
            call_arguments(e);
            return e;
        }
        e.kind = ExpressionKind::message_reference;
        if (cur() == '.') {
            ++pos_;
            e.attribute = identifier();
        }
        return e;
    }

    void call_arguments(Expression& call) {
        NestingGuard guard(*this);
        expect('(');
        skip_blank();
        std::set<std::string> names;
        while (cur() != ')') {
            Expression argument = inline_expression();
            skip_blank();
            if (cur() == ':') {
                if (argument.kind != ExpressionKind::message_reference || !argument.attribute.empty()) {
                    fail("E0009", "The argument name has to be a simple identifier");
                }
                ++pos_;
                skip_blank();
                if (!names.insert(argument.name).second) fail("E0022", "Named arguments must be unique");
                call.named.push_back({argument.name, std::make_unique<Expression>(literal())});
            } else if (!names.empty()) {
                fail("E0021", "Positional arguments must not follow named arguments");
            } else {
                call.positional.push_back(std::move(argument));
            }
            skip_blank();
            if (cur() != ',') break;
            ++pos_;
            skip_blank();
        }
        expect(')');
    }

    Expression literal() {
        if (is_number_start()) return number_literal();
        if (cur() == '"') return string_literal();
        fail("E0014", "Expected literal");
    }

    void digits() {
        if (!is_digit(cur())) fail("E0004", "Expected a character from range: \"0-9\"");
        while (is_digit(cur())) ++pos_;
    }

    Expression number_literal() {
        std::size_t start = pos_;
        if (cur() == '-') ++pos_;
        digits();
        Expression e;
        e.kind = ExpressionKind::number_literal;
        if (cur() == '.') {
            ++pos_;
            std::size_t fraction = pos_;
            digits();
            e.precision = static_cast<int>(pos_ - fraction);
        }
        e.name = std::string(src_.substr(start, pos_ - start));
        e.number = std::strtod(e.name.c_str(), nullptr);
        return e;
    }

    Expression string_literal() {
        expect('"');
        Expression e;
        e.kind = ExpressionKind::string_literal;
        for (;;) {
            int c = cur();
            if (c == kEof || c == '\n' || c == '"') break;
            ++pos_;
            if (c == '\\') {
                escape(e.name);
            } else {
                e.name += static_cast<char>(c);
            }
        }
        if (cur() == '\n') fail("E0020", "Unterminated string literal");
        expect('"');
        return e;
    }

    void escape(std::string& out) {
        int c = cur();
        if (c == '\\' || c == '"') {
            out += static_cast<char>(c);
            ++pos_;
            return;
        }
        int digits = c == 'u' ? 4 : c == 'U' ? 6 : 0;
        if (digits == 0) fail("E0025", "Unknown escape sequence");
        ++pos_;
        char32_t cp = 0;
        for (int i = 0; i < digits; ++i) {
            int value = hex_value(cur());
            if (value < 0) fail("E0026", "Invalid Unicode escape sequence");
            cp = cp * 16 + static_cast<char32_t>(value);
            ++pos_;
        }
        // Lone surrogates and values past U+10FFFF cannot be written in UTF-8.
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
        append_utf8(out, cp);
    }
};

}  // namespace

Resource parse(std::string_view source) {
    // CRLF line ends count as LF everywhere.
    if (source.find("\r\n") == std::string_view::npos) return Parser(source).parse();
    std::string normalized;
    normalized.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] == '\r' && i + 1 < source.size() && source[i + 1] == '\n') continue;
        normalized += source[i];
    }
    return Parser(normalized).parse();
}

}  // namespace file_explorer::i18n::fluent
