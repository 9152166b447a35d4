#include "model/mime.h"

#include <gtest/gtest.h>

#include <string>

using namespace file_explorer::model;

TEST(Mime, GuessFromFileName) {
    struct Case {
        std::string name;
        std::string_view mime;
    };
    const Case cases[] = {
        {"photo.png", "image/png"},
        {"PHOTO.PNG", "image/png"},
        {"Photo.JpG", "image/jpeg"},
        {"notes.txt", "text/plain"},
        {"backup.tar.gz", "application/x-compressed-tar"},  // the longest glob wins
        {"BACKUP.TAR.GZ", "application/x-compressed-tar"},
        {"log.gz", "application/gzip"},
        {"a.b.pdf", "application/pdf"},
        {"main.c", "text/x-csrc"},  // case-sensitive globs come first
        {"main.C", "text/x-c++src"},
        {"talk.key", "application/vnd.apple.keynote"},  // the heavier glob wins
        {"README", "application/octet-stream"},
        {"notes.", "application/octet-stream"},
        {"data.unknownextension", "application/octet-stream"},
        {"bad\xFF.txt", "text/plain"},
        {"", "application/octet-stream"},
    };
    for (const Case& c : cases) EXPECT_EQ(guess_mime(c.name).text(), c.mime) << c.name;
}

TEST(Mime, DefaultIsOctetStream) {
    EXPECT_EQ(MimeType{}.text(), "application/octet-stream");
    EXPECT_EQ(kDirectoryMime.text(), "inode/directory");
}
