#include "program_harness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

extern char** environ;

namespace e2e {

namespace {

std::vector<std::string> environment_with(const std::map<std::string, std::string>& extra) {
    std::map<std::string, std::string> all;
    for (char** e = environ; *e; ++e) {
        std::string kv = *e;
        auto eq = kv.find('=');
        if (eq != std::string::npos) all[kv.substr(0, eq)] = kv.substr(eq + 1);
    }
    all["QT_QPA_PLATFORM"] = "offscreen";
    all["ASAN_OPTIONS"] = "detect_leaks=0";
    for (const auto& [k, v] : extra) all[k] = v;
    std::vector<std::string> out;
    for (const auto& [k, v] : all) out.push_back(k + "=" + v);
    return out;
}

std::vector<char*> c_strings(std::vector<std::string>& v) {
    std::vector<char*> out;
    for (auto& s : v) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

pid_t spawn(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
            posix_spawn_file_actions_t* actions) {
    std::vector<std::string> argv = {FILES_PROGRAM};
    argv.insert(argv.end(), args.begin(), args.end());
    auto envs = environment_with(env);
    auto cargv = c_strings(argv);
    auto cenv = c_strings(envs);
    pid_t pid = -1;
    if (::posix_spawn(&pid, FILES_PROGRAM, actions, nullptr, cargv.data(), cenv.data()) != 0) return -1;
    return pid;
}

std::string drain(int fd) {
    std::string out;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) out.append(buf, static_cast<std::size_t>(n));
    return out;
}

}  // namespace

RunResult run_program(const std::vector<std::string>& args, const std::map<std::string, std::string>& env) {
    int out_pipe[2], err_pipe[2];
    if (::pipe(out_pipe) != 0 || ::pipe(err_pipe) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err_pipe[1], 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = spawn(args, env, &actions);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out_pipe[1]);
    ::close(err_pipe[1]);
    RunResult result;
    std::thread err_reader([&] { result.err = drain(err_pipe[0]); });
    result.out = drain(out_pipe[0]);
    err_reader.join();
    ::close(out_pipe[0]);
    ::close(err_pipe[0]);
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    return result;
}

AutomatedProgram::AutomatedProgram(const std::vector<std::string>& args,
                                   const std::map<std::string, std::string>& env) {
    static std::atomic<int> counter{0};
    socket_path_ = "/tmp/files-e2e-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".sock";
    ::unlink(socket_path_.c_str());
    auto all_env = env;
    all_env["VESK_UI_AUTOMATION"] = socket_path_;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_ = spawn(args, all_env, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (pid_ < 0) return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < until) {
        int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, socket_path_.c_str(), sizeof addr.sun_path - 1);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
            fd_ = fd;
            return;
        }
        ::close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

AutomatedProgram::~AutomatedProgram() {
    if (fd_ >= 0) {
        const std::string quit = "{\"op\":\"quit\"}\n";
        (void)!::write(fd_, quit.data(), quit.size());
        ::close(fd_);
    }
    if (pid_ > 0) {
        int status = 0;
        for (int i = 0; i < 100 && ::waitpid(pid_, &status, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (::waitpid(pid_, &status, WNOHANG) == 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
    }
    ::unlink(socket_path_.c_str());
}

nlohmann::json AutomatedProgram::request(const nlohmann::json& req) {
    if (fd_ < 0) return {{"ok", false}, {"error", "not connected"}};
    const std::string line = req.dump() + "\n";
    if (::write(fd_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        return {{"ok", false}, {"error", "write failed"}};
    while (buffer_.find('\n') == std::string::npos) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 20000) <= 0) return {{"ok", false}, {"error", "timeout"}};
        char buf[65536];
        ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n <= 0) return {{"ok", false}, {"error", "closed"}};
        buffer_.append(buf, static_cast<std::size_t>(n));
    }
    auto nl = buffer_.find('\n');
    std::string reply = buffer_.substr(0, nl);
    buffer_.erase(0, nl + 1);
    return nlohmann::json::parse(reply, nullptr, false);
}

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path = (std::filesystem::temp_directory_path() /
            ("files-e2e-" + std::to_string(::getpid()) + "-" + std::to_string(counter++)))
               .string();
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
}

TempFolder::~TempFolder() { std::filesystem::remove_all(path); }

}  // namespace e2e
