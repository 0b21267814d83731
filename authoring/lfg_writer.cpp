#include "authoring/lfg_writer.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "authoring/ring_window_encoder.h"

namespace vantor::authoring {

namespace {

void require(bool ok, const std::string& what) {
    if (!ok) throw std::invalid_argument("LFG: " + what);
}

void putLe16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void validate(const LfgImage& image) {
    require(image.width > 0 && image.width % 8 == 0, "width must be a positive multiple of 8");
    require(image.height > 0, "height must be positive");
    require(image.left % 8 == 0, "left must be a multiple of 8");
    require(image.left / 8 + image.width / 8 - 1 <= 0xFFFF, "left + width beyond 524288 pixels");
    require(image.top + image.height - 1 <= 0xFFFF, "top + height beyond 65536 rows");
    require(image.pixels.size() == size_t{image.width} * image.height,
            "pixel count does not match width × height");
    require(std::all_of(image.pixels.begin(), image.pixels.end(), [](uint8_t p) { return p < 16; }),
            "pixel index above 15");
    for (const Rgb4& c : image.palette) {
        require(c.red < 16 && c.green < 16 && c.blue < 16, "palette component above 15");
    }
}

// The bytes the decoder produces, in the order its sink takes them.
std::vector<uint8_t> producedBytes(const LfgImage& image) {
    const size_t rowBytes = image.width / 2;
    auto packed = [&](size_t row, size_t column) {
        const uint8_t* p = &image.pixels[row * image.width + 2 * column];
        return static_cast<uint8_t>(p[0] << 4 | p[1]);
    };
    std::vector<uint8_t> out;
    out.reserve(rowBytes * image.height);
    if (image.scan == ScanOrder::rows) {
        for (size_t r = 0; r < image.height; ++r)
            for (size_t c = 0; c < rowBytes; ++c) out.push_back(packed(r, c));
    } else {
        for (size_t c = 0; c < rowBytes; ++c)
            for (size_t r = 0; r < image.height; ++r) out.push_back(packed(r, c));
    }
    return out;
}

}  // namespace

uint8_t lfgLiteralFor(uint8_t packed) {
    const unsigned left = packed >> 4, right = packed & 15;
    // Left pixel bits go to literal bits 7, 5, 3, 1; right pixel bits to 6, 4, 2, 0.
    unsigned x = 0;
    for (int k = 0; k < 4; ++k) {
        x |= (left >> k & 1) << (2 * k + 1);
        x |= (right >> k & 1) << (2 * k);
    }
    return static_cast<uint8_t>(x);
}

std::vector<uint8_t> writeLfg(const LfgImage& image, Parse parse) {
    validate(image);
    std::vector<uint8_t> file(48, 0);
    const char magic[] = "LEAFCODE";
    for (int i = 0; i < 8; ++i) file[i] = static_cast<uint8_t>(magic[i]);
    for (int k = 0; k < 8; ++k) {
        const Rgb4 &first = image.palette[2 * k], &second = image.palette[2 * k + 1];
        file[8 + 3 * k] = static_cast<uint8_t>(first.red << 4 | first.green);
        file[9 + 3 * k] = static_cast<uint8_t>(first.blue << 4 | second.red);
        file[10 + 3 * k] = static_cast<uint8_t>(second.green << 4 | second.blue);
    }
    putLe16(file, 32, image.left / 8);
    putLe16(file, 34, image.top);
    putLe16(file, 36, image.left / 8 + image.width / 8 - 1);
    putLe16(file, 38, image.top + image.height - 1);
    file[40] = image.scan == ScanOrder::columns ? 0 : 1;

    std::array<uint8_t, 256> unmap{};
    for (unsigned b = 0; b < 256; ++b) unmap[b] = lfgLiteralFor(static_cast<uint8_t>(b));
    const auto stream =
        encodeRingWindow(producedBytes(image), StreamTransforms{unmap.data(), 0}, parse);
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

}  // namespace vantor::authoring
