#include "authoring/lf2_writer.h"

#include <stdexcept>
#include <string>

#include "authoring/ring_window_encoder.h"

namespace vantor::authoring {

namespace {

constexpr size_t kHeaderBytes = 24;
constexpr uint8_t kStreamXor = 0xFF;

void require(bool ok, const std::string& what) {
    if (!ok) throw std::invalid_argument("LF2: " + what);
}

void putLe16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void validate(const Lf2Image& image) {
    require(image.palette.size() <= 256, "more than 256 palette colours");
    require(image.left <= 0xFFFF && image.top <= 0xFFFF, "left or top beyond 65535");
    require(image.width > 0 && image.width <= 0xFFFF, "width must be 1 to 65535");
    require(image.height > 0 && image.height <= 0xFFFF, "height must be 1 to 65535");
    // The decoder allocates (W + 3) × H bytes and refuses what exceeds 32 bits.
    require((uint64_t{image.width} + 3) * image.height <= UINT32_MAX,
            "(width + 3) × height beyond 32 bits");
    require(image.pixels.size() == size_t{image.width} * image.height,
            "pixel count does not match width × height");
}

// The bytes the decoder produces: each row's pixels without its pad bytes,
// from the bottom row up.
std::vector<uint8_t> producedBytes(const Lf2Image& image) {
    std::vector<uint8_t> out;
    out.reserve(image.pixels.size());
    for (size_t row = image.height; row-- > 0;) {
        const auto first = image.pixels.begin() + static_cast<ptrdiff_t>(row * image.width);
        out.insert(out.end(), first, first + image.width);
    }
    return out;
}

}  // namespace

std::vector<uint8_t> writeLf2(const Lf2Image& image, Parse parse) {
    validate(image);
    std::vector<uint8_t> file(kHeaderBytes, 0);
    const char magic[] = "LEAF256";  // with its terminating zero: 8 bytes
    for (int i = 0; i < 8; ++i) file[i] = static_cast<uint8_t>(magic[i]);
    putLe16(file, 8, image.left);
    putLe16(file, 10, image.top);
    putLe16(file, 12, image.width);
    putLe16(file, 14, image.height);
    putLe16(file, 22, static_cast<uint32_t>(image.palette.size()));
    for (const Rgb8& c : image.palette) file.insert(file.end(), {c.blue, c.green, c.red});

    const auto stream =
        encodeRingWindow(producedBytes(image), StreamTransforms{nullptr, kStreamXor}, parse);
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

}  // namespace vantor::authoring
