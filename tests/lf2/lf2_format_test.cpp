#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "authoring/ring_window_encoder.h"
#include "frame/picture_handover.h"
#include "lf2/lf2_decoder.h"
#include "lf2/lf2_header.h"

namespace vantor::lf2 {
namespace {

struct Fields {
    uint16_t width = 8;
    uint16_t height = 1;
    uint16_t colorCount = 0;
    uint16_t left = 0;
    uint16_t top = 0;
};

// An LF2 file made field by field: header, raw palette bytes (which need not
// match the count) and the stream as stored.
std::vector<uint8_t> lf2File(const Fields& f, const std::vector<uint8_t>& palette,
                             const std::vector<uint8_t>& storedStream) {
    std::vector<uint8_t> file = {'L', 'E', 'A', 'F', '2', '5', '6', 0};
    for (uint16_t v : {f.left, f.top, f.width, f.height}) {
        file.push_back(static_cast<uint8_t>(v));
        file.push_back(static_cast<uint8_t>(v >> 8));
    }
    file.insert(file.end(), 6, 0xA5);  // not interpreted
    file.push_back(static_cast<uint8_t>(f.colorCount));
    file.push_back(static_cast<uint8_t>(f.colorCount >> 8));
    file.insert(file.end(), palette.begin(), palette.end());
    file.insert(file.end(), storedStream.begin(), storedStream.end());
    return file;
}

std::vector<uint8_t> complementedStream(const std::vector<uint8_t>& produced) {
    return authoring::encodeRingWindow(produced, authoring::StreamTransforms{nullptr, 0xFF});
}

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }

TEST(Lf2Header, RecognitionComparesTheFirstSixMagicBytes) {
    struct Case {
        const char* head;
        size_t size;
        bool accepted;
    };
    const Case cases[] = {
        {"LEAF256", 8, true},  {"LEAF25X and more", 16, true},
        {"LEAF25", 6, true},   {"LEAF25", 5, false},  // a file of five bytes
        {"LEAF2X6", 8, false}, {"LEAF356", 8, false},
        {"leaf256", 8, false}, {"LEAFCODE", 8, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.head);
        const auto* bytes = reinterpret_cast<const uint8_t*>(c.head);
        EXPECT_EQ(isLf2Head(Head{bytes, c.size}), c.accepted);
    }
}

TEST(Lf2Header, FieldsAtTheirOffsets) {
    const auto file = lf2File(
        {.width = 0x1234, .height = 0x0567, .colorCount = 0x0102, .left = 0xABCD, .top = 0x0809},
        {}, {});
    const Header h = parseHeader(file.data());
    EXPECT_EQ(h.left, 0xABCDu);
    EXPECT_EQ(h.top, 0x0809u);
    EXPECT_EQ(h.width, 0x1234u);
    EXPECT_EQ(h.height, 0x0567u);
    EXPECT_EQ(h.colorCount, 0x0102u);
    EXPECT_EQ(streamOffset(h), 24u + 3u * 0x0102u);
    EXPECT_EQ(colorsUsed(h), 256u);
}

TEST(Lf2Header, GeometryStrideAndBlockSize) {
    struct Case {
        uint32_t width, height;
        Status status;
        uint32_t stride, blockSize;
    };
    const Case cases[] = {
        {10, 2, Status::ok, 12, 26},  // pad 2
        {8, 3, Status::ok, 8, 33},    // no pad, yet the block keeps 3 spare bytes a row
        {7, 1, Status::ok, 8, 10},    // pad 1
        {1, 1, Status::ok, 4, 4},
        {0, 5, Status::badGeometry, 0, 0},  // would never complete
        {5, 0, Status::badGeometry, 0, 0},
        {65535, 65535, Status::badGeometry, 0, 0},  // (W + 3) × H beyond 32 bits
        {65535, 65534, Status::ok, 65536, 4294967292u},
        {65534, 65535, Status::ok, 65536, 4294967295u},  // the largest block
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        const Header h{0, 0, c.width, c.height, 0};
        ASSERT_EQ(checkGeometry(h), c.status);
        if (c.status != Status::ok) continue;
        EXPECT_EQ(rowStride(c.width), c.stride);
        EXPECT_EQ(pixelBlockSize(h), c.blockSize);
    }
}

TEST(Lf2Sink, FillsRowsForwardAndLeavesThePadBytes) {
    struct Case {
        uint32_t width, height;
        std::vector<size_t> offsets;
    };
    const Case cases[] = {
        {3, 2, {0, 1, 2, 4, 5, 6}},
        {7, 1, {0, 1, 2, 3, 4, 5, 6}},
        {8, 2, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {10, 2, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        std::vector<uint8_t> block(pixelBlockSize(Header{0, 0, c.width, c.height, 0}), 0xEE);
        PaddedRowSink sink(block.data(), c.width, c.height);
        for (size_t k = 0; k < c.offsets.size(); ++k) {
            const bool complete = sink.put(static_cast<uint8_t>(k));
            EXPECT_EQ(complete, k + 1 == c.offsets.size()) << "after byte " << k;
        }
        std::vector<uint8_t> expected(block.size(), 0xEE);
        for (size_t k = 0; k < c.offsets.size(); ++k) expected[c.offsets[k]] = uint8_t(k);
        EXPECT_EQ(block, expected);
    }
}

struct Decoded {
    Status status;
    MovableBlock info;
    MovableBlock pixels;
};

void decode(const std::vector<uint8_t>& file, Decoded& out) {
    out.status = decodePicture(file.data(), file.size(), DecoderPath::fast, out.info, out.pixels);
}

std::vector<uint8_t> firstBytes(const MovableBlock& block, size_t count) {
    return std::vector<uint8_t>(block.bytes(), block.bytes() + count);
}

TEST(Lf2Decode, EveryStreamByteIsComplemented) {
    struct Case {
        const char* name;
        std::vector<uint8_t> stored;
        std::vector<uint8_t> pixels;
    };
    const Case cases[] = {
        // Flags 0xFF and literals 0xFF.
        {"zeros", std::vector<uint8_t>(9, 0x00), std::vector<uint8_t>(8, 0xFF)},
        // Flag 0x00 and references of value 0: the cleared window.
        {"ones", std::vector<uint8_t>(7, 0xFF), std::vector<uint8_t>(8, 0x00)},
        // Flag 0x80, literal 0x12, then references 0xFEE0 and 0xFEE1 (position
        // 0xFEE, lengths 3 and 4): the literal repeated, as both reference
        // bytes are complemented too.
        {"literal and references",
         {0x7F, 0xED, 0x1F, 0x01, 0x1E, 0x01},
         std::vector<uint8_t>(8, 0x12)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Decoded d;
        decode(lf2File({}, {}, c.stored), d);
        ASSERT_EQ(d.status, Status::ok);
        EXPECT_EQ(firstBytes(d.pixels, 8), c.pixels);
    }
}

TEST(Lf2Decode, InfoBlockTakesAtMost256PaletteEntriesAndFindsTheStreamBehindAll) {
    const std::vector<uint8_t> produced = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (uint16_t count : {0, 1, 256, 300, 65535}) {
        SCOPED_TRACE(testing::Message() << count << " colours");
        std::vector<uint8_t> palette(3 * size_t{count});
        for (size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<uint8_t>(i * 7 + 1);
        Decoded d;
        decode(lf2File({.width = 5, .height = 2, .colorCount = count}, palette,
                       complementedStream(produced)),
               d);
        ASSERT_EQ(d.status, Status::ok);

        const uint8_t* info = d.info.bytes();
        const uint32_t used = count < 256 ? count : 256;
        EXPECT_EQ(le32(info), 40u);
        EXPECT_EQ(le32(info + 4), 5u);
        EXPECT_EQ(le32(info + 8), 2u);
        EXPECT_EQ(info[12], 1);
        EXPECT_EQ(info[14], 8);
        EXPECT_EQ(le32(info + 32), used);
        std::vector<uint8_t> quads(lf2::kInfoBlockBytes - sizeof(BitmapInfoHeader), 0);
        for (uint32_t i = 0; i < used; ++i) {
            std::memcpy(&quads[4 * i], &palette[3 * i], 3);  // blue, green, red, then 0
        }
        EXPECT_EQ(std::vector<uint8_t>(info + sizeof(BitmapInfoHeader), info + kInfoBlockBytes),
                  quads);
        // Rows of 5 pixels with a stride of 8: the stream starts behind the palette.
        const uint8_t* pixels = d.pixels.bytes();
        EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + 5), (std::vector<uint8_t>{1, 2, 3, 4, 5}));
        EXPECT_EQ(std::vector<uint8_t>(pixels + 8, pixels + 13),
                  (std::vector<uint8_t>{6, 7, 8, 9, 10}));
    }
}

TEST(Lf2Decode, PaletteBytesBecomeRgbQuadsInTheSameOrder) {
    Decoded d;
    decode(lf2File({.colorCount = 1}, {10, 20, 30}, std::vector<uint8_t>(9, 0)), d);
    ASSERT_EQ(d.status, Status::ok);
    EXPECT_EQ(std::vector<uint8_t>(d.info.bytes() + 40, d.info.bytes() + 48),
              (std::vector<uint8_t>{10, 20, 30, 0, 0, 0, 0, 0}));
}

TEST(Lf2Decode, RefusesWhatItCannotDecode) {
    const auto stream = complementedStream(std::vector<uint8_t>(8, 0x42));
    const auto cutStream = std::vector<uint8_t>(stream.begin(), stream.end() - 1);
    auto shortHeader = lf2File({}, {}, {});
    shortHeader.pop_back();
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        Status status;
    };
    const Case cases[] = {
        {"header of 23 bytes", shortHeader, Status::shortInput},
        {"palette past the end", lf2File({.colorCount = 2}, {1, 2, 3, 4, 5}, {}),
         Status::shortInput},
        {"no stream", lf2File({}, {}, {}), Status::truncatedStream},
        {"stream one byte short", lf2File({}, {}, cutStream), Status::truncatedStream},
        {"width 0", lf2File({.width = 0}, {}, stream), Status::badGeometry},
        {"height 0", lf2File({.height = 0}, {}, stream), Status::badGeometry},
        {"block beyond 32 bits", lf2File({.width = 65535, .height = 65535}, {}, stream),
         Status::badGeometry},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Decoded d;
        decode(c.file, d);
        EXPECT_EQ(d.status, c.status);
    }
}

}  // namespace
}  // namespace vantor::lf2
