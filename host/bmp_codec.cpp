#include "host/bmp_codec.h"

namespace vantor::host {

namespace {

void putLe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> encodeBmp(const Picture& picture) {
    // BITMAPFILEHEADER: "BM", file size, two reserved words, offset of the rows.
    // The palette holds as many entries as the info header says it does.
    const size_t colorsInHeader = size_t{1} << picture.bitCount;
    const uint32_t colorsUsed = picture.infoHeader[32] | picture.infoHeader[33] << 8 |
                                picture.infoHeader[34] << 16 |
                                static_cast<uint32_t>(picture.infoHeader[35]) << 24;
    const size_t colors = colorsUsed == 0 ? colorsInHeader : colorsUsed;
    const size_t rowsAt = 14 + picture.infoHeader.size() + 4 * colors;

    std::vector<uint8_t> file{'B', 'M'};
    putLe32(file, static_cast<uint32_t>(rowsAt + picture.rows.size()));
    putLe32(file, 0);
    putLe32(file, static_cast<uint32_t>(rowsAt));
    file.insert(file.end(), picture.infoHeader.begin(), picture.infoHeader.end());
    for (size_t i = 0; i < colors; ++i) {
        const Rgb c = i < picture.palette.size() ? picture.palette[i] : Rgb{0, 0, 0};
        file.insert(file.end(), {c[2], c[1], c[0], 0});
    }
    file.insert(file.end(), picture.rows.begin(), picture.rows.end());
    return file;
}

}  // namespace vantor::host
