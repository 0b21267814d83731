// Where a picture filter's bytes come from: the host's memory, or a file
// named by path.
#pragma once

#include "frame/movable_block.h"
#include "frame/status.h"

namespace vantor {

// Files are read whole: a fixed 300 KB working block would cut, and so
// corrupt, any picture whose stream is longer. The bound is one no real
// picture approaches (a 640×480 picture's stream cannot exceed 350 KB) that
// still keeps a mistaken path, such as a disk image, from being swallowed by
// the host.
constexpr uint32_t kMaxPictureFileBytes = 64u << 20;

struct ByteSpan {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
};

// GetPicture's source: memory for any non-zero input kind (len bytes at buf),
// otherwise the whole file at path buf, read into `block` (len is not used).
Status obtainPictureSource(const char* buf, intptr_t len, unsigned flag, MovableBlock& block,
                           ByteSpan& source);

// GetPictureInfo's header: with input kind 1, count bytes at buf (len bytes
// are there); with any other kind, count bytes at offset fileOffset of file buf.
Status readSummaryBytes(const char* buf, intptr_t len, unsigned flag, uint32_t fileOffset,
                        uint8_t* dst, uint32_t count);

}  // namespace vantor
