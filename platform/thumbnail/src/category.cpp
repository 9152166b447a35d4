#include "thumbnail/category.h"

#include <array>
#include <string>
#include <unordered_map>
#include <utility>

namespace thumbnail {

namespace {

using Table = std::unordered_map<std::string_view, Category>;

const Table& extension_table() {
    static const Table table = [] {
        Table t;
        auto add = [&t](Category c, std::initializer_list<std::string_view> exts) {
            for (auto e : exts) t.emplace(e, c);
        };
        add(Category::Image, {"png", "jpg", "jpeg", "jpe", "jfif", "gif", "webp", "bmp", "tif", "tiff",
                              "svg", "svgz", "ico", "heic", "heif", "avif", "jxl", "tga", "psd", "xcf",
                              "raw", "cr2", "nef", "arw", "dng", "orf", "rw2", "pbm", "pgm", "ppm"});
        add(Category::Video, {"mp4", "m4v", "mkv", "webm", "mov", "avi", "wmv", "flv", "mpg", "mpeg",
                              "3gp", "ogv", "mts", "m2ts", "vob"});
        add(Category::Audio, {"mp3", "wav", "flac", "ogg", "oga", "opus", "m4a", "aac", "wma", "aif",
                              "aiff", "mid", "midi", "ape", "alac"});
        add(Category::Text, {"txt", "md", "markdown", "rst", "log", "nfo", "text", "adoc", "org", "tex"});
        add(Category::Code, {"c", "h", "cc", "cpp", "cxx", "hh", "hpp", "hxx", "rs", "go", "py", "rb",
                             "js", "mjs", "cjs", "ts", "tsx", "jsx", "java", "kt", "kts", "swift", "cs",
                             "php", "pl", "lua", "sh", "bash", "zsh", "fish", "scala", "hs", "ml", "zig",
                             "dart", "r", "sql", "html", "htm", "css", "scss", "sass", "less", "json",
                             "yaml", "yml", "toml", "xml", "ini", "cfg", "conf", "cmake", "mk", "gradle",
                             "vue", "svelte", "ipynb", "diff", "patch"});
        add(Category::Pdf, {"pdf"});
        add(Category::Archive, {"zip", "tar", "gz", "tgz", "bz2", "tbz", "tbz2", "xz", "txz", "zst",
                                "tzst", "lz", "lzma", "7z", "rar", "cab", "jar", "war", "deb", "rpm",
                                "iso", "dmg", "img"});
        add(Category::Document, {"doc", "docx", "odt", "ott", "rtf", "pages", "wpd", "wps", "abw"});
        add(Category::Spreadsheet, {"xls", "xlsx", "xlsm", "ods", "ots", "csv", "tsv", "numbers"});
        add(Category::Presentation, {"ppt", "pptx", "odp", "otp", "key"});
        add(Category::Font, {"ttf", "otf", "ttc", "otc", "woff", "woff2", "pfb", "pfa", "bdf", "pcf"});
        add(Category::Ebook, {"epub", "mobi", "azw", "azw3", "fb2", "djvu", "cbz", "cbr", "ibooks"});
        add(Category::Executable, {"exe", "msi", "com", "bat", "appimage", "run", "bin", "apk", "elf",
                                   "so", "dll", "dylib", "flatpakref"});
        return t;
    }();
    return table;
}

const Table& name_table() {
    static const Table table = {
        {"makefile", Category::Code},     {"gnumakefile", Category::Code},
        {"dockerfile", Category::Code},   {"containerfile", Category::Code},
        {"cmakelists.txt", Category::Code}, {"meson.build", Category::Code},
        {"readme", Category::Text},       {"license", Category::Text},
        {"copying", Category::Text},      {"changelog", Category::Text},
    };
    return table;
}

std::string ascii_lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return out;
}

std::string_view last_component(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

Category category_for_path(std::string_view path, bool is_folder) {
    if (is_folder) return Category::Folder;
    std::string name = ascii_lower(last_component(path));
    if (auto it = name_table().find(name); it != name_table().end()) return it->second;
    auto dot = name.rfind('.');
    // A leading dot makes a hidden name, not an extension (".bashrc").
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size()) return Category::Other;
    std::string_view ext = std::string_view(name).substr(dot + 1);
    if (auto it = extension_table().find(ext); it != extension_table().end()) return it->second;
    return Category::Other;
}

Category category_for_mime(std::string_view mime) {
    std::string m = ascii_lower(mime);
    if (auto semi = m.find(';'); semi != std::string::npos) m.resize(semi);
    while (!m.empty() && m.back() == ' ') m.pop_back();
    if (m == "inode/directory") return Category::Folder;
    if (m == "application/pdf") return Category::Pdf;
    if (m == "application/epub+zip" || m == "application/x-mobipocket-ebook") return Category::Ebook;
    static const std::array<std::pair<std::string_view, Category>, 4> prefixes{{
        {"image/", Category::Image},
        {"video/", Category::Video},
        {"audio/", Category::Audio},
        {"font/", Category::Font},
    }};
    for (const auto& [prefix, category] : prefixes) {
        if (m.starts_with(prefix)) return category;
    }
    static const Table exact = {
        {"application/zip", Category::Archive},
        {"application/x-tar", Category::Archive},
        {"application/gzip", Category::Archive},
        {"application/x-7z-compressed", Category::Archive},
        {"application/vnd.rar", Category::Archive},
        {"application/msword", Category::Document},
        {"application/vnd.openxmlformats-officedocument.wordprocessingml.document", Category::Document},
        {"application/vnd.oasis.opendocument.text", Category::Document},
        {"application/rtf", Category::Document},
        {"application/vnd.ms-excel", Category::Spreadsheet},
        {"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", Category::Spreadsheet},
        {"application/vnd.oasis.opendocument.spreadsheet", Category::Spreadsheet},
        {"text/csv", Category::Spreadsheet},
        {"application/vnd.ms-powerpoint", Category::Presentation},
        {"application/vnd.openxmlformats-officedocument.presentationml.presentation",
         Category::Presentation},
        {"application/vnd.oasis.opendocument.presentation", Category::Presentation},
        {"application/json", Category::Code},
        {"application/xml", Category::Code},
        {"application/javascript", Category::Code},
        {"text/html", Category::Code},
        {"text/css", Category::Code},
        {"application/x-executable", Category::Executable},
        {"application/x-sharedlib", Category::Executable},
        {"application/vnd.microsoft.portable-executable", Category::Executable},
    };
    if (auto it = exact.find(m); it != exact.end()) return it->second;
    if (m.starts_with("text/")) return Category::Text;
    return Category::Other;
}

std::string_view category_name(Category category) {
    switch (category) {
        case Category::Folder: return "folder";
        case Category::Image: return "image";
        case Category::Video: return "video";
        case Category::Audio: return "audio";
        case Category::Text: return "text";
        case Category::Code: return "code";
        case Category::Pdf: return "pdf";
        case Category::Archive: return "archive";
        case Category::Document: return "document";
        case Category::Spreadsheet: return "spreadsheet";
        case Category::Presentation: return "presentation";
        case Category::Font: return "font";
        case Category::Ebook: return "ebook";
        case Category::Executable: return "executable";
        case Category::Other: return "other";
    }
    return "other";
}

}  // namespace thumbnail
