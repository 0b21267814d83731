#include "lf2/lf2_header.h"

#include "frame/head_magic.h"

namespace vantor::lf2 {

namespace {

uint64_t pixelBlockSize64(const Header& header) {
    return (static_cast<uint64_t>(header.width) + 3) * header.height;
}

}  // namespace

bool isLf2Head(const Head& head) { return headStartsWith(head, kMagic); }

Header parseHeader(const uint8_t* bytes) {
    const auto layout = loadLayout<HeaderLayout>(bytes);
    Header header{};
    header.left = layout.left.get();
    header.top = layout.top.get();
    header.width = layout.width.get();
    header.height = layout.height.get();
    header.colorCount = layout.colorCount.get();
    return header;
}

Status checkGeometry(const Header& header) {
    if (header.width == 0 || header.height == 0) return Status::badGeometry;
    if (pixelBlockSize64(header) > UINT32_MAX) return Status::badGeometry;
    return Status::ok;
}

uint32_t rowStride(uint32_t width) { return (width + 3) & ~3u; }

uint32_t pixelBlockSize(const Header& header) {
    return static_cast<uint32_t>(pixelBlockSize64(header));
}

uint32_t colorsUsed(const Header& header) {
    return header.colorCount < kMaxColors ? header.colorCount : kMaxColors;
}

size_t streamOffset(const Header& header) {
    return kPaletteOffset + sizeof(PaletteEntry) * static_cast<size_t>(header.colorCount);
}

}  // namespace vantor::lf2
