#include "authoring/lf2_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "frame/ring_window.h"

namespace vantor::authoring {
namespace {

// Collects every produced byte until it has `wanted`.
struct CollectingSink {
    size_t wanted;
    std::vector<uint8_t> bytes;
    bool put(uint8_t b) {
        bytes.push_back(b);
        return bytes.size() == wanted;
    }
};

TEST(Lf2Writer, HeaderPaletteAndComplementedBottomUpStream) {
    Lf2Image image;
    image.palette = {{1, 2, 3}, {0xFF, 0x80, 0x00}};
    image.left = 0x1234;
    image.top = 7;
    image.width = 3;
    image.height = 2;
    image.pixels = {10, 11, 12, 20, 21, 22};
    const auto file = writeLf2(image);

    const std::vector<uint8_t> header = {
        'L',  'E',  'A', 'F',  '2',  '5',  '6', 0,  // magic with its zero
        0x34, 0x12, 7,   0,    3,    0,    2,   0,  // left, top, width, height
        0,    0,    0,   0,    0,    0,    2,   0,  // 6 bytes not interpreted, colour count
        3,    2,    1,   0x00, 0x80, 0xFF,          // palette: blue, green, red
    };
    ASSERT_GT(file.size(), header.size());
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 30), header);

    std::vector<uint8_t> window(kRingWindowBytes, 0);
    CollectingSink sink{6, {}};
    ASSERT_EQ(decodeRingWindow(file.data() + 30, file.size() - 30, StreamHooks{0xFF, nullptr},
                               window.data(), sink),
              Status::ok);
    EXPECT_EQ(sink.bytes, (std::vector<uint8_t>{20, 21, 22, 10, 11, 12}));
}

TEST(Lf2Writer, RefusesWhatTheFormatCannotHold) {
    auto picture = [](uint32_t width, uint32_t height) {
        Lf2Image image;
        image.width = width;
        image.height = height;
        // Pictures too large to make are refused before their pixels are counted.
        if (uint64_t{width} * height < 1'000'000) image.pixels.resize(size_t{width} * height);
        return image;
    };
    struct Case {
        const char* name;
        Lf2Image image;
    };
    Case cases[] = {
        {"257 colours", picture(1, 1)},      {"width 0", picture(0, 1)},
        {"height 0", picture(1, 0)},         {"width 65536", picture(65536, 1)},
        {"height 65536", picture(1, 65536)}, {"block beyond 32 bits", picture(65535, 65535)},
        {"left 65536", picture(1, 1)},       {"top 65536", picture(1, 1)},
        {"pixels missing", picture(4, 4)},
    };
    cases[0].image.palette.resize(257);
    cases[6].image.left = 65536;
    cases[7].image.top = 65536;
    cases[8].image.pixels.pop_back();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(writeLf2(c.image), std::invalid_argument);
    }
    Lf2Image largest = picture(1, 1);
    largest.palette.resize(256);
    largest.left = largest.top = 65535;
    EXPECT_NO_THROW(writeLf2(largest));
}

}  // namespace
}  // namespace vantor::authoring
