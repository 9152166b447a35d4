#include "files_app/launch_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <thread>

namespace fa = file_explorer::files_app;

namespace {
std::expected<std::string, std::string> read_through_pipe(const std::string& bytes) {
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    std::thread writer([&] {
        std::size_t off = 0;
        while (off < bytes.size()) {
            ssize_t n = ::write(fds[1], bytes.data() + off, bytes.size() - off);
            if (n <= 0) break;
            off += static_cast<std::size_t>(n);
        }
        ::close(fds[1]);
    });
    auto result = fa::read_share_link(fds[0]);
    writer.join();
    ::close(fds[0]);
    return result;
}
}  // namespace

TEST(ShareLinkInput, BoundsTrimmingAndText) {
    struct Case {
        std::string input;
        std::expected<std::string, std::string> want;
    };
    const std::string exact(fa::kMaxShareLinkBytes, 'a');
    const Case cases[] = {
        {"vesk://share/abc\r\n", "vesk://share/abc"},
        {"  spaced link  \n", "  spaced link  "},
        {"\n", std::unexpected("files-received-link-empty")},
        {"", std::unexpected("files-received-link-empty")},
        {exact, exact},
        {exact + "b", std::unexpected("files-received-link-too-large")},
        {"bad \xff byte", std::unexpected("files-received-link-invalid-text")},
    };
    for (const auto& c : cases) EXPECT_EQ(read_through_pipe(c.input), c.want) << c.input.substr(0, 20);
}

TEST(ActorLabel, PrefersAppIdThenUserThenActor) {
    std::map<std::string, std::string> env;
    auto getenv = [&](const char* name) -> std::optional<std::string> {
        auto it = env.find(name);
        if (it == env.end()) return std::nullopt;
        return it->second;
    };
    const std::vector<std::uint8_t> actor = {0xde, 0xad, 0xbe, 0xef, 0x01, 0x23, 0x45, 0x67, 0x89};
    EXPECT_EQ(fa::actor_label(getenv, actor), "files-deadbeef0123");
    env["VESK_USER_ID"] = "ada";
    EXPECT_EQ(fa::actor_label(getenv, actor), "files-ada");
    env["BRISK_APP_ID"] = "";
    EXPECT_EQ(fa::actor_label(getenv, actor), "files-ada");
    env["BRISK_APP_ID"] = "brisk.app";
    EXPECT_EQ(fa::actor_label(getenv, actor), "brisk.app");
}

TEST(MakeAbsolute, IsLexical) {
    const std::pair<const char*, const char*> cases[] = {
        {".", "/home/ada"},
        {"docs", "/home/ada/docs"},
        {"../x", "/home/ada/../x"},
        {"./a/./b/", "/home/ada/a/b"},
        {"/etc", "/etc"},
    };
    for (auto [arg, want] : cases) EXPECT_EQ(fa::make_absolute(arg, "/home/ada"), want) << arg;
    EXPECT_EQ(fa::make_absolute("", "/home/ada").error(), "cannot make an empty path absolute");
}
