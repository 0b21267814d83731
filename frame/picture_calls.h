// The parts of a picture filter's GetPictureInfo and GetPicture that do not
// depend on the format: filling the summary record, and obtaining the source,
// decoding it and handing the picture over.
#pragma once

#include "frame/picture_handover.h"
#include "frame/picture_source.h"

namespace vantor {

struct PictureSummary {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    int16_t colorDepth;
};

inline void fillPictureInfo(const PictureSummary& summary, PictureInfoRecord& record) {
    record = PictureInfoRecord{};
    record.left = summary.left;
    record.top = summary.top;
    record.width = summary.width;
    record.height = summary.height;
    record.xDensity = 1;
    record.yDensity = 1;
    record.colorDepth = summary.colorDepth;
}

// Decodes a whole picture source into a new info block and pixel block.
using PictureDecoder = Status (*)(const uint8_t* source, size_t size, MovableBlock& info,
                                  MovableBlock& pixels);

// GetPicture's work: both handles are stored only on success; on failure every
// block obtained on the way is released.
inline Status decodeAndHandOver(const char* buf, intptr_t len, unsigned flag, HLOCAL* infoHandleOut,
                                HLOCAL* pixelHandleOut, PictureDecoder decode) {
    if (infoHandleOut == nullptr || pixelHandleOut == nullptr) return Status::badArgument;
    MovableBlock sourceBlock, info, pixels;
    ByteSpan source;
    Status status = obtainPictureSource(buf, len, flag, sourceBlock, source);
    if (status != Status::ok) return status;
    status = decode(source.bytes, source.size, info, pixels);
    if (status != Status::ok) return status;
    handOverPicture(info, pixels, infoHandleOut, pixelHandleOut);
    return Status::ok;
}

}  // namespace vantor
