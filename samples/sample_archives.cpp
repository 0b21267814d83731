#include "samples/sample_archives.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <string>

#include "authoring/lf2_writer.h"
#include "authoring/lfg_writer.h"
#include "authoring/pak_writer.h"
#include "authoring/picture_generator.h"

namespace vantor::samples {

namespace {

using authoring::PakMember;
using authoring::PictureKind;
using authoring::ScanOrder;

enum class Format { lfg, lf2 };

struct PictureSample {
    const char* name;
    Format format;
    PictureKind kind;
    uint32_t width;
    uint32_t height;
    uint32_t colours;  // LFG pictures always have 16
    ScanOrder scan;    // LFG only
    uint32_t left;
    uint32_t top;
    uint64_t seed;
};

PictureSample lfg(const char* name, PictureKind kind, uint32_t width, uint32_t height,
                  ScanOrder scan, uint64_t seed) {
    return {name, Format::lfg, kind, width, height, 16, scan, 0, 0, seed};
}

PictureSample lf2(const char* name, PictureKind kind, uint32_t width, uint32_t height,
                  uint32_t colours, uint64_t seed) {
    return {name, Format::lf2, kind, width, height, colours, ScanOrder::rows, 0, 0, seed};
}

PictureSample placedAt(PictureSample sample, uint32_t left, uint32_t top) {
    sample.left = left;
    sample.top = top;
    return sample;
}

using enum PictureKind;
using enum ScanOrder;

const PictureSample kCastle = lf2("CASTLE.LF2", typical, 320, 200, 256, 6);

// Both scan orders, the smallest LFG picture (8 × 1), a picture placed away
// from the origin, and LF2 widths whose decoded rows need 0 to 3 pad bytes.
const PictureSample kScrambledPictures[] = {
    lfg("TOWN.LFG", typical, 320, 200, rows, 1),
    lfg("HARBOUR.LFG", typical, 240, 160, columns, 2),
    lfg("MARKET.LFG", busy, 160, 120, columns, 3),
    placedAt(lfg("SIGN.LFG", flat, 64, 48, rows, 4), 96, 40),
    lfg("DOT.LFG", flat, 8, 1, columns, 5),
    kCastle,
    lf2("VALLEY.LF2", typical, 250, 150, 256, 7),
    lf2("CROWD.LF2", busy, 203, 131, 256, 8),
    lf2("VILLAGE.LF2", typical, 160, 100, 16, 9),
    lf2("BANNER.LF2", flat, 61, 45, 16, 10),
    lf2("SNOW.LF2", noise, 64, 48, 256, 11),
};

// Lower-case names: game files come in either case.
const PictureSample kPlainPictures[] = {
    lfg("title.lfg", typical, 160, 96, rows, 21),
    lf2("gallery.lf2", typical, 180, 120, 256, 22),
    lf2("cursor.lf2", flat, 15, 15, 16, 23),
};

// A fixed key keeps the scrambled archive the same from run to run.
constexpr authoring::PakKey kSampleKey{0x3C, 0xA7, 0x11, 0x5E, 0xD2, 0x84,
                                       0x09, 0x6B, 0xF0, 0x27, 0x93};

authoring::Lf2Image drawLf2(const PictureSample& sample) {
    authoring::Lf2Image image = authoring::makeLf2Picture(sample.kind, sample.width, sample.height,
                                                          sample.seed, sample.colours);
    image.left = sample.left;
    image.top = sample.top;
    return image;
}

authoring::LfgImage drawLfg(const PictureSample& sample) {
    authoring::LfgImage image = authoring::makeLfgPicture(sample.kind, sample.width, sample.height,
                                                          sample.scan, sample.seed);
    image.left = sample.left;
    image.top = sample.top;
    return image;
}

std::vector<uint8_t> encode(const PictureSample& sample) {
    if (sample.format == Format::lf2) return authoring::writeLf2(drawLf2(sample));
    return authoring::writeLfg(drawLfg(sample));
}

SamplePicture shownAs(const PictureSample& sample) {
    if (sample.format == Format::lf2) {
        authoring::Lf2Image image = drawLf2(sample);
        return {sample.name, image.width, image.height, image.palette, image.pixels};
    }
    authoring::LfgImage image = drawLfg(sample);
    std::vector<authoring::Rgb8> palette;
    for (const authoring::Rgb4& c : image.palette) {
        palette.push_back({static_cast<uint8_t>(c.red * 17), static_cast<uint8_t>(c.green * 17),
                           static_cast<uint8_t>(c.blue * 17)});
    }
    return {sample.name, image.width, image.height, palette, image.pixels};
}

const char* kindWords(PictureKind kind) {
    switch (kind) {
        case PictureKind::typical:
            return "a landscape";
        case PictureKind::busy:
            return "a crowded landscape";
        case PictureKind::noise:
            return "random pixels";
        case PictureKind::flat:
            return "flat blocks";
    }
    return "";
}

std::string padded(const std::string& name) {
    return name + std::string(name.size() < 13 ? 13 - name.size() : 1, ' ');
}

// One line of the text member: what a viewer should show for the picture.
std::string describe(const PictureSample& sample) {
    std::string line = padded(sample.name);
    line += sample.format == Format::lfg ? "LFG, " : "LF2, ";
    line += std::to_string(sample.width) + " x " + std::to_string(sample.height) + ", ";
    line += std::to_string(sample.colours) + " colours";
    if (sample.format == Format::lfg) {
        line += sample.scan == ScanOrder::rows ? ", row order" : ", column order";
    }
    if (sample.left != 0 || sample.top != 0) {
        line += ", at " + std::to_string(sample.left) + ", " + std::to_string(sample.top);
    }
    return line + ": " + kindWords(sample.kind) + "\n";
}

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

PakMember textMember(const std::string& name, std::span<const PictureSample> pictures,
                     const std::string& others) {
    std::string text =
        "Vantor sample archive\n"
        "\n"
        "Every picture here was drawn by Vantor's own picture generator and\n"
        "packed by its PAK writer. samples/regenerate in the Vantor source tree\n"
        "writes this archive again, byte for byte.\n"
        "\n";
    for (const PictureSample& sample : pictures) text += describe(sample);
    return {name, bytesOf(text + others + padded(name) + "this text\n")};
}

// A palette file as games keep them beside their pictures: red, green, blue
// for each colour of a 256-colour picture.
PakMember paletteMember() {
    std::vector<uint8_t> bytes;
    for (const authoring::Rgb8& colour : drawLf2(kCastle).palette) {
        bytes.insert(bytes.end(), {colour.red, colour.green, colour.blue});
    }
    return {"PALETTE.DAT", bytes};
}

std::vector<PakMember> pictureMembers(std::span<const PictureSample> pictures) {
    std::vector<PakMember> members;
    for (const PictureSample& sample : pictures) members.push_back({sample.name, encode(sample)});
    return members;
}

}  // namespace

std::vector<uint8_t> makeScrambledSample() {
    const PakMember palette = paletteMember();
    const std::string paletteLine =
        padded(palette.name) + "data, " + std::to_string(palette.bytes.size()) +
        " bytes: the colours of " + kCastle.name + " (red, green, blue)\n";
    std::vector<PakMember> members{textMember("README.TXT", kScrambledPictures, paletteLine)};
    std::ranges::move(pictureMembers(kScrambledPictures), std::back_inserter(members));
    members.push_back(palette);
    return authoring::writeScrambledPak(members, kSampleKey);
}

std::vector<SamplePicture> scrambledSamplePictures() {
    std::vector<SamplePicture> pictures;
    for (const PictureSample& sample : kScrambledPictures) pictures.push_back(shownAs(sample));
    return pictures;
}

std::vector<uint8_t> makePlainSample() {
    std::vector<PakMember> members = pictureMembers(kPlainPictures);
    members.push_back(textMember("notes.txt", kPlainPictures, ""));
    return authoring::writePlainPak(members);
}

}  // namespace vantor::samples
