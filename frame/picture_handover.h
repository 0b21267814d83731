// The decoded picture a filter hands to the host: an info block (a
// BITMAPINFOHEADER and its RGBQUAD palette) and a pixel block of bottom-up
// rows, each row a multiple of 4 bytes long.
#pragma once

#include "frame/byte_layout.h"
#include "frame/movable_block.h"
#include "frame/status.h"

namespace vantor {

struct BitmapInfoHeader {
    Le32 biSize;
    Le32 biWidth;
    Le32 biHeight;  // positive: the rows are stored bottom-up
    Le16 biPlanes;
    Le16 biBitCount;
    Le32 biCompression;
    Le32 biSizeImage;
    Le32 biXPelsPerMeter;
    Le32 biYPelsPerMeter;
    Le32 biClrUsed;
    Le32 biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40);
static_assert(offsetof(BitmapInfoHeader, biBitCount) == 14);
static_assert(offsetof(BitmapInfoHeader, biClrUsed) == 32);

struct RgbQuad {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t reserved;
};
static_assert(sizeof(RgbQuad) == 4);

// Writes the header at the start of a zero-filled info block.
void writeBitmapInfoHeader(uint8_t* infoBlock, int32_t width, int32_t height, uint16_t bitCount,
                           uint32_t colorsUsed);

// Gives both blocks to the host, info block first.
void handOverPicture(MovableBlock& info, MovableBlock& pixels, HLOCAL* infoHandleOut,
                     HLOCAL* pixelHandleOut);

}  // namespace vantor
