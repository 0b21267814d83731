// The picture generator: reproducible, within its colour count, distinct in
// character per kind, and its pictures come back unchanged through the
// writers and the picture plug-ins.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "authoring/picture_generator.h"
#include "tests/support/picture_call.h"

namespace vantor {
namespace {

using authoring::PictureKind;
using authoring::ScanOrder;

constexpr PictureKind kKinds[] = {PictureKind::typical, PictureKind::busy, PictureKind::noise,
                                  PictureKind::flat};

std::vector<uint8_t> paletteBytes(const std::vector<authoring::Rgb8>& palette) {
    std::vector<uint8_t> bytes;
    for (const auto& c : palette) bytes.insert(bytes.end(), {c.red, c.green, c.blue});
    return bytes;
}

std::vector<uint8_t> paletteBytes(const std::array<authoring::Rgb4, 16>& palette) {
    std::vector<uint8_t> bytes;
    for (const auto& c : palette) {
        bytes.insert(bytes.end(),
                     {static_cast<uint8_t>(c.red * 17), static_cast<uint8_t>(c.green * 17),
                      static_cast<uint8_t>(c.blue * 17)});
    }
    return bytes;
}

uint32_t le32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

// A handed-out bitmap read back into what the generator made: the palette
// as red, green, blue bytes and the indices with rows from the top.
struct ReadBack {
    std::vector<uint8_t> palette;
    std::vector<uint8_t> indices;
};

ReadBack readBack(const test::HandedPicture& picture) {
    const uint32_t width = le32(picture.info, 4);
    const uint32_t height = le32(picture.info, 8);
    const unsigned bits = picture.info[14];
    const uint32_t colours = bits == 4 ? 16 : le32(picture.info, 32);
    ReadBack result;
    for (uint32_t i = 0; i < colours; ++i) {
        const uint8_t* quad = &picture.info[40 + 4 * i];
        result.palette.insert(result.palette.end(), {quad[2], quad[1], quad[0]});
    }
    const size_t stride = (size_t{width} * bits + 31) / 32 * 4;
    EXPECT_GE(picture.pixels.size(), stride * height);
    for (uint32_t y = height; y-- > 0;) {
        const uint8_t* row = &picture.pixels[y * stride];
        for (uint32_t x = 0; x < width; ++x) {
            result.indices.push_back(bits == 8 ? row[x] : (row[x / 2] >> (x % 2 ? 0 : 4)) & 15);
        }
    }
    return result;
}

test::HandedPicture decodeWith(const test::LoadedPlugin& plugin, const std::vector<uint8_t>& file) {
    return test::callGetPicture(plugin, plugin.get<GetPictureFn>("GetPicture"),
                                reinterpret_cast<const char*>(file.data()),
                                static_cast<intptr_t>(file.size()), VANTOR_INPUT_MEMORY);
}

TEST(PictureGenerator, SameSeedGivesTheSameBytesAndAnotherSeedAnotherPicture) {
    for (PictureKind kind : kKinds) {
        for (uint32_t colours : {16u, 256u}) {
            SCOPED_TRACE(testing::Message()
                         << "kind " << static_cast<int>(kind) << ", " << colours << " colours");
            const auto first = authoring::makePicture(kind, 96, 64, colours, 5);
            const auto again = authoring::makePicture(kind, 96, 64, colours, 5);
            const auto other = authoring::makePicture(kind, 96, 64, colours, 6);
            EXPECT_EQ(first.indices, again.indices);
            EXPECT_EQ(paletteBytes(first.palette), paletteBytes(again.palette));
            EXPECT_NE(first.indices, other.indices);
        }
    }
}

TEST(PictureGenerator, IndicesStayWithinTheColourCountAtAnySize) {
    struct Size {
        uint32_t width;
        uint32_t height;
    };
    for (PictureKind kind : kKinds) {
        for (uint32_t colours : {16u, 256u}) {
            for (Size size : {Size{1, 1}, Size{7, 3}, Size{2, 500}, Size{500, 2}, Size{320, 200}}) {
                SCOPED_TRACE(testing::Message()
                             << "kind " << static_cast<int>(kind) << ", " << colours << " colours, "
                             << size.width << " x " << size.height);
                const auto picture =
                    authoring::makePicture(kind, size.width, size.height, colours, 9);
                EXPECT_EQ(picture.width, size.width);
                EXPECT_EQ(picture.height, size.height);
                EXPECT_EQ(picture.palette.size(), colours);
                ASSERT_EQ(picture.indices.size(), size_t{size.width} * size.height);
                EXPECT_LT(*std::ranges::max_element(picture.indices), colours);
            }
        }
    }
}

// Benchmarks rely on the kinds spanning the range of compressibility.
TEST(PictureGenerator, KindsRangeFromFlatToNoiseInCompressedSize) {
    auto fileSize = [](PictureKind kind) {
        return authoring::writeLf2(authoring::makeLf2Picture(kind, 320, 200, 3)).size();
    };
    EXPECT_LT(fileSize(PictureKind::flat), fileSize(PictureKind::typical));
    EXPECT_LT(fileSize(PictureKind::typical), fileSize(PictureKind::busy));
    EXPECT_LT(fileSize(PictureKind::busy), fileSize(PictureKind::noise));
}

TEST(PictureGenerator, RefusesWhatNoPictureOrFormatCanHold) {
    EXPECT_THROW(authoring::makePicture(PictureKind::typical, 64, 64, 17, 1),
                 std::invalid_argument);
    EXPECT_THROW(authoring::makePicture(PictureKind::typical, 0, 64, 16, 1), std::invalid_argument);
    EXPECT_THROW(authoring::makePicture(PictureKind::typical, 64, 0, 16, 1), std::invalid_argument);
    EXPECT_THROW(authoring::makeLfgPicture(PictureKind::typical, 60, 64, ScanOrder::rows, 1),
                 std::invalid_argument);
    EXPECT_THROW(authoring::makeLf2Picture(PictureKind::typical, 64, 64, 1, 100),
                 std::invalid_argument);
}

TEST(PictureGenerator, LfgPicturesComeBackThroughOstrinInBothScanOrders) {
    test::LoadedPlugin ostrin("ostrin");
    for (ScanOrder scan : {ScanOrder::rows, ScanOrder::columns}) {
        for (PictureKind kind : kKinds) {
            SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(kind) << ", "
                                            << (scan == ScanOrder::rows ? "rows" : "columns"));
            const auto image = authoring::makeLfgPicture(kind, 120, 75, scan, 4);
            EXPECT_EQ(image.scan, scan);
            const auto picture = decodeWith(ostrin, authoring::writeLfg(image));
            ASSERT_EQ(picture.result, VANTOR_OK);
            const ReadBack back = readBack(picture);
            EXPECT_EQ(back.palette, paletteBytes(image.palette));
            EXPECT_EQ(back.indices, image.pixels);
        }
    }
}

// Widths 61 to 64 need 3, 2, 1 and 0 pad bytes in each decoded row.
TEST(PictureGenerator, Lf2PicturesComeBackThroughUmbrelAtEveryRowPad) {
    test::LoadedPlugin umbrel("umbrel");
    for (uint32_t width : {61u, 62u, 63u, 64u}) {
        for (uint32_t colours : {16u, 256u}) {
            SCOPED_TRACE(testing::Message() << "width " << width << ", " << colours << " colours");
            const auto image = authoring::makeLf2Picture(PictureKind::busy, width, 50, 8, colours);
            const auto picture = decodeWith(umbrel, authoring::writeLf2(image));
            ASSERT_EQ(picture.result, VANTOR_OK);
            const ReadBack back = readBack(picture);
            EXPECT_EQ(back.palette, paletteBytes(image.palette));
            EXPECT_EQ(back.indices, image.pixels);
        }
    }
}

}  // namespace
}  // namespace vantor
