// Writes LF2 picture files: the exact inverse of the umbrel decoder.
#pragma once

#include <cstdint>
#include <vector>

#include "authoring/ring_window_encoder.h"

namespace vantor::authoring {

struct Rgb8 {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

struct Lf2Image {
    std::vector<Rgb8> palette;  // up to 256 colours
    uint32_t left = 0;
    uint32_t top = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    // width × height palette indices, rows from the top. Any byte is stored as
    // it is, also one beyond the palette.
    std::vector<uint8_t> pixels;
};

// Throws std::invalid_argument for a picture the format cannot hold.
std::vector<uint8_t> writeLf2(const Lf2Image& image, Parse parse = Parse::optimal);

}  // namespace vantor::authoring
