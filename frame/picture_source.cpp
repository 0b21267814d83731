#include "frame/picture_source.h"

#include "frame/file_input.h"

namespace vantor {

Status obtainPictureSource(const char* buf, intptr_t len, unsigned flag, MovableBlock& block,
                           ByteSpan& source) {
    if (buf == nullptr) return Status::badArgument;
    if ((flag & VANTOR_INPUT_KIND_MASK) != VANTOR_INPUT_FILE) {
        if (len < 0) return Status::badArgument;
        source = ByteSpan{reinterpret_cast<const uint8_t*>(buf), static_cast<size_t>(len)};
        return Status::ok;
    }
    uint32_t size = 0;
    Status status = readWholeFile(buf, kMaxPictureFileBytes, block, size);
    if (status != Status::ok) return status;
    source = ByteSpan{block.bytes(), size};
    return Status::ok;
}

Status readSummaryBytes(const char* buf, intptr_t len, unsigned flag, uint32_t fileOffset,
                        uint8_t* dst, uint32_t count) {
    if (buf == nullptr) return Status::badArgument;
    if ((flag & VANTOR_INPUT_KIND_MASK) == VANTOR_INPUT_MEMORY) {
        if (len < 0 || static_cast<uintptr_t>(len) < count) return Status::shortInput;
        __builtin_memcpy(dst, buf, count);
        return Status::ok;
    }
    return readFileBytes(buf, fileOffset, dst, count);
}

}  // namespace vantor
