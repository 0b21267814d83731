// Both picture filters decode every picture to the same pixel block along the
// fast and the plain path: generated pictures of many shapes (both LFG scan
// orders, every LF2 row pad) and damaged copies of their streams. The blocks
// start out filled alike, so a byte stored by one path and not the other
// shows too.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "authoring/picture_generator.h"
#include "lf2/lf2_decoder.h"
#include "lfg/lfg_decoder.h"
#include "tests/paths/stream_variants.h"

namespace vantor {
namespace {

using authoring::PictureKind;
using authoring::ScanOrder;

constexpr uint8_t kUnwritten = 0xC5;

struct Block {
    Status status;
    std::vector<uint8_t> bytes;
};

template <class Header, class Decode>
void expectSamePaths(const Header& header, uint32_t blockSize, const std::vector<uint8_t>& stream,
                     Decode decodePixels) {
    auto run = [&](DecoderPath path) {
        Block block{Status::ok, std::vector<uint8_t>(blockSize, kUnwritten)};
        block.status = decodePixels(header, stream.data(), stream.size(), path, block.bytes.data());
        return block;
    };
    const Block plain = run(DecoderPath::plain);
    const Block fast = run(DecoderPath::fast);
    ASSERT_EQ(fast.status, plain.status);
    // A failed decode hands nothing out, so only a complete picture counts.
    if (plain.status == Status::ok) {
        ASSERT_EQ(fast.bytes, plain.bytes);
    }
}

std::vector<PictureKind> kindsFor(size_t pixels) {
    if (pixels > 50000) return {PictureKind::typical, PictureKind::busy};
    return {PictureKind::typical, PictureKind::noise, PictureKind::flat};
}

TEST(PicturePaths, LfgBothScanOrders) {
    std::mt19937 random(17);
    struct Shape {
        uint32_t width, height;
    };
    // Row widths of 4 to 320 bytes, some not a multiple of the transpose's
    // 8-byte tiles; heights on and off the tiles.
    const Shape shapes[] = {{8, 1}, {8, 9}, {16, 8}, {24, 7}, {40, 33}, {136, 100}, {640, 400}};
    for (const Shape& shape : shapes) {
        for (ScanOrder scan : {ScanOrder::rows, ScanOrder::columns}) {
            for (PictureKind kind : kindsFor(size_t{shape.width} * shape.height)) {
                SCOPED_TRACE(testing::Message() << shape.width << "x" << shape.height << " scan "
                                                << int(scan) << " kind " << int(kind));
                const auto file = authoring::writeLfg(
                    authoring::makeLfgPicture(kind, shape.width, shape.height, scan, random()));
                const lfg::Header header = lfg::parseHeader(file.data(), file.size());
                const std::vector<uint8_t> stream(file.begin() + lfg::kStreamOffset, file.end());
                for (const auto& variant : test::damagedVariants(random, stream)) {
                    expectSamePaths(header, lfg::pixelBlockSize(header), variant,
                                    lfg::decodePixels);
                }
            }
        }
    }
}

TEST(PicturePaths, Lf2EveryRowPad) {
    std::mt19937 random(19);
    struct Shape {
        uint32_t width, height;
    };
    const Shape shapes[] = {{1, 1},  {2, 5},   {3, 2},    {4, 3},    {5, 40},
                            {6, 17}, {7, 100}, {64, 100}, {641, 90}, {640, 480}};
    for (const Shape& shape : shapes) {
        for (PictureKind kind : kindsFor(size_t{shape.width} * shape.height)) {
            SCOPED_TRACE(testing::Message()
                         << shape.width << "x" << shape.height << " kind " << int(kind));
            const auto file = authoring::writeLf2(
                authoring::makeLf2Picture(kind, shape.width, shape.height, random()));
            const lf2::Header header = lf2::parseHeader(file.data());
            const std::vector<uint8_t> stream(
                file.begin() + static_cast<ptrdiff_t>(lf2::streamOffset(header)), file.end());
            for (const auto& variant : test::damagedVariants(random, stream)) {
                expectSamePaths(header, lf2::pixelBlockSize(header), variant, lf2::decodePixels);
            }
        }
    }
}

}  // namespace
}  // namespace vantor
