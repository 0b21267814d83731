// Reading a PAK directory from the archive file into a working block.
#pragma once

#include "frame/movable_block.h"
#include "frame/status.h"
#include "pak/archive_key.h"

namespace vantor::pak {

struct Directory {
    MovableBlock block;   // entryCount entries of the layout, descrambled
    uint32_t entryCount;  // 0 to 65535
};

// Scrambled layout (plain false): derives the archive's key into key and
// descrambles the directory with it; key is untouched on failure and for an
// empty directory, which has no key. shortInput when the file cannot hold
// the directory the head announces, or when 1 to 10 entries are too few to
// carry a key.
Status readDirectory(const char* path, bool plain, ArchiveKey& key, Directory& directory);

}  // namespace vantor::pak
