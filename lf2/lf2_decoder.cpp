#include "lf2/lf2_decoder.h"

#include "frame/picture_handover.h"
#include "frame/ring_window.h"
#include "frame/ring_window_linear.h"

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

constexpr StreamHooks kHooks{kStreamXor, nullptr};

Status decodePlain(const Header& header, const uint8_t* stream, size_t size, uint8_t* block) {
    MovableBlock window;
    if (!window.allocate(kRingWindowBytes, Fill::zeroed)) return Status::outOfMemory;
    PaddedRowSink sink(block, header.width, header.height);
    return decodeRingWindow(stream, size, kHooks, window.bytes(), sink);
}

// Rows without pad bytes are the production order itself: the bytes go
// straight into the block. Padded rows are decoded into a working block first
// and then spread out.
Status decodeFast(const Header& header, const uint8_t* stream, size_t size, uint8_t* block) {
    const size_t count = size_t{header.width} * header.height;
    const uint32_t stride = rowStride(header.width);
    if (stride == header.width) return decodeRingWindowLinear(stream, size, kHooks, block, count);

    MovableBlock produced;
    if (!produced.allocate(count, Fill::none)) return Status::outOfMemory;
    const Status status = decodeRingWindowLinear(stream, size, kHooks, produced.bytes(), count);
    if (status != Status::ok) return status;
    for (uint32_t row = 0; row < header.height; ++row) {
        __builtin_memcpy(block + size_t{row} * stride,
                         produced.bytes() + size_t{row} * header.width, header.width);
    }
    return Status::ok;
}

}  // namespace

Status decodePixels(const Header& header, const uint8_t* stream, size_t size, DecoderPath path,
                    uint8_t* block) {
    return path == DecoderPath::plain ? decodePlain(header, stream, size, block)
                                      : decodeFast(header, stream, size, block);
}

Status decodePicture(const uint8_t* file, size_t size, DecoderPath path, MovableBlock& info,
                     MovableBlock& pixels) {
    if (size < kSummaryBytes) return Status::shortInput;
    const Header header = parseHeader(file);
    if (Status status = checkGeometry(header); status != Status::ok) return status;
    const size_t stream = streamOffset(header);
    if (size < stream) return Status::shortInput;
    if (uint64_t{header.width} * header.height > maxRingWindowOutput(size - stream)) {
        return Status::truncatedStream;
    }

    if (!info.allocate(kInfoBlockBytes, Fill::zeroed)) return Status::outOfMemory;
    writeInfoBlock(header, file + kPaletteOffset, info.bytes());
    if (!pixels.allocate(pixelBlockSize(header), Fill::none)) return Status::outOfMemory;
    return decodePixels(header, file + stream, size - stream, path, pixels.bytes());
}

}  // namespace vantor::lf2
