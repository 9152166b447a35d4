#include "fileops/new_items.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <optional>

#include "fileops/templates.h"
#include "i18n/i18n.h"
#include "transfer_fixture.h"
#include "support/scratch.h"

using namespace file_explorer;
using namespace file_explorer::fileops;
using namespace transfer_test;

namespace {

using files_test::ScopedEnv;

std::expected<std::string, std::string> failure(std::string text) { return std::unexpected(std::move(text)); }

}  // namespace

TEST(CreateFolder, TypedNames) {
    TempFolder dir;
    const std::string empty = i18n::tr("files-folder-name-empty");
    const std::string slash = i18n::tr("files-name-slash");
    struct Case {
        std::string text;
        std::expected<std::string, std::string> result;
    };
    const Case cases[] = {
        {"  Plans  ", dir / "Plans"},
        {"", failure(empty)},
        {" \t ", failure(empty)},
        {"a/b", failure(slash)},
        {".", failure(slash)},
        {"..", failure(slash)},
        {std::string(255, 'n'), dir / std::string(255, 'n')},
        {std::string(256, 'n'),
         failure(i18n::tr_args("files-destination-inspect-failed",
                               i18n::Args().text("path", dir / std::string(256, 'n')).text("error", strerror(ENAMETOOLONG))))},
        {std::string("bad\xFFname", 8), dir / "bad\xEF\xBF\xBDname"},
        {std::string("nul\0name", 8), failure("file name contained an unexpected NUL byte")},
    };
    for (const Case& c : cases) EXPECT_EQ(create_folder(dir.path(), c.text), c.result) << c.text;
    EXPECT_EQ(names_in(dir.path()).size(), 3u);
}

TEST(CreateFolder, NewFolderCommandNumbers) {
    TempFolder dir;
    const std::string base = i18n::tr("files-new-folder-default-name");
    for (const std::string& expected : {base, base + " 2", base + " 3"}) {
        CreateOutcome outcome = new_folder_command(dir.path());
        EXPECT_EQ(outcome.created, dir / expected);
        EXPECT_EQ(outcome.status, i18n::tr("files-created-folder"));
    }
    CreateOutcome failed = new_folder_command(dir / "missing");
    EXPECT_FALSE(failed.created);
    EXPECT_EQ(failed.status, i18n::tr_args("files-new-folder-failed", i18n::Args().text("error", strerror(ENOENT))));
}

TEST(Templates, FolderFromTheEnvironment) {
    ScopedEnv home("HOME", "/home/someone");
    struct Case {
        const char* value;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {"/srv/templates", "/srv/templates"},
        {"  /srv/with space  ", "/srv/with space"},
        {"$HOME/t", "$HOME/t"},
        {"   ", "/home/someone/Templates"},
        {"/srv/\xFF", "/home/someone/Templates"},
        {nullptr, "/home/someone/Templates"},
    };
    for (const Case& c : cases) {
        ScopedEnv templates("XDG_TEMPLATES_DIR", c.value);
        EXPECT_EQ(templates_folder(), c.folder) << (c.value ? c.value : "(unset)");
    }
}

TEST(Templates, ListLabelsAndIdentifiers) {
    TempFolder dir;
    write_file(dir / ".hidden.txt", "");
    mkdir((dir / "Old").c_str(), 0755);
    write_file(dir / "Memo.txt", "memo");
    write_file(dir / "Letter.odt", "letter");
    symlink("Letter.odt", (dir / "Link.odt").c_str());
    mkfifo((dir / "pipe").c_str(), 0644);
    EXPECT_EQ(list_templates(dir.path()), (std::vector<std::string>{dir / "Letter.odt", dir / "Memo.txt"}));
    EXPECT_TRUE(list_templates(dir / "missing").empty());

    EXPECT_EQ(template_label(dir / "Letter.odt"), i18n::tr_args("files-new-from-template", i18n::Args().text("name", "Letter")));
    EXPECT_EQ(template_label("/t/archive.tar.gz"), i18n::tr_args("files-new-from-template", i18n::Args().text("name", "archive.tar")));
    EXPECT_EQ(template_label("/t/.profile"), i18n::tr_args("files-new-from-template", i18n::Args().text("name", ".profile")));

    // SHA-256 of "/home/u/Templates/Letter.odt", first 16 bytes.
    EXPECT_EQ(template_resource_id("/home/u/Templates/Letter.odt"), "files.template:0e2b871dccae7071896e0b2dae790266");
    const std::string id = template_resource_id(dir / "Memo.txt");
    ASSERT_EQ(id.size(), std::string("files.template:").size() + 32);
    EXPECT_TRUE(id.starts_with("files.template:"));
    EXPECT_EQ(id.find_first_not_of("0123456789abcdef", 15), std::string::npos);
    EXPECT_NE(template_resource_id(dir / "Memo.txt"), template_resource_id(dir / "Memo.txu"));
}

TEST(Templates, NewFilesFromTemplates) {
    TempFolder templates;
    TempFolder dir;
    ScopedEnv env("XDG_TEMPLATES_DIR", templates.path().c_str());
    write_file(templates / "Letter.odt", "letter", 0640);

    std::vector<TemplateItem> items = template_items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].path, templates / "Letter.odt");
    EXPECT_EQ(items[0].resource_id, template_resource_id(templates / "Letter.odt"));

    CreateOutcome first = new_from_template_command(items[0].path, dir.path());
    EXPECT_EQ(first.created, dir / "Letter.odt");
    EXPECT_EQ(first.status, i18n::tr("files-created-file"));
    EXPECT_EQ(new_from_template_resource(items[0].resource_id, dir.path()), dir / "Letter 2.odt");
    EXPECT_EQ(snapshot(dir / "Letter 2.odt").at(""), (Node{'f', 0640, "letter"}));

    EXPECT_EQ(new_from_template_resource("files.template:00000000000000000000000000000000", dir.path()),
              failure(kTemplateGone));
    CreateOutcome failed = new_from_template_command(templates / "gone.odt", dir.path());
    EXPECT_FALSE(failed.created);
    EXPECT_EQ(failed.status, i18n::tr_args("files-new-file-failed", i18n::Args().text("error", strerror(ENOENT))));
}

TEST(Templates, HomeFromTheAccountDatabase) {
    ScopedEnv templates("XDG_TEMPLATES_DIR", nullptr);
    ScopedEnv home("HOME", nullptr);
    // Without HOME the account database still knows the home folder.
    auto folder = templates_folder();
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->ends_with("/Templates"));
}
