// An archive file opened for reading within one call and closed when the
// object goes away.
#pragma once

#include "frame/platform.h"

namespace vantor::pak {

class ArchiveFile {
public:
    explicit ArchiveFile(const char* path);
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;
    ~ArchiveFile();

    bool isOpen() const { return file_ != HFILE_ERROR; }

    // False when the size cannot be told or exceeds what 32 bits hold.
    bool size(uint32_t& bytes) const;

    // Reads up to count bytes at offset and answers how many arrived: fewer at
    // the end of the file, none when the offset cannot be reached.
    uint32_t readAt(uint32_t offset, void* dst, uint32_t count) const;

private:
    HFILE file_;
};

}  // namespace vantor::pak
