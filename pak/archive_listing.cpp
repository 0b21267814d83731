#include "pak/archive_listing.h"

#include "pak/archive_directory.h"
#include "pak/member_name.h"

namespace vantor::pak {

namespace {

constexpr char kMethod[8] = "Leafpak";

FileInfoRecord recordFor(uint32_t position, uint32_t size) {
    FileInfoRecord record{};
    __builtin_memcpy(record.method, kMethod, sizeof kMethod);
    record.position = position;
    record.storedSize = size;
    record.size = size;
    return record;
}

FileInfoRecord scrambledRecord(const uint8_t* entryBytes) {
    const auto entry = loadLayout<ScrambledEntry>(entryBytes);
    FileInfoRecord record = recordFor(entry.position.get(), entry.size.get());
    char name[kFormattedNameBytes] = {};
    formatScrambledName(entry, name);
    __builtin_memcpy(record.fileName, name, sizeof name);
    return record;
}

// A 16-character name keeps its first 15: the record's copy stops one short
// of the field to leave room for the terminator.
FileInfoRecord plainRecord(const uint8_t* entryBytes) {
    const auto entry = loadLayout<PlainEntry>(entryBytes);
    FileInfoRecord record = recordFor(entry.position.get(), entry.size.get());
    for (size_t i = 0; i + 1 < sizeof entry.name && entry.name[i] != 0; ++i) {
        record.fileName[i] = static_cast<char>(entry.name[i]);
    }
    return record;
}

void fillListing(const Directory& directory, bool plain, uint8_t* records) {
    const size_t entryBytes = plain ? sizeof(PlainEntry) : sizeof(ScrambledEntry);
    for (uint32_t i = 0; i < directory.entryCount; ++i) {
        const uint8_t* entry = directory.block.bytes() + i * entryBytes;
        const FileInfoRecord record = plain ? plainRecord(entry) : scrambledRecord(entry);
        storeLayout(record, records + i * sizeof(FileInfoRecord));
    }
}

bool isMemoryInput(unsigned flag) { return (flag & VANTOR_INPUT_KIND_MASK) == VANTOR_INPUT_MEMORY; }

// Copies name with its terminator into buffer; false when it does not fit.
bool copyRequestedName(const char* name, char (&buffer)[kPathBytes]) {
    for (size_t i = 0; i < kPathBytes; ++i) {
        buffer[i] = name[i];
        if (name[i] == '\0') return true;
    }
    return false;
}

}  // namespace

Status buildListing(ArchiveState& state, const char* buf, intptr_t len, unsigned flag,
                    MovableBlock& listing) {
    if (len != 0 || isMemoryInput(flag) || buf == nullptr) return Status::badArgument;
    Directory directory{};
    Status status = readDirectory(buf, state.plain, state.key, directory);
    if (status != Status::ok) return status;

    const size_t recordCount = size_t{directory.entryCount} + 1;
    if (!listing.allocate(recordCount * sizeof(FileInfoRecord), Fill::zeroed)) {
        return Status::outOfMemory;
    }
    fillListing(directory, state.plain, listing.bytes());
    return Status::ok;
}

Status lookUpMember(ArchiveState& state, const char* buf, intptr_t len, const char* name,
                    unsigned flag, FileInfoRecord& record) {
    if (name == nullptr) return Status::badArgument;
    char wanted[kPathBytes];
    if (!copyRequestedName(name, wanted)) return Status::tooLarge;
    MovableBlock listing;
    Status status = buildListing(state, buf, len, flag, listing);
    if (status != Status::ok) return status;

    // The end record's first byte is zero; every member's is the method's 'L'.
    FileInfoRecord found{};
    for (size_t at = 0; at < listing.size(); at += sizeof(FileInfoRecord)) {
        found = loadLayout<FileInfoRecord>(listing.bytes() + at);
        if (found.method[0] == '\0' || lstrcmpA(found.fileName, wanted) == 0) break;
    }
    record = found;
    state.lastRecord = found;
    return Status::ok;
}

}  // namespace vantor::pak
