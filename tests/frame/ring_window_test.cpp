#include "frame/ring_window.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "authoring/ring_window_encoder.h"

namespace vantor {
namespace {

// Collects produced bytes; the picture is complete after `capacity` of them.
struct CollectingSink {
    explicit CollectingSink(size_t capacity) : capacity(capacity) {}
    bool put(uint8_t b) {
        bytes.push_back(b);
        return bytes.size() == capacity;
    }
    size_t capacity;
    std::vector<uint8_t> bytes;
};

struct Decoded {
    Status status;
    std::vector<uint8_t> bytes;
};

Decoded decode(const std::vector<uint8_t>& stream, size_t capacity,
               StreamHooks hooks = {0, nullptr}) {
    std::vector<uint8_t> window(kRingWindowBytes, 0);
    CollectingSink sink(capacity);
    Status status = decodeRingWindow(stream.data(), stream.size(), hooks, window.data(), sink);
    return {status, sink.bytes};
}

// A reference token's two bytes for window position p and length n.
std::vector<uint8_t> ref(unsigned p, unsigned n) {
    const unsigned v = p << 4 | (n - 3);
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
}

std::vector<uint8_t> cat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(RingWindow, TokenCases) {
    struct Case {
        const char* name;
        std::vector<uint8_t> stream;
        size_t capacity;
        Status status;
        std::vector<uint8_t> produced;
    };
    const Case cases[] = {
        {"eight literals", {0xFF, 1, 2, 3, 4, 5, 6, 7, 8}, 8, Status::ok, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"reference before any literal copies the cleared window",
         cat({{0x00}, ref(100, 5)}),
         5,
         Status::ok,
         {0, 0, 0, 0, 0}},
        {"reference onto the byte being written repeats the first literal",
         cat({{0x80, 0xAB}, ref(0xFEE, 3)}),
         4,
         Status::ok,
         {0xAB, 0xAB, 0xAB, 0xAB}},
        {"reference to the last two bytes repeats a pair",
         cat({{0xC0, 1, 2}, ref(0xFEE, 6)}),
         8,
         Status::ok,
         {1, 2, 1, 2, 1, 2, 1, 2}},
        {"complete in the middle of a reference; the rest is not read",
         cat({{0x80, 9}, ref(0xFEE, 18), {0xFF}}),
         4,
         Status::ok,
         {9, 9, 9, 9}},
        {"complete in the middle of a group", {0xFF, 1, 2, 3}, 2, Status::ok, {1, 2}},
        {"empty stream", {}, 1, Status::truncatedStream, {}},
        {"stream ends after a flag byte", {0xFF}, 2, Status::truncatedStream, {}},
        {"stream ends inside a reference", {0x00, 0x10}, 3, Status::truncatedStream, {}},
        {"stream ends after a full group",
         {0xFF, 1, 2, 3, 4, 5, 6, 7, 8},
         9,
         Status::truncatedStream,
         {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d = decode(c.stream, c.capacity);
        EXPECT_EQ(d.status, c.status);
        EXPECT_EQ(d.bytes, c.produced);
    }
}

TEST(RingWindow, InputXorAppliesToEveryByteAndLiteralMapBeforeTheWindow) {
    // All zero bytes complemented: flags 0xFF and literals 0xFF.
    EXPECT_EQ(decode(std::vector<uint8_t>(9, 0x00), 8, {0xFF, nullptr}).bytes,
              std::vector<uint8_t>(8, 0xFF));
    // All 0xFF bytes complemented: flag 0 and references of value 0 (position 0,
    // length 3) into the cleared window.
    EXPECT_EQ(decode(std::vector<uint8_t>(40, 0xFF), 24, {0xFF, nullptr}).bytes,
              std::vector<uint8_t>(24, 0x00));

    // The window holds mapped literals, so a reference copies them unmapped again.
    uint8_t plusOne[256];
    for (int i = 0; i < 256; ++i) plusOne[i] = static_cast<uint8_t>(i + 1);
    const Decoded d = decode(cat({{0x80, 0x41}, ref(0xFEE, 3)}), 4, {0, plusOne});
    EXPECT_EQ(d.bytes, (std::vector<uint8_t>{0x42, 0x42, 0x42, 0x42}));
}

TEST(RingWindow, EncoderStreamsDecodeBackAcrossWindowWraps) {
    std::mt19937 random(7);
    for (size_t size : {1u, 17u, 4095u, 4096u, 4097u, 20000u}) {
        SCOPED_TRACE(testing::Message() << "size " << size);
        // Runs, repeats far back and noise, so references of every distance occur.
        std::vector<uint8_t> data(size);
        for (size_t i = 0; i < size; ++i) {
            const unsigned kind = random() % 4;
            data[i] = kind == 0                ? static_cast<uint8_t>(random())
                      : i >= 4096 && kind == 1 ? data[i - 4096]
                      : i > 0                  ? data[i - 1]
                                               : 0;
        }
        const auto stream = authoring::encodeRingWindow(data, {nullptr, 0xFF});
        const Decoded d = decode(stream, size, {0xFF, nullptr});
        EXPECT_EQ(d.status, Status::ok);
        EXPECT_EQ(d.bytes, data);
        // One byte short of the stream's end leaves the picture incomplete.
        std::vector<uint8_t> cut(stream.begin(), stream.end() - 1);
        EXPECT_EQ(decode(cut, size, {0xFF, nullptr}).status, Status::truncatedStream);
    }
}

}  // namespace
}  // namespace vantor
