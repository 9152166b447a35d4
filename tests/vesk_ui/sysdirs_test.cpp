#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"
#include "vesk_ui/sysdirs.h"

namespace vesk_ui::sysdirs {
namespace {

using test::ScopedEnv;

TEST(UserDirs, ParsesTheXdgFile) {
    const char* text =
        "# written by xdg-user-dirs-update\n"
        "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
        "XDG_DOWNLOAD_DIR=\"$HOME/Downloads/\"\n"
        "XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n"
        "XDG_MUSIC_DIR=\"/srv/music\"\n"
        "XDG_PICTURES_DIR=\"$HOME\"\n"
        "XDG_VIDEOS_DIR=relative/path\n"
        "  XDG_TEMPLATES_DIR=\"$HOME/Vorlagen\"\n"
        "garbage line\n";
    UserDirs dirs = UserDirs::from_text(text, "/home/ada");
    EXPECT_EQ(dirs.desktop, "/home/ada/Desktop");
    EXPECT_EQ(dirs.downloads, "/home/ada/Downloads");
    EXPECT_EQ(dirs.documents, "/home/ada/My \"Docs\"");
    EXPECT_EQ(dirs.music, "/srv/music");
    EXPECT_EQ(dirs.pictures, "");  // set to the home folder: disabled
    EXPECT_EQ(dirs.videos, "");    // not $HOME-relative nor absolute
    EXPECT_EQ(dirs.templates, "/home/ada/Vorlagen");
    EXPECT_EQ(dirs.public_share, "");

    EXPECT_EQ(dirs.classify("/home/ada/Downloads/"), StandardDir::Downloads);
    EXPECT_EQ(dirs.classify("/srv/music"), StandardDir::Music);
    EXPECT_FALSE(dirs.classify("/home/ada"));
    EXPECT_FALSE(dirs.classify(""));
}

TEST(UserDirs, FromSystemUsesOverrideAndListsExistingContentPlaces) {
    test::TempDir home;
    std::filesystem::create_directories(home / ".config");
    std::filesystem::create_directories(home / "Docs");
    std::filesystem::create_directories(home / "Pictures");
    std::filesystem::create_directories(home / "Music");
    test::write_file(home / ".config/user-dirs.dirs",
                     "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\nXDG_DOWNLOAD_DIR=\"$HOME/Missing\"\n"
                     "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n");
    ScopedEnv override_home("VESK_UI_HOME", home.path());
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);

    EXPECT_EQ(user_home_override(), home.path());
    EXPECT_EQ(home_dir(), home.path());
    UserDirs dirs = UserDirs::from_system();
    EXPECT_EQ(dirs.home, home.path());
    // Music has no entry but exists under its usual name.
    EXPECT_EQ(dirs.content_places(),
              (std::vector<std::string>{home / "Docs", home / "Pictures", home / "Music"}));
}

TEST(UserDirs, EmptyOverrideCountsAsUnset) {
    ScopedEnv override_home("VESK_UI_HOME", "");
    ScopedEnv home("HOME", "/home/someone");
    EXPECT_FALSE(user_home_override());
    EXPECT_EQ(home_dir(), "/home/someone");
}

}  // namespace
}  // namespace vesk_ui::sysdirs
