// The PNG writer's palette: it must list every index the pixels use, also
// when the picture's own palette is shorter, and the unused bits at the end
// of a row must not count as pixels.
#include <gtest/gtest.h>

#include "host/png_codec.h"

namespace vantor::host {
namespace {

// A picture of the given bottom-up DIB rows (stride included).
Picture makePicture(uint32_t width, uint32_t height, unsigned bitCount, size_t paletteSize,
                    std::vector<uint8_t> rows) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = bitCount;
    for (size_t i = 0; i < paletteSize; ++i) {
        picture.palette.push_back(Rgb{uint8_t(i), uint8_t(2 * i), uint8_t(3 * i)});
    }
    picture.rows = std::move(rows);
    return picture;
}

TEST(PngCodec, PaletteReachesTheHighestIndexUsed) {
    struct Case {
        const char* name;
        Picture picture;
        size_t paletteEntries;
        std::vector<uint8_t> indices;  // rows from the top
    };
    const Case cases[] = {
        {"8 bits, index beyond a 3-colour palette",
         makePicture(2, 2, 8, 3, {7, 0, 0, 0, 200, 1, 0, 0}),
         201,
         {200, 1, 7, 0}},
        {"8 bits, every index within the palette",
         makePicture(1, 1, 8, 16, {15, 0, 0, 0}),
         16,
         {15}},
        {"4 bits, odd width: the last byte's low half is no pixel",
         makePicture(3, 1, 4, 2, {0x19, 0x5F, 0, 0}),
         10,
         {1, 9, 5}},
        {"4 bits, no palette at all", makePicture(2, 1, 4, 0, {0x30, 0, 0, 0}), 4, {3, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IndexedImage png = decodeIndexedPng(encodePng(c.picture, 6), "test");
        EXPECT_EQ(png.palette.size(), c.paletteEntries);
        EXPECT_EQ(png.indices, c.indices);
        for (size_t i = 0; i < c.picture.palette.size(); ++i) {
            EXPECT_EQ(png.palette[i], c.picture.palette[i]);
        }
    }
}

}  // namespace
}  // namespace vantor::host
