#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "authoring/lf2_writer.h"
#include "authoring/lfg_writer.h"
#include "host/commands/commands.h"
#include "host/failure.h"
#include "host/output_file.h"
#include "host/png_codec.h"

namespace vantor::host {

namespace {

std::vector<uint8_t> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure(path, "cannot open");
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string lowerExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

authoring::Parse parseFor(const EncodeOptions& options) {
    return options.fast ? authoring::Parse::lazy : authoring::Parse::optimal;
}

unsigned highestIndex(const IndexedImage& image) {
    unsigned highest = 0;
    for (uint8_t i : image.indices) highest = std::max<unsigned>(highest, i);
    return highest;
}

// LFG colours have 4 bits a component, shown as v × 17: other values are
// rounded to the nearest, and the user told.
authoring::Rgb4 toRgb4(const Rgb& c, bool& rounded) {
    auto narrow = [&](uint8_t v) {
        rounded = rounded || v % 17 != 0;
        return static_cast<uint8_t>((v + 8) / 17);
    };
    return {narrow(c[0]), narrow(c[1]), narrow(c[2])};
}

std::vector<uint8_t> encodeLfg(const IndexedImage& image, const EncodeOptions& options) {
    const std::string& name = options.image;
    if (image.width % 8 != 0) {
        throw Failure(name, "LFG pictures are a multiple of 8 pixels wide; this one is " +
                                std::to_string(image.width));
    }
    if (highestIndex(image) >= 16) {
        throw Failure(name, "uses colour " + std::to_string(highestIndex(image)) +
                                "; LFG pictures have 16 colours (0 to 15)");
    }
    if (options.left % 8 != 0) throw Failure(name, "LFG pictures start at a multiple of 8 pixels");
    authoring::LfgImage lfg;
    bool rounded = false;
    for (size_t i = 0; i < std::min<size_t>(image.palette.size(), 16); ++i) {
        lfg.palette[i] = toRgb4(image.palette[i], rounded);
    }
    if (rounded) {
        std::fprintf(stderr, "vantor: %s: palette rounded to the 12-bit colours of LFG\n",
                     name.c_str());
    }
    lfg.left = options.left;
    lfg.top = options.top;
    lfg.width = image.width;
    lfg.height = image.height;
    lfg.scan =
        options.scan == "columns" ? authoring::ScanOrder::columns : authoring::ScanOrder::rows;
    lfg.pixels = image.indices;
    return authoring::writeLfg(lfg, parseFor(options));
}

std::vector<uint8_t> encodeLf2(const IndexedImage& image, const EncodeOptions& options) {
    authoring::Lf2Image lf2;
    for (const Rgb& c : image.palette) lf2.palette.push_back({c[0], c[1], c[2]});
    lf2.left = options.left;
    lf2.top = options.top;
    lf2.width = image.width;
    lf2.height = image.height;
    lf2.pixels = image.indices;
    return authoring::writeLf2(lf2, parseFor(options));
}

}  // namespace

int runEncode(const EncodeOptions& options) {
    const std::string extension = lowerExtension(options.output);
    if (extension != ".lfg" && extension != ".lf2") {
        throw Failure(options.output, "the output must be named .lfg or .lf2");
    }
    checkWritable(options.output, options.force);
    const IndexedImage image = decodeIndexedPng(readWholeFile(options.image), options.image);
    std::vector<uint8_t> file;
    try {
        file = extension == ".lfg" ? encodeLfg(image, options) : encodeLf2(image, options);
    } catch (const std::invalid_argument& refused) {
        throw Failure(options.image, refused.what());
    }
    writeOutputFile(options.output, file, options.force);
    std::printf("%s\n", options.output.c_str());
    return 0;
}

}  // namespace vantor::host
