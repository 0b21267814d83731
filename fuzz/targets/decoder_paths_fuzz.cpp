// Fuzz target: the fast decoding path against the plain one it must match.
//
// Input: a mode byte, then what the mode takes. Bit 0 picks LF2 (else LFG);
// bit 1 picks a whole picture file (else a bare stream).
// - Stream: two bytes giving how many bytes the picture takes less one (as
//   the ring_window target reads them), then the stream. Both decoders must
//   give the same result and, also for a stream that ends early, the same
//   bytes; the fast one stores nothing outside the bytes it was asked for.
// - Picture: the file. The format's decodePixels along both paths must give
//   the same result and, for a complete picture, the same pixel block, both
//   blocks starting out filled alike.
// Every buffer is exactly its size, so a read or write beyond it is caught.
#include <algorithm>
#include <memory>
#include <vector>

#include "frame/ring_window.h"
#include "frame/ring_window_linear.h"
#include "fuzz/harness/invariant.h"
#include "lf2/lf2_decoder.h"
#include "lfg/lfg_decoder.h"

namespace {

using vantor::DecoderPath;
using vantor::Status;
using vantor::StreamHooks;

// Pixel blocks larger than this are skipped: the paths are compared on
// pictures, not on the allocator.
constexpr size_t kMaxBlockBytes = size_t{4} << 20;
constexpr uint8_t kUnwritten = 0xC5;

StreamHooks hooksFor(bool lf2) {
    return lf2 ? StreamHooks{vantor::lf2::kStreamXor, nullptr}
               : StreamHooks{0, vantor::lfg::kLiteralBitMap.bytes};
}

class Collect {
public:
    explicit Collect(size_t capacity) : capacity_(capacity) {}
    bool put(uint8_t b) {
        bytes_.push_back(b);
        return bytes_.size() == capacity_;
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    size_t capacity_;
    std::vector<uint8_t> bytes_;
};

void compareStreams(bool lf2, const uint8_t* input, size_t size) {
    if (size < 2) return;
    const size_t wanted = 1 + (input[0] | size_t{input[1]} << 8);
    const std::vector<uint8_t> stream(input + 2, input + size);
    const StreamHooks hooks = hooksFor(lf2);

    std::vector<uint8_t> window(vantor::kRingWindowBytes, 0);
    Collect plain(wanted);
    const Status plainStatus =
        vantor::decodeRingWindow(stream.data(), stream.size(), hooks, window.data(), plain);

    const std::unique_ptr<uint8_t[]> out(new uint8_t[wanted]);
    const Status fastStatus =
        vantor::decodeRingWindowLinear(stream.data(), stream.size(), hooks, out.get(), wanted);
    FUZZ_REQUIRE(fastStatus == plainStatus);
    FUZZ_REQUIRE(std::equal(plain.bytes().begin(), plain.bytes().end(), out.get()));
}

template <class Header, class Decode>
void comparePixels(const Header& header, size_t blockBytes, const uint8_t* stream, size_t size,
                   Decode decodePixels) {
    if (blockBytes > kMaxBlockBytes) return;
    std::vector<uint8_t> plain(blockBytes, kUnwritten), fast(blockBytes, kUnwritten);
    const Status plainStatus = decodePixels(header, stream, size, DecoderPath::plain, plain.data());
    const Status fastStatus = decodePixels(header, stream, size, DecoderPath::fast, fast.data());
    FUZZ_REQUIRE(fastStatus == plainStatus);
    if (plainStatus == Status::ok) FUZZ_REQUIRE(fast == plain);
}

void comparePictures(bool lf2, const uint8_t* input, size_t size) {
    const std::vector<uint8_t> file(input, input + size);
    if (lf2) {
        namespace lf2 = vantor::lf2;
        if (size < lf2::kSummaryBytes) return;
        const lf2::Header header = lf2::parseHeader(file.data());
        const size_t stream = lf2::streamOffset(header);
        if (lf2::checkGeometry(header) != Status::ok || size < stream) return;
        comparePixels(header, lf2::pixelBlockSize(header), file.data() + stream, size - stream,
                      lf2::decodePixels);
        return;
    }
    namespace lfg = vantor::lfg;
    if (size < lfg::kStreamOffset) return;
    const lfg::Header header = lfg::parseHeader(file.data(), size);
    if (lfg::checkGeometry(header) != Status::ok) return;
    comparePixels(header, lfg::pixelBlockSize(header), file.data() + lfg::kStreamOffset,
                  size - lfg::kStreamOffset, lfg::decodePixels);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const bool lf2 = data[0] & 1;
    if (data[0] & 2) {
        comparePictures(lf2, data + 1, size - 1);
    } else {
        compareStreams(lf2, data + 1, size - 1);
    }
    return 0;
}
