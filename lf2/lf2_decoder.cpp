#include "lf2/lf2_decoder.h"

#include "frame/picture_handover.h"
#include "frame/ring_window.h"

namespace vantor::lf2 {

PaddedRowSink::PaddedRowSink(uint8_t* block, uint32_t width, uint32_t height)
    : cursor_(block), width_(width), pad_(rowStride(width) - width), rowsLeft_(height) {}

namespace {

static_assert(sizeof(BitmapInfoHeader) + kMaxColors * sizeof(RgbQuad) <= kInfoBlockBytes);

void writeInfoBlock(const Header& header, const uint8_t* palette, uint8_t* block) {
    const uint32_t colors = colorsUsed(header);
    writeBitmapInfoHeader(block, static_cast<int32_t>(header.width),
                          static_cast<int32_t>(header.height), 8, colors);
    uint8_t* quads = block + sizeof(BitmapInfoHeader);
    for (uint32_t i = 0; i < colors; ++i) {
        const auto entry = loadLayout<PaletteEntry>(palette + sizeof(PaletteEntry) * i);
        storeLayout(RgbQuad{entry.blue, entry.green, entry.red, 0}, quads + sizeof(RgbQuad) * i);
    }
}

}  // namespace

Status decodePicture(const uint8_t* file, size_t size, MovableBlock& info, MovableBlock& pixels) {
    if (size < kSummaryBytes) return Status::shortInput;
    const Header header = parseHeader(file);
    if (Status status = checkGeometry(header); status != Status::ok) return status;
    const size_t stream = streamOffset(header);
    if (size < stream) return Status::shortInput;

    if (!info.allocate(kInfoBlockBytes, Fill::zeroed)) return Status::outOfMemory;
    writeInfoBlock(header, file + kPaletteOffset, info.bytes());
    if (!pixels.allocate(pixelBlockSize(header), Fill::none)) return Status::outOfMemory;

    MovableBlock window;
    if (!window.allocate(kRingWindowBytes, Fill::zeroed)) return Status::outOfMemory;
    PaddedRowSink sink(pixels.bytes(), header.width, header.height);
    return decodeRingWindow(file + stream, size - stream, StreamHooks{kStreamXor, nullptr},
                            window.bytes(), sink);
}

}  // namespace vantor::lf2
