#include "native_fixture/fixtures.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "fileops/archive_compress.h"

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

}  // namespace

std::optional<std::string> prepare_fixture(const std::string& scene) {
    if (scene == "archive" || scene == "archive-menu") return archive_fixture();
    return std::nullopt;
}

}  // namespace file_explorer::native_fixture
