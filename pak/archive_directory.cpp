#include "pak/archive_directory.h"

#include "pak/archive_file.h"
#include "pak/pak_layout.h"

namespace vantor::pak {

namespace {

// Sized to the directory rather than to a fixed working block, so no entry
// count can overflow it; never empty, as an empty movable block cannot be
// locked.
Status readDirectoryBytes(const ArchiveFile& file, uint32_t offset, uint32_t bytes,
                          MovableBlock& block) {
    if (!block.allocate(bytes == 0 ? 1 : bytes, Fill::none)) return Status::outOfMemory;
    if (file.readAt(offset, block.bytes(), bytes) != bytes) return Status::shortInput;
    return Status::ok;
}

// The directory fills the last 24 × M bytes of the file.
Status readScrambledDirectory(const ArchiveFile& file, ArchiveKey& key, Directory& directory) {
    uint8_t headBytes[sizeof(ScrambledHead)];
    if (file.readAt(0, headBytes, sizeof headBytes) != sizeof headBytes) {
        return Status::shortInput;
    }
    const uint32_t count = loadLayout<ScrambledHead>(headBytes).entryCount.get();
    const uint32_t bytes = count * static_cast<uint32_t>(sizeof(ScrambledEntry));
    uint32_t fileSize = 0;
    if (!file.size(fileSize) || fileSize < bytes) return Status::shortInput;

    Status status = readDirectoryBytes(file, fileSize - bytes, bytes, directory.block);
    if (status != Status::ok) return status;
    directory.entryCount = count;
    if (count == 0) return Status::ok;
    if (!deriveKey(directory.block.bytes(), count, key)) return Status::shortInput;
    descramble(directory.block.bytes(), directory.block.bytes(), bytes, key);
    return Status::ok;
}

// The directory follows the 4-byte entry count.
Status readPlainDirectory(const ArchiveFile& file, Directory& directory) {
    uint8_t headBytes[sizeof(PlainHead)];
    if (file.readAt(0, headBytes, sizeof headBytes) != sizeof headBytes) {
        return Status::shortInput;
    }
    const uint32_t count = loadLayout<PlainHead>(headBytes).entryCount.get() & 0xFFFF;
    const uint32_t bytes = count * static_cast<uint32_t>(sizeof(PlainEntry));
    // Checked before the block is allocated, so a count the file cannot back
    // costs nothing.
    uint32_t fileSize = 0;
    if (!file.size(fileSize) || fileSize - sizeof(PlainHead) < bytes) return Status::shortInput;
    Status status = readDirectoryBytes(file, sizeof(PlainHead), bytes, directory.block);
    if (status != Status::ok) return status;
    directory.entryCount = count;
    return Status::ok;
}

}  // namespace

Status readDirectory(const char* path, bool plain, ArchiveKey& key, Directory& directory) {
    const ArchiveFile file(path);
    if (!file.isOpen()) return Status::cannotOpen;
    return plain ? readPlainDirectory(file, directory)
                 : readScrambledDirectory(file, key, directory);
}

}  // namespace vantor::pak
