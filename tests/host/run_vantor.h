// Test support: the built vantor program run as a user runs it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vantor::test {

struct Run {
    int status;
    std::string out;
    std::string err;
};

// Runs vantor with `args` in folder `cwd`; `environment` holds extra
// NAME=value settings.
Run runVantor(const std::vector<std::string>& args, const std::filesystem::path& cwd,
              const std::vector<std::string>& environment = {},
              const std::string& program = VANTOR_TEST_PROGRAM);

}  // namespace vantor::test
