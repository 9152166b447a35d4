#include "thumbnail/key.h"

#include <openssl/evp.h>

namespace thumbnail {

namespace {

void put_u64(std::string& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out.push_back(char((v >> (8 * i)) & 0xff));
}

// FNV-1a: the map lookups of every visible cell hash keys each frame, so
// this avoids building the canonical bytes.
struct Fnv {
    std::uint64_t h = 1469598103934665603ull;
    void bytes(const void* data, std::size_t n) {
        auto p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < n; ++i) {
            h ^= p[i];
            h *= 1099511628211ull;
        }
    }
    void u64(std::uint64_t v) { bytes(&v, sizeof v); }
};

}  // namespace

ThumbKey ThumbKey::from_content(const std::array<std::uint8_t, 32>& hash, int size) {
    ThumbKey key;
    key.kind = Kind::Content;
    key.content_hash = hash;
    key.size = size;
    return key;
}

ThumbKey ThumbKey::from_file(std::string path, std::int64_t mtime_ms, std::uint64_t byte_size,
                             int size) {
    ThumbKey key;
    key.kind = Kind::File;
    key.path = std::move(path);
    key.mtime_ms = mtime_ms < 0 ? 0 : mtime_ms;
    key.byte_size = byte_size;
    key.size = size;
    return key;
}

std::string ThumbKey::canonical_bytes() const {
    std::string out;
    if (kind == Kind::Content) {
        out = "thumb-content-v1";
        out.push_back('\0');
        out.append(reinterpret_cast<const char*>(content_hash.data()), content_hash.size());
    } else {
        out = "thumb-file-v1";
        out.push_back('\0');
        put_u64(out, path.size());
        out += path;
        put_u64(out, std::uint64_t(mtime_ms));
        put_u64(out, byte_size);
    }
    put_u64(out, std::uint64_t(std::int64_t(size)));
    return out;
}

std::string ThumbKey::cache_file_name() const {
    std::string bytes = canonical_bytes();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &len, EVP_sha256(), nullptr);
    static constexpr char hex[] = "0123456789abcdef";
    std::string name;
    name.reserve(len * 2 + 4);
    for (unsigned int i = 0; i < len; ++i) {
        name.push_back(hex[digest[i] >> 4]);
        name.push_back(hex[digest[i] & 15]);
    }
    return name + ".png";
}

std::size_t ThumbKey::hash() const {
    Fnv f;
    f.u64(std::uint64_t(kind));
    if (kind == Kind::Content) {
        f.bytes(content_hash.data(), content_hash.size());
    } else {
        f.bytes(path.data(), path.size());
        f.u64(std::uint64_t(mtime_ms));
        f.u64(byte_size);
    }
    f.u64(std::uint64_t(std::int64_t(size)));
    return std::size_t(f.h);
}

}  // namespace thumbnail
