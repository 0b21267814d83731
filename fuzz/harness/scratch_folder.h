// Fuzz harness: a private folder for the files a run hands to a plug-in by
// path, made once per process and removed at exit. It lives in memory
// (/dev/shm) where the system has that, since every run writes to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantor::fuzz {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path, without a trailing separator.
    const std::string& path() const { return path_; }

    // Replaces the file `name` in the folder with the bytes; its full path.
    std::string write(const std::string& name, const uint8_t* bytes, size_t size) const;

    // Makes the sub-folder `name` if missing; its full path with a trailing '/'.
    std::string subFolder(const std::string& name) const;

    // The names in a folder, "." and ".." left out.
    static std::vector<std::string> entries(const std::string& folder);

    // Whether a folder is empty, found by removing and making it again: two
    // calls where listing it takes four, and every run asks this often.
    static bool isEmpty(const std::string& folder);

private:
    std::string path_;
};

}  // namespace vantor::fuzz
