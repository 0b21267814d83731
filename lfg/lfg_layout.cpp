#include "lfg/lfg_layout.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantor::lfg {

namespace {

#if defined(__SSE2__)

constexpr uint32_t kTile = 16;

// One round of a 16 × 16 byte transpose: neighbouring registers interleaved
// in units of 1, 2, 4 or 8 bytes, the low halves to the first eight places.
template <int kUnitBytes>
void interleave(__m128i (&x)[16]) {
    __m128i lo[8], hi[8];
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) {
        if constexpr (kUnitBytes == 1) {
            lo[i] = _mm_unpacklo_epi8(x[2 * i], x[2 * i + 1]);
            hi[i] = _mm_unpackhi_epi8(x[2 * i], x[2 * i + 1]);
        } else if constexpr (kUnitBytes == 2) {
            lo[i] = _mm_unpacklo_epi16(x[2 * i], x[2 * i + 1]);
            hi[i] = _mm_unpackhi_epi16(x[2 * i], x[2 * i + 1]);
        } else if constexpr (kUnitBytes == 4) {
            lo[i] = _mm_unpacklo_epi32(x[2 * i], x[2 * i + 1]);
            hi[i] = _mm_unpackhi_epi32(x[2 * i], x[2 * i + 1]);
        } else {
            lo[i] = _mm_unpacklo_epi64(x[2 * i], x[2 * i + 1]);
            hi[i] = _mm_unpackhi_epi64(x[2 * i], x[2 * i + 1]);
        }
    }
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) {
        x[i] = lo[i];
        x[8 + i] = hi[i];
    }
}

// Sixteen columns and sixteen rows from the top row `top`, moved as one tile.
// After the four rounds, the register with the bit-reversed index of j holds
// the tile's row j.
void layColumnTile(const uint8_t* produced, uint32_t rowBytes, uint32_t height, uint32_t column,
                   uint32_t top, uint8_t* block) {
    static constexpr int kBitReversed[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};
    const uint8_t* from = produced + size_t{column} * height + top;
    __m128i x[16];
#pragma GCC unroll 16
    for (int i = 0; i < 16; ++i) {
        x[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i * size_t{height}));
    }
    interleave<1>(x);
    interleave<2>(x);
    interleave<4>(x);
    interleave<8>(x);
    // Row `top` of the picture is block row height − 1 − top; later rows lie below it.
    uint8_t* to = block + size_t{height - 1 - top} * rowBytes + column;
#pragma GCC unroll 16
    for (int j = 0; j < 16; ++j) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to - j * size_t{rowBytes}), x[kBitReversed[j]]);
    }
}

#else

constexpr uint32_t kTile = 8;

// Exchanges the bits of `mask << shift` in a with the bits of `mask` in b.
inline void swapAcross(uint64_t& a, uint64_t& b, unsigned shift, uint64_t mask) {
    const uint64_t t = ((a >> shift) ^ b) & mask;
    a ^= t << shift;
    b ^= t;
}

