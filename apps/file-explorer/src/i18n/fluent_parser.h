// Fluent 1.0 syntax. An entry with a syntax error becomes junk, is reported in
// Resource::errors and skipped; every other entry is kept.
#pragma once

#include <string_view>

#include "i18n/fluent_ast.h"

namespace file_explorer::i18n::fluent {

Resource parse(std::string_view source);

}  // namespace file_explorer::i18n::fluent
