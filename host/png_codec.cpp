#include "host/png_codec.h"

#include <spng.h>

#include <algorithm>
#include <array>
#include <memory>

#include "host/failure.h"

namespace vantor::host {

namespace {

struct ContextFree {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};
using Context = std::unique_ptr<spng_ctx, ContextFree>;

void check(int error, const std::string& name, const char* doing) {
    if (error != 0) throw Failure(name, std::string(doing) + ": " + spng_strerror(error));
}

// Rows top-down, each packed at the picture's bit depth as PNG wants them:
// the DIB's rows in the other order, without their pad.
std::vector<uint8_t> pngRows(const Picture& picture) {
    const size_t rowBytes = (size_t{picture.width} * picture.bitCount + 7) / 8;
    std::vector<uint8_t> rows;
    rows.reserve(rowBytes * picture.height);
    for (uint32_t y = 0; y < picture.height; ++y) {
        const uint8_t* row = picture.rows.data() + (picture.height - 1 - y) * picture.stride();
        rows.insert(rows.end(), row, row + rowBytes);
    }
    return rows;
}

// PNG needs a palette entry for every index the rows use. Which byte values
// occur is gathered first, one store per byte and nothing carried from one
// byte to the next; then the highest index packed in any of them. The unused
// low bits of a row's last byte count as index 0.
size_t paletteEntriesNeeded(const Picture& picture, const std::vector<uint8_t>& rows) {
    const unsigned depth = picture.bitCount;
    const size_t rowBytes = (size_t{picture.width} * depth + 7) / 8;
    const auto lastByteMask =
        static_cast<uint8_t>(0xFF << (rowBytes * 8 - size_t{picture.width} * depth));
    std::array<bool, 256> occurs{};
    for (size_t row = 0; row < rows.size(); row += rowBytes) {
        for (size_t k = 0; k + 1 < rowBytes; ++k) occurs[rows[row + k]] = true;
        occurs[rows[row + rowBytes - 1] & lastByteMask] = true;
    }
    unsigned highest = 0;
    for (unsigned byte = 0; byte < 256; ++byte) {
        if (!occurs[byte]) continue;
        for (unsigned shift = 0; shift < 8; shift += depth)
            highest = std::max(highest, byte >> shift & ((1u << depth) - 1));
    }
    return std::max(picture.palette.size(), size_t{highest} + 1);
}

}  // namespace

std::vector<uint8_t> encodePng(const Picture& picture, int compressionLevel) {
    const std::string name = "PNG encoder";
    Context ctx(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!ctx) throw Failure(name, "out of memory");
    check(spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1), name, "setting up");
    check(spng_set_option(ctx.get(), SPNG_IMG_COMPRESSION_LEVEL, compressionLevel), name,
          "setting up");

    spng_ihdr ihdr{};
    ihdr.width = picture.width;
    ihdr.height = picture.height;
    ihdr.bit_depth = static_cast<uint8_t>(picture.bitCount);
    ihdr.color_type = SPNG_COLOR_TYPE_INDEXED;
    check(spng_set_ihdr(ctx.get(), &ihdr), name, "header");

    const std::vector<uint8_t> rows = pngRows(picture);
    spng_plte plte{};
    plte.n_entries = static_cast<uint32_t>(paletteEntriesNeeded(picture, rows));
    for (size_t i = 0; i < picture.palette.size(); ++i) {
        plte.entries[i] = {picture.palette[i][0], picture.palette[i][1], picture.palette[i][2],
                           255};
    }
    check(spng_set_plte(ctx.get(), &plte), name, "palette");

    check(
        spng_encode_image(ctx.get(), rows.data(), rows.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE),
        name, "encoding");
    size_t size = 0;
    int error = 0;
    std::unique_ptr<void, decltype(&free)> png(spng_get_png_buffer(ctx.get(), &size, &error),
                                               &free);
    check(error, name, "encoding");
    const auto* bytes = static_cast<const uint8_t*>(png.get());
    return std::vector<uint8_t>(bytes, bytes + size);
}

IndexedImage decodeIndexedPng(std::span<const uint8_t> file, const std::string& name) {
    Context ctx(spng_ctx_new(0));
    if (!ctx) throw Failure(name, "out of memory");
    spng_set_crc_action(ctx.get(), SPNG_CRC_ERROR, SPNG_CRC_ERROR);
    check(spng_set_png_buffer(ctx.get(), file.data(), file.size()), name, "not a PNG file");

    spng_ihdr ihdr{};
    check(spng_get_ihdr(ctx.get(), &ihdr), name, "not a PNG file");
    if (ihdr.color_type != SPNG_COLOR_TYPE_INDEXED) {
        throw Failure(name,
                      "not an indexed (palette) PNG; convert it to at most 256 colours first");
    }
    spng_plte plte{};
    check(spng_get_plte(ctx.get(), &plte), name, "reading the palette");

    size_t size = 0;
    check(spng_decoded_image_size(ctx.get(), SPNG_FMT_PNG, &size), name, "reading the picture");
    std::vector<uint8_t> packed(size);
    check(spng_decode_image(ctx.get(), packed.data(), packed.size(), SPNG_FMT_PNG, 0), name,
          "reading the picture");

    IndexedImage image;
    image.width = ihdr.width;
    image.height = ihdr.height;
    for (uint32_t i = 0; i < plte.n_entries; ++i) {
        image.palette.push_back(
            Rgb{plte.entries[i].red, plte.entries[i].green, plte.entries[i].blue});
    }
    const unsigned depth = ihdr.bit_depth;
    const size_t rowBytes = (size_t{ihdr.width} * depth + 7) / 8;
    image.indices.reserve(size_t{ihdr.width} * ihdr.height);
    for (uint32_t y = 0; y < ihdr.height; ++y) {
        const uint8_t* row = packed.data() + y * rowBytes;
        for (uint32_t x = 0; x < ihdr.width; ++x) {
            const size_t bit = size_t{x} * depth;
            image.indices.push_back(
                static_cast<uint8_t>(row[bit / 8] >> (8 - depth - bit % 8) & ((1u << depth) - 1)));
        }
    }
    return image;
}

}  // namespace vantor::host
