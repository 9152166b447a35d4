// Demonstration files that some screenshot scenes show. Each fixture lives
// in the system's temporary folder and is rebuilt from scratch on every run,
// so the same scene always gives the same picture.
#pragma once

#include <optional>
#include <string>

namespace file_explorer::native_fixture {

// Builds the fixture of `scene`, if it has one, and returns the folder to
// start in. Files that cannot be created are skipped.
std::optional<std::string> prepare_fixture(const std::string& scene);

}  // namespace file_explorer::native_fixture
