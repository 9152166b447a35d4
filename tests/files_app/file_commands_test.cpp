// The file commands through the root widget: what each writes, the status it
// leaves, the reload and selection after it, and the refusals inside an
// archive.
#include "overlay_fixture.h"

#include "command/local_key.h"
#include "fileops/archive_compress.h"
#include "fileops/templates.h"
#include "views/places_sidebar/places_sidebar.h"
#include "views/toolbar/toolbar.h"

namespace overlay_test {
namespace {

using file_explorer::command::Command;
using file_explorer::command::Kind;
using vesk_actions::Invocation;
using vesk_actions::InvokeOutcome;
using vesk_actions::OperationClass;
namespace i18n = file_explorer::i18n;

std::string counted(const char* id, double count) { return i18n::tr_args(id, i18n::Args().number("count", count)); }

class FileCommandsTest : public OverlayTest {
protected:
    std::vector<std::string> names(const fs::path& folder) const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    std::string selected_name() const {
        const auto selected = widget_->selection().selected();
        if (selected.size() != 1) return "<" + std::to_string(selected.size()) + " selected>";
        return widget_->entries()[selected.front()].name;
    }
    // work/photos.zip holding docs/a.txt and docs/b.txt.
    std::string make_zip() {
        fs::create_directories(root_ / "pack" / "docs");
        write(root_ / "pack" / "docs" / "a.txt", "alpha");
        write(root_ / "pack" / "docs" / "b.txt", "beta");
        EXPECT_TRUE(file_explorer::fileops::create_zip({(root_ / "pack" / "docs").string()}, work("photos.zip")));
        return work("photos.zip");
    }
    InvokeOutcome invoke(const std::string& action, const std::string& resource, const std::string& payload = "null",
                         std::optional<std::string> text = std::nullopt) {
        Invocation inv;
        inv.operation_class = OperationClass::Effect;
        inv.action = action;
        inv.resource_id = resource;
        inv.payload_json = payload;
        if (text) inv.text_args["value"] = *text;
        return widget_->invoke_resource_operation_v2(inv);
    }
    std::string entry_id(const std::string& path) const { return file_explorer::command::entry_resource_id(path); }
};

TEST_F(FileCommandsTest, EveryWritingCommandIsRefusedInsideAnArchive) {
    write(work("a.txt"));
    const std::string zip = make_zip();
    auto& w = open(work());
    select({"a.txt"});
    w.execute(Command::simple(Kind::Copy));
    w.navigate(zip + "/docs");
    ASSERT_EQ(w.entries().size(), 2u);
    const auto before = names(root_ / "work");

    const Command refused[] = {
        Command::simple(Kind::OpenTerminal), Command::simple(Kind::NewFolder),
        Command::simple(Kind::StartRename), Command::simple(Kind::CommitRename),
        Command::simple(Kind::MoveToTrash), Command::simple(Kind::Copy),
        Command::simple(Kind::Cut), Command::simple(Kind::Paste),
        Command::simple(Kind::ExtractHere), Command::simple(Kind::Compress),
        Command::with_path(Kind::NewFromTemplate, work("a.txt")),
        Command::with_path(Kind::ItemPressed, zip + "/docs/a.txt"),
        Command::with_path(Kind::StartDrag, zip + "/docs/a.txt"),
    };
    for (const auto& c : refused) {
        w.set_status("");
        w.selection().select_only(0);
        EXPECT_TRUE(w.execute(c));
        EXPECT_EQ(w.status_message(), i18n::tr("files-archive-read-only")) << int(c.kind);
    }
    EXPECT_FALSE(w.rename_target());
    EXPECT_TRUE(w.dragged_paths().empty());
    EXPECT_EQ(w.clipboard().paths(), std::vector<std::string>{work("a.txt")});

    // The action door refuses the same writes with the same text.
    const std::string folder = file_explorer::command::folder_resource_id(w.location());
    const std::string inner = entry_id(zip + "/docs/a.txt");
    const auto read_only = i18n::tr("files-archive-read-only");
    EXPECT_EQ(invoke("files.paste", folder).failure, read_only);
    EXPECT_EQ(invoke("files.new-folder", folder, "null", "Reports").failure, read_only);
    EXPECT_EQ(invoke("files.rename", inner, "null", "z.txt").failure, read_only);
    for (const char* op : {"\"copy\"", "\"cut\"", "\"trash\"", "\"compress\""})
        EXPECT_EQ(invoke("files.entry-command", inner, op).failure, read_only) << op;
    EXPECT_EQ(w.clipboard().paths(), std::vector<std::string>{work("a.txt")});
    EXPECT_EQ(names(root_ / "work"), before);

    // Opening inside the archive follows its rules: folders open, files
    // ask to be extracted first.
    w.navigate(zip);
    EXPECT_EQ(invoke("files.open", folder, "\"" + zip + "/docs\"").kind, InvokeOutcome::Kind::Success);
    EXPECT_EQ(w.location(), zip + "/docs");
    EXPECT_EQ(invoke("files.open", folder, "\"" + zip + "/docs/a.txt\"").kind, InvokeOutcome::Kind::Success);
    EXPECT_EQ(w.status_message(), i18n::tr("files-archive-open-after-extract"));
    EXPECT_EQ(invoke("files.open", folder, "\"" + zip + "/docs/gone.txt\"").failure,
              "file location is no longer available");

    // Ordering still works.
    EXPECT_TRUE(w.execute(Command::sort_by_column(2)));
    EXPECT_EQ(w.sort().key, file_explorer::model::SortKey::Size);
}

TEST_F(FileCommandsTest, ExtractHereAndExtractTheBrowsedArchive) {
    const std::string zip = make_zip();
    write(work("notes.txt"));
    auto& w = open(work());

    select({"notes.txt"});
    w.execute(Command::simple(Kind::ExtractHere));
    EXPECT_EQ(w.status_message(), i18n::tr("files-archive-select"));

    select({"photos.zip", "notes.txt"});
    w.execute(Command::simple(Kind::ExtractHere));
    EXPECT_EQ(w.status_message(), counted("files-archive-extracted", 2));
    EXPECT_TRUE(fs::is_regular_file(root_ / "work" / "photos" / "docs" / "a.txt"));
    EXPECT_TRUE(index_of("photos"));  // read again

    // Browsing inside: the archive itself is extracted beside it, under the
    // next free name, and the listing inside stays as it was.
    w.navigate(zip + "/docs");
    w.execute(Command::simple(Kind::ExtractArchive));
    EXPECT_EQ(w.status_message(), counted("files-archive-extracted", 2));
    EXPECT_TRUE(fs::is_regular_file(root_ / "work" / "photos 2" / "docs" / "b.txt"));
    EXPECT_EQ(w.location(), zip + "/docs");
    EXPECT_EQ(w.entries().size(), 2u);

    // A broken archive reports the failure and leaves nothing behind.
    write(work("broken.zip"), "not a zip");
    w.navigate(work("broken.zip"));
    w.execute(Command::simple(Kind::ExtractArchive));
    ASSERT_TRUE(w.status_message());
    EXPECT_TRUE(w.status_message()->starts_with(
        i18n::tr_args("files-archive-extract-failed", i18n::Args().text("error", ""))));
    EXPECT_FALSE(fs::exists(root_ / "work" / "broken"));

    // Outside an archive there is no browsed archive to extract.
    w.navigate(work());
    w.set_status("");
    EXPECT_FALSE(w.execute(Command::simple(Kind::ExtractArchive)));
}

TEST_F(FileCommandsTest, CompressNamesTheZipAndLeavesNothingOnFailure) {
    for (const char* f : {"Budget.ods", "b.txt"}) write(work(f));
    auto& w = open(work());
    w.execute(Command::simple(Kind::Compress));
    EXPECT_EQ(w.status_message(), i18n::tr("files-archive-select-compress"));

    select({"Budget.ods"});
    w.execute(Command::simple(Kind::Compress));
    EXPECT_EQ(*w.status_message(), "Created Budget.zip");
    EXPECT_TRUE(index_of("Budget.zip"));
    select({"Budget.ods", "b.txt"});
    w.execute(Command::simple(Kind::Compress));
    EXPECT_EQ(*w.status_message(), "Created Archive.zip");

    // An item gone since the listing fails the whole ZIP.
    select({"b.txt"});
    fs::remove(work("b.txt"));
    w.execute(Command::simple(Kind::Compress));
    ASSERT_TRUE(w.status_message());
    EXPECT_TRUE(w.status_message()->starts_with(
        i18n::tr_args("files-archive-create-failed", i18n::Args().text("error", ""))));
    EXPECT_FALSE(fs::exists(work("b.zip")));
    EXPECT_FALSE(fs::exists(work("b.zip.part")));
}

TEST_F(FileCommandsTest, CopyCutAndPasteReportCountsAndFailures) {
    fs::create_directories(root_ / "work" / "to");
    for (const char* f : {"a.txt", "b.txt"}) write(work(f), f);
    auto& w = open(work());

    select({"a.txt", "b.txt"});
    w.execute(Command::simple(Kind::Copy));
    EXPECT_EQ(w.status_message(), counted("files-copied", 2));
    w.navigate(work("to"));
    w.execute(Command::simple(Kind::Paste));
    EXPECT_EQ(w.status_message(), counted("files-pasted", 2));
    w.execute(Command::simple(Kind::Paste));
    EXPECT_EQ(names(root_ / "work" / "to"), (std::vector<std::string>{"a 2.txt", "a.txt", "b 2.txt", "b.txt"}));
    EXPECT_EQ(w.entries().size(), 4u);
    EXPECT_EQ(w.clipboard().paths().size(), 2u);

    // A cut item deleted before the paste stays on the clipboard.
    w.navigate(work());
    select({"a.txt", "b.txt"});
    w.execute(Command::simple(Kind::Cut));
    EXPECT_EQ(w.status_message(), counted("files-cut", 2));
    fs::remove(work("b.txt"));
    w.navigate(work("to"));
    w.execute(Command::simple(Kind::Paste));
    EXPECT_EQ(w.status_message(),
              i18n::tr_args("files-pasted-with-failures", i18n::Args().number("count", 1).number("failed", 1)));
    EXPECT_EQ(w.clipboard().paths(), std::vector<std::string>{work("b.txt")});
    EXPECT_TRUE(fs::exists(work("to/a 3.txt")));

    // The same failure through the action door names the item.
    const auto outcome = invoke("files.paste", file_explorer::command::folder_resource_id(w.location()));
    EXPECT_EQ(outcome.kind, InvokeOutcome::Kind::Failure);
    EXPECT_TRUE(outcome.failure.starts_with("paste failed: " + work("b.txt") + ": ")) << outcome.failure;

    // An empty selection empties the clipboard; Paste then does nothing.
    w.selection().clear();
    w.execute(Command::simple(Kind::Copy));
    EXPECT_EQ(w.status_message(), counted("files-copied", 0));
    w.set_status("");
    EXPECT_FALSE(w.execute(Command::simple(Kind::Paste)));
}

TEST_F(FileCommandsTest, NewFolderAndNewFileAreSelectedForRenaming) {
    fs::create_directories(root_ / "work" / "New Folder");
    write(root_ / "Templates" / "Letter.odt", "letter");
    auto& w = open(work());

    w.execute(Command::simple(Kind::NewFolder));
    EXPECT_EQ(w.status_message(), i18n::tr("files-created-folder"));
    EXPECT_TRUE(fs::is_directory(work("New Folder 2")));
    EXPECT_EQ(selected_name(), "New Folder 2");
    EXPECT_EQ(w.rename_target(), w.selection().selected().front());

    // From the template submenu's command, twice.
    const auto templates = file_explorer::fileops::template_items();
    ASSERT_EQ(templates.size(), 1u);
    for (const char* expected : {"Letter.odt", "Letter 2.odt"}) {
        w.execute(Command::with_path(Kind::NewFromTemplate, templates[0].path));
        EXPECT_EQ(w.status_message(), i18n::tr("files-created-file"));
        EXPECT_EQ(selected_name(), expected);
        EXPECT_TRUE(w.rename_target());
    }

    // Failures leave the status and nothing else.
    fs::remove(root_ / "Templates" / "Letter.odt");
    w.execute(Command::with_path(Kind::NewFromTemplate, templates[0].path));
    ASSERT_TRUE(w.status_message());
    EXPECT_TRUE(w.status_message()->starts_with(i18n::tr_args("files-new-file-failed", i18n::Args().text("error", ""))));
    fs::remove_all(work());
    w.execute(Command::simple(Kind::NewFolder));
    ASSERT_TRUE(w.status_message());
    EXPECT_TRUE(
        w.status_message()->starts_with(i18n::tr_args("files-new-folder-failed", i18n::Args().text("error", ""))));
}

TEST_F(FileCommandsTest, TemplatesAndRenameThroughTheActionDoor) {
    write(root_ / "Templates" / "Memo.txt", "memo");
    write(work("a.txt"));
    write(work("b.txt"));
    open(work());
    const auto templates = file_explorer::fileops::template_items();
    ASSERT_EQ(templates.size(), 1u);

    EXPECT_EQ(invoke("files.new-from-template", templates[0].resource_id).kind, InvokeOutcome::Kind::Success);
    EXPECT_TRUE(index_of("Memo.txt"));
    EXPECT_EQ(invoke("files.new-from-template", "files.template:00000000000000000000000000000000").failure,
              "the template is no longer available");

    const std::string a = entry_id(work("a.txt"));
    EXPECT_EQ(invoke("files.rename", a, "null", "b.txt").failure,
              i18n::tr_args("files-name-exists", i18n::Args().text("name", "b.txt")));
    EXPECT_EQ(invoke("files.rename", a, "null", " c.txt ").kind, InvokeOutcome::Kind::Success);
    EXPECT_TRUE(index_of("c.txt"));
    EXPECT_FALSE(index_of("a.txt"));
    EXPECT_EQ(invoke("files.rename", a, "null", "d.txt").failure, "missing file resource");
}

TEST_F(FileCommandsTest, EntryResourcesOfferWhatTheItemMenuOffers) {
    write(work("a.txt"));
    const std::string zip = make_zip();
    auto& w = open(work());
    const auto ops = [&](const std::string& path) {
        std::vector<std::string> out;
        auto r = w.resource(entry_id(path));
        if (r)
            for (const auto& op : r->operations) out.push_back(op.name);
        return out;
    };
    const std::vector<std::string> file_ops{"open", "rename", "properties", "copy", "cut", "trash", "compress"};
    EXPECT_EQ(ops(work("a.txt")), file_ops);
    auto archive_ops = file_ops;
    archive_ops.push_back("extract");
    EXPECT_EQ(ops(zip), archive_ops);
    w.navigate(zip + "/docs");
    EXPECT_EQ(ops(zip + "/docs/a.txt"), std::vector<std::string>{"open"});

    w.navigate(work());
    select({"a.txt"});
    w.execute(Command::simple(Kind::MoveToTrash));
    w.navigate(trash_files());
    EXPECT_EQ(ops(trash_files() + "/a.txt"), (std::vector<std::string>{"open", "restore", "delete-permanently"}));
}

TEST_F(FileCommandsTest, DropsReportFailedItems) {
    fs::create_directories(root_ / "work" / "sub");
    write(work("sub/a.txt"));
    auto& w = open(work("sub"));
    const auto target = w.toolbar()->path_bar().parent_target_rect();
    ASSERT_TRUE(target);
    w.set_drag_for_scene({work("sub/a.txt"), work("sub/gone.txt")}, target->center());
    send(pointer(vesk_ui::PointerKind::Up, target->center()));
    EXPECT_EQ(*w.status_message(), "Moved 1 to “work” (1 failed)");
    EXPECT_TRUE(fs::exists(work("a.txt")));
    EXPECT_TRUE(w.entries().empty());  // read again
}

}  // namespace
}  // namespace overlay_test

