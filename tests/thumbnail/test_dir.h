// A fresh temporary folder per test, removed afterwards.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

struct TestDir {
    std::filesystem::path path;
    TestDir() {
        std::string templ = (std::filesystem::temp_directory_path() / "thumbnail-test-XXXXXX").string();
        path = ::mkdtemp(templ.data());
    }
    ~TestDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string write(const std::string& name, const std::string& content) const {
        auto file = path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        return write(name, std::string(bytes.begin(), bytes.end()));
    }
};
