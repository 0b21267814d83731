// The LF2 picture header: up to 256 colours of 24 bits, a position and a size
// in pixels, and a stream of 8-bit pixels stored complemented.
//
//   0  "LEAF256" and a zero   magic; recognition compares the first 6 bytes
//   8  u16 left, u16 top      position of the picture
//  12  u16 width, u16 height  the size the picture decodes to
//  16  6 bytes                not interpreted
//  22  u16 N                  palette colour count
//  24  N × 3 bytes            palette: blue, green, red per colour
//  24 + 3N                    the compressed pixel stream, rows from the bottom up
#pragma once

#include "frame/byte_layout.h"
#include "frame/recognition_head.h"
#include "frame/status.h"

namespace vantor::lf2 {

struct HeaderLayout {
    uint8_t magic[8];
    Le16 left;
    Le16 top;
    Le16 width;
    Le16 height;
    uint8_t reserved[6];
    Le16 colorCount;
};
static_assert(sizeof(HeaderLayout) == 24);
static_assert(offsetof(HeaderLayout, left) == 8);
static_assert(offsetof(HeaderLayout, width) == 12);
static_assert(offsetof(HeaderLayout, height) == 14);
static_assert(offsetof(HeaderLayout, colorCount) == 22);

struct PaletteEntry {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
};
static_assert(sizeof(PaletteEntry) == 3);

// The first six bytes of "LEAF256": all that recognition compares.
constexpr uint8_t kMagic[6] = {'L', 'E', 'A', 'F', '2', '5'};
constexpr size_t kPaletteOffset = sizeof(HeaderLayout);
// GetPictureInfo reads the header alone, without the palette.
constexpr uint32_t kSummaryBytes = sizeof(HeaderLayout);
// An 8-bit DIB has no use for more; larger counts still size the palette in
// the file, so the stream is found behind all of it.
constexpr uint32_t kMaxColors = 256;

struct Header {
    uint32_t left;
    uint32_t top;
    uint32_t width;
    uint32_t height;
    uint32_t colorCount;  // as stored, possibly above kMaxColors
};

bool isLf2Head(const Head& head);

// bytes: at least kSummaryBytes.
Header parseHeader(const uint8_t* bytes);

// Refuses empty pictures, which would never complete, and pixel blocks whose
// size does not fit in 32 bits.
Status checkGeometry(const Header& header);

// W rounded up to a multiple of 4: each row's pixels and its pad bytes.
uint32_t rowStride(uint32_t width);

// (W + 3) × H: the block size the format has always handed out, a little more
// than the stride × H the rows fill. Valid after checkGeometry.
uint32_t pixelBlockSize(const Header& header);

// The palette entries the info block takes: N, but at most kMaxColors.
uint32_t colorsUsed(const Header& header);

// 24 + 3 × N: where the stream starts, behind the whole stored palette.
size_t streamOffset(const Header& header);

}  // namespace vantor::lf2
