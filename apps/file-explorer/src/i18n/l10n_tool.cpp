// files-l10n: the translators' tool.
//   files-l10n check                      catalogs parse and agree (exit 1 if not)
//   files-l10n format LOCALE ID [name=text | name#=number]...
//   files-l10n ids                        en-US identifiers with their variables
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <fmt/core.h>

#include "i18n/catalog_check.h"
#include "i18n/fluent_parser.h"
#include "i18n/localizer.h"
#include "i18n/locale.h"

namespace {

using namespace file_explorer::i18n;

constexpr const char* kUsage =
    "usage: files-l10n check\n"
    "       files-l10n format LOCALE ID [name=text | name#=number]...\n"
    "       files-l10n ids\n";

int check() {
    CatalogReport report =
        check_catalogs(catalog_source(Catalog::en_us), "en-US", catalog_source(Catalog::de_de), "de-DE");
    for (const auto& problem : report.problems) fmt::print("{}\n", problem);
    if (!report.problems.empty()) {
        fmt::print(stderr, "files-l10n: {} problem(s) in the catalogs\n", report.problems.size());
        return 1;
    }
    fmt::print("en-US and de-DE agree: {} messages\n", report.messages);
    return 0;
}

int ids() {
    fluent::Resource resource = fluent::parse(catalog_source(Catalog::en_us));
    MessageIndex index(resource);
    for (const fluent::Entry* message : index.messages()) {
        std::string line = message->id;
        for (const auto& variable : index.shape(*message).variables) line += " " + variable;
        fmt::print("{}\n", line);
    }
    return 0;
}

bool parse_number(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size();
}

int format(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        fmt::print(stderr, "{}", kUsage);
        return 2;
    }
    auto locale = parse_language_identifier(args[0]);
    if (!locale) {
        fmt::print(stderr, "files-l10n: not a language identifier: {}\n", args[0]);
        return 2;
    }
    Args message_args;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::size_t eq = arg.find('=');
        if (eq == std::string::npos || eq == 0) {
            fmt::print(stderr, "files-l10n: expected name=text or name#=number: {}\n", arg);
            return 2;
        }
        std::string name = arg.substr(0, eq);
        std::string value = arg.substr(eq + 1);
        if (!name.ends_with('#')) {
            message_args.text(name, value);
            continue;
        }
        double number = 0;
        if (name.size() == 1 || !parse_number(value, number)) {
            fmt::print(stderr, "files-l10n: not a number argument: {}\n", arg);
            return 2;
        }
        message_args.number(name.substr(0, name.size() - 1), number);
    }
    fmt::print("{}\n", format_message(*locale, args[1], message_args));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        fmt::print(stderr, "{}", kUsage);
        return 2;
    }
    std::string command = args[0];
    args.erase(args.begin());
    if (command == "check" && args.empty()) return check();
    if (command == "ids" && args.empty()) return ids();
    if (command == "format") return format(args);
    fmt::print(stderr, "{}", kUsage);
    return 2;
}
