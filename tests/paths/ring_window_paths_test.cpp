// The fast ring-window decoder against the plain one it must match: the same
// status and the same produced bytes, also for streams that end early, and no
// store outside the bytes it was asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <random>
#include <vector>

#include "authoring/ring_window_encoder.h"
#include "frame/ring_window.h"
#include "frame/ring_window_linear.h"
#include "tests/paths/stream_variants.h"
#include "tests/support/plain_ring_window.h"

namespace vantor {
namespace {

constexpr size_t kGuard = 64;
constexpr uint8_t kGuardByte = 0xC5;

// The stream is copied to a buffer of its exact size, so that reading past
// its end is caught by the address sanitizer.
void expectSamePaths(const std::vector<uint8_t>& stream, size_t count, StreamHooks hooks) {
    const test::Produced plain = test::decodePlainRingWindow(stream, count, hooks);
    const std::unique_ptr<uint8_t[]> exact(new uint8_t[stream.size() + 1]);
    std::copy(stream.begin(), stream.end(), exact.get());
    std::vector<uint8_t> buffer(count + 2 * kGuard, kGuardByte);
    const Status fast =
        decodeRingWindowLinear(exact.get(), stream.size(), hooks, buffer.data() + kGuard, count);

    ASSERT_EQ(fast, plain.status);
    const auto first = buffer.begin() + kGuard;
    ASSERT_EQ(std::vector<uint8_t>(first, first + static_cast<ptrdiff_t>(plain.bytes.size())),
              plain.bytes);
    for (size_t k = 0; k < kGuard; ++k) {
        ASSERT_EQ(buffer[k], kGuardByte) << "store before the output";
        ASSERT_EQ(buffer[kGuard + count + k], kGuardByte) << "store past the output";
    }
}

uint8_t (&plusSeven())[256] {
    static uint8_t map[256];
    for (int i = 0; i < 256; ++i) map[i] = static_cast<uint8_t>(i * 7 + 3);
    return map;
}

TEST(RingWindowPaths, AgreeOnAimedStreamsAndTheirDamagedCopies) {
    std::mt19937 random(11);
    const StreamHooks hookSets[] = {{0, nullptr}, {0xFF, nullptr}, {0, plusSeven()}};
    for (const StreamHooks& hooks : hookSets) {
        for (size_t produced : {1u, 40u, 300u, 5000u, 20000u}) {
            SCOPED_TRACE(testing::Message() << "xor " << int(hooks.inputXor) << ", map "
                                            << (hooks.literalMap != nullptr) << ", " << produced);
            const auto stream = test::aimedTokenStream(random, produced, hooks.inputXor);
            for (const auto& variant : test::damagedVariants(random, stream)) {
                // Pictures smaller than, as large as and larger than the stream.
                for (size_t count : {produced / 2 + 1, produced, produced + 17}) {
                    expectSamePaths(variant, count, hooks);
                }
            }
        }
    }
}

TEST(RingWindowPaths, AgreeOnEveryPictureSizeOfOneStream) {
    // Every completion point: within literals, within references of each
    // kind, and at group boundaries.
    std::mt19937 random(5);
    const auto stream = test::aimedTokenStream(random, 700, 0);
    for (size_t count = 1; count <= 720; ++count) {
        SCOPED_TRACE(count);
        expectSamePaths(stream, count, {0, nullptr});
    }
}

TEST(RingWindowPaths, AgreeOnRandomBytesAndEncoderStreams) {
    std::mt19937 random(3);
    for (int k = 0; k < 40; ++k) {
        std::vector<uint8_t> bytes(1 + random() % 3000);
        for (auto& b : bytes) b = static_cast<uint8_t>(random());
        expectSamePaths(bytes, 1 + random() % 20000, {static_cast<uint8_t>(random()), nullptr});
    }
    // Runs and far repeats across the window's wrap, as a picture has them.
    std::vector<uint8_t> data(30000);
    for (size_t i = 0; i < data.size(); ++i) {
        const unsigned kind = random() % 5;
        data[i] = kind == 0                ? static_cast<uint8_t>(random())
                  : i >= 4096 && kind == 1 ? data[i - 4096 + random() % 3]
                  : i > 0                  ? data[i - 1]
                                           : 0;
    }
    const auto stream = authoring::encodeRingWindow(data, {nullptr, 0xFF});
    expectSamePaths(stream, data.size(), {0xFF, nullptr});
}

}  // namespace
}  // namespace vantor
