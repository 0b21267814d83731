// Output files are written whole or not at all: the bytes go to a temporary
// file beside the target, which is moved into place only once complete. An
// existing file is replaced only when the caller allows it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace vantor::host {

// Throws Failure naming the target when the target exists and overwrite is
// false, or when the bytes cannot be written; nothing is left behind then.
void writeOutputFile(const std::filesystem::path& target, std::span<const uint8_t> bytes,
                     bool overwrite);

// Moves a finished file into place under the same rules.
void moveIntoPlace(const std::filesystem::path& finished, const std::filesystem::path& target,
                   bool overwrite);

// Refuses early, before any work, when the target exists and may not be replaced.
void checkWritable(const std::filesystem::path& target, bool overwrite);

}  // namespace vantor::host
