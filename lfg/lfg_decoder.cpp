#include "lfg/lfg_decoder.h"

#include "frame/picture_handover.h"
#include "frame/ring_window.h"
#include "frame/ring_window_linear.h"
#include "lfg/lfg_layout.h"

namespace vantor::lfg {

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

// No transform of the stream; literals through the bit map.
constexpr StreamHooks kStreamHooks{0, kLiteralBitMap.bytes};

void writeInfoBlock(const Header& header, uint8_t* block) {
    writeBitmapInfoHeader(block, header.width, header.height, 4, 0);
    for (int i = 0; i < kColors; ++i) {
        storeLayout(header.palette[i], block + sizeof(BitmapInfoHeader) + 4 * i);
    }
}

template <class Sink>
Status decodeThroughSink(const uint8_t* stream, size_t size, Sink& sink) {
    MovableBlock window;
    if (!window.allocate(kRingWindowBytes, Fill::zeroed)) return Status::outOfMemory;
    return decodeRingWindow(stream, size, kStreamHooks, window.bytes(), sink);
}

Status decodePlain(const Header& header, const uint8_t* stream, size_t size, uint8_t* block) {
    const auto rowBytes = static_cast<uint32_t>(header.width / 2);
    const auto height = static_cast<uint32_t>(header.height);
    if (header.columnOrder) {
        ColumnOrderSink sink(block, rowBytes, height);
        return decodeThroughSink(stream, size, sink);
    }
    RowOrderSink sink(block, rowBytes, height);
    return decodeThroughSink(stream, size, sink);
}

// The picture's bytes come in production order. Rows are decoded straight
// into the pixel block and flipped where they are, as the block runs
// bottom-up; columns go to a working block first, to be transposed.
Status decodeFast(const Header& header, const uint8_t* stream, size_t size, uint8_t* block) {
    const auto rowBytes = static_cast<uint32_t>(header.width / 2);
    const auto height = static_cast<uint32_t>(header.height);
    const size_t count = size_t{rowBytes} * height;
    if (!header.columnOrder) {
        const Status status = decodeRingWindowLinear(stream, size, kStreamHooks, block, count);
        if (status == Status::ok) flipRows(block, rowBytes, height);
        return status;
    }
    MovableBlock produced;
    if (!produced.allocate(count, Fill::none)) return Status::outOfMemory;
    const Status status =
        decodeRingWindowLinear(stream, size, kStreamHooks, produced.bytes(), count);
    if (status == Status::ok) layColumns(produced.bytes(), rowBytes, height, block);
    return status;
}

}  // namespace

Status decodePixels(const Header& header, const uint8_t* stream, size_t size, DecoderPath path,
                    uint8_t* block) {
    return path == DecoderPath::plain ? decodePlain(header, stream, size, block)
                                      : decodeFast(header, stream, size, block);
}

Status decodePicture(const uint8_t* file, size_t size, DecoderPath path, MovableBlock& info,
                     MovableBlock& pixels) {
    if (size < kStreamOffset) return Status::shortInput;
    const Header header = parseHeader(file, size);
    if (Status status = checkGeometry(header); status != Status::ok) return status;
    const uint64_t pictureBytes =
        uint64_t{static_cast<uint32_t>(header.width) / 2} * static_cast<uint32_t>(header.height);
    if (pictureBytes > maxRingWindowOutput(size - kStreamOffset)) return Status::truncatedStream;

    if (!info.allocate(kInfoBlockBytes, Fill::zeroed)) return Status::outOfMemory;
    writeInfoBlock(header, info.bytes());
    if (!pixels.allocate(pixelBlockSize(header), Fill::none)) return Status::outOfMemory;
    return decodePixels(header, file + kStreamOffset, size - kStreamOffset, path, pixels.bytes());
}

}  // namespace vantor::lfg
