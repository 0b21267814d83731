// Writes the corpus the Windows build is compared on, all made by the
// authoring library: pictures of both formats and both LFG scan orders, LF2
// rows with and without pad and palettes of 0 and 256 colours, archives of
// both layouts, and corrupt and truncated files of each kind.
//   write_corpus OUTDIR
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "authoring/lf2_writer.h"
#include "authoring/lfg_writer.h"
#include "authoring/pak_writer.h"
#include "authoring/picture_generator.h"

namespace {

using namespace vantor::authoring;
using Bytes = std::vector<uint8_t>;

void save(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Bytes cut(const Bytes& bytes, size_t dropped) {
    return Bytes(bytes.begin(), bytes.end() - static_cast<ptrdiff_t>(dropped));
}

Bytes head(const Bytes& bytes, size_t kept) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(kept));
}

Bytes lfg(uint32_t width, uint32_t height, ScanOrder scan, PictureKind kind, uint64_t seed) {
    LfgImage image = makeLfgPicture(kind, width, height, scan, seed);
    image.left = 8;
    image.top = 3;
    return writeLfg(image);
}

Bytes lf2(uint32_t width, uint32_t height, uint32_t colours, PictureKind kind, uint64_t seed) {
    Lf2Image image = makeLf2Picture(kind, width, height, seed, colours);
    image.left = 5;
    image.top = 9;
    return writeLf2(image);
}

// No palette at all: the pixels index colours the file does not have.
Bytes lf2WithoutPalette() {
    Lf2Image image = makeLf2Picture(PictureKind::busy, 13, 7, 41, 16);
    image.palette.clear();
    return writeLf2(image);
}

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_corpus OUTDIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";

    const Bytes rows = lfg(64, 40, ScanOrder::rows, PictureKind::typical, 1);
    const Bytes columns = lfg(48, 33, ScanOrder::columns, PictureKind::busy, 2);
    const Bytes padded = lf2(37, 21, 256, PictureKind::typical, 3);
    const Bytes unpadded = lf2(40, 17, 16, PictureKind::busy, 4);
    const Bytes noPalette = lf2WithoutPalette();
    save(dir + "rows.lfg", rows);
    save(dir + "columns.lfg", columns);
    save(dir + "truncated.lfg", cut(rows, 7));
    save(dir + "header-only.lfg", head(rows, 30));
    save(dir + "padded.lf2", padded);
    save(dir + "unpadded.lf2", unpadded);
    save(dir + "no-palette.lf2", noPalette);
    save(dir + "truncated.lf2", cut(padded, 3));
    save(dir + "header-only.lf2", head(padded, 20));

    // Twelve members: the scrambled layout needs at least eleven.
    const std::vector<PakMember> scrambled = {
        {"ROWS.LFG", rows},
        {"COLUMNS.LFG", columns},
        {"PADDED.LF2", padded},
        {"UNPADDED.LF2", unpadded},
        {"NOPAL.LF2", noPalette},
        {"CUT.LFG", cut(rows, 7)},
        {"NOTES.TXT", text("A scrambled archive for the Windows comparison.\n")},
        {"EMPTY.DAT", {}},
        {"SMALL.LFG", lfg(8, 1, ScanOrder::columns, PictureKind::flat, 5)},
        {"FLAT.LF2", lf2(61, 45, 16, PictureKind::flat, 6)},
        {"NOISE.LF2", lf2(16, 16, 256, PictureKind::noise, 7)},
        {"ROWS.LFG", text("a second member of the same name")},
    };
    const Bytes scrambledPak = writeScrambledPak(
        scrambled, PakKey{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB});
    save(dir + "scrambled.pak", scrambledPak);
    save(dir + "bad-directory.pak", cut(scrambledPak, 100));

    const std::vector<PakMember> plain = {
        {"picture.lfg", rows},
        {"picture.lf2", padded},
        {"readme.txt", text("A plain archive for the Windows comparison.\n")},
        {"LARGEST.BIN", Bytes(5000, 0x5A)},
    };
    const Bytes plainPak = writePlainPak(plain);
    save(dir + "plain.pak", plainPak);
    save(dir + "cut-member.pak", cut(plainPak, 1000));
    return 0;
}
