#include "native_fixture/fixtures.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "fileops/archive_compress.h"
#include "native_fixture/pictures.h"
#include "vesk_ui/image_codec.h"

namespace file_explorer::native_fixture {

namespace {

namespace fs = std::filesystem;

void write_file(const fs::path& path, const std::string& content) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream(path, std::ios::binary) << content;
}

std::optional<std::string> archive_fixture() {
    const fs::path tmp = fs::temp_directory_path();
    const fs::path zip = tmp / "vesk-files-archive-demo.zip";
    const fs::path staging = tmp / "vesk-files-archive-demo.staging";
    std::error_code ec;
    fs::remove_all(zip, ec);
    fs::remove_all(staging, ec);
    write_file(staging / "Photos" / "Coast" / "IMG_2048.jpg", std::string(2048, '\x7f'));
    write_file(staging / "Photos" / "Coast" / "IMG_2051.jpg", std::string(3172, '\x3c'));
    write_file(staging / "Documents" / "Itinerary.pdf", "%PDF-1.4\n% itinerary\n");
    write_file(staging / "Documents" / "Packing list.txt", "Passport\nCharger\nRain jacket\n");
    write_file(staging / "Read me.txt", "Holiday files, packed for the trip.\n");
    const std::vector<std::string> items = {(staging / "Photos").string(), (staging / "Documents").string(),
                                            (staging / "Read me.txt").string()};
    auto made = fileops::create_zip(items, zip.string());
    fs::remove_all(staging, ec);
    if (!made) return std::nullopt;
    return zip.string();
}

void write_bytes(const fs::path& path, const std::expected<std::vector<std::uint8_t>, std::string>& bytes) {
    if (bytes) write_file(path, std::string(bytes->begin(), bytes->end()));
}

// A small EPUB: mimetype, container, package, one chapter and a cover.
void write_epub(const fs::path& target, const fs::path& staging) {
    std::error_code ec;
    fs::remove_all(staging, ec);
    write_file(staging / "mimetype", "application/epub+zip");
    write_file(staging / "META-INF" / "container.xml",
               "<?xml version=\"1.0\"?>\n<container version=\"1.0\" "
               "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles>"
               "<rootfile full-path=\"OEBPS/content.opf\" media-type=\"application/oebps-package+xml\"/>"
               "</rootfiles></container>\n");
    write_file(staging / "OEBPS" / "content.opf",
               "<?xml version=\"1.0\"?>\n<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
               "unique-identifier=\"id\"><metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
               "<dc:identifier id=\"id\">lantern-keeper</dc:identifier><dc:title>The Lantern-Keeper</dc:title>"
               "<dc:language>en</dc:language></metadata><manifest>"
               "<item id=\"cover\" href=\"cover.jpg\" media-type=\"image/jpeg\" properties=\"cover-image\"/>"
               "<item id=\"ch1\" href=\"chapter1.xhtml\" media-type=\"application/xhtml+xml\"/>"
               "</manifest><spine><itemref idref=\"ch1\"/></spine></package>\n");
    write_file(staging / "OEBPS" / "chapter1.xhtml",
               "<?xml version=\"1.0\"?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>One</title>"
               "</head><body><h1>The light on the point</h1><p>Every evening she climbed the stair.</p></body></html>\n");
    write_bytes(staging / "OEBPS" / "cover.jpg",
                vesk_ui::image_codec::encode_jpeg(make_picture(Scene::Harbour, 400, 600)));
    (void)fileops::create_zip({(staging / "mimetype").string(), (staging / "META-INF").string(),
                               (staging / "OEBPS").string()},
                              target.string());
    fs::remove_all(staging, ec);
}

std::optional<std::string> thumbnails_fixture() {
    const fs::path dir = fs::temp_directory_path() / "vesk-files-thumbnails-demo";
    std::error_code ec;
    fs::remove_all(dir, ec);
    if (!fs::create_directories(dir / "Camera Roll", ec)) return std::nullopt;
    write_bytes(dir / "sunset.png", vesk_ui::image_codec::encode_png(make_picture(Scene::Sunset, 640, 420)));
    write_bytes(dir / "harbour.jpg", vesk_ui::image_codec::encode_jpeg(make_picture(Scene::Harbour, 640, 420)));
    write_bytes(dir / "forest-path.png", vesk_ui::image_codec::encode_png(make_picture(Scene::Forest, 420, 560)));
    write_bytes(dir / "bloom.jpg", vesk_ui::image_codec::encode_jpeg(make_picture(Scene::Bloom, 560, 560)));
    write_bytes(dir / "study.png", vesk_ui::image_codec::encode_png(make_picture(Scene::Study, 640, 400)));
    write_file(dir / "Field guide.pdf", one_page_pdf());
    write_epub(dir / "The Lantern-Keeper.epub", fs::temp_directory_path() / "vesk-files-epub.staging");
    const std::pair<const char*, const char*> others[] = {
        {"launch-clip.mp4", "\0\0\0\x18" "ftypmp42"}, {"release.zip", "PK\x05\x06"},
        {"main.rs", "fn main() {\n    println!(\"hello\");\n}\n"}, {"Report.docx", "PK"},
        {"README.md", "# Demo\n\nFiles of every kind.\n"}, {"Inter.ttf", "\0\x01\0\0"},
        {"Budget.xlsx", "PK"}, {"theme.mp3", "ID3"}, {"config.json", "{\"theme\": \"dark\"}\n"},
    };
    for (auto [name, content] : others) write_file(dir / name, content);
    return dir.string();
}

}  // namespace

std::optional<std::string> prepare_fixture(const std::string& scene) {
    if (scene == "archive" || scene == "archive-menu") return archive_fixture();
    if (scene == "thumbnails") return thumbnails_fixture();
    return std::nullopt;
}

}  // namespace file_explorer::native_fixture
