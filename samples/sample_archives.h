// The two bundled sample archives, built in memory from pictures the
// authoring library draws. The same bytes on every run and every platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "authoring/lf2_writer.h"

namespace vantor::samples {

// sample.pak: the scrambled layout, pictures of both formats, a text and a
// data member.
std::vector<uint8_t> makeScrambledSample();

// plain.pak: the plain layout, a few pictures and a text member.
std::vector<uint8_t> makePlainSample();

// What a viewer shows for a picture member: its colour indices (rows from the
// top) and its palette at 8 bits a component.
struct SamplePicture {
    std::string name;
    uint32_t width;
    uint32_t height;
    std::vector<authoring::Rgb8> palette;
    std::vector<uint8_t> indices;
};

// The picture members of sample.pak, in archive order.
std::vector<SamplePicture> scrambledSamplePictures();

}  // namespace vantor::samples
