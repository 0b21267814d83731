// Decoding an LFG file into a 4-bit bottom-up DIB.
#pragma once

#include "frame/movable_block.h"
#include "frame/picture_filter.h"
#include "lfg/lfg_header.h"

namespace vantor::lfg {

// 40-byte header and 16 RGBQUADs, with 14 bytes of zeros after them.
constexpr size_t kInfoBlockBytes = 118;

// A literal carries two pixels with their bits interleaved: the left pixel is
// bits 7, 5, 3, 1 and the right pixel bits 6, 4, 2, 0, most significant first.
// The map turns a literal into the byte the DIB stores: left pixel in the high
// nibble.
struct LiteralBitMap {
    uint8_t bytes[256];
};

constexpr LiteralBitMap makeLiteralBitMap() {
    LiteralBitMap map{};
    for (unsigned x = 0; x < 256; ++x) {
        const unsigned left = (x >> 4 & 8) | (x >> 3 & 4) | (x >> 2 & 2) | (x >> 1 & 1);
        const unsigned right = (x >> 3 & 8) | (x >> 2 & 4) | (x >> 1 & 2) | (x & 1);
        map.bytes[x] = static_cast<uint8_t>(left << 4 | right);
    }
    return map;
}

// Made once, when the plug-in is compiled.
inline constexpr LiteralBitMap kLiteralBitMap = makeLiteralBitMap();

// Places produced bytes row by row from the top row down. Each row is W / 2
// bytes; the block's first row is the picture's bottom row.
class RowOrderSink {
public:
    RowOrderSink(uint8_t* block, uint32_t rowBytes, uint32_t height);
    bool put(uint8_t b) {
        *cursor_++ = b;
        if (--leftInRow_ != 0) return false;
        if (--rowsLeft_ == 0) return true;
        leftInRow_ = rowBytes_;
        cursor_ -= 2 * static_cast<size_t>(rowBytes_);
        return false;
    }

private:
    uint8_t* cursor_;
    uint32_t rowBytes_;
    uint32_t leftInRow_;
    uint32_t rowsLeft_;
};

// Places produced bytes in columns one byte (two pixels) wide, each from the
// top down, columns from left to right. The counters are 32 bits wide, so
// pictures 65536 rows high decode like any other.
class ColumnOrderSink {
public:
    ColumnOrderSink(uint8_t* block, uint32_t rowBytes, uint32_t height);
    bool put(uint8_t b) {
        *cursor_ = b;
        if (--leftInColumn_ != 0) {
            cursor_ -= rowBytes_;
            return false;
        }
        if (++column_ == rowBytes_) return true;
        leftInColumn_ = height_;
        cursor_ = topRow_ + column_;
        return false;
    }

private:
    uint8_t* topRow_;
    uint8_t* cursor_;
    uint32_t rowBytes_;
    uint32_t height_;
    uint32_t leftInColumn_;
    uint32_t column_ = 0;
};

// Decodes the stream into the picture's rows of the pixel block (the header's
// W / 2 × H bytes from its start) and stores nothing else; both paths store
// the same bytes.
Status decodePixels(const Header& header, const uint8_t* stream, size_t size, DecoderPath path,
                    uint8_t* block);

// Decodes the whole file into a new info block and pixel block. On failure the
// caller hands nothing out; its blocks release what was obtained.
Status decodePicture(const uint8_t* file, size_t size, DecoderPath path, MovableBlock& info,
                     MovableBlock& pixels);

}  // namespace vantor::lfg
