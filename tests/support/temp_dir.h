// Test support: a private folder removed with everything in it at the end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace vantor::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes bytes to a file in the folder and answers its full path.
    std::string write(const std::string& name, std::span<const uint8_t> bytes) const;

private:
    std::filesystem::path path_;
};

std::vector<uint8_t> readFile(const std::filesystem::path& path);

}  // namespace vantor::test
