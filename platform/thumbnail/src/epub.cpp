#include <archive.h>
#include <archive_entry.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <memory>
#include <mutex>
#include <sstream>
#include <string_view>

#include "sources.h"

namespace thumbnail::detail {

namespace {

constexpr std::size_t xml_limit = 4u << 20;
constexpr std::size_t image_limit = 32u << 20;
constexpr int max_members = 100000;

using Bytes = std::vector<std::uint8_t>;

struct ArchiveFree {
    void operator()(archive* a) const { archive_read_free(a); }
};
struct XmlDocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
using XmlDoc = std::unique_ptr<xmlDoc, XmlDocFree>;

std::unexpected<std::string> fail(std::string message) { return std::unexpected(std::move(message)); }

bool entry_named(archive_entry* entry, const std::string& name) {
    const char* utf8 = archive_entry_pathname_utf8(entry);
    if (utf8 && name == utf8) return true;
    const char* raw = archive_entry_pathname(entry);
    return raw && name == raw;
}

// One pass over the ZIP per member: an EPUB's three reads (container,
// package, cover) cost three header scans, which stays cheap next to the
// image decode and needs no random access.
std::expected<Bytes, std::string> read_member(const std::string& path, const std::string& name,
                                              std::size_t limit) {
    std::unique_ptr<archive, ArchiveFree> a(archive_read_new());
    if (!a) return fail("out of memory");
    archive_read_support_format_zip(a.get());
    if (archive_read_open_filename(a.get(), path.c_str(), 64 * 1024) != ARCHIVE_OK) {
        return fail("not a readable EPUB");
    }
    archive_entry* entry = nullptr;
    for (int count = 0; count < max_members; ++count) {
        int r = archive_read_next_header(a.get(), &entry);
        if (r == ARCHIVE_EOF) return fail("EPUB member missing: " + name);
        if (r != ARCHIVE_OK && r != ARCHIVE_WARN) return fail("damaged EPUB");
        if (!entry_named(entry, name)) continue;
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > la_int64_t(limit)) {
            return fail("EPUB member too large: " + name);
        }
        Bytes out;
        std::vector<char> buffer(64 * 1024);
        for (;;) {
            la_ssize_t n = archive_read_data(a.get(), buffer.data(), buffer.size());
            if (n == 0) return out;
            if (n < 0) return fail("damaged EPUB member: " + name);
            // The recorded size is not trusted: the bound holds for the data.
            if (out.size() + std::size_t(n) > limit) return fail("EPUB member too large: " + name);
            out.insert(out.end(), buffer.data(), buffer.data() + n);
        }
    }
    return fail("EPUB has too many members");
}

XmlDoc parse_xml(const Bytes& bytes) {
    static std::once_flag init;
    std::call_once(init, [] { xmlInitParser(); });
    if (bytes.empty() || bytes.size() > std::size_t(INT_MAX)) return nullptr;
    return XmlDoc(xmlReadMemory(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()), nullptr,
                                nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

std::string prop(xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (!value) return {};
    std::string out(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return out;
}

bool named(xmlNode* node, std::string_view name) {
    return node->type == XML_ELEMENT_NODE && node->name &&
           name == reinterpret_cast<const char*>(node->name);
}

// Depth-first over the elements; libxml2 already bounds the nesting depth.
template <typename Visit>
void each_element(xmlNode* node, Visit& visit) {
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        visit(node);
        each_element(node->children, visit);
    }
}

std::string package_path(const Bytes& container) {
    XmlDoc doc = parse_xml(container);
    if (!doc) return {};
    std::string first, preferred;
    auto visit = [&](xmlNode* node) {
        if (!named(node, "rootfile")) return;
        std::string full = prop(node, "full-path");
        if (full.empty()) return;
        if (first.empty()) first = full;
        if (preferred.empty() && prop(node, "media-type") == "application/oebps-package+xml") {
            preferred = full;
        }
    };
    each_element(xmlDocGetRootElement(doc.get()), visit);
    return preferred.empty() ? first : preferred;
}

struct Item {
    std::string id, href, media_type, properties;
};

bool has_token(const std::string& list, std::string_view token) {
    std::istringstream words(list);
    std::string word;
    while (words >> word) {
        if (word == token) return true;
    }
    return false;
}

bool is_image(const Item& item) { return item.media_type.starts_with("image/"); }

std::string cover_href(const Bytes& package) {
    XmlDoc doc = parse_xml(package);
    if (!doc) return {};
    std::vector<Item> items;
    std::string cover_id;
    auto visit = [&](xmlNode* node) {
        if (named(node, "item")) {
            items.push_back({prop(node, "id"), prop(node, "href"), prop(node, "media-type"),
                             prop(node, "properties")});
        } else if (named(node, "meta") && cover_id.empty() && prop(node, "name") == "cover") {
            cover_id = prop(node, "content");
        }
    };
    each_element(xmlDocGetRootElement(doc.get()), visit);

    for (const Item& item : items) {
        if (has_token(item.properties, "cover-image") && !item.href.empty()) return item.href;
    }
    if (!cover_id.empty()) {
        for (const Item& item : items) {
            if (item.id == cover_id && is_image(item) && !item.href.empty()) return item.href;
        }
    }
    for (const Item& item : items) {
        if (is_image(item) && !item.href.empty()) return item.href;
    }
    return {};
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percent_decode(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && hex_value(s[i + 1]) >= 0 && hex_value(s[i + 2]) >= 0) {
            out.push_back(char(hex_value(s[i + 1]) * 16 + hex_value(s[i + 2])));
            i += 2;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

// The member an href names, relative to the package's folder; empty when
// it climbs out of the archive.
std::string resolve(const std::string& package, std::string_view href) {
    href = href.substr(0, href.find('#'));
    std::string target = percent_decode(href);
    std::string joined;
    if (!target.starts_with('/')) {
        auto slash = package.rfind('/');
        if (slash != std::string::npos) joined = package.substr(0, slash + 1);
    }
    joined += target;

    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= joined.size()) {
        std::size_t end = joined.find('/', start);
        if (end == std::string::npos) end = joined.size();
        std::string part = joined.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (parts.empty()) return {};
            parts.pop_back();
            continue;
        }
        parts.push_back(std::move(part));
    }
    std::string out;
    for (const auto& part : parts) {
        if (!out.empty()) out.push_back('/');
        out += part;
    }
    return out;
}

}  // namespace

std::expected<std::vector<std::uint8_t>, std::string> epub_cover_bytes(const std::string& path) {
    auto container = read_member(path, "META-INF/container.xml", xml_limit);
    if (!container) return fail(container.error());
    std::string package = package_path(*container);
    if (package.empty()) return fail("EPUB names no package document");
    package = resolve("", package);
    if (package.empty()) return fail("EPUB package path is invalid");

    auto opf = read_member(path, package, xml_limit);
    if (!opf) return fail(opf.error());
    std::string href = cover_href(*opf);
    if (href.empty()) return fail("EPUB has no cover image");
    std::string member = resolve(package, href);
    if (member.empty()) return fail("EPUB cover path is invalid");
    return read_member(path, member, image_limit);
}

}  // namespace thumbnail::detail
