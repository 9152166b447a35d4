// Process entry of Files.
#include <spdlog/spdlog.h>

#include <cstdio>

int main() {
    spdlog::set_level(spdlog::level::info);
    std::puts("Files: the window is not built yet. Run scripts/test for the test suite.");
    return 0;
}
