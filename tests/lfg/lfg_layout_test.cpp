// The fast path's layout pass against the layout written out byte by byte:
// rows flipped in place and columns transposed, on shapes on and off the
// transpose's tiles.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "lfg/lfg_layout.h"

namespace vantor::lfg {
namespace {

struct Shape {
    uint32_t rowBytes, height;
};
constexpr Shape kShapes[] = {{4, 1},   {4, 33},  {16, 16}, {16, 32},  {17, 31},
                             {32, 47}, {48, 64}, {40, 95}, {320, 400}};

std::vector<uint8_t> randomBytes(size_t count, std::mt19937& random) {
    std::vector<uint8_t> bytes(count);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

TEST(LfgLayout, ColumnsTransposed) {
    std::mt19937 random(53);
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(testing::Message() << shape.rowBytes << " bytes × " << shape.height);
        const auto produced = randomBytes(size_t{shape.rowBytes} * shape.height, random);
        // Block row 0 is the picture's bottom row; column c of the produced
        // bytes is byte c of every row.
        std::vector<uint8_t> expected(produced.size());
        for (uint32_t c = 0; c < shape.rowBytes; ++c) {
            for (uint32_t r = 0; r < shape.height; ++r) {
                expected[size_t{shape.height - 1 - r} * shape.rowBytes + c] =
                    produced[size_t{c} * shape.height + r];
            }
        }
        std::vector<uint8_t> block(produced.size(), 0xC5);
        layColumns(produced.data(), shape.rowBytes, shape.height, block.data());
        EXPECT_EQ(block, expected);
    }
}

TEST(LfgLayout, RowsFlippedInPlace) {
    std::mt19937 random(59);
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(testing::Message() << shape.rowBytes << " bytes × " << shape.height);
        const auto rows = randomBytes(size_t{shape.rowBytes} * shape.height, random);
        std::vector<uint8_t> expected;
        for (uint32_t r = shape.height; r-- > 0;) {
            expected.insert(expected.end(), rows.begin() + size_t{r} * shape.rowBytes,
                            rows.begin() + size_t{r + 1} * shape.rowBytes);
        }
        std::vector<uint8_t> block = rows;
        flipRows(block.data(), shape.rowBytes, shape.height);
        EXPECT_EQ(block, expected);
    }
}

}  // namespace
}  // namespace vantor::lfg
