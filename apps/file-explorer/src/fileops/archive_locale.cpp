#include "fileops/archive_locale.h"

namespace file_explorer::fileops {
namespace {

locale_t utf8_locale() {
    // Created once and kept for the life of the process.
    static const locale_t utf8 = newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return utf8;
}

}  // namespace

Utf8NameScope::Utf8NameScope() {
    if (locale_t utf8 = utf8_locale(); utf8 != static_cast<locale_t>(nullptr)) previous_ = uselocale(utf8);
}

Utf8NameScope::~Utf8NameScope() {
    if (previous_ != static_cast<locale_t>(nullptr)) uselocale(previous_);
}

}  // namespace file_explorer::fileops
