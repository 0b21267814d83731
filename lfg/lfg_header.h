// The LFG picture header: 16 colours of 12 bits, a position and size in units
// of 8 pixels across and 1 pixel down, and a scan order.
//
//   0  "LEAFCODE"            magic, no terminator
//   8  24 bytes               palette: eight triples (a, b, c), each two colours
//  32  u16 x0, u16 y0         left edge (units of 8 pixels), top edge (pixels)
//  36  u16 x1, u16 y1         right and bottom edges, inclusive
//  40  u8 scan order          0: columns, anything else: rows
//  41  7 bytes                not interpreted
//  48  the compressed pixel stream
#pragma once

#include "frame/byte_layout.h"
#include "frame/picture_handover.h"
#include "frame/recognition_head.h"

namespace vantor::lfg {

struct HeaderLayout {
    uint8_t magic[8];
    uint8_t palette[24];
    Le16 x0;
    Le16 y0;
    Le16 x1;
    Le16 y1;
    uint8_t scanOrder;
    uint8_t reserved[7];
};
static_assert(sizeof(HeaderLayout) == 48);
static_assert(offsetof(HeaderLayout, palette) == 8);
static_assert(offsetof(HeaderLayout, x0) == 32);
static_assert(offsetof(HeaderLayout, y1) == 38);
static_assert(offsetof(HeaderLayout, scanOrder) == 40);

constexpr uint8_t kMagic[8] = {'L', 'E', 'A', 'F', 'C', 'O', 'D', 'E'};
constexpr size_t kStreamOffset = sizeof(HeaderLayout);
// GetPictureInfo reads the header up to and including offset 43.
constexpr uint32_t kSummaryBytes = 44;
constexpr int kColors = 16;

struct Header {
    int32_t left;
    int32_t top;
    int32_t width;  // a multiple of 8
    int32_t height;
    bool columnOrder;
    RgbQuad palette[kColors];
};

bool isLfgHead(const Head& head);

// bytes: at least kSummaryBytes; the scan order and reserved bytes are read
// only when `size` covers them.
Header parseHeader(const uint8_t* bytes, size_t size);

// Refuses pictures that are empty or whose pixel block would not fit in
// 32-bit arithmetic.
Status checkGeometry(const Header& header);

// (8 × W + 3) × H / 2: the block size the format has always handed out,
// larger than the W × H / 2 bytes the picture fills.
uint32_t pixelBlockSize(const Header& header);

}  // namespace vantor::lfg
