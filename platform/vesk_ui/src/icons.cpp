#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "icon_shapes.h"
#include "svg_path.h"
#include "vesk_ui/icons.h"
#include "vesk_ui/painter.h"
#include "vesk_ui/theme.h"

namespace vesk_ui::icons {

namespace {

using shapes::Paint;
using shapes::Tone;

struct ParsedLayer {
    Path path;
    Paint paint;
    Tone tone;
    float width;
};

// Parsed once; drawing only maps the points.
const std::vector<ParsedLayer>& parsed(Icon icon) {
    static const auto table = [] {
        std::array<std::vector<ParsedLayer>, icon_count> t;
        for (int i = 0; i < icon_count; ++i)
            for (const auto& layer : shapes::layers(Icon(i)))
                t[std::size_t(i)].push_back({svg::parse_path(layer.d), layer.paint, layer.tone, layer.width});
        return t;
    }();
    return table[std::size_t(icon) < table.size() ? std::size_t(icon) : 0];
}

Color darker(Color c, float f) {
    return {std::uint8_t(float(c.r) * f), std::uint8_t(float(c.g) * f), std::uint8_t(float(c.b) * f), c.a};
}

struct Palette {
    Color main;
    Color ink;
    Color backdrop;
};

Color resolve(Tone tone, const Palette& p) {
    switch (tone) {
        case Tone::Main: return p.main;
        case Tone::Soft: return p.main.with_alpha(0.16f);
        case Tone::Half: return p.main.with_alpha(0.5f);
        case Tone::Deep: return darker(p.main, 0.68f);
        case Tone::Ink: return p.ink;
        case Tone::Backdrop: return p.backdrop;
    }
    return p.main;
}

void draw_with(Painter& painter, Icon icon, const Rect& rect, const Palette& palette, float device_scale) {
    if (!rect.valid()) return;
    float side = std::min(rect.width(), rect.height());
    float left = rect.left + (rect.width() - side) / 2;
    float top = rect.top + (rect.height() - side) / 2;
    if (device_scale > 0) {
        // Whole device pixels for the box keep straight edges sharp.
        auto snap = [&](float v) { return std::round(v * device_scale) / device_scale; };
        left = snap(left);
        top = snap(top);
        side = std::max(snap(side), 1.0f / device_scale);
    }
    float scale = side / 24.0f;
    for (const auto& layer : parsed(icon)) {
        Path path = layer.path.mapped(scale, {left, top});
        Color color = resolve(layer.tone, palette);
        if (layer.paint == Paint::Fill) {
            painter.fill_path(path, color);
        } else {
            // Below about one device pixel a stroke turns to mush; keep it at
            // that floor so small icons stay legible.
            float width = layer.width * scale;
            if (device_scale > 0) width = std::max(width, 1.0f / device_scale);
            painter.stroke_path(path, Stroke{width, LineCap::Round, LineJoin::Round}, color);
        }
    }
}

bool is_folder_icon(Icon icon) { return icon == Icon::Folder || icon == Icon::FolderOpen; }
bool is_file_icon(Icon icon) { return icon >= Icon::FileGeneric && icon <= Icon::FileExecutable; }

FileCategory category_of_file_icon(Icon icon) {
    switch (icon) {
        case Icon::FileText: return FileCategory::Text;
        case Icon::FileCode: return FileCategory::Code;
        case Icon::FileImage: return FileCategory::Image;
        case Icon::FileAudio: return FileCategory::Audio;
        case Icon::FileVideo: return FileCategory::Video;
        case Icon::FilePdf: return FileCategory::Pdf;
        case Icon::FileArchive: return FileCategory::Archive;
        case Icon::FileDocument: return FileCategory::Document;
        case Icon::FileSpreadsheet: return FileCategory::Spreadsheet;
        case Icon::FilePresentation: return FileCategory::Presentation;
        case Icon::FileFont: return FileCategory::Font;
        case Icon::FileEbook: return FileCategory::Ebook;
        case Icon::FileExecutable: return FileCategory::Executable;
        default: return FileCategory::Other;
    }
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::string extension_of(std::string_view path) {
    std::string_view name = path.substr(path.find_last_of('/') == std::string_view::npos ? 0 : path.find_last_of('/') + 1);
    auto dot = name.find_last_of('.');
    // ".bashrc" is a name, not an extension.
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) return {};
    return lower(name.substr(dot + 1));
}

struct ExtensionGroup {
    FileCategory category;
    std::initializer_list<std::string_view> extensions;
};

const ExtensionGroup extension_groups[] = {
    {FileCategory::Image, {"png", "jpg", "jpeg", "jpe", "gif", "webp", "bmp", "tif", "tiff", "svg", "svgz", "ico",
                           "heic", "heif", "avif", "jxl", "raw", "cr2", "cr3", "nef", "arw", "dng", "orf", "psd",
                           "xcf", "kra", "tga", "qoi", "pbm", "pgm", "ppm", "exr", "hdr"}},
    {FileCategory::Video, {"mp4", "m4v", "mkv", "webm", "mov", "avi", "wmv", "flv", "mpg", "mpeg", "3gp", "ogv",
                           "m2ts", "mts", "vob", "asf"}},
    {FileCategory::Audio, {"mp3", "wav", "flac", "ogg", "oga", "opus", "m4a", "aac", "wma", "aiff", "aif", "mid",
                           "midi", "alac", "ape", "wv", "mka"}},
    {FileCategory::Pdf, {"pdf"}},
    {FileCategory::Archive, {"zip", "tar", "gz", "tgz", "bz2", "tbz", "tbz2", "xz", "txz", "zst", "tzst", "7z",
                             "rar", "jar", "war", "deb", "rpm", "apk", "iso", "dmg", "cab", "lz", "lzma", "lz4",
                             "z", "cpio", "ar", "whl", "crate", "gem"}},
    {FileCategory::Document, {"doc", "docx", "docm", "odt", "ott", "fodt", "rtf", "pages", "wpd", "abw", "wps"}},
    {FileCategory::Spreadsheet, {"xls", "xlsx", "xlsm", "ods", "ots", "fods", "csv", "tsv", "numbers", "parquet"}},
    {FileCategory::Presentation, {"ppt", "pptx", "pptm", "odp", "otp", "fodp", "key"}},
    {FileCategory::Font, {"ttf", "otf", "woff", "woff2", "ttc", "otc", "pfb", "pfa", "fon", "bdf", "pcf"}},
    {FileCategory::Ebook, {"epub", "mobi", "azw", "azw3", "fb2", "djvu", "cbz", "cbr", "lit"}},
    {FileCategory::Executable, {"exe", "msi", "appimage", "run", "elf", "out", "so", "dll", "dylib", "com",
                                "flatpakref", "snap", "bin"}},
    {FileCategory::Code, {"c", "h", "cc", "cpp", "cxx", "c++", "hpp", "hh", "hxx", "inl", "ipp", "rs", "go", "py",
                          "pyi", "js", "mjs", "cjs", "ts", "tsx", "jsx", "java", "kt", "kts", "swift", "m", "mm",
                          "rb", "php", "pl", "pm", "lua", "sh", "bash", "zsh", "fish", "ps1", "bat", "cmd", "cs",
                          "fs", "scala", "clj", "hs", "ml", "mli", "ex", "exs", "erl", "dart", "r", "sql", "json",
                          "jsonc", "json5", "ndjson", "yaml", "yml", "toml", "xml", "xsl", "html", "htm", "xhtml",
                          "css", "scss", "sass", "less", "vue", "svelte", "ini", "cfg", "conf", "cmake", "mk",
                          "gradle", "proto", "graphql", "zig", "nim", "jl", "asm", "s", "v", "sv", "vhd", "vhdl",
                          "d", "f90", "glsl", "hlsl", "wgsl", "tf", "nix", "diff", "patch", "ipynb", "lock"}},
    {FileCategory::Text, {"txt", "text", "md", "markdown", "mdown", "rst", "log", "nfo", "tex", "org", "adoc",
                          "asciidoc", "me", "1", "srt", "vtt", "sub"}},
};

std::optional<FileCategory> category_of_extension(const std::string& ext) {
    if (ext.empty()) return std::nullopt;
    for (const auto& group : extension_groups)
        for (auto e : group.extensions)
            if (e == ext) return group.category;
    return std::nullopt;
}

bool mime_is(std::string_view mime, std::initializer_list<std::string_view> list) {
    return std::find(list.begin(), list.end(), mime) != list.end();
}

bool contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

// Specific MIME types decide; "text/plain" and "application/octet-stream"
// say too little and leave the choice to the extension.
std::optional<FileCategory> category_of_mime(std::string_view mime) {
    if (mime.empty() || mime == "application/octet-stream" || mime == "text/plain") return std::nullopt;
    if (mime == "inode/directory") return FileCategory::Folder;
    if (mime.starts_with("image/")) return FileCategory::Image;
    if (mime.starts_with("video/")) return FileCategory::Video;
    if (mime.starts_with("audio/")) return FileCategory::Audio;
    if (mime.starts_with("font/") || contains(mime, "font-") || contains(mime, "-font") ||
        mime == "application/vnd.ms-fontobject")
        return FileCategory::Font;
    if (mime == "application/pdf" || mime == "application/x-pdf") return FileCategory::Pdf;
    if (mime_is(mime, {"application/epub+zip", "application/x-mobipocket-ebook", "application/vnd.amazon.ebook",
                       "application/x-fictionbook+xml", "image/vnd.djvu", "application/vnd.comicbook+zip"}))
        return FileCategory::Ebook;
    if (contains(mime, "spreadsheet") || contains(mime, "ms-excel") || mime == "text/csv" ||
        mime == "text/tab-separated-values")
        return FileCategory::Spreadsheet;
    if (contains(mime, "presentation") || contains(mime, "powerpoint")) return FileCategory::Presentation;
    if (contains(mime, "wordprocessing") || contains(mime, "opendocument.text") || mime == "application/msword" ||
        mime == "application/rtf" || mime == "text/rtf")
        return FileCategory::Document;
    if (mime_is(mime, {"application/zip", "application/x-tar", "application/gzip", "application/x-gzip",
                       "application/x-bzip2", "application/x-xz", "application/zstd", "application/x-zstd",
                       "application/x-7z-compressed", "application/vnd.rar", "application/x-rar-compressed",
                       "application/java-archive", "application/x-compressed-tar", "application/x-bzip-compressed-tar",
                       "application/x-xz-compressed-tar", "application/x-iso9660-image", "application/x-cpio",
                       "application/vnd.debian.binary-package", "application/x-rpm", "application/x-lzma"}))
        return FileCategory::Archive;
    if (mime_is(mime, {"application/x-executable", "application/x-sharedlib", "application/x-pie-executable",
                       "application/x-msdownload", "application/vnd.microsoft.portable-executable",
                       "application/x-msi", "application/vnd.appimage", "application/x-elf"}))
        return FileCategory::Executable;
    if (mime_is(mime, {"application/json", "application/xml", "application/javascript", "application/x-javascript",
                       "application/x-sh", "application/x-shellscript", "application/toml", "application/yaml",
                       "application/x-yaml", "application/sql", "application/x-python", "application/xhtml+xml",
                       "application/x-perl", "application/x-ruby", "application/x-php", "application/wasm",
                       "application/ld+json", "application/x-ipynb+json"}))
        return FileCategory::Code;
    if (mime.starts_with("text/x-") || mime_is(mime, {"text/html", "text/css", "text/javascript", "text/xml",
                                                       "text/rust", "text/x-c", "text/x-script.python"}))
        return FileCategory::Code;
    if (mime.starts_with("text/")) return FileCategory::Text;
    return std::nullopt;
}

}  // namespace

const char* icon_name(Icon icon) {
    static constexpr const char* names[icon_count] = {
        "folder", "folder-open",
        "file", "file-text", "file-code", "file-image", "file-audio", "file-video", "file-pdf", "file-archive",
        "file-document", "file-spreadsheet", "file-presentation", "file-font", "file-ebook", "file-executable",
        "place-home", "place-desktop", "place-documents", "place-downloads", "place-music", "place-pictures",
        "place-videos", "place-trash", "place-trash-full", "place-workspace", "place-remote", "place-computer",
        "place-favorite",
        "back", "forward", "up", "view-list", "view-grid", "sort", "sort-ascending", "sort-descending", "more",
        "close", "add", "check", "chevron-right", "chevron-down", "warning", "search", "refresh", "eye", "eye-off",
        "badge-local", "badge-online-only", "badge-transfer", "badge-failed", "badge-kept-offline", "badge-durable",
        "badge-replica-warning", "badge-uploading", "badge-queued",
    };
    auto i = std::size_t(icon);
    return i < std::size(names) ? names[i] : "unknown";
}

FileCategory category_for(std::string_view path, bool is_dir, std::string_view mime) {
    if (is_dir) return FileCategory::Folder;
    std::string m = lower(mime.substr(0, mime.find(';')));
    if (auto c = category_of_mime(m)) return *c;
    if (auto c = category_of_extension(extension_of(path))) return *c;
    return m == "text/plain" ? FileCategory::Text : FileCategory::Other;
}

Icon icon_for_category(FileCategory category) {
    switch (category) {
        case FileCategory::Folder: return Icon::Folder;
        case FileCategory::Image: return Icon::FileImage;
        case FileCategory::Video: return Icon::FileVideo;
        case FileCategory::Audio: return Icon::FileAudio;
        case FileCategory::Text: return Icon::FileText;
        case FileCategory::Code: return Icon::FileCode;
        case FileCategory::Pdf: return Icon::FilePdf;
        case FileCategory::Archive: return Icon::FileArchive;
        case FileCategory::Document: return Icon::FileDocument;
        case FileCategory::Spreadsheet: return Icon::FileSpreadsheet;
        case FileCategory::Presentation: return Icon::FilePresentation;
        case FileCategory::Font: return Icon::FileFont;
        case FileCategory::Ebook: return Icon::FileEbook;
        case FileCategory::Executable: return Icon::FileExecutable;
        case FileCategory::Other: return Icon::FileGeneric;
    }
    return Icon::FileGeneric;
}

Icon icon_for_path(std::string_view path, bool is_dir, std::string_view mime) {
    return icon_for_category(category_for(path, is_dir, mime));
}

std::optional<Icon> badge_for_code(char32_t code) {
    switch (code) {
        case U'9': return Icon::BadgeLocal;
        case U'G': return Icon::BadgeOnlineOnly;
        case U'W': return Icon::BadgeTransfer;
        case U'V': return Icon::BadgeFailed;
        case U'6': return Icon::BadgeKeptOffline;
        case 11: return Icon::BadgeDurable;
        case U'F': return Icon::BadgeReplicaWarning;
        case U'Q': return Icon::BadgeUploading;
        case U'L': return Icon::BadgeQueued;
        default: return std::nullopt;
    }
}

bool is_badge(Icon icon) { return icon >= Icon::BadgeLocal; }
bool is_line_icon(Icon icon) { return icon >= Icon::PlaceHome && icon < Icon::BadgeLocal; }

void draw_icon(Painter& painter, Icon icon, const Rect& rect, const Theme& theme, float device_scale) {
    Color main = theme.text_secondary;
    if (is_folder_icon(icon)) main = theme.category_color(FileCategory::Folder);
    else if (is_file_icon(icon)) main = theme.category_color(category_of_file_icon(icon));
    else if (is_badge(icon)) main = theme.accent_a;
    else if (icon == Icon::Warning) main = theme.warning;
    else if (icon == Icon::PlaceFavorite) main = theme.accent_b;
    draw_with(painter, icon, rect, {main, theme.window_bg, theme.window_bg}, device_scale);
}

void draw_icon(Painter& painter, Icon icon, const Rect& rect, Color color, float device_scale) {
    const Theme& theme = Theme::dark();
    draw_with(painter, icon, rect, {color, theme.window_bg, theme.window_bg}, device_scale);
}

}  // namespace vesk_ui::icons