// Eight columns and eight rows from the top row `top`, moved as one tile: the
// 8 × 8 bytes are loaded as eight little-endian words (byte j of word i is
// column i's byte in row j) and transposed by swapping ever smaller blocks
// across the diagonal, 4 × 4, then 2 × 2, then single bytes. Named words
// rather than an array keep the compiler from spilling them.
void layColumnTile(const uint8_t* produced, uint32_t rowBytes, uint32_t height, uint32_t column,
                   uint32_t top, uint8_t* block) {
    const uint8_t* from = produced + size_t{column} * height + top;
    uint64_t m0, m1, m2, m3, m4, m5, m6, m7;
    __builtin_memcpy(&m0, from, 8);
    __builtin_memcpy(&m1, from + height, 8);
    __builtin_memcpy(&m2, from + 2 * size_t{height}, 8);
    __builtin_memcpy(&m3, from + 3 * size_t{height}, 8);
    __builtin_memcpy(&m4, from + 4 * size_t{height}, 8);
    __builtin_memcpy(&m5, from + 5 * size_t{height}, 8);
    __builtin_memcpy(&m6, from + 6 * size_t{height}, 8);
    __builtin_memcpy(&m7, from + 7 * size_t{height}, 8);
    constexpr uint64_t kQuads = 0x00000000FFFFFFFFull, kPairs = 0x0000FFFF0000FFFFull,
                       kBytes = 0x00FF00FF00FF00FFull;
    swapAcross(m0, m4, 32, kQuads);
    swapAcross(m1, m5, 32, kQuads);
    swapAcross(m2, m6, 32, kQuads);
    swapAcross(m3, m7, 32, kQuads);
    swapAcross(m0, m2, 16, kPairs);
    swapAcross(m1, m3, 16, kPairs);
    swapAcross(m4, m6, 16, kPairs);
    swapAcross(m5, m7, 16, kPairs);
    swapAcross(m0, m1, 8, kBytes);
    swapAcross(m2, m3, 8, kBytes);
    swapAcross(m4, m5, 8, kBytes);
    swapAcross(m6, m7, 8, kBytes);
    // Row `top` of the picture is block row height − 1 − top; later rows lie below it.
    uint8_t* to = block + size_t{height - 1 - top} * rowBytes + column;
    __builtin_memcpy(to, &m0, 8);
    __builtin_memcpy(to - rowBytes, &m1, 8);
    __builtin_memcpy(to - 2 * size_t{rowBytes}, &m2, 8);
    __builtin_memcpy(to - 3 * size_t{rowBytes}, &m3, 8);
    __builtin_memcpy(to - 4 * size_t{rowBytes}, &m4, 8);
    __builtin_memcpy(to - 5 * size_t{rowBytes}, &m5, 8);
    __builtin_memcpy(to - 6 * size_t{rowBytes}, &m6, 8);
    __builtin_memcpy(to - 7 * size_t{rowBytes}, &m7, 8);
}

#endif

void layColumnBytes(const uint8_t* produced, uint32_t rowBytes, uint32_t height,
                    uint32_t firstColumn, uint32_t endColumn, uint32_t top, uint32_t endRow,
                    uint8_t* block) {
    for (uint32_t row = top; row < endRow; ++row) {
        uint8_t* line = block + size_t{height - 1 - row} * rowBytes;
        for (uint32_t column = firstColumn; column < endColumn; ++column) {
            line[column] = produced[size_t{column} * height + row];
        }
    }
}

}  // namespace

void flipRows(uint8_t* block, uint32_t rowBytes, uint32_t height) {
    uint8_t* top = block;
    uint8_t* bottom = block + size_t{height - 1} * rowBytes;
    for (; top < bottom; top += rowBytes, bottom -= rowBytes) {
        uint32_t k = 0;
        for (; k + 16 <= rowBytes; k += 16) {
            uint8_t a[16], b[16];
            __builtin_memcpy(a, top + k, 16);
            __builtin_memcpy(b, bottom + k, 16);
            __builtin_memcpy(top + k, b, 16);
            __builtin_memcpy(bottom + k, a, 16);
        }
        for (; k < rowBytes; ++k) {
            const uint8_t t = top[k];
            top[k] = bottom[k];
            bottom[k] = t;
        }
    }
}

void layColumns(const uint8_t* produced, uint32_t rowBytes, uint32_t height, uint8_t* block) {
    const uint32_t tiledColumns = rowBytes - rowBytes % kTile;
    const uint32_t tiledRows = height - height % kTile;
    // A band of rows at a time, so that the rows being written stay in cache.
    for (uint32_t top = 0; top < tiledRows; top += kTile) {
        for (uint32_t column = 0; column < tiledColumns; column += kTile) {
            layColumnTile(produced, rowBytes, height, column, top, block);
        }
    }
    layColumnBytes(produced, rowBytes, height, 0, tiledColumns, tiledRows, height, block);
    layColumnBytes(produced, rowBytes, height, tiledColumns, rowBytes, 0, height, block);
}

}  // namespace vantor::lfg
