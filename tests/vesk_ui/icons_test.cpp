#include <gtest/gtest.h>

#include "vesk_ui/icons.h"
#include "vesk_ui/recording_painter.h"
#include "vesk_ui/theme.h"

namespace vesk_ui::icons {
namespace {

TEST(Icons, EveryIconDrawsInsideItsBox) {
    const Rect box = Rect::from_xywh(100, 50, 48, 48);
    for (int i = 0; i < icon_count; ++i) {
        RecordingPainter p;
        draw_icon(p, Icon(i), box, Theme::dark());
        ASSERT_FALSE(p.ops().empty()) << icon_name(Icon(i));
        for (const auto& op : p.ops()) {
            // A half stroke (0.75 of 24 units) may reach past the outline.
            EXPECT_TRUE(rect_within(op.rect, box.inset(-2))) << icon_name(Icon(i));
            EXPECT_TRUE(op.path.verbs().front() == Path::Verb::Move) << icon_name(Icon(i));
        }
    }
}

TEST(Icons, ChoosesByMimeThenExtension) {
    struct Case {
        const char* path;
        bool dir;
        const char* mime;
        Icon icon;
    };
    const Case cases[] = {
        {"/home/a/Projects", true, "", Icon::Folder},
        {"photo.JPG", false, "", Icon::FileImage},
        {"clip", false, "video/mp4", Icon::FileVideo},
        {"main.rs", false, "text/plain", Icon::FileCode},
        {"main.rs", false, "text/x-rust", Icon::FileCode},
        {"README.md", false, "text/markdown", Icon::FileText},
        {"notes", false, "text/plain", Icon::FileText},
        {"config.json", false, "application/json", Icon::FileCode},
        {"Report.docx", false, "", Icon::FileDocument},
        {"Budget.xlsx", false, "application/octet-stream", Icon::FileSpreadsheet},
        {"Q3 budget.ods", false, "", Icon::FileSpreadsheet},
        {"deck.odp", false, "application/vnd.oasis.opendocument.presentation", Icon::FilePresentation},
        {"Inter.ttf", false, "font/ttf", Icon::FileFont},
        {"The Lantern-Keeper.epub", false, "application/epub+zip", Icon::FileEbook},
        {"release.zip", false, "application/zip", Icon::FileArchive},
        {"backup.tar.gz", false, "", Icon::FileArchive},
        {"Field guide.pdf", false, "application/pdf; charset=binary", Icon::FilePdf},
        {"theme.mp3", false, "", Icon::FileAudio},
        {"setup.exe", false, "", Icon::FileExecutable},
        {".bashrc", false, "", Icon::FileGeneric},
        {"dataset.unknownext", false, "", Icon::FileGeneric},
        {"dir.with.dots/file", false, "", Icon::FileGeneric},
    };
    for (const auto& c : cases) EXPECT_EQ(icon_for_path(c.path, c.dir, c.mime), c.icon) << c.path << " " << c.mime;
    EXPECT_EQ(category_for("x.png", false), FileCategory::Image);
}

TEST(Icons, BadgeCodes) {
    for (char32_t code : {U'9', U'G', U'W', U'V', U'6', char32_t(11), U'F', U'Q', U'L'}) {
        auto badge = badge_for_code(code);
        ASSERT_TRUE(badge) << int(code);
        EXPECT_TRUE(is_badge(*badge));
    }
    EXPECT_FALSE(badge_for_code(U'A'));
}

}  // namespace
}  // namespace vesk_ui::icons