namespace overlay_test {
namespace {

// Trash items are matched by name, so these must never reach a Trash item
// through a file that merely shares its name.
TEST_F(FileCommandsTest, RestoreAndPurgeActOnlyOnTrashEntries) {
    write(work("a.txt"), "trashed");
    auto& w = open(work());
    select({"a.txt"});
    w.execute(Command::simple(Kind::MoveToTrash));
    write(work("a.txt"), "new");
    w.refresh();

    select({"a.txt"});
    w.set_status("");
    EXPECT_FALSE(w.execute(Command::simple(Kind::Restore)));
    EXPECT_FALSE(w.execute(Command::with_paths(Kind::DeletePermanently, {work("a.txt")})));
    EXPECT_EQ(invoke("files.entry-command", entry_id(work("a.txt")), "\"purge\"").failure,
              "file operation could not be applied");
    EXPECT_TRUE(fs::exists(trash_files() + "/a.txt"));
    EXPECT_TRUE(fs::exists(work("a.txt")));
}

TEST_F(FileCommandsTest, ADropOntoTheTrashPlaceMovesToTheTrash) {
    write(work("a.txt"));
    auto& w = open(work());
    fs::create_directories(trash_files());
    std::optional<std::size_t> trash_row;
    for (std::size_t i = 0; i < w.sidebar()->size(); ++i)
        if (w.sidebar()->place(i).path == trash_files()) trash_row = i;
    ASSERT_TRUE(trash_row);
    const vesk_ui::Point at = w.sidebar_row_centre(*trash_row);
    w.set_drag_for_scene({work("a.txt")}, at);
    send(pointer(vesk_ui::PointerKind::Up, at));
    EXPECT_EQ(w.status_message(), counted("files-moved-to-trash", 1));
    EXPECT_TRUE(fs::exists(root_ / "data" / "Trash" / "info" / "a.txt.trashinfo"));
    ASSERT_TRUE(w.trash_undo());
    EXPECT_TRUE(w.entries().empty());
}

}  // namespace
}  // namespace overlay_test

namespace overlay_test {
namespace {

TEST_F(FileCommandsTest, AnUntouchedNameThatIsNotUtf8IsNotRenamed) {
    const std::string raw = work("bad\xff.txt");
    write(raw);
    auto& w = open(work());
    w.selection().select_only(0);
    send(key("F2"));
    ASSERT_TRUE(w.rename_target());
    send(key("Enter"));
    EXPECT_FALSE(w.rename_target());
    EXPECT_TRUE(fs::exists(raw));
    EXPECT_EQ(names(root_ / "work").size(), 1u);

    // The same through the action door, with the offered default.
    const std::string id = entry_id(raw);
    EXPECT_EQ(invoke("files.rename", id, "null", w.entries()[0].name).kind, InvokeOutcome::Kind::Success);
    EXPECT_TRUE(fs::exists(raw));
}

}  // namespace
}  // namespace overlay_test
