// Helpers for the copy and move tests: scratch folders on a chosen file
// system, whole-tree snapshots, and fault hooks that fail the n-th matching
// system call.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fileops/fault_seam.h"

namespace transfer_test {

// A fresh folder under `base` ("/tmp" or "/dev/shm"), removed with all its
// contents, whatever their permissions.
class TempFolder {
public:
    explicit TempFolder(const std::string& base = "/tmp") {
        std::string pattern = base + "/files-transfer-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempFolder() {
        if (path_.empty()) return;
        std::error_code ignored;
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored) && !it->is_symlink(ignored)) chmod(it->path().c_str(), 0700);
        }
        chmod(path_.c_str(), 0700);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

inline void write_file(const std::string& path, const std::string& content, mode_t mode = 0644) {
    int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, mode);
    if (fd < 0) return;
    for (std::size_t done = 0; done < content.size();) {
        ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    fchmod(fd, mode);
    close(fd);
}

inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline bool exists(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

// One entry of a tree: 'f' file, 'd' folder, 'l' link, '?' other; its
// permission bits; the file content or link text.
struct Node {
    char type = '?';
    unsigned mode = 0;
    std::string data;
    bool operator==(const Node&) const = default;
};
using Snapshot = std::map<std::string, Node>;

inline void snapshot_into(Snapshot& out, const std::string& path, const std::string& relative) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) return;
    Node node;
    node.mode = status.st_mode & 07777;
    if (S_ISLNK(status.st_mode)) {
        node.type = 'l';
        node.mode = 0;
        std::string text(4096, '\0');
        ssize_t n = readlink(path.c_str(), text.data(), text.size());
        text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        node.data = text;
    } else if (S_ISREG(status.st_mode)) {
        node.type = 'f';
        node.data = read_file(path);
    } else if (S_ISDIR(status.st_mode)) {
        node.type = 'd';
        std::vector<std::string> names;
        if (DIR* dir = opendir(path.c_str())) {
            while (dirent* e = readdir(dir)) {
                std::string name = e->d_name;
                if (name != "." && name != "..") names.push_back(name);
            }
            closedir(dir);
        }
        for (const std::string& name : names)
            snapshot_into(out, path + "/" + name, relative.empty() ? name : relative + "/" + name);
    }
    out[relative] = node;
}

// Every entry below and including `root`, keyed by relative path ("" = root).
inline Snapshot snapshot(const std::string& root) {
    Snapshot out;
    snapshot_into(out, root, "");
    return out;
}

// The names in `folder`, sorted.
inline std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* e = readdir(dir)) {
            std::string name = e->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The names in `folder` that start with `prefix`.
inline std::vector<std::string> names_with_prefix(const std::string& folder, std::string_view prefix) {
    std::vector<std::string> out;
    for (const std::string& name : names_in(folder))
        if (name.starts_with(prefix)) out.push_back(name);
    return out;
}

// A system call to fail: at `site`, on a path that `matches`, the `nth`
// matching call (0: every one), with `error`.
struct Fault {
    file_explorer::fileops::FaultSite site;
    std::function<bool(std::string_view)> matches;
    int nth = 1;
    int error = EIO;
};

inline std::function<bool(std::string_view)> exactly(std::string path) {
    return [path = std::move(path)](std::string_view p) { return p == path; };
}
inline std::function<bool(std::string_view)> containing(std::string part) {
    return [part = std::move(part)](std::string_view p) { return p.find(part) != std::string_view::npos; };
}

inline file_explorer::fileops::FaultHook failing(std::vector<Fault> faults) {
    auto counts = std::make_shared<std::vector<int>>(faults.size(), 0);
    return [faults = std::move(faults), counts](file_explorer::fileops::FaultSite site, std::string_view path) {
        // Every matching fault counts the call, so several faults on one
        // path can fail different calls of it.
        int error = 0;
        for (std::size_t i = 0; i < faults.size(); ++i) {
            const Fault& f = faults[i];
            if (f.site != site || !f.matches(path)) continue;
            int seen = ++(*counts)[i];
            if (error == 0 && (f.nth == 0 || seen == f.nth)) error = f.error;
        }
        return error;
    };
}

}  // namespace transfer_test
