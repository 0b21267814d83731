#include "host/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include "host/failure.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vantor::host {

namespace {

std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    static std::mt19937_64 random{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".vantor-%016llx.tmp",
                  static_cast<unsigned long long>(random()));
    std::filesystem::path temporary = target;
    temporary += suffix;
    return temporary;
}

std::string systemError() { return std::strerror(errno); }

}  // namespace

void checkWritable(const std::filesystem::path& target, bool overwrite) {
    if (!overwrite && std::filesystem::exists(target)) {
        throw Failure(target.string(), "already exists (use --force to replace it)");
    }
}

void moveIntoPlace(const std::filesystem::path& finished, const std::filesystem::path& target,
                   bool overwrite) {
#if defined(_WIN32)
    const DWORD flags = overwrite ? MOVEFILE_REPLACE_EXISTING : 0;
    if (!MoveFileExW(finished.c_str(), target.c_str(), flags)) {
        const DWORD error = GetLastError();
        std::filesystem::remove(finished);
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
            checkWritable(target, false);
        throw Failure(target.string(), "cannot write (error " + std::to_string(error) + ")");
    }
#else
    // link() refuses an existing target, so nothing is replaced by a race.
    const int result = overwrite ? std::rename(finished.c_str(), target.c_str())
                                 : ::link(finished.c_str(), target.c_str());
    const int error = errno;
    if (!overwrite || result != 0) ::unlink(finished.c_str());
    if (result != 0) {
        if (error == EEXIST) checkWritable(target, false);
        errno = error;
        throw Failure(target.string(), "cannot write: " + systemError());
    }
#endif
}

void writeOutputFile(const std::filesystem::path& target, std::span<const uint8_t> bytes,
                     bool overwrite) {
    checkWritable(target, overwrite);
    const std::filesystem::path temporary = temporaryBeside(target);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw Failure(target.string(), "cannot write: " + systemError());
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            const std::string why = systemError();
            std::filesystem::remove(temporary);
            throw Failure(target.string(), "cannot write: " + why);
        }
    }
    moveIntoPlace(temporary, target, overwrite);
}

}  // namespace vantor::host
