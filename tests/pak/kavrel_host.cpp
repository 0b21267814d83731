#include "tests/pak/kavrel_host.h"

#include <algorithm>
#include <cstring>

namespace vantor::test {

namespace {

constexpr unsigned kMemoryOutput = VANTOR_OUTPUT_MEMORY;

}  // namespace

int KavrelHost::recognise(std::span<const uint8_t> file) const {
    std::vector<uint8_t> head(2048, 0);
    std::copy_n(file.begin(), std::min(file.size(), head.size()), head.begin());
    return isSupported("archive.pak", reinterpret_cast<uintptr_t>(head.data()));
}

std::optional<std::vector<FileInfoRecord>> KavrelHost::list(const std::string& path, intptr_t len,
                                                            unsigned flag) const {
    HLOCAL handle = nullptr;
    if (getArchiveInfo(path.c_str(), len, flag, &handle) != VANTOR_OK) {
        EXPECT_EQ(handle, nullptr) << "a failed listing handed out a block";
        return std::nullopt;
    }
    const std::vector<uint8_t> block = plugin.take(handle);
    EXPECT_EQ(block.size() % sizeof(FileInfoRecord), 0u);
    std::vector<FileInfoRecord> records(block.size() / sizeof(FileInfoRecord));
    if (!records.empty()) std::memcpy(records.data(), block.data(), block.size());
    EXPECT_FALSE(records.empty());
    if (records.empty()) return records;
    EXPECT_TRUE(isAllZero(records.back())) << "the listing does not end in an all-zero record";
    records.pop_back();
    return records;
}

int KavrelHost::lookUp(const std::string& path, const std::string& name, FileInfoRecord& record,
                       unsigned flag) const {
    return getFileInfo(path.c_str(), 0, name.c_str(), flag, &record);
}

std::optional<std::vector<uint8_t>> KavrelHost::extract(const std::string& path,
                                                        intptr_t position) const {
    HLOCAL handle = nullptr;
    if (getFile(path.c_str(), position, reinterpret_cast<char*>(&handle), kMemoryOutput, nullptr,
                0) != VANTOR_OK) {
        EXPECT_EQ(handle, nullptr) << "a failed extraction handed out a block";
        return std::nullopt;
    }
    return plugin.take(handle);
}

int KavrelHost::extractInto(const std::string& path, intptr_t position,
                            const std::string& folder) const {
    std::string dest = folder;
    return getFile(path.c_str(), position, dest.data(), 0, nullptr, 0);
}

std::string nameOf(const FileInfoRecord& record) {
    return std::string(record.fileName, strnlen(record.fileName, sizeof record.fileName));
}

bool isAllZero(const FileInfoRecord& record) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
    return std::all_of(bytes, bytes + sizeof record, [](uint8_t b) { return b == 0; });
}

}  // namespace vantor::test
