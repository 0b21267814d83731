#include "bench/bench_pictures.h"

namespace vantor::bench {

namespace {

using authoring::PictureKind;
using authoring::ScanOrder;

constexpr uint64_t kSeed = 8;
constexpr PictureKind kKinds[] = {PictureKind::typical, PictureKind::busy, PictureKind::noise,
                                  PictureKind::flat};

// Rows from the top, one index a pixel, into bottom-up rows of packed pixels.
std::vector<uint8_t> bottomUpRows(const std::vector<uint8_t>& indices, uint32_t width,
                                  uint32_t height, bool fourBits) {
    std::vector<uint8_t> rows;
    for (uint32_t row = height; row-- > 0;) {
        const uint8_t* p = indices.data() + size_t{row} * width;
        if (!fourBits) {
            rows.insert(rows.end(), p, p + width);
            continue;
        }
        for (uint32_t x = 0; x < width; x += 2)
            rows.push_back(static_cast<uint8_t>(p[x] << 4 | p[x + 1]));
    }
    return rows;
}

BenchPicture lf2Picture(PictureKind kind) {
    BenchPicture picture{
        std::string("lf2/") + kindName(kind), Format::lf2, kind, {}, {}, {}, {}, {}};
    picture.lf2 = authoring::makeLf2Picture(kind, 640, 480, kSeed);
    picture.file = authoring::writeLf2(picture.lf2);
    picture.rows = bottomUpRows(picture.lf2.pixels, 640, 480, false);
    picture.produced = picture.rows;
    return picture;
}

BenchPicture lfgPicture(PictureKind kind, ScanOrder scan) {
    const bool rows = scan == ScanOrder::rows;
    BenchPicture picture{std::string(rows ? "lfg-rows/" : "lfg-columns/") + kindName(kind),
                         rows ? Format::lfgRows : Format::lfgColumns,
                         kind,
                         {},
                         {},
                         {},
                         {},
                         {}};
    picture.lfg = authoring::makeLfgPicture(kind, 640, 400, scan, kSeed);
    picture.file = authoring::writeLfg(picture.lfg);
    picture.rows = bottomUpRows(picture.lfg.pixels, 640, 400, true);
    // Rows from the top, or byte columns from the left, each from the top.
    constexpr size_t kRowBytes = 320, kHeight = 400;
    for (size_t outer = 0; outer < (rows ? kHeight : kRowBytes); ++outer) {
        for (size_t inner = 0; inner < (rows ? kRowBytes : kHeight); ++inner) {
            const size_t row = rows ? outer : inner, column = rows ? inner : outer;
            picture.produced.push_back(picture.rows[(kHeight - 1 - row) * kRowBytes + column]);
        }
    }
    return picture;
}

}  // namespace

const char* kindName(PictureKind kind) {
    switch (kind) {
        case PictureKind::typical:
            return "typical";
        case PictureKind::busy:
            return "busy";
        case PictureKind::noise:
            return "noise";
        case PictureKind::flat:
            return "flat";
    }
    return "?";
}

const std::vector<BenchPicture>& benchPictures() {
    static const std::vector<BenchPicture> pictures = [] {
        std::vector<BenchPicture> all;
        for (PictureKind kind : kKinds) all.push_back(lf2Picture(kind));
        for (PictureKind kind : kKinds) all.push_back(lfgPicture(kind, ScanOrder::rows));
        for (PictureKind kind : kKinds) all.push_back(lfgPicture(kind, ScanOrder::columns));
        return all;
    }();
    return pictures;
}

}  // namespace vantor::bench
