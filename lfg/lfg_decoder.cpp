#include "lfg/lfg_decoder.h"

#include "frame/picture_handover.h"
#include "frame/ring_window.h"

namespace vantor::lfg {

void buildLiteralBitMap(uint8_t (&map)[256]) {
    for (unsigned x = 0; x < 256; ++x) {
        const unsigned left = (x >> 4 & 8) | (x >> 3 & 4) | (x >> 2 & 2) | (x >> 1 & 1);
        const unsigned right = (x >> 3 & 8) | (x >> 2 & 4) | (x >> 1 & 2) | (x & 1);
        map[x] = static_cast<uint8_t>(left << 4 | right);
    }
}

RowOrderSink::RowOrderSink(uint8_t* block, uint32_t rowBytes, uint32_t height)
    : cursor_(block + static_cast<size_t>(height - 1) * rowBytes),
      rowBytes_(rowBytes),
      leftInRow_(rowBytes),
      rowsLeft_(height) {}

ColumnOrderSink::ColumnOrderSink(uint8_t* block, uint32_t rowBytes, uint32_t height)
    : topRow_(block + static_cast<size_t>(height - 1) * rowBytes),
      cursor_(topRow_),
      rowBytes_(rowBytes),
      height_(height),
      leftInColumn_(height) {}

namespace {

void writeInfoBlock(const Header& header, uint8_t* block) {
    writeBitmapInfoHeader(block, header.width, header.height, 4, 0);
    for (int i = 0; i < kColors; ++i) {
        storeLayout(header.palette[i], block + sizeof(BitmapInfoHeader) + 4 * i);
    }
}

template <class Sink>
Status decodeStream(const uint8_t* stream, size_t size, Sink& sink) {
    uint8_t literalMap[256];
    buildLiteralBitMap(literalMap);
    MovableBlock window;
    if (!window.allocate(kRingWindowBytes, Fill::zeroed)) return Status::outOfMemory;
    return decodeRingWindow(stream, size, StreamHooks{0, literalMap}, window.bytes(), sink);
}

}  // namespace

Status decodePicture(const uint8_t* file, size_t size, MovableBlock& info, MovableBlock& pixels) {
    if (size < kStreamOffset) return Status::shortInput;
    const Header header = parseHeader(file, size);
    if (Status status = checkGeometry(header); status != Status::ok) return status;

    if (!info.allocate(kInfoBlockBytes, Fill::zeroed)) return Status::outOfMemory;
    writeInfoBlock(header, info.bytes());
    if (!pixels.allocate(pixelBlockSize(header), Fill::none)) return Status::outOfMemory;

    const auto rowBytes = static_cast<uint32_t>(header.width / 2);
    const auto height = static_cast<uint32_t>(header.height);
    const uint8_t* stream = file + kStreamOffset;
    const size_t streamSize = size - kStreamOffset;
    if (header.columnOrder) {
        ColumnOrderSink sink(pixels.bytes(), rowBytes, height);
        return decodeStream(stream, streamSize, sink);
    }
    RowOrderSink sink(pixels.bytes(), rowBytes, height);
    return decodeStream(stream, streamSize, sink);
}

}  // namespace vantor::lfg
