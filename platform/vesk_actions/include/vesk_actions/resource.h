// The vocabulary through which an application publishes what can be done:
// resources with operations, and invocations of those operations.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vesk_actions {

enum class OperationClass : std::uint8_t { Effect = 1, View = 2 };

struct Unavailability {
    std::string code;
    std::string text;
};

// A typed text argument the caller must supply (e.g. a new name).
struct TextArgument {
    std::string name;  // "value"
    std::string prompt;
    std::string default_value;
};

struct Operation {
    std::string name;
    std::string title;
    std::string action;               // "files.folder-command"
    std::string payload_json = "null";  // a JSON value, serialized
    OperationClass operation_class = OperationClass::Effect;
    std::optional<Unavailability> unavailable;
    std::optional<TextArgument> text_argument;
};

struct Resource {
    std::string id;    // "files.folder:0123…"
    std::string kind;  // "files.folder"
    std::string label;
    std::vector<Operation> operations;
};

struct Invocation {
    OperationClass operation_class = OperationClass::Effect;
    std::string action;
    std::string payload_json = "null";
    std::string resource_id;
    std::map<std::string, std::string> text_args;  // typed text arguments by name
};

struct InvokeOutcome {
    enum class Kind : std::uint8_t { Success, NotHandled, Failure };
    Kind kind = Kind::NotHandled;
    std::string failure;  // with Failure

    static InvokeOutcome success() { return {Kind::Success, {}}; }
    static InvokeOutcome not_handled() { return {Kind::NotHandled, {}}; }
    static InvokeOutcome fail(std::string text) { return {Kind::Failure, std::move(text)}; }
};

}  // namespace vesk_actions
