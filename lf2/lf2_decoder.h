// Decoding an LF2 file into an 8-bit bottom-up DIB.
#pragma once

#include "frame/movable_block.h"
#include "frame/picture_filter.h"
#include "lf2/lf2_header.h"

namespace vantor::lf2 {

// 40-byte header and room for 259 RGBQUADs, with 2 bytes to spare.
constexpr size_t kInfoBlockBytes = 1078;

// Every stream byte is stored complemented: flags, literals and both bytes of
// each reference.
constexpr uint8_t kStreamXor = 0xFF;

// Fills the pixel block forward from its start, W pixel bytes to a row, and
// skips each row's pad bytes without writing them. The stream carries the
// picture's bottom row first, so the block's first row is the bottom one.
class PaddedRowSink {
public:
    PaddedRowSink(uint8_t* block, uint32_t width, uint32_t height);
    bool put(uint8_t b) {
        *cursor_++ = b;
        if (++column_ != width_) return false;
        column_ = 0;
        cursor_ += pad_;
        return --rowsLeft_ == 0;
    }

private:
    uint8_t* cursor_;
    uint32_t width_;
    uint32_t pad_;
    uint32_t rowsLeft_;
    uint32_t column_ = 0;
};

// Decodes the stream into the pixel bytes of the block's rows (stride × H
// bytes from its start) and stores nothing else: the pad bytes are left as
// they are. Both paths store the same bytes.
Status decodePixels(const Header& header, const uint8_t* stream, size_t size, DecoderPath path,
                    uint8_t* block);

// Decodes the whole file into a new info block and pixel block. On failure the
// caller hands nothing out; its blocks release what was obtained.
Status decodePicture(const uint8_t* file, size_t size, DecoderPath path, MovableBlock& info,
                     MovableBlock& pixels);

}  // namespace vantor::lf2
