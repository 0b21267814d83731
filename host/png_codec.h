// Indexed (palette) PNG files: what convert and extract write, and what
// encode reads. Colour indices pass through unchanged.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/picture.h"

namespace vantor::host {

struct IndexedImage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<Rgb> palette;
    std::vector<uint8_t> indices;  // one per pixel, rows from the top
};

// A palette PNG of the picture's own bit depth (4 bits for 16 colours, 8 for
// 256). Its palette lists at least every index the pixels use: a filter may
// hand out fewer colours than its pixels refer to, and a PNG may not.
std::vector<uint8_t> encodePng(const Picture& picture, int compressionLevel);

// Reads an indexed PNG of any bit depth; throws Failure naming `name` for
// anything else.
IndexedImage decodeIndexedPng(std::span<const uint8_t> file, const std::string& name);

}  // namespace vantor::host
