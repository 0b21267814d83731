// Writes LFG picture files: the exact inverse of the ostrin decoder.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "authoring/ring_window_encoder.h"

namespace vantor::authoring {

// A 12-bit colour: each component 0 to 15 (the decoder widens v to v × 17).
struct Rgb4 {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

enum class ScanOrder { rows, columns };

struct LfgImage {
    std::array<Rgb4, 16> palette{};
    uint32_t left = 0;  // a multiple of 8
    uint32_t top = 0;
    uint32_t width = 0;  // a multiple of 8
    uint32_t height = 0;
    ScanOrder scan = ScanOrder::rows;
    std::vector<uint8_t> pixels;  // width × height indices 0 to 15, rows from the top
};

// Throws std::invalid_argument for a picture the format cannot hold.
std::vector<uint8_t> writeLfg(const LfgImage& image, Parse parse = Parse::optimal);

// The byte a literal stores so that the decoder's bit map yields `packed`
// (left pixel in the high nibble).
uint8_t lfgLiteralFor(uint8_t packed);

}  // namespace vantor::authoring
