#include "fuzz/harness/scratch_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "fuzz/harness/invariant.h"

namespace vantor::fuzz {

namespace {

std::string scratchParent() {
    if (access("/dev/shm", W_OK) == 0) return "/dev/shm";
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

}  // namespace

ScratchFolder::ScratchFolder() {
    std::string pattern = scratchParent() + "/vantor-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::write(const std::string& name, const uint8_t* bytes, size_t size) const {
    const std::string file = path_ + "/" + name;
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    FUZZ_REQUIRE(fd >= 0);
    size_t done = 0;
    while (done < size) {
        const ssize_t put = ::write(fd, bytes + done, size - done);
        FUZZ_REQUIRE(put > 0);
        done += static_cast<size_t>(put);
    }
    close(fd);
    return file;
}

std::string ScratchFolder::subFolder(const std::string& name) const {
    const std::string folder = path_ + "/" + name;
    if (mkdir(folder.c_str(), 0700) != 0) FUZZ_REQUIRE(errno == EEXIST);
    return folder + "/";
}

std::vector<std::string> ScratchFolder::entries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    FUZZ_REQUIRE(dir != nullptr);
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    return names;
}

bool ScratchFolder::isEmpty(const std::string& folder) {
    if (rmdir(folder.c_str()) != 0) return false;
    FUZZ_REQUIRE(mkdir(folder.c_str(), 0700) == 0);
    return true;
}

}  // namespace vantor::fuzz
