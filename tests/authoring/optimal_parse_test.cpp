// The optimal parse against an exhaustive reference: every reference the
// ring window allows is tried by decoding it, and the fewest stream bytes are
// found by a search over positions and places within a group.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <random>
#include <vector>

#include "authoring/picture_generator.h"
#include "authoring/ring_window_encoder.h"
#include "frame/ring_window.h"
#include "tests/support/plain_ring_window.h"

namespace vantor::authoring {
namespace {

constexpr unsigned kRing = 4096;

// For each position, the longest run a single reference produces there that
// equals the data, decoding every ring position as the decoder would: one
// byte at a time, each stored before the next is read. A run that reaches the
// end of the data counts whole, even when shorter than 3: the decoder stops
// once the picture is complete.
std::vector<unsigned> longestRunsByRing(const std::vector<uint8_t>& data) {
    std::array<uint8_t, kRing> ring{};
    std::vector<unsigned> longest(data.size(), 0);
    for (size_t i = 0; i < data.size(); ++i) {
        const unsigned w = (0xFEE + i) % kRing;
        const size_t limit = std::min<size_t>(kMaxMatch, data.size() - i);
        for (unsigned p = 0; p < kRing; ++p) {
            unsigned n = 0;
            for (; n < limit; ++n) {
                const unsigned from = (p + n) % kRing;
                const unsigned written = (from - w) % kRing;  // bytes of this copy behind it
                const uint8_t b = written < n ? data[i + written] : ring[from];
                if (b != data[i + n]) break;
            }
            if (n >= kMinMatch || i + n == data.size()) longest[i] = std::max(longest[i], n);
        }
        ring[w] = data[i];
    }
    return longest;
}

// The fewest stream bytes: a search over (position, tokens so far modulo 8),
// the first token of each group paying for its flag byte.
size_t fewestStreamBytes(const std::vector<uint8_t>& data) {
    const std::vector<unsigned> longest = longestRunsByRing(data);
    constexpr size_t kNever = std::numeric_limits<size_t>::max() / 2;
    std::vector<std::array<size_t, 8>> bytes(data.size() + 1);
    bytes[data.size()].fill(0);
    for (size_t i = data.size(); i-- > 0;) {
        for (unsigned k = 0; k < 8; ++k) {
            const size_t flag = k == 0 ? 1 : 0;
            const unsigned next = (k + 1) % 8;
            size_t best = flag + 1 + bytes[i + 1][next];
            const bool final = i + longest[i] == data.size();
            const unsigned shortest = final && longest[i] < kMinMatch ? longest[i] : kMinMatch;
            for (unsigned n = shortest; n != 0 && n <= longest[i]; ++n) {
                best = std::min(best, flag + 2 + bytes[i + n][next]);
            }
            bytes[i][k] = std::min(best, kNever);
        }
    }
    return bytes[0][0];
}

void expectFewestBytes(const std::vector<uint8_t>& data) {
    const auto stream = encodeRingWindow(data, {});
    EXPECT_EQ(stream.size(), fewestStreamBytes(data));
    const test::Produced produced = test::decodePlainRingWindow(stream, data.size());
    EXPECT_EQ(produced.status, Status::ok);
    EXPECT_EQ(produced.bytes, data);
}

TEST(OptimalParse, FewestBytesOnSmallInputs) {
    std::mt19937 random(23);
    for (int k = 0; k < 60; ++k) {
        // Few symbols, so that matches of every length and overlap abound;
        // zeros reach into the cleared window.
        const unsigned symbols = 1 + random() % 3;
        std::vector<uint8_t> data(1 + random() % 48);
        for (auto& b : data) b = static_cast<uint8_t>(random() % symbols);
        SCOPED_TRACE(testing::Message() << "case " << k << ", " << data.size() << " bytes");
        expectFewestBytes(data);
    }
}

TEST(OptimalParse, FewestBytesAtTheWindowsReach) {
    // Random bytes repeated once 4096 bytes later (the farthest a reference
    // reaches) and once 4097 bytes later (out of reach).
    std::mt19937 random(29);
    std::vector<uint8_t> data(4096 + 40);
    for (auto& b : data) b = static_cast<uint8_t>(random());
    std::copy_n(data.begin() + 8, 20, data.begin() + 4096 + 8);
    std::copy_n(data.begin() + 30, 9, data.begin() + 4097 + 30);
    expectFewestBytes(data);
}

TEST(OptimalParse, NeverLargerThanLazyOnPictures) {
    for (PictureKind kind :
         {PictureKind::typical, PictureKind::busy, PictureKind::noise, PictureKind::flat}) {
        SCOPED_TRACE(int(kind));
        const Picture picture = makePicture(kind, 160, 100, 256, 1);
        const auto optimal = encodeRingWindow(picture.indices, {}, Parse::optimal);
        const auto lazy = encodeRingWindow(picture.indices, {}, Parse::lazy);
        EXPECT_LE(optimal.size(), lazy.size());
        EXPECT_EQ(test::decodePlainRingWindow(optimal, picture.indices.size()).bytes,
                  picture.indices);
    }
}

}  // namespace
}  // namespace vantor::authoring
