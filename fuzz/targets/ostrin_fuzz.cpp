// Fuzz target: ostrin, the LFG filter, through its exports.
#include <cstring>

#include "fuzz/targets/picture_filter_driver.h"

namespace {

using vantor::fuzz::AnnouncedPicture;

unsigned le16(const uint8_t* p) { return p[0] | p[1] << 8; }

AnnouncedPicture announceLfg(const uint8_t* header) {
    const int32_t x0 = static_cast<int32_t>(le16(header + 32));
    const int32_t y0 = static_cast<int32_t>(le16(header + 34));
    AnnouncedPicture picture;
    picture.left = x0 * 8;
    picture.top = y0;
    picture.width = (static_cast<int32_t>(le16(header + 36)) + 1 - x0) * 8;
    picture.height = static_cast<int32_t>(le16(header + 38)) + 1 - y0;
    if (picture.width <= 0 || picture.height <= 0) return picture;
    const uint64_t block = (8 * uint64_t(picture.width) + 3) * uint64_t(picture.height) / 2;
    picture.valid = block <= 0x7FFFFFFF;
    picture.pixelBlockBytes = block;
    picture.streamOffset = 48;
    picture.rowBytes = picture.stride = size_t(picture.width) / 2;
    picture.producedBytes = picture.rowBytes * size_t(picture.height);
    picture.columnOrder = header[40] == 0;
    return picture;
}

// Rows are produced from the top, columns (one byte wide) from the left and
// each from the top; the block's first row is the picture's bottom row.
size_t lfgPixelOffset(const AnnouncedPicture& picture, size_t index) {
    const size_t height = size_t(picture.height);
    if (picture.columnOrder) {
        return (height - 1 - index % height) * picture.stride + index / height;
    }
    return (height - 1 - index / picture.rowBytes) * picture.stride + index % picture.rowBytes;
}

// Sixteen colours of 4 bits a component, widened by 17, no colour count.
bool lfgPaletteMatches(const uint8_t* info, const uint8_t* data, size_t /*size*/) {
    for (int i = 32; i < 36; ++i) {
        if (info[i] != 0) return false;
    }
    for (int k = 0; k < 8; ++k) {
        const unsigned a = data[8 + 3 * k], b = data[9 + 3 * k], c = data[10 + 3 * k];
        const unsigned colours[2][3] = {{a >> 4, a & 15, b >> 4}, {b & 15, c >> 4, c & 15}};
        for (int half = 0; half < 2; ++half) {
            const uint8_t* quad = info + 40 + 4 * (2 * k + half);
            const auto* rgb = colours[half];
            if (quad[0] != rgb[2] * 17 || quad[1] != rgb[1] * 17 || quad[2] != rgb[0] * 17 ||
                quad[3] != 0) {
                return false;
            }
        }
    }
    return true;
}

const vantor::fuzz::PictureFormat kLfg = {
    "ostrin",
    {'L', 'E', 'A', 'F', 'C', 'O', 'D', 'E'},
    44,
    118,
    4,
    {0, vantor::fuzz::lfgLiteralMap()},
    announceLfg,
    lfgPaletteMatches,
    lfgPixelOffset,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vantor::fuzz::fuzzPictureFilter(kLfg, data, size);
    return 0;
}
