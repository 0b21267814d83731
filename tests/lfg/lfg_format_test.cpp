#include <gtest/gtest.h>

#include <vector>

#include "lfg/lfg_decoder.h"
#include "lfg/lfg_header.h"

namespace vantor::lfg {
namespace {

TEST(LfgLiteralBitMap, InterleavedBitsBecomeTwoNibbles) {
    const uint8_t* map = kLiteralBitMap.bytes;
    const std::pair<uint8_t, uint8_t> cases[] = {
        {0xAA, 0xF0}, {0x55, 0x0F}, {0x80, 0x80}, {0x40, 0x08},
        {0x01, 0x01}, {0xFF, 0xFF}, {0x02, 0x10}, {0x00, 0x00},
    };
    for (auto [literal, mapped] : cases) EXPECT_EQ(map[literal], mapped) << int(literal);
}

std::vector<uint8_t> headerBytes(uint16_t x0, uint16_t y0, uint16_t x1, uint16_t y1,
                                 uint8_t scan = 1) {
    std::vector<uint8_t> h(48, 0);
    const uint16_t fields[] = {x0, y0, x1, y1};
    for (int i = 0; i < 4; ++i) {
        h[32 + 2 * i] = static_cast<uint8_t>(fields[i]);
        h[33 + 2 * i] = static_cast<uint8_t>(fields[i] >> 8);
    }
    h[40] = scan;
    return h;
}

TEST(LfgHeader, GeometryFromEdges) {
    struct Case {
        uint16_t x0, y0, x1, y1;
        int32_t left, top, width, height;
        Status status;
    };
    const Case cases[] = {
        {2, 10, 5, 109, 16, 10, 32, 100, Status::ok},
        {3, 7, 3, 7, 24, 7, 8, 1, Status::ok},  // one unit wide, one row high
        {0, 0, 79, 399, 0, 0, 640, 400, Status::ok},
        {0, 0, 0, 65535, 0, 0, 8, 65536, Status::ok},    // the tallest picture
        {5, 0, 4, 0, 40, 0, 0, 1, Status::badGeometry},  // right edge left of the left edge
        {0, 9, 0, 7, 0, 9, 8, -1, Status::badGeometry},
        {0, 0, 0xFFFF, 0xFFFF, 0, 0, 524288, 65536, Status::badGeometry},  // block beyond 32 bits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x0 << "," << c.y0 << "," << c.x1 << "," << c.y1);
        const auto bytes = headerBytes(c.x0, c.y0, c.x1, c.y1);
        const Header h = parseHeader(bytes.data(), bytes.size());
        EXPECT_EQ(h.left, c.left);
        EXPECT_EQ(h.top, c.top);
        EXPECT_EQ(h.width, c.width);
        EXPECT_EQ(h.height, c.height);
        EXPECT_EQ(checkGeometry(h), c.status);
    }
}

TEST(LfgHeader, PaletteTriplesAndScanOrder) {
    auto bytes = headerBytes(0, 0, 0, 0, 0);
    bytes[8] = 0xF0;
    bytes[9] = 0x8A;
    bytes[10] = 0xBC;
    const Header h = parseHeader(bytes.data(), bytes.size());
    EXPECT_TRUE(h.columnOrder);
    // First colour red 15, green 0, blue 8; second red 10, green 11, blue 12.
    EXPECT_EQ(h.palette[0].red, 255);
    EXPECT_EQ(h.palette[0].green, 0);
    EXPECT_EQ(h.palette[0].blue, 136);
    EXPECT_EQ(h.palette[1].red, 170);
    EXPECT_EQ(h.palette[1].green, 187);
    EXPECT_EQ(h.palette[1].blue, 204);
    EXPECT_EQ(h.palette[2].reserved, 0);
    for (uint8_t scan : {1, 2, 0xFF}) {
        bytes[40] = scan;
        EXPECT_FALSE(parseHeader(bytes.data(), bytes.size()).columnOrder);
    }
}

TEST(LfgHeader, RecognitionComparesAllEightMagicBytes) {
    const uint8_t good[] = "LEAFCODE and more";
    const uint8_t bad[] = "LEAFCODX";
    EXPECT_TRUE(isLfgHead(Head{good, sizeof good}));
    EXPECT_FALSE(isLfgHead(Head{bad, sizeof bad}));
    EXPECT_FALSE(isLfgHead(Head{good, 7}));  // a file of seven bytes
}

// Where each produced byte lands, as block offsets.
template <class Sink>
std::vector<size_t> placements(uint32_t rowBytes, uint32_t height) {
    std::vector<uint8_t> block(rowBytes * height, 0xEE);
    Sink sink(block.data(), rowBytes, height);
    std::vector<size_t> order;
    for (size_t k = 0;; ++k) {
        const bool complete = sink.put(static_cast<uint8_t>(k));
        for (size_t at = 0; at < block.size(); ++at) {
            if (block[at] == static_cast<uint8_t>(k)) order.push_back(at);
        }
        if (complete) break;
        EXPECT_LT(k, block.size()) << "the sink never completes";
    }
    return order;
}

TEST(LfgSinks, PlaceBytesRowsOrColumnsFromTheTop) {
    using V = std::vector<size_t>;
    EXPECT_EQ(placements<RowOrderSink>(4, 2), (V{4, 5, 6, 7, 0, 1, 2, 3}));
    EXPECT_EQ(placements<RowOrderSink>(4, 1), (V{0, 1, 2, 3}));
    EXPECT_EQ(placements<ColumnOrderSink>(4, 2), (V{4, 0, 5, 1, 6, 2, 7, 3}));
    EXPECT_EQ(placements<ColumnOrderSink>(4, 1), (V{0, 1, 2, 3}));
    EXPECT_EQ(placements<ColumnOrderSink>(2, 3), (V{4, 2, 0, 5, 3, 1}));
}

}  // namespace
}  // namespace vantor::lfg
