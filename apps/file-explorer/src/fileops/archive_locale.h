// libarchive converts member names between UTF-8 (ZIP's UTF-8 flag, pax
// headers) and the calling thread's locale charset, and fails on non-ASCII
// names in the "C" locale. While a scope is alive the thread uses C.UTF-8, so
// names pass through as stored; the process locale is left alone.
#pragma once

#include <locale.h>

namespace file_explorer::fileops {

class Utf8NameScope {
public:
    Utf8NameScope();
    ~Utf8NameScope();
    Utf8NameScope(const Utf8NameScope&) = delete;
    Utf8NameScope& operator=(const Utf8NameScope&) = delete;

private:
    locale_t previous_ = static_cast<locale_t>(nullptr);
};

}  // namespace file_explorer::fileops
