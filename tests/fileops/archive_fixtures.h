// Archives built byte by byte, so tests can say exactly what a header claims:
// hostile names, link and device types, sizes that disagree with the data,
// and declared sizes of many gigabytes without writing them.
#pragma once

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace archive_fixtures {

inline void put_le(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

inline std::uint32_t crc32(std::string_view data) {
    std::uint32_t crc = 0xffffffffu;
    for (unsigned char c : data) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline bool write_file(const std::string& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

inline std::string read_file(const std::string& path) {
    std::string out;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return out;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) out.append(buffer, n);
    std::fclose(f);
    return out;
}

// ---- TAR (ustar headers) ----

struct TarMember {
    std::string name;
    char type = '0';            // '0' file, '5' folder, '1' hard link, '2' symbolic link, '3'/'4' devices, '6' FIFO
    std::string data;
    std::uint64_t declared = 0;  // the header's size field; data.size() unless set larger
    std::string link;
    bool sparse_data = false;    // the data region is a hole of `declared` bytes
    unsigned mode = 0644;
};

class TarBuilder {
public:
    TarBuilder& file(std::string name, std::string data) {
        std::uint64_t size = data.size();
        members_.push_back({std::move(name), '0', std::move(data), size, {}, false, 0644});
        return *this;
    }
    TarBuilder& folder(std::string name) {
        members_.push_back({std::move(name), '5', {}, 0, {}, false, 0755});
        return *this;
    }
    TarBuilder& special(std::string name, char type, std::string link = {}) {
        members_.push_back({std::move(name), type, {}, 0, std::move(link), false, 0644});
        return *this;
    }
    // A file whose header declares `size` bytes that are never written.
    TarBuilder& hollow(std::string name, std::uint64_t size) {
        members_.push_back({std::move(name), '0', {}, size, {}, true, 0644});
        return *this;
    }
    TarBuilder& add(TarMember member) {
        members_.push_back(std::move(member));
        return *this;
    }

    // Writes the archive; hollow members become holes of a sparse file.
    bool write(const std::string& path) const {
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return false;
        off_t at = 0;
        std::string pending;
        auto flush = [&]() {
            bool ok = pwrite(fd, pending.data(), pending.size(), at) == static_cast<ssize_t>(pending.size());
            at += static_cast<off_t>(pending.size());
            pending.clear();
            return ok;
        };
        bool ok = true;
        for (const TarMember& m : members_) {
            pending += header(m);
            if (m.sparse_data) {
                ok = ok && flush();
                at += static_cast<off_t>((m.declared + 511) / 512 * 512);
                continue;
            }
            pending += m.data;
            pending.append((512 - m.data.size() % 512) % 512, '\0');
        }
        pending.append(1024, '\0');
        ok = ok && flush();
        ok = ok && ftruncate(fd, at) == 0;
        return close(fd) == 0 && ok;
    }

private:
    // Zero-padded octal digits filling all but the field's last byte.
    static void put_octal(char* field, std::size_t width, std::uint64_t value) {
        for (std::size_t i = width - 1; i-- > 0; value >>= 3) field[i] = static_cast<char>('0' + (value & 7));
    }

    static std::string header(const TarMember& m) {
        char h[512] = {};
        std::snprintf(h, 100, "%s", m.name.c_str());
        put_octal(h + 100, 8, m.mode);
        put_octal(h + 108, 8, 0);
        put_octal(h + 116, 8, 0);
        if (m.declared < 077777777777ull) {
            put_octal(h + 124, 12, m.declared);
        } else {
            // GNU base-256 size field.
            h[124] = static_cast<char>(0x80);
            for (int i = 0; i < 8; ++i) h[135 - i] = static_cast<char>((m.declared >> (8 * i)) & 0xff);
        }
        put_octal(h + 136, 12, 0);
        std::memset(h + 148, ' ', 8);
        h[156] = m.type;
        std::snprintf(h + 157, 100, "%s", m.link.c_str());
        std::memcpy(h + 257, "ustar", 6);
        std::memcpy(h + 263, "00", 2);
        unsigned sum = 0;
        for (unsigned char c : h) sum += c;
        put_octal(h + 148, 7, sum);
        return std::string(h, 512);
    }

    std::vector<TarMember> members_;
};

// ---- ZIP (each member one stored Deflate block, so sizes are exact) ----

struct ZipMember {
    std::string name;
    std::string data;
    std::uint64_t declared = 0;  // uncompressed size in the headers
    std::uint32_t unix_mode = 0;  // 0: no Unix attributes
};

class ZipBuilder {
public:
    ZipBuilder& file(std::string name, std::string data) {
        std::uint64_t size = data.size();
        members_.push_back({std::move(name), std::move(data), size, 0});
        return *this;
    }
    ZipBuilder& folder(std::string name) {
        members_.push_back({std::move(name), {}, 0, 040755});
        return *this;
    }
    ZipBuilder& symlink(std::string name, std::string target) {
        std::uint64_t size = target.size();
        members_.push_back({std::move(name), std::move(target), size, 0120777});
        return *this;
    }
    ZipBuilder& add(ZipMember member) {
        members_.push_back(std::move(member));
        return *this;
    }

    std::string bytes() const {
        std::string out;
        std::string directory;
        for (const ZipMember& m : members_) {
            std::string body = deflate_stored(m.data);
            bool wide = m.declared >= 0xffffffffu;
            std::uint64_t offset = out.size();
            std::string extra;
            if (wide) {
                put_le(extra, 0x0001, 2);
                put_le(extra, 16, 2);
                put_le(extra, m.declared, 8);
                put_le(extra, body.size(), 8);
            }
            std::uint32_t crc = crc32(m.data);
            put_le(out, 0x04034b50, 4);
            put_le(out, wide ? 45 : 20, 2);
            put_le(out, 0x0800, 2);  // UTF-8 names
            put_le(out, 8, 2);       // Deflate
            put_le(out, 0x0021, 4);  // 1980-01-01 00:00:00
            put_le(out, crc, 4);
            put_le(out, wide ? 0xffffffffu : body.size(), 4);
            put_le(out, wide ? 0xffffffffu : m.declared, 4);
            put_le(out, m.name.size(), 2);
            put_le(out, extra.size(), 2);
            out += m.name + extra + body;

            put_le(directory, 0x02014b50, 4);
            put_le(directory, m.unix_mode != 0 ? (3 << 8) | 20 : 20, 2);
            put_le(directory, wide ? 45 : 20, 2);
            put_le(directory, 0x0800, 2);
            put_le(directory, 8, 2);
            put_le(directory, 0x0021, 4);
            put_le(directory, crc, 4);
            put_le(directory, wide ? 0xffffffffu : body.size(), 4);
            put_le(directory, wide ? 0xffffffffu : m.declared, 4);
            put_le(directory, m.name.size(), 2);
            put_le(directory, extra.size(), 2);
            put_le(directory, 0, 2);
            put_le(directory, 0, 2);
            put_le(directory, 0, 2);
            put_le(directory, static_cast<std::uint64_t>(m.unix_mode) << 16, 4);
            put_le(directory, offset, 4);
            directory += m.name + extra;
        }
        std::uint64_t directory_offset = out.size();
        out += directory;
        std::uint64_t count = members_.size();
        bool wide = count >= 0xffff;
        if (wide) {
            std::uint64_t record_offset = out.size();
            put_le(out, 0x06064b50, 4);
            put_le(out, 44, 8);
            put_le(out, 45, 2);
            put_le(out, 45, 2);
            put_le(out, 0, 4);
            put_le(out, 0, 4);
            put_le(out, count, 8);
            put_le(out, count, 8);
            put_le(out, directory.size(), 8);
            put_le(out, directory_offset, 8);
            put_le(out, 0x07064b50, 4);
            put_le(out, 0, 4);
            put_le(out, record_offset, 8);
            put_le(out, 1, 4);
        }
        put_le(out, 0x06054b50, 4);
        put_le(out, 0, 2);
        put_le(out, 0, 2);
        put_le(out, wide ? 0xffff : count, 2);
        put_le(out, wide ? 0xffff : count, 2);
        put_le(out, directory.size(), 4);
        put_le(out, directory_offset, 4);
        put_le(out, 0, 2);
        return out;
    }

    bool write(const std::string& path) const { return write_file(path, bytes()); }

private:
    static std::string deflate_stored(std::string_view data) {
        std::string out;
        std::size_t pos = 0;
        do {
            std::size_t n = std::min<std::size_t>(data.size() - pos, 0xffff);
            bool final = pos + n == data.size();
            out.push_back(final ? 1 : 0);
            put_le(out, n, 2);
            put_le(out, ~n & 0xffff, 2);
            out.append(data.substr(pos, n));
            pos += n;
        } while (pos < data.size());
        return out;
    }

    std::vector<ZipMember> members_;
};

// gzip of `bytes` through libarchive's raw writer.
inline bool write_gzip(const std::string& path, std::string_view bytes) {
    struct archive* a = archive_write_new();
    archive_write_add_filter_gzip(a);
    archive_write_set_format_raw(a);
    bool ok = archive_write_open_filename(a, path.c_str()) == ARCHIVE_OK;
    struct archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, "data");
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_size(e, static_cast<la_int64_t>(bytes.size()));
    ok = ok && archive_write_header(a, e) == ARCHIVE_OK;
    ok = ok && archive_write_data(a, bytes.data(), bytes.size()) == static_cast<la_ssize_t>(bytes.size());
    ok = archive_write_close(a) == ARCHIVE_OK && ok;
    archive_entry_free(e);
    archive_write_free(a);
    return ok;
}

// Every item below `root` (links not followed): relative path to "dir",
// "link" or the file's contents.
inline std::map<std::string, std::string> snapshot(const std::string& root) {
    std::map<std::string, std::string> out;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::string rel = std::filesystem::relative(it->path(), root, ec).string();
        if (it->is_symlink(ec)) out[rel] = "link";
        else if (it->is_directory(ec)) out[rel] = "dir";
        else if (it->is_regular_file(ec)) out[rel] = read_file(it->path().string());
        else out[rel] = "special";
    }
    return out;
}

// Names directly inside `folder`.
inline std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(folder, ec)) out.push_back(item.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace archive_fixtures
