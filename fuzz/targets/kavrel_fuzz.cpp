// Fuzz target: kavrel, the PAK extractor, in the whole host order on an
// archive file: recognise, list, look up members, extract each to memory and
// into a folder. Each answer is checked against what the archive's head
// and directory announce, read by the target from the layout's description.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/harness/invariant.h"
#include "fuzz/harness/loaded_plugin.h"
#include "fuzz/harness/scratch_folder.h"
#include "pak/member_extraction.h"

namespace {

using vantor::fuzz::LoadedPlugin;
using vantor::fuzz::ScratchFolder;

constexpr size_t kHeadBytes = 2048;
constexpr size_t kRecordBytes = sizeof(FileInfoRecord);
constexpr uint8_t kScrambledMagic[8] = {'L', 'E', 'A', 'F', 'P', 'A', 'C', 'K'};
constexpr size_t kKeyBytes = 11;
// Larger members are only checked to be refused or not: filling and writing
// many kilobytes of zeros teaches the fuzzer nothing and slows every run.
constexpr uint32_t kLargestExtracted = 64u << 10;
// Every call costs a dozen file operations and each lookup reads the whole
// directory again, so the members driven through the host order are the
// first ones and the last one (behind the entries plain recognition
// examines); the fuzzer moves any entry into those places.
constexpr size_t kFirstMembersDriven = 4;

struct KavrelExports {
    LoadedPlugin plugin{"kavrel"};
    IsSupportedFn isSupported = plugin.get<IsSupportedFn>("IsSupported");
    GetArchiveInfoFn getArchiveInfo = plugin.get<GetArchiveInfoFn>("GetArchiveInfo");
    GetFileInfoFn getFileInfo = plugin.get<GetFileInfoFn>("GetFileInfo");
    GetFileFn getFile = plugin.get<GetFileFn>("GetFile");
};

struct Archive {
    const uint8_t* data;
    size_t size;
    bool plain;
    std::vector<uint8_t> key;  // scrambled layout, when the directory carries one
};

uint32_t le16(const uint8_t* p) { return p[0] | p[1] << 8; }
uint32_t le32(const uint8_t* p) { return le16(p) | le16(p + 2) << 16; }

bool isAllZero(const uint8_t* bytes, size_t size) {
    return std::all_of(bytes, bytes + size, [](uint8_t b) { return b == 0; });
}

// The member count a listing holds, or nothing when the file cannot hold the
// directory its head announces (or, scrambled, 1 to 10 entries carry no key).
std::optional<uint32_t> announcedCount(Archive& archive) {
    if (archive.plain) {
        if (archive.size < 4) return std::nullopt;
        const uint32_t count = le32(archive.data) & 0xFFFF;
        if (4 + 28 * size_t{count} > archive.size) return std::nullopt;
        return count;
    }
    if (archive.size < 10) return std::nullopt;
    const uint32_t count = le16(archive.data + 8);
    if (24 * size_t{count} > archive.size) return std::nullopt;
    if (count >= 1 && count < kKeyBytes) return std::nullopt;
    // Byte 11 of every entry is zero before scrambling: entry e's holds the
    // key byte for its position in the directory.
    const uint8_t* directory = archive.data + archive.size - 24 * size_t{count};
    archive.key.assign(kKeyBytes, 0);
    for (size_t e = 0; e < kKeyBytes && e < count; ++e) {
        archive.key[(24 * e + 11) % kKeyBytes] = directory[24 * e + 11];
    }
    return count;
}

// Where member i's entry is, descrambled.
std::vector<uint8_t> entryBytes(const Archive& archive, uint32_t count, uint32_t i) {
    if (archive.plain) return {archive.data + 4 + 28 * i, archive.data + 4 + 28 * (i + 1)};
    const size_t start = archive.size - 24 * size_t{count} + 24 * i;
    std::vector<uint8_t> entry(24);
    for (size_t j = 0; j < 24; ++j) {
        entry[j] = static_cast<uint8_t>(archive.data[start + j] - archive.key[(24 * i + j) % 11]);
    }
    return entry;
}

void checkListedMember(const Archive& archive, uint32_t count, uint32_t i,
                       const FileInfoRecord& record) {
    FUZZ_REQUIRE(std::memcmp(record.method, "Leafpak", 8) == 0);
    FUZZ_REQUIRE(record.timeStamp == 0 && record.checksum == 0 && record.folder[0] == 0);
    const std::vector<uint8_t> entry = entryBytes(archive, count, i);
    const size_t positionAt = archive.plain ? 16 : 12;
    const size_t sizeAt = archive.plain ? 24 : 16;
    FUZZ_REQUIRE(record.position == le32(&entry[positionAt]));
    FUZZ_REQUIRE(record.size == le32(&entry[sizeAt]) && record.storedSize == record.size);
    FUZZ_REQUIRE(std::memchr(record.fileName, 0, sizeof record.fileName) != nullptr);
}

std::optional<std::vector<FileInfoRecord>> list(const KavrelExports& kavrel, const Archive& archive,
                                                std::optional<uint32_t> count,
                                                const std::string& path) {
    const auto untouched = reinterpret_cast<HLOCAL>(0x1);
    HLOCAL handle = untouched;
    const int result = kavrel.getArchiveInfo(path.c_str(), 0, 0, &handle);
    FUZZ_REQUIRE(result == (count ? VANTOR_OK : VANTOR_FAILED));
    if (result != VANTOR_OK) {
        FUZZ_REQUIRE(handle == untouched);
        return std::nullopt;
    }
    FUZZ_REQUIRE(kavrel.plugin.size(handle) == (*count + 1) * kRecordBytes);
    const auto* bytes = static_cast<const uint8_t*>(kavrel.plugin.lock(handle));
    FUZZ_REQUIRE(bytes != nullptr);
    std::vector<FileInfoRecord> records(*count);
    if (*count != 0) std::memcpy(records.data(), bytes, *count * kRecordBytes);
    FUZZ_REQUIRE(isAllZero(bytes + *count * kRecordBytes, kRecordBytes));
    kavrel.plugin.unlock(handle);
    kavrel.plugin.release(handle);
    for (uint32_t i = 0; i < *count; ++i) checkListedMember(archive, *count, i, records[i]);
    return records;
}

// The member's bytes present in the file, descrambled from its first byte.
// A block in memory holds them followed by zeros up to the member's size; a
// file holds them alone.
std::vector<uint8_t> presentBytes(const Archive& archive, const FileInfoRecord& record) {
    const size_t present = record.position < archive.size
                               ? std::min<size_t>(record.size, archive.size - record.position)
                               : 0;
    std::vector<uint8_t> bytes(present);
    for (size_t i = 0; i < present; ++i) {
        const uint8_t stored = archive.data[record.position + i];
        bytes[i] = archive.plain ? stored : static_cast<uint8_t>(stored - archive.key[i % 11]);
    }
    return bytes;
}

bool isSafeName(const std::string& name) {
    if (name.empty() || name.find_first_of("/\\:") != std::string::npos) return false;
    return name.find_first_not_of(". ") != std::string::npos;
}

void extractToMemory(const KavrelExports& kavrel, const Archive& archive, const std::string& path,
                     const FileInfoRecord& record, bool extractable) {
    const auto untouched = reinterpret_cast<HLOCAL>(0x1);
    HLOCAL handle = untouched;
    const int result =
        kavrel.getFile(path.c_str(), record.position, reinterpret_cast<char*>(&handle),
                       VANTOR_OUTPUT_MEMORY, nullptr, 0);
    FUZZ_REQUIRE(result == (extractable ? VANTOR_OK : VANTOR_FAILED));
    if (result != VANTOR_OK) {
        FUZZ_REQUIRE(handle == untouched);
        return;
    }
    FUZZ_REQUIRE(kavrel.plugin.size(handle) == record.size);
    if (record.size != 0) {
        const auto* bytes = static_cast<const uint8_t*>(kavrel.plugin.lock(handle));
        FUZZ_REQUIRE(bytes != nullptr);
        const std::vector<uint8_t> present = presentBytes(archive, record);
        FUZZ_REQUIRE(std::equal(present.begin(), present.end(), bytes));
        FUZZ_REQUIRE(isAllZero(bytes + present.size(), record.size - present.size()));
        kavrel.plugin.unlock(handle);
    }
    kavrel.plugin.release(handle);
}

void extractFromMemory(const KavrelExports& kavrel, const Archive& archive,
                       const FileInfoRecord& record) {
    const size_t start = std::min<size_t>(record.position, archive.size);
    const size_t count = std::min<size_t>(record.size, archive.size - start);
    HLOCAL handle = nullptr;
    FUZZ_REQUIRE(kavrel.getFile(reinterpret_cast<const char*>(archive.data + start),
                                static_cast<intptr_t>(count), reinterpret_cast<char*>(&handle),
                                VANTOR_INPUT_MEMORY | VANTOR_OUTPUT_MEMORY, nullptr,
                                0) == VANTOR_OK);
    FUZZ_REQUIRE(kavrel.plugin.size(handle) == count);
    kavrel.plugin.release(handle);
}

// A file appears in the folder under the member's name exactly when the name
// is safe and the joined path fits; nothing appears anywhere else.
void extractToFolder(const KavrelExports& kavrel, const Archive& archive, const std::string& path,
                     const std::string& folder, const FileInfoRecord& record, bool extractable) {
    const std::string name = record.fileName;
    const bool writable = extractable && isSafeName(name) && folder.size() + name.size() < 200;
    std::string dest = folder;
    const int result = kavrel.getFile(path.c_str(), record.position, dest.data(), 0, nullptr, 0);
    FUZZ_REQUIRE(result == (writable ? VANTOR_OK : VANTOR_FAILED));
    if (result != VANTOR_OK) {
        FUZZ_REQUIRE(ScratchFolder::isEmpty(folder));
        return;
    }
    const int fd = open((folder + name).c_str(), O_RDONLY | O_CLOEXEC);
    FUZZ_REQUIRE(fd >= 0);
    std::vector<uint8_t> written(size_t{record.size} + 1);
    const ssize_t got = read(fd, written.data(), written.size());
    close(fd);
    written.resize(got < 0 ? 0 : size_t(got));
    FUZZ_REQUIRE(written == presentBytes(archive, record));
    // The member's file was the only one made.
    FUZZ_REQUIRE(unlink((folder + name).c_str()) == 0);
    FUZZ_REQUIRE(ScratchFolder::isEmpty(folder));
}

void lookUpAndExtract(const KavrelExports& kavrel, const Archive& archive, const std::string& path,
                      const std::string& folder, const std::vector<FileInfoRecord>& records) {
    for (size_t i = 0; i < records.size(); ++i) {
        if (i == kFirstMembersDriven) i = std::max(i, records.size() - 1);
        const FileInfoRecord& listed = records[i];
        FileInfoRecord found;
        std::memset(&found, 0xAA, sizeof found);
        FUZZ_REQUIRE(kavrel.getFileInfo(path.c_str(), 0, listed.fileName, 0, &found) == VANTOR_OK);
        const auto first = std::find_if(records.begin(), records.end(), [&](const auto& r) {
            return std::strcmp(r.fileName, listed.fileName) == 0;
        });
        FUZZ_REQUIRE(std::memcmp(&found, &*first, sizeof found) == 0);

        const bool extractable =
            found.position <= 0x7FFFFFFF && found.size <= vantor::pak::kMaxMemberBytes;
        if (extractable && found.size > kLargestExtracted) continue;
        extractToMemory(kavrel, archive, path, found, extractable);
        extractToFolder(kavrel, archive, path, folder, found, extractable);
        if (extractable) extractFromMemory(kavrel, archive, found);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const KavrelExports kavrel;
    static const ScratchFolder scratch;
    static const std::string folder = scratch.subFolder("out");
    const long liveBefore = kavrel.plugin.liveBlocks();
    const std::string path = scratch.write("archive.pak", data, size);

    std::vector<uint8_t> head(kHeadBytes, 0);
    std::copy_n(data, std::min(size, head.size()), head.begin());
    const int byBuffer =
        kavrel.isSupported("archive.pak", reinterpret_cast<uintptr_t>(head.data()));
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    FUZZ_REQUIRE(fd >= 0);
    const int byHandle = kavrel.isSupported("archive.pak", static_cast<uintptr_t>(fd));
    close(fd);
    FUZZ_REQUIRE(byBuffer == byHandle);
    if (byHandle != VANTOR_SUPPORTED) return 0;  // a host goes no further

    const bool scrambled = size >= 8 && std::memcmp(data, kScrambledMagic, 8) == 0;
    Archive archive{data, size, !scrambled, {}};
    const std::optional<uint32_t> count = announcedCount(archive);
    if (const auto records = list(kavrel, archive, count, path)) {
        lookUpAndExtract(kavrel, archive, path, folder, *records);
    }
    FUZZ_REQUIRE(ScratchFolder::entries(scratch.path()).size() == 2);  // the archive and the folder
    FUZZ_REQUIRE(kavrel.plugin.liveBlocks() == liveBefore);
    return 0;
}
