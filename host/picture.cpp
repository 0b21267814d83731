#include "host/picture.h"

#include <cstring>

#include "host/failure.h"
#include "host/handed_block.h"

namespace vantor::host {

namespace {

constexpr size_t kInfoHeaderBytes = 40;

uint32_t le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// A filter leaves the bits after each row's last pixel undefined: they are
// cleared, so that what the host writes never depends on stale memory.
void clearRowPad(Picture& picture) {
    const size_t usedBits = size_t{picture.width} * picture.bitCount;
    const size_t fullBytes = usedBits / 8;
    const unsigned spareBits = 8 - usedBits % 8;  // 8: the last byte is all pad
    for (uint32_t r = 0; r < picture.height; ++r) {
        uint8_t* row = picture.rows.data() + r * picture.stride();
        size_t padFrom = fullBytes;
        if (spareBits != 8) row[padFrom++] &= static_cast<uint8_t>(0xFF << spareBits);
        std::memset(row + padFrom, 0, picture.stride() - padFrom);
    }
}

// Reads the two handed-out blocks into a Picture, refusing blocks that do not
// hold what their header says: another plug-in's mistakes must not become
// ours.
Picture readDib(std::span<const uint8_t> info, std::span<const uint8_t> pixels,
                const std::string& name) {
    if (info.size() < kInfoHeaderBytes || le32(info.data()) < kInfoHeaderBytes ||
        le32(info.data()) > info.size()) {
        throw Failure(name, "the picture filter handed out a malformed info block");
    }
    const auto width = static_cast<int32_t>(le32(info.data() + 4));
    const auto height = static_cast<int32_t>(le32(info.data() + 8));
    const unsigned bitCount = le16(info.data() + 14);
    const uint32_t compression = le32(info.data() + 16);
    const uint32_t colorsUsed = le32(info.data() + 32);
    if (width <= 0 || height <= 0 || compression != 0) {
        throw Failure(name, "the picture filter handed out a DIB this host cannot read");
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8) {
        throw Failure(name, std::to_string(bitCount) + "-bit pictures are not supported");
    }

    Picture picture;
    picture.width = static_cast<uint32_t>(width);
    picture.height = static_cast<uint32_t>(height);
    picture.bitCount = bitCount;
    picture.infoHeader.assign(info.begin(), info.begin() + kInfoHeaderBytes);

    const size_t maxColors = size_t{1} << bitCount;
    const size_t colors = colorsUsed == 0 ? maxColors : colorsUsed;
    const size_t paletteAt = le32(info.data());
    if (colors > maxColors || paletteAt + 4 * colors > info.size()) {
        throw Failure(name, "the picture filter's palette does not fit its info block");
    }
    for (size_t i = 0; i < colors; ++i) {
        const uint8_t* quad = info.data() + paletteAt + 4 * i;
        picture.palette.push_back(Rgb{quad[2], quad[1], quad[0]});
    }

    const size_t rowsSize = picture.stride() * picture.height;
    if (pixels.size() < rowsSize) {
        throw Failure(name,
                      "the picture filter handed out a pixel block too small for the picture");
    }
    picture.rows.assign(pixels.begin(), pixels.begin() + static_cast<ptrdiff_t>(rowsSize));
    clearRowPad(picture);
    return picture;
}

Picture decode(const Plugin& plugin, const char* buf, intptr_t len, unsigned flag,
               const std::string& name) {
    // With memory input len is the byte count; with file input, the offset of
    // the picture in the file.
    const intptr_t infoLen = flag == VANTOR_INPUT_MEMORY ? len : 0;
    PictureInfoRecord record{};
    if (plugin.getPictureInfo(buf, infoLen, flag, &record) != 0) {
        throw Failure(name, "corrupt " + plugin.formatName() + " header");
    }
    HLOCAL infoHandle = nullptr, pixelHandle = nullptr;
    const int result = plugin.getPicture(buf, len, flag, &infoHandle, &pixelHandle, nullptr, 0);
    // Whatever the result, any block handed out is released.
    HandedBlock info(plugin.blocks, result == 0 ? infoHandle : nullptr);
    HandedBlock pixels(plugin.blocks, result == 0 ? pixelHandle : nullptr);
    if (result != 0)
        throw Failure(name, "corrupt or truncated " + plugin.formatName() + " picture");
    Picture picture = readDib(info.bytes(), pixels.bytes(), name);
    picture.left = record.left;
    picture.top = record.top;
    return picture;
}

}  // namespace

PictureSummary summarisePicture(const Plugin& plugin, const std::filesystem::path& file) {
    PictureInfoRecord record{};
    if (plugin.getPictureInfo(file.string().c_str(), 0, VANTOR_INPUT_FILE, &record) != 0) {
        throw Failure(file.string(), "corrupt " + plugin.formatName() + " header");
    }
    return {record.left, record.top, record.width, record.height, record.colorDepth};
}

Picture decodePictureFile(const Plugin& plugin, const std::filesystem::path& file) {
    const std::string path = file.string();
    return decode(plugin, path.c_str(), 0, VANTOR_INPUT_FILE, path);
}

Picture decodePictureBytes(const Plugin& plugin, std::span<const uint8_t> bytes,
                           const std::string& name) {
    return decode(plugin, reinterpret_cast<const char*>(bytes.data()),
                  static_cast<intptr_t>(bytes.size()), VANTOR_INPUT_MEMORY, name);
}

}  // namespace vantor::host
