// Shared pieces of the Trash tests: a private data folder, a second mounted
// file system, small file helpers and running trash-cli.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "scratch_dir.h"

namespace trash_test {

// Points XDG_DATA_HOME at `path` while it lives.
class DataHome {
public:
    explicit DataHome(const std::string& path) {
        if (const char* old = std::getenv("XDG_DATA_HOME")) previous_ = old;
        setenv("XDG_DATA_HOME", path.c_str(), 1);
    }
    ~DataHome() {
        if (previous_) setenv("XDG_DATA_HOME", previous_->c_str(), 1);
        else unsetenv("XDG_DATA_HOME");
    }
    DataHome(const DataHome&) = delete;
    DataHome& operator=(const DataHome&) = delete;

private:
    std::optional<std::string> previous_;
};

// A tmpfs mounted at `path` inside a private mount namespace of the test
// process: no other process sees it, and it cannot outlive the test binary.
// Needs the right to mount; `error` says why not otherwise.
class SecondFileSystem {
public:
    explicit SecondFileSystem(const std::string& path) : path_(path) {
        if (!enter_private_namespace(error_)) return;
        if (mkdir(path.c_str(), 0755) != 0 || mount("files-test", path.c_str(), "tmpfs", 0, "size=16m,mode=0755") != 0) {
            error_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~SecondFileSystem() {
        if (mounted_) umount2(path_.c_str(), MNT_DETACH);
    }
    SecondFileSystem(const SecondFileSystem&) = delete;
    SecondFileSystem& operator=(const SecondFileSystem&) = delete;

    bool ok() const { return mounted_; }
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }

private:
    static bool enter_private_namespace(std::string& error) {
        static int state = -1;
        static std::string reason;
        if (state < 0) {
            bool entered = unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
            state = entered ? 1 : 0;
            if (!entered) reason = std::string("cannot enter a private mount namespace: ") + std::strerror(errno);
        }
        error = reason;
        return state == 1;
    }

    std::string path_;
    std::string error_;
    bool mounted_ = false;
};

inline std::string read_file(const std::string& path) {
    std::string text;
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return "<missing>";
    char buffer[4096];
    ssize_t n = 0;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return text;
}

inline void write_file(const std::string& path, const std::string& text) {
    int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0) return;
    if (write(fd, text.data(), text.size()) < 0) {
        // The test then fails on the missing content.
    }
    close(fd);
}

// The names in a folder, sorted; empty when it cannot be read.
inline std::vector<std::string> folder_names(const std::string& path) {
    std::vector<std::string> names;
    DIR* dir = opendir(path.c_str());
    if (!dir) return names;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

inline bool has_program(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t pos = 0;
    while (pos <= dirs.size()) {
        std::size_t end = dirs.find(':', pos);
        if (end == std::string::npos) end = dirs.size();
        std::string candidate = dirs.substr(pos, end - pos) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        pos = end + 1;
    }
    return false;
}

struct ProgramResult {
    int status = -1;
    std::string out;
};

// Runs `argv` in `cwd` with `input` on standard input and XDG_DATA_HOME set
// to `data_home`; standard error joins standard output.
inline ProgramResult run_program(const std::vector<std::string>& argv, const std::string& cwd,
                                 const std::string& data_home, const std::string& input = {}) {
    int in[2];
    int out[2];
    ProgramResult result;
    if (pipe(in) != 0) return result;
    if (pipe(out) != 0) return result;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(out[1], 2);
        close(in[1]);
        close(out[0]);
        if (chdir(cwd.c_str()) != 0) _exit(126);
        setenv("XDG_DATA_HOME", data_home.c_str(), 1);
        setenv("LC_ALL", "C.UTF-8", 1);
        std::vector<char*> args;
        for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    if (write(in[1], input.data(), input.size()) < 0) result.out = "<stdin not written>";
    close(in[1]);
    char buffer[4096];
    ssize_t n = 0;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0) result.out.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace trash_test
