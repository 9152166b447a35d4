// The view asks the thumbnail service for visible files and paints a
// finished picture in place of the icon or tile.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "thumbnail/service.h"
#include "views/file_view/file_view.h"
#include "vesk_ui/recording_painter.h"
#include "vesk_ui/theme.h"

namespace file_explorer::views {
namespace {

namespace fs = std::filesystem;
using vesk_ui::PaintOp;

struct TempDir {
    fs::path path;
    TempDir() {
        std::string templ = (fs::temp_directory_path() / "views-thumb-XXXXXX").string();
        path = ::mkdtemp(templ.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

// Every existing file decodes to the same small picture; nothing is cached
// on disk.
thumbnail::Decoders fake_decoders() {
    thumbnail::Decoders d;
    d.decode_file = [](const std::string& path, int) -> std::expected<vesk_ui::Image, std::string> {
        if (!fs::exists(path)) return std::unexpected(std::string("missing"));
        return vesk_ui::Image::from_pixels(8, 4, std::vector<std::uint32_t>(32, 0xff336699u));
    };
    return d;
}

model::FileEntry picture(const fs::path& path) {
    model::FileEntry e;
    e.name = path.filename().string();
    e.path = path.string();
    e.size = 10;
    e.mime = model::guess_mime(e.name);
    return e;
}

TEST(FileViewThumbnails, ReadyPictureReplacesTheIcon) {
    TempDir dir;
    fs::path file = dir.path / "sunset.png";
    std::ofstream(file) << "not really a png";
    fs::path missing = dir.path / "missing.png";

    for (bool grid : {false, true}) {
        thumbnail::ThumbnailService service(dir.path / (grid ? "grid-cache" : "list-cache"), fake_decoders(), 64, 1);
        auto build = [&] {
            FileViewSetup s;
            std::vector<model::FileEntry> entries = {picture(file)};
            for (int i = 0; i < 200; ++i) entries.push_back(picture(missing));
            s.entries = std::move(entries);
            s.selection.set_count(s.entries.size());
            s.thumbnails = &service;
            s.viewport = vesk_ui::Rect{0, 0, 600, 120};
            s.commands = std::make_shared<command::CommandChannel>();
            auto v = grid ? std::make_unique<FileView>(std::move(s))
                          : std::make_unique<FileView>(std::move(s), model::SortKey::Name,
                                                       model::SortDirection::Ascending);
            v->apply_layout({0, 0, 600, 20000});
            return v;
        };
        vesk_ui::RecordingPainter p;
        build()->draw(p, {vesk_ui::Theme::dark(), {}, 1.0f});
        EXPECT_EQ(p.count(PaintOp::Kind::Image), 0u);  // asked for, not ready yet
        ASSERT_TRUE(service.wait_idle(std::chrono::seconds(10)));

        p.clear();
        auto view = build();
        view->draw(p, {vesk_ui::Theme::dark(), {}, 1.0f});
        ASSERT_EQ(p.count(PaintOp::Kind::Image), 1u) << grid;
        const PaintOp* image = nullptr;
        for (const PaintOp& op : p.ops())
            if (op.kind == PaintOp::Kind::Image) image = &op;
        // Scaled to cover the icon box: the 8 × 4 picture is cropped to its middle square.
        EXPECT_FLOAT_EQ(image->image_src.width(), 4);
        EXPECT_FLOAT_EQ(image->image_src.height(), 4);
        EXPECT_TRUE(vesk_ui::rect_within(image->rect, *view->item_rect(0)));
        // No tile under the picture; files without one keep theirs.
        std::size_t labels_in_first = 0, labels = 0;
        for (const PaintOp& op : p.ops()) {
            if (op.kind != PaintOp::Kind::Text || op.text != "PNG") continue;
            ++labels;
            if (vesk_ui::rect_within(op.rect, *view->item_rect(0))) ++labels_in_first;
        }
        EXPECT_EQ(labels_in_first, 0u);
        if (grid) {
            EXPECT_GT(labels, 0u);
        }
        EXPECT_EQ(service.pending(), 0u);
    }
}

}  // namespace
}  // namespace file_explorer::views
