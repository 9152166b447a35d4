// A fresh folder under /tmp for one test, removed with everything in it.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = "/tmp/files-test-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        // Restore search permission on anything a test locked, then remove.
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored) && !it->is_symlink(ignored)) chmod(it->path().c_str(), 0700);
        }
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

    // Creates a file of `size` bytes (raw name bytes allowed).
    std::string file(std::string_view name, std::size_t size = 0) const {
        std::string p = *this / name;
        int fd = open(p.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (fd >= 0) {
            std::string bytes(size, 'x');
            if (write(fd, bytes.data(), bytes.size()) < 0) bytes.clear();
            close(fd);
        }
        return p;
    }
    std::string folder(std::string_view name) const {
        std::string p = *this / name;
        mkdir(p.c_str(), 0755);
        return p;
    }
    std::string link(std::string_view name, const std::string& target) const {
        std::string p = *this / name;
        if (symlink(target.c_str(), p.c_str()) != 0) return {};
        return p;
    }

private:
    std::string path_;
};

inline bool exists_no_follow(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}
