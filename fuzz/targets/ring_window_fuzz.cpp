// Fuzz target: the ring-window decoders alone, the byte-at-a-time one and the
// fast linear one, with the LFG hooks (literal bit map) or the LF2 hooks
// (every byte complemented).
//
// Input: one byte choosing the hooks (bit 0), two bytes giving how many bytes
// the picture needs, then the stream. Both decoders must agree with the
// reference decoder byte for byte and in their result, never read beyond the
// stream and never write beyond the picture (both buffers are exactly their
// size).
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "frame/ring_window.h"
#include "frame/ring_window_linear.h"
#include "fuzz/harness/invariant.h"
#include "fuzz/harness/reference_ring_window.h"
#include "lf2/lf2_decoder.h"
#include "lfg/lfg_decoder.h"

namespace {

// Takes bytes until it holds `capacity` of them, then reports completion;
// another put after that is a finding.
class RecordingSink {
public:
    explicit RecordingSink(size_t capacity) : capacity_(capacity) {}
    bool put(uint8_t b) {
        FUZZ_REQUIRE(bytes_.size() < capacity_);
        bytes_.push_back(b);
        return bytes_.size() == capacity_;
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    size_t capacity_;
    std::vector<uint8_t> bytes_;
};

struct Hooks {
    vantor::StreamHooks decoder;
    vantor::fuzz::ReferenceHooks reference;
};

const Hooks& hooksFor(bool lf2) {
    static const Hooks lfg = {{0, vantor::lfg::kLiteralBitMap.bytes},
                              {0, vantor::fuzz::lfgLiteralMap()}};
    static const Hooks lf2Hooks = {{vantor::lf2::kStreamXor, nullptr},
                                   {vantor::lf2::kStreamXor, nullptr}};
    return lf2 ? lf2Hooks : lfg;
}

void decodeAgainstReference(const Hooks& hooks, size_t wanted, const uint8_t* stream, size_t size) {
    std::vector<uint8_t> window(vantor::kRingWindowBytes, 0);
    RecordingSink sink(wanted);
    const vantor::Status status =
        vantor::decodeRingWindow(stream, size, hooks.decoder, window.data(), sink);
    const std::vector<uint8_t> expected =
        vantor::fuzz::referenceDecode(stream, size, hooks.reference, wanted);
    FUZZ_REQUIRE(sink.bytes() == expected);
    const bool complete = expected.size() == wanted;
    FUZZ_REQUIRE(status == (complete ? vantor::Status::ok : vantor::Status::truncatedStream));

    // Exactly `wanted` bytes, so a store beyond them is caught.
    const std::unique_ptr<uint8_t[]> linear(new uint8_t[wanted]);
    const vantor::Status linearStatus =
        vantor::decodeRingWindowLinear(stream, size, hooks.decoder, linear.get(), wanted);
    FUZZ_REQUIRE(linearStatus == status);
    if (complete) FUZZ_REQUIRE(std::equal(expected.begin(), expected.end(), linear.get()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const Hooks& hooks = hooksFor(data[0] & 1);
    const size_t wanted = 1 + (data[1] | size_t{data[2]} << 8);
    // The stream ends where the input's buffer does, so reading past it is caught.
    decodeAgainstReference(hooks, wanted, data + 3, size - 3);
    return 0;
}
