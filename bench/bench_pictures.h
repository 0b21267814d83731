// The benchmark pictures, drawn by our own generator: each kind at the size
// the game uses, as LF2 (640 × 480, 8 bits) and as LFG (640 × 400, 4 bits) in
// both scan orders, with the pixel rows a decoder must hand out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "authoring/picture_generator.h"

namespace vantor::bench {

enum class Format { lf2, lfgRows, lfgColumns };

struct BenchPicture {
    std::string name;  // "lf2/typical", "lfg-rows/busy", ...
    Format format;
    authoring::PictureKind kind;
    std::vector<uint8_t> file;  // written with the optimal parse
    // The pixel block's rows as the plug-in hands them out, bottom row first,
    // pad bytes excluded (there are none at these widths).
    std::vector<uint8_t> rows;
    // The bytes the ring-window stream carries, in production order.
    std::vector<uint8_t> produced;
    authoring::Lf2Image lf2;
    authoring::LfgImage lfg;
};

const std::vector<BenchPicture>& benchPictures();

const char* kindName(authoring::PictureKind kind);

}  // namespace vantor::bench
