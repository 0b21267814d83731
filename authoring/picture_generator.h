// Draws synthetic pictures in the manner of hand-drawn game art (flat areas,
// ordered-dithered gradients, outlined shapes) for samples, tests and
// benchmarks. The same arguments give the same pixels and palette on every
// platform and standard library: all arithmetic is integer and the random
// source is our own.
#pragma once

#include <cstdint>
#include <vector>

#include "authoring/lf2_writer.h"
#include "authoring/lfg_writer.h"

namespace vantor::authoring {

enum class PictureKind {
    typical,  // sky, hills and a handful of shaded, outlined objects
    busy,     // the same scene crowded with small objects: much detail
    noise,    // every pixel random: hardly compressible
    flat,     // a few large areas of one colour each: compresses best
};

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<Rgb8> palette;     // exactly the colour count asked for
    std::vector<uint8_t> indices;  // width × height, rows from the top
};

// colourCount is 16 or 256; width and height 1 to 65535. Throws
// std::invalid_argument otherwise.
Picture makePicture(PictureKind kind, uint32_t width, uint32_t height, uint32_t colourCount,
                    uint64_t seed);

// A 16-colour picture at left 0, top 0; width a multiple of 8 (the format
// counts columns in units of 8), else std::invalid_argument.
LfgImage makeLfgPicture(PictureKind kind, uint32_t width, uint32_t height, ScanOrder scan,
                        uint64_t seed);

// A picture at left 0, top 0 with colourCount (16 or 256) palette entries.
Lf2Image makeLf2Picture(PictureKind kind, uint32_t width, uint32_t height, uint64_t seed,
                        uint32_t colourCount = 256);

}  // namespace vantor::authoring
