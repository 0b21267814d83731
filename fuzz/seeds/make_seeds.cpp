// Writes the fuzz targets' seed corpora, all made by the authoring library:
// small valid files of every kind, into OUT/ostrin, OUT/umbrel, OUT/kavrel,
// OUT/ring_window and OUT/decoder_paths. The corpora are generated, never kept
// in the tree.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "authoring/lf2_writer.h"
#include "authoring/lfg_writer.h"
#include "authoring/pak_writer.h"
#include "authoring/picture_generator.h"
#include "authoring/ring_window_encoder.h"

namespace {

namespace fs = std::filesystem;
using namespace vantor::authoring;
using enum PictureKind;
using enum ScanOrder;

void save(const fs::path& folder, const std::string& name, std::span<const uint8_t> bytes) {
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

struct LfgSeed {
    const char* name;
    PictureKind kind;
    uint32_t width, height;
    ScanOrder scan;
};

struct Lf2Seed {
    const char* name;
    PictureKind kind;
    uint32_t width, height, colours, left, top;
};

// Small pictures keep every run fast; both scan orders, and widths whose
// rows need 0 to 3 pad bytes.
const LfgSeed kLfgSeeds[] = {
    {"dot-columns.lfg", flat, 8, 1, columns},    {"strip-rows.lfg", noise, 16, 3, rows},
    {"typical-rows.lfg", typical, 48, 32, rows}, {"typical-columns.lfg", typical, 40, 24, columns},
    {"busy-rows.lfg", busy, 32, 20, rows},       {"flat-columns.lfg", flat, 64, 48, columns},
};
const Lf2Seed kLf2Seeds[] = {
    {"dot.lf2", flat, 1, 1, 16, 0, 0},         {"pad3.lf2", noise, 5, 4, 16, 0, 0},
    {"pad2.lf2", typical, 30, 17, 256, 0, 0},  {"pad1.lf2", busy, 23, 19, 256, 0, 0},
    {"placed.lf2", flat, 40, 30, 16, 120, 56}, {"wide.lf2", typical, 64, 12, 256, 0, 0},
};

std::vector<uint8_t> lfgFile(const LfgSeed& seed, uint64_t n) {
    return writeLfg(makeLfgPicture(seed.kind, seed.width, seed.height, seed.scan, n));
}

std::vector<uint8_t> lf2File(const Lf2Seed& seed, uint64_t n) {
    Lf2Image image = makeLf2Picture(seed.kind, seed.width, seed.height, n, seed.colours);
    image.left = seed.left;
    image.top = seed.top;
    return writeLf2(image);
}

void writePictureSeeds(const fs::path& out) {
    uint64_t n = 1;
    for (const LfgSeed& seed : kLfgSeeds) save(out / "ostrin", seed.name, lfgFile(seed, n++));
    for (const Lf2Seed& seed : kLf2Seeds) save(out / "umbrel", seed.name, lf2File(seed, n++));
}

std::vector<PakMember> members(size_t count, bool plainNames) {
    std::vector<PakMember> list;
    for (size_t i = 0; i < count; ++i) {
        std::string name = (plainNames ? "FILE" : "F") + std::to_string(100 + i) + ".DAT";
        list.push_back({name, std::vector<uint8_t>(i % 7 * 5, static_cast<uint8_t>(i * 37))});
    }
    return list;
}

void writeArchiveSeeds(const fs::path& out) {
    const fs::path folder = out / "kavrel";
    const PakKey key = {3, 141, 59, 26, 53, 58, 97, 93, 23, 84, 62};
    save(folder, "scrambled-empty.pak", writeScrambledPak({}, key));
    save(folder, "scrambled-11.pak", writeScrambledPak(members(11, false), key));
    std::vector<PakMember> pictures = members(11, false);
    pictures[0] = {"DOT.LFG", lfgFile(kLfgSeeds[0], 1)};
    pictures[1] = {"PAD3.LF2", lf2File(kLf2Seeds[1], 2)};
    pictures[2] = {"TWIN.DAT", {1, 2, 3}};
    pictures[3] = {"TWIN.DAT", {4, 5}};
    save(folder, "scrambled-pictures.pak", writeScrambledPak(pictures, key));
    save(folder, "plain-1.pak", writePlainPak(members(1, true)));
    save(folder, "plain-5.pak", writePlainPak(members(5, true)));
    // Beyond entry 72, recognition no longer looks at the names.
    std::vector<PakMember> many = members(74, true);
    many[73].name = "X";
    save(folder, "plain-74.pak", writePlainPak(many));
    std::vector<uint8_t> cut = writePlainPak(members(6, true));
    cut.resize(cut.size() - 10);
    save(folder, "plain-cut-short.pak", cut);
}

// Hooks byte, the produced length less one (two bytes), then the stream.
std::vector<uint8_t> ringWindowInput(bool lf2, std::span<const uint8_t> produced) {
    uint8_t unmap[256];
    for (unsigned packed = 0; packed < 256; ++packed)
        unmap[packed] = lfgLiteralFor(uint8_t(packed));
    const StreamTransforms transforms =
        lf2 ? StreamTransforms{nullptr, 0xFF} : StreamTransforms{unmap, 0};
    const size_t wanted = produced.size() - 1;
    std::vector<uint8_t> input = {uint8_t(lf2), uint8_t(wanted), uint8_t(wanted >> 8)};
    const std::vector<uint8_t> stream = encodeRingWindow(produced, transforms);
    input.insert(input.end(), stream.begin(), stream.end());
    return input;
}

void writeRingWindowSeeds(const fs::path& out) {
    const fs::path folder = out / "ring_window";
    int n = 0;
    for (const PictureKind kind : {typical, busy, noise, flat}) {
        const Picture picture = makePicture(kind, 48, 24, 256, 40 + n);
        for (const bool lf2 : {false, true}) {
            const std::string name = std::string(lf2 ? "lf2-" : "lfg-") + std::to_string(n);
            save(folder, name, ringWindowInput(lf2, picture.indices));
        }
        ++n;
    }
    const std::vector<uint8_t> zeros(300, 0);
    save(folder, "lfg-window-zeros", ringWindowInput(false, zeros));
    save(folder, "lf2-window-zeros", ringWindowInput(true, zeros));
}

// The fast and the plain decoder compared: the ring-window inputs as they
// are (mode 0 or 1), and the picture files behind a mode byte (2: LFG, 3: LF2).
void writeDecoderPathSeeds(const fs::path& out) {
    const fs::path folder = out / "decoder_paths";
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(out / "ring_window")) {
        fs::copy_file(entry.path(), folder / entry.path().filename(),
                      fs::copy_options::overwrite_existing);
    }
    uint64_t n = 1;
    for (const LfgSeed& seed : kLfgSeeds) {
        std::vector<uint8_t> input = {2};
        const std::vector<uint8_t> file = lfgFile(seed, n++);
        input.insert(input.end(), file.begin(), file.end());
        save(folder, std::string("picture-") + seed.name, input);
    }
    for (const Lf2Seed& seed : kLf2Seeds) {
        std::vector<uint8_t> input = {3};
        const std::vector<uint8_t> file = lf2File(seed, n++);
        input.insert(input.end(), file.begin(), file.end());
        save(folder, std::string("picture-") + seed.name, input);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT\n", argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    writePictureSeeds(out);
    writeArchiveSeeds(out);
    writeRingWindowSeeds(out);
    writeDecoderPathSeeds(out);
    return 0;
}
