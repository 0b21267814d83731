// A picture decoded through a picture filter: the summary and the DIB the
// filter handed out, copied into host memory and checked.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "host/plugin.h"

namespace vantor::host {

using Rgb = std::array<uint8_t, 3>;  // red, green, blue

struct Picture {
    int32_t left = 0;
    int32_t top = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    unsigned bitCount = 0;            // 1, 4 or 8: always indexed
    std::vector<Rgb> palette;         // the colours the info block lists
    std::vector<uint8_t> infoHeader;  // the 40-byte BITMAPINFOHEADER as handed out
    std::vector<uint8_t> rows;        // bottom-up rows of stride() bytes

    size_t stride() const { return (size_t{width} * bitCount + 31) / 32 * 4; }
};

struct PictureSummary {
    int32_t left, top, width, height;
    int colorDepth;
};

// GetPictureInfo with file input.
PictureSummary summarisePicture(const Plugin& plugin, const std::filesystem::path& file);

// GetPictureInfo and GetPicture with file input; `name` names the file in failures.
Picture decodePictureFile(const Plugin& plugin, const std::filesystem::path& file);

// The same with memory input.
Picture decodePictureBytes(const Plugin& plugin, std::span<const uint8_t> bytes,
                           const std::string& name);

}  // namespace vantor::host
