# Script mode: writes OUTPUT, a C++ file holding INPUT's bytes as SYMBOL().
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_len)
math(EXPR size "${hex_len} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.
#include <string_view>
namespace {
const unsigned char data[] = {
${bytes}0x00};
}
namespace files::embedded {
std::string_view ${SYMBOL}() {
    return {reinterpret_cast<const char*>(data), ${size}};
}
}
")
