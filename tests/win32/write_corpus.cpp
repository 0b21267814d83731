// Writes the pictures the Windows build is compared on, all made by the
// authoring library: write_corpus OUTDIR
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "authoring/lf2_writer.h"
#include "authoring/lfg_writer.h"

namespace {

using namespace vantor::authoring;

void save(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

LfgImage lfgPicture(uint32_t width, uint32_t height, ScanOrder scan, unsigned seed) {
    std::mt19937 random(seed);
    LfgImage image;
    for (auto& c : image.palette) {
        c = {static_cast<uint8_t>(random() % 16), static_cast<uint8_t>(random() % 16),
             static_cast<uint8_t>(random() % 16)};
    }
    image.left = 8;
    image.top = 3;
    image.width = width;
    image.height = height;
    image.scan = scan;
    image.pixels.resize(size_t{width} * height);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const size_t x = i % width, y = i / width;
        image.pixels[i] =
            static_cast<uint8_t>(random() % 9 == 0 ? random() % 16 : (x / 5 + y / 3) % 16);
    }
    return image;
}

Lf2Image lf2Picture(uint32_t width, uint32_t height, size_t colors, unsigned seed) {
    std::mt19937 random(seed);
    Lf2Image image;
    for (size_t i = 0; i < colors; ++i) {
        image.palette.push_back({static_cast<uint8_t>(random()), static_cast<uint8_t>(random()),
                                 static_cast<uint8_t>(random())});
    }
    image.left = 5;
    image.top = 9;
    image.width = width;
    image.height = height;
    image.pixels.resize(size_t{width} * height);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const size_t x = i % width, y = i / width;
        image.pixels[i] = static_cast<uint8_t>(random() % 7 == 0 ? random() : x * 3 + y / 2);
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_corpus OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const auto rows = writeLfg(lfgPicture(64, 40, ScanOrder::rows, 1));
    save(dir + "/rows.lfg", rows);
    save(dir + "/columns.lfg", writeLfg(lfgPicture(48, 33, ScanOrder::columns, 2)));
    save(dir + "/truncated.lfg", std::vector<uint8_t>(rows.begin(), rows.end() - 7));
    save(dir + "/header-only.lfg", std::vector<uint8_t>(rows.begin(), rows.begin() + 30));

    const auto padded = writeLf2(lf2Picture(37, 21, 256, 3));
    save(dir + "/padded.lf2", padded);
    save(dir + "/unpadded.lf2", writeLf2(lf2Picture(40, 17, 16, 4)));
    save(dir + "/no-palette.lf2", writeLf2(lf2Picture(3, 2, 0, 5)));
    save(dir + "/truncated.lf2", std::vector<uint8_t>(padded.begin(), padded.end() - 3));
    save(dir + "/header-only.lf2", std::vector<uint8_t>(padded.begin(), padded.begin() + 20));
    return 0;
}
