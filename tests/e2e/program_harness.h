// Runs the real program in a child process and talks to its automation door.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace e2e {

struct RunResult {
    int exit_code = -1;
    std::string out;
    std::string err;
};

// Runs the program to its end with extra environment variables.
RunResult run_program(const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {});

// The program running with its automation door on a socket.
class AutomatedProgram {
public:
    AutomatedProgram(const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {});
    ~AutomatedProgram();
    bool connected() const { return fd_ >= 0; }
    // One request, one reply line.
    nlohmann::json request(const nlohmann::json& req);
    nlohmann::json snapshot() { return request({{"op", "snapshot"}})["result"]; }
    void key(const std::string& name, int mods = 0) { request({{"op", "key"}, {"key", name}, {"mods", mods}}); }

private:
    pid_t pid_ = -1;
    int fd_ = -1;
    std::string socket_path_;
    std::string buffer_;
};

// A fresh folder under the temporary folder, removed by the destructor.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    std::string path;
};

}  // namespace e2e
