// Fuzz driver shared by the picture filters: one input is one picture file,
// given to the plug-in's exports as a host gives it, from memory and (for a
// share of the inputs) as a file, and checked against what its header
// announces and what a reference decoder makes of its stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/harness/reference_ring_window.h"

namespace vantor::fuzz {

// What a file's header announces, read by the target from the format's
// description, independently of the plug-in.
struct AnnouncedPicture {
    bool valid = false;  // a picture GetPictureInfo describes and GetPicture may decode
    int32_t left = 0, top = 0, width = 0, height = 0;
    size_t pixelBlockBytes = 0;  // the size of the block GetPicture hands out
    size_t streamOffset = 0;     // where the compressed pixels begin
    size_t producedBytes = 0;    // what the stream must produce to complete the picture
    bool columnOrder = false;
    size_t rowBytes = 0;  // bytes of a pixel-block row the picture fills
    size_t stride = 0;    // bytes from one pixel-block row to the next
};

struct PictureFormat {
    const char* plugin;
    std::vector<uint8_t> magic;  // what recognition compares
    size_t summaryBytes;         // header bytes GetPictureInfo reads
    size_t infoBlockBytes;
    uint16_t bitCount;
    ReferenceHooks hooks;
    // header: summaryBytes bytes, zero beyond the input.
    AnnouncedPicture (*announce)(const uint8_t* header);
    // The info block's colour count and palette, given the whole input.
    bool (*paletteMatches)(const uint8_t* info, const uint8_t* data, size_t size);
    // Where the produced byte `index` lands in the pixel block.
    size_t (*pixelOffset)(const AnnouncedPicture& picture, size_t index);
};

void fuzzPictureFilter(const PictureFormat& format, const uint8_t* data, size_t size);

}  // namespace vantor::fuzz
