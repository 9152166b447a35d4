// The Qt raster codec and the service's PDF and EPUB producers on small
// files made here.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QImageWriter>

#include <cstdio>

#include "test_dir.h"
#include "thumbnail/service.h"
#include "vesk_ui/image_codec.h"

namespace codec = vesk_ui::image_codec;
using thumbnail::Category;
using thumbnail::ThumbKey;
using thumbnail::ThumbnailService;
using State = ThumbnailService::State;
using namespace std::chrono_literals;

namespace {

constexpr QRgb red = 0xffff0000, blue = 0xff0000ff;

bool near(std::uint32_t pixel, QRgb want) {
    auto close = [](int a, int b) { return std::abs(a - b) < 48; };
    return close(qAlpha(pixel), qAlpha(want)) && close(qRed(pixel), qRed(want)) &&
           close(qGreen(pixel), qGreen(want)) && close(qBlue(pixel), qBlue(want));
}

std::uint32_t at(const vesk_ui::Image& image, int x, int y) {
    return (*image.pixels)[std::size_t(y) * image.width + x];
}

// Left half red, right half blue.
QImage two_tone(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) img.setPixel(x, y, x < w / 2 ? red : blue);
    }
    return img;
}

std::vector<std::uint8_t> png_of(int w, int h, QRgb colour) {
    auto pixels = std::vector<std::uint32_t>(std::size_t(w) * h, colour);
    auto png = codec::encode_png(vesk_ui::Image::from_pixels(w, h, std::move(pixels)));
    EXPECT_TRUE(png);
    return png.value_or(std::vector<std::uint8_t>{});
}

thumbnail::Decoders real_decoders() {
    return {&codec::decode_file, &codec::decode_bytes, &codec::encode_png};
}

std::string read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(ImageCodec, RasterFormatsDecodeScaledDown) {
    TestDir dir;
    for (const char* format : {"png", "jpg", "bmp", "webp"}) {
        std::string path = (dir.path / (std::string("picture.") + format)).string();
        ASSERT_TRUE(two_tone(600, 300).save(QString::fromStdString(path), format)) << format;

        auto image = codec::decode_file(path, 256);
        ASSERT_TRUE(image) << format << ": " << image.error();
        EXPECT_EQ(image->width, 256) << format;
        EXPECT_EQ(image->height, 128) << format;
        EXPECT_TRUE(near(at(*image, 20, 64), red)) << format;
        EXPECT_TRUE(near(at(*image, 235, 64), blue)) << format;

        std::string bytes = read_all(path);
        auto from_bytes = codec::decode_bytes(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 100);
        ASSERT_TRUE(from_bytes) << format;
        EXPECT_EQ(from_bytes->width, 100) << format;
        EXPECT_EQ(from_bytes->height, 50) << format;
    }
}

TEST(ImageCodec, ExifOrientationIsApplied) {
    TestDir dir;
    std::string path = (dir.path / "rotated.jpg").string();
    QImageWriter writer(QString::fromStdString(path), "jpg");
    if (!writer.supportsOption(QImageIOHandler::ImageTransformation)) GTEST_SKIP() << "no EXIF writer";
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(two_tone(600, 300)));

    // Turned a quarter clockwise: upright 300 x 600, the red half on top.
    auto image = codec::decode_file(path, 256);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 128);
    EXPECT_EQ(image->height, 256);
    EXPECT_TRUE(near(at(*image, 64, 20), red));
    EXPECT_TRUE(near(at(*image, 64, 235), blue));
}

TEST(ImageCodec, GifFirstFrameAndNoEnlarging) {
    // A 1 x 1 GIF whose only pixel is red.
    const std::uint8_t gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xff, 0, 0,
                                0, 0, 0, 0x2c, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3b};
    auto image = codec::decode_bytes(gif, 256);
    ASSERT_TRUE(image) << image.error();
    EXPECT_EQ(image->width, 1);
    EXPECT_EQ(image->height, 1);
    EXPECT_TRUE(near(at(*image, 0, 0), red));
}

TEST(ImageCodec, PngRoundTripKeepsPixels) {
    std::vector<std::uint32_t> pixels = {0xff102030, 0x00000000, 0xffffffff, 0xff0000ff, 0xff00ff00, 0xffff0000};
    auto original = vesk_ui::Image::from_pixels(3, 2, pixels);
    auto png = codec::encode_png(original);
    ASSERT_TRUE(png);
    auto back = codec::decode_bytes(*png, 0);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->width, 3);
    ASSERT_EQ(back->height, 2);
    EXPECT_EQ(*back->pixels, pixels);
}

TEST(ImageCodec, UnreadableInputIsAnError) {
    TestDir dir;
    const std::uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(codec::decode_bytes(junk, 256));
    EXPECT_FALSE(codec::decode_bytes({}, 256));
    EXPECT_FALSE(codec::decode_file((dir.path / "missing.png").string(), 256));
    EXPECT_FALSE(codec::decode_file(dir.write("fake.png", "not a png"), 256));
    EXPECT_FALSE(codec::encode_png(vesk_ui::Image{}));
}

namespace {

// A one-page PDF, 400 x 200 points, whose left quarter is red.
std::string one_page_pdf() {
    std::string content = "1 0 0 rg 0 0 100 200 re f\n";
    std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 400 200] /Contents 4 0 R /Resources << >> >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
    };
    std::string out = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (auto offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        out += line;
    }
    out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return out;
}

using Members = std::vector<std::pair<std::string, std::string>>;

std::string write_zip(const std::string& path, const Members& members) {
    archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    EXPECT_EQ(archive_write_open_filename(a, path.c_str()), ARCHIVE_OK);
    for (const auto& [name, data] : members) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.c_str());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, la_int64_t(data.size()));
        archive_write_header(a, entry);
        archive_write_data(a, data.data(), data.size());
        archive_entry_free(entry);
    }
    archive_write_close(a);
    archive_write_free(a);
    return path;
}

