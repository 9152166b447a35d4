#include "command/local_key.h"

#include <openssl/evp.h>

#include <array>
#include <cstdint>

namespace file_explorer::command {

namespace {
// 30 bytes: the text ends in a backslash and the digit zero, not a NUL.
constexpr std::string_view kDomain = "vesk.files.local-resource.v1\\0";
static_assert(kDomain.size() == 30);
}  // namespace

std::string local_key(std::string_view path) {
    std::array<unsigned char, 8> length{};
    std::uint64_t n = path.size();
    for (int i = 7; i >= 0; --i, n >>= 8) length[i] = static_cast<unsigned char>(n & 0xff);

    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int digest_len = 0;
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    EVP_DigestInit_ex(ctx, EVP_sha256(), nullptr);
    EVP_DigestUpdate(ctx, kDomain.data(), kDomain.size());
    EVP_DigestUpdate(ctx, length.data(), length.size());
    EVP_DigestUpdate(ctx, path.data(), path.size());
    EVP_DigestFinal_ex(ctx, digest.data(), &digest_len);
    EVP_MD_CTX_free(ctx);

    static constexpr char kHex[] = "0123456789abcdef";
    std::string key;
    key.reserve(32);
    for (int i = 0; i < 16; ++i) {
        key.push_back(kHex[digest[i] >> 4]);
        key.push_back(kHex[digest[i] & 0xf]);
    }
    return key;
}

std::string folder_resource_id(std::string_view path) { return "files.folder:" + local_key(path); }
std::string entry_resource_id(std::string_view path) { return "files.entry:" + local_key(path); }
std::string place_resource_id(std::string_view path) { return "files.place:" + local_key(path); }

}  // namespace file_explorer::command
