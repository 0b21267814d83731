#include "lfg/lfg_header.h"

#include "frame/head_magic.h"

namespace vantor::lfg {

namespace {

uint8_t widen4(unsigned v) { return static_cast<uint8_t>((v & 15) * 17); }

RgbQuad color(unsigned red, unsigned green, unsigned blue) {
    return RgbQuad{widen4(blue), widen4(green), widen4(red), 0};
}

uint64_t pixelBlockSize64(const Header& header) {
    return (8 * static_cast<uint64_t>(header.width) + 3) * static_cast<uint64_t>(header.height) / 2;
}

}  // namespace

bool isLfgHead(const Head& head) { return headStartsWith(head, kMagic); }

Header parseHeader(const uint8_t* bytes, size_t size) {
    uint8_t padded[sizeof(HeaderLayout)] = {};
    __builtin_memcpy(padded, bytes, size < sizeof padded ? size : sizeof padded);
    const auto layout = loadLayout<HeaderLayout>(padded);

    Header header{};
    const int32_t x0 = layout.x0.get(), y0 = layout.y0.get();
    header.left = x0 * 8;
    header.top = y0;
    header.width = (layout.x1.get() + 1 - x0) * 8;
    header.height = layout.y1.get() + 1 - y0;
    header.columnOrder = layout.scanOrder == 0;
    // Triple (a, b, c) holds red a>>4, green a&15, blue b>>4, then red b&15,
    // green c>>4, blue c&15.
    for (int k = 0; k < kColors / 2; ++k) {
        const unsigned a = layout.palette[3 * k], b = layout.palette[3 * k + 1],
                       c = layout.palette[3 * k + 2];
        header.palette[2 * k] = color(a >> 4, a, b >> 4);
        header.palette[2 * k + 1] = color(b, c >> 4, c);
    }
    return header;
}

Status checkGeometry(const Header& header) {
    if (header.width <= 0 || header.height <= 0) return Status::badGeometry;
    if (pixelBlockSize64(header) > 0x7FFFFFFF) return Status::badGeometry;
    return Status::ok;
}

uint32_t pixelBlockSize(const Header& header) {
    return static_cast<uint32_t>(pixelBlockSize64(header));
}

}  // namespace vantor::lfg