std::string container(const std::string& package) {
    return "<?xml version=\"1.0\"?><container version=\"1.0\" "
           "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles><rootfile full-path=\"" +
           package + "\" media-type=\"application/oebps-package+xml\"/></rootfiles></container>";
}

std::string package(const std::string& metadata, const std::string& manifest) {
    return "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\">"
           "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>The Lantern-Keeper</dc:title>" +
           metadata + "</metadata><manifest>" +
           "<item id=\"ch1\" href=\"chapter.xhtml\" media-type=\"application/xhtml+xml\"/>" + manifest +
           "</manifest><spine><itemref idref=\"ch1\"/></spine></package>";
}

std::string item(const std::string& id, const std::string& href, const std::string& extra = "") {
    return "<item id=\"" + id + "\" href=\"" + href + "\" media-type=\"image/png\" " + extra + "/>";
}

}  // namespace

TEST(RealThumbnails, PdfFirstPage) {
    TestDir dir;
    std::string pdf = dir.write("Field guide.pdf", one_page_pdf());
    std::string broken = dir.write("broken.pdf", "%PDF-1.4 nothing else");
    ThumbnailService service(dir.path / "cache", real_decoders());
    ThumbKey key = ThumbKey::from_file(pdf, 1, 1, 256), bad = ThumbKey::from_file(broken, 1, 1, 256);
    service.request(key, pdf, Category::Pdf);
    service.request(bad, broken, Category::Pdf);
    ASSERT_TRUE(service.wait_idle(30s));

    auto image = service.lookup(key);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 256);
    EXPECT_EQ(image->height, 128);
    EXPECT_TRUE(near(at(*image, 20, 64), red));
    EXPECT_TRUE(near(at(*image, 200, 64), 0xffffffff));
    EXPECT_EQ(service.state(bad), State::Failed);
}

TEST(RealThumbnails, EpubCover) {
    TestDir dir;
    std::string cover = [] { auto b = png_of(120, 240, red); return std::string(b.begin(), b.end()); }();
    std::string other = [] { auto b = png_of(50, 50, blue); return std::string(b.begin(), b.end()); }();
    std::string chapter = "<html xmlns=\"http://www.w3.org/1999/xhtml\"><body><p>Once</p></body></html>";
    auto book = [&](const std::string& opf_path, const std::string& opf, Members images) {
        Members m = {{"mimetype", "application/epub+zip"},
                     {"META-INF/container.xml", container(opf_path)},
                     {opf_path, opf},
                     {"OEBPS/chapter.xhtml", chapter}};
        m.insert(m.end(), images.begin(), images.end());
        return m;
    };
    struct Case {
        const char* name;
        Members members;
        bool ready;
    } cases[] = {
        {"cover-image property",
         book("OEBPS/content.opf",
              package("", item("a", "other.png") + item("c", "cover.png", "properties=\"cover-image\"")),
              {{"OEBPS/other.png", other}, {"OEBPS/cover.png", cover}}),
         true},
        {"cover meta",
         book("OEBPS/content.opf",
              package("<meta name=\"cover\" content=\"c\"/>", item("a", "other.png") + item("c", "cover.png")),
              {{"OEBPS/other.png", other}, {"OEBPS/cover.png", cover}}),
         true},
        {"first image", book("OEBPS/content.opf", package("", item("c", "cover.png") + item("a", "other.png")),
                             {{"OEBPS/other.png", other}, {"OEBPS/cover.png", cover}}),
         true},
        {"relative href", book("OEBPS/pkg/content.opf",
                               package("", item("c", "../Images/Cover%20Art.png#x", "properties=\"cover-image\"")),
                               {{"OEBPS/Images/Cover Art.png", cover}}),
         true},
        {"no container", {{"mimetype", "application/epub+zip"}, {"OEBPS/cover.png", cover}}, false},
        {"href leaves the book",
         book("OEBPS/content.opf", package("", item("c", "../../cover.png", "properties=\"cover-image\"")),
              {{"cover.png", cover}}),
         false},
        {"cover missing", book("OEBPS/content.opf", package("", item("c", "cover.png")), {}), false},
        {"cover too large",
         book("OEBPS/content.opf", package("", item("c", "cover.png")),
              {{"OEBPS/cover.png", std::string(33u << 20, '\0')}}),
         false},
        {"package not XML", book("OEBPS/content.opf", "<package><manifest><item", {}), false},
    };

    ThumbnailService service(dir.path / "cache", real_decoders());
    std::vector<ThumbKey> keys;
    int n = 0;
    for (const auto& c : cases) {
        std::string path = write_zip((dir.path / ("book" + std::to_string(n++) + ".epub")).string(), c.members);
        keys.push_back(ThumbKey::from_file(path, 1, 1, 256));
        service.request(keys.back(), path, Category::Ebook);
    }
    std::string not_zip = dir.write("plain.epub", "just text");
    ThumbKey not_zip_key = ThumbKey::from_file(not_zip, 1, 1, 256);
    service.request(not_zip_key, not_zip, Category::Ebook);
    ASSERT_TRUE(service.wait_idle(60s));

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        auto image = service.lookup(keys[i]);
        EXPECT_EQ(image.has_value(), cases[i].ready) << cases[i].name;
        if (!image) continue;
        EXPECT_EQ(image->width, 120) << cases[i].name;
        EXPECT_EQ(image->height, 240) << cases[i].name;
        EXPECT_TRUE(near(at(*image, 60, 120), red)) << cases[i].name;
    }
    EXPECT_EQ(service.state(not_zip_key), State::Failed);
}
