// Fuzz target: umbrel, the LF2 filter, through its exports.
#include <cstring>

#include "fuzz/targets/picture_filter_driver.h"

namespace {

using vantor::fuzz::AnnouncedPicture;

constexpr size_t kPaletteOffset = 24;
constexpr unsigned kMaxColours = 256;

unsigned le16(const uint8_t* p) { return p[0] | p[1] << 8; }

AnnouncedPicture announceLf2(const uint8_t* header) {
    AnnouncedPicture picture;
    picture.left = static_cast<int32_t>(le16(header + 8));
    picture.top = static_cast<int32_t>(le16(header + 10));
    picture.width = static_cast<int32_t>(le16(header + 12));
    picture.height = static_cast<int32_t>(le16(header + 14));
    if (picture.width == 0 || picture.height == 0) return picture;
    const uint64_t block = (uint64_t(picture.width) + 3) * uint64_t(picture.height);
    picture.valid = block <= 0xFFFFFFFFu;
    picture.pixelBlockBytes = block;
    picture.streamOffset = kPaletteOffset + 3 * size_t{le16(header + 22)};
    picture.rowBytes = size_t(picture.width);
    picture.stride = (picture.rowBytes + 3) & ~size_t{3};
    picture.producedBytes = picture.rowBytes * size_t(picture.height);
    return picture;
}

// The stream carries the bottom row first, which is also the block's first.
size_t lf2PixelOffset(const AnnouncedPicture& picture, size_t index) {
    return index / picture.rowBytes * picture.stride + index % picture.rowBytes;
}

// The first 256 stored colours (blue, green, red), the rest of the block zero.
bool lf2PaletteMatches(const uint8_t* info, const uint8_t* data, size_t size) {
    const unsigned stored = size >= 24 ? le16(data + 22) : 0;
    const unsigned used = stored < kMaxColours ? stored : kMaxColours;
    if ((info[32] | info[33] << 8 | info[34] << 16 | info[35] << 24) != static_cast<int>(used)) {
        return false;
    }
    for (unsigned i = 0; i < used; ++i) {
        const uint8_t* quad = info + 40 + 4 * i;
        const uint8_t* entry = data + kPaletteOffset + 3 * i;
        if (std::memcmp(quad, entry, 3) != 0 || quad[3] != 0) return false;
    }
    for (size_t at = 40 + 4 * used; at < 1078; ++at) {
        if (info[at] != 0) return false;
    }
    return true;
}

const vantor::fuzz::PictureFormat kLf2 = {
    "umbrel",
    {'L', 'E', 'A', 'F', '2', '5'},
    24,
    1078,
    8,
    {0xFF, nullptr},
    announceLf2,
    lf2PaletteMatches,
    lf2PixelOffset,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vantor::fuzz::fuzzPictureFilter(kLf2, data, size);
    return 0;
}
