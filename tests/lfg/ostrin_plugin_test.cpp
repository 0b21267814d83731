// ostrin driven through its exports, as a host drives it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <random>

#include "authoring/lfg_writer.h"
#include "tests/support/picture_call.h"
#include "tests/support/temp_dir.h"

namespace vantor {
namespace {

using authoring::LfgImage;
using authoring::ScanOrder;

LfgImage randomImage(std::mt19937& random, uint32_t width, uint32_t height, ScanOrder scan) {
    LfgImage image;
    for (auto& c : image.palette) {
        c = {static_cast<uint8_t>(random() % 16), static_cast<uint8_t>(random() % 16),
             static_cast<uint8_t>(random() % 16)};
    }
    image.left = 8 * (random() % 100);
    image.top = random() % 1000;
    image.width = width;
    image.height = height;
    image.scan = scan;
    image.pixels.resize(size_t{width} * height);
    // Flat runs with some noise: references of many lengths and literals.
    uint8_t colour = 0;
    for (auto& p : image.pixels) {
        if (random() % 8 == 0) colour = random() % 16;
        p = random() % 16 == 0 ? static_cast<uint8_t>(random() % 16) : colour;
    }
    return image;
}

// The pixel rows the host should receive: bottom row first, two pixels a byte.
std::vector<uint8_t> expectedRows(const LfgImage& image) {
    std::vector<uint8_t> rows;
    for (uint32_t r = image.height; r-- > 0;) {
        for (uint32_t x = 0; x < image.width; x += 2) {
            const uint8_t* p = &image.pixels[size_t{r} * image.width + x];
            rows.push_back(static_cast<uint8_t>(p[0] << 4 | p[1]));
        }
    }
    return rows;
}

std::vector<uint8_t> expectedInfo(const LfgImage& image) {
    std::vector<uint8_t> info(118, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) info[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, image.width);
    put32(8, image.height);
    info[12] = 1;  // planes
    info[14] = 4;  // bits per pixel
    for (int i = 0; i < 16; ++i) {
        const auto& c = image.palette[i];
        info[40 + 4 * i] = static_cast<uint8_t>(c.blue * 17);
        info[41 + 4 * i] = static_cast<uint8_t>(c.green * 17);
        info[42 + 4 * i] = static_cast<uint8_t>(c.red * 17);
    }
    return info;
}

class Ostrin : public test::PictureFilterTest {
protected:
    Ostrin() : PictureFilterTest("ostrin") {}
    using Picture = test::HandedPicture;

    void expectPicture(const Picture& picture, const LfgImage& image) {
        ASSERT_EQ(picture.result, 0);
        EXPECT_EQ(picture.info, expectedInfo(image));
        const size_t blockSize = (8 * size_t{image.width} + 3) * image.height / 2;
        ASSERT_EQ(picture.pixels.size(), blockSize);
        const auto rows = expectedRows(image);
        EXPECT_TRUE(std::equal(rows.begin(), rows.end(), picture.pixels.begin()))
            << "pixel rows differ";
    }
};

TEST_F(Ostrin, AnswersItsFourStrings) {
    const char* expected[] = {"00IN", "LFG to DIB filter ver0.13 [Vantor]", "*.LFG", "LFG"};
    for (int i = 0; i < 4; ++i) {
        char buf[100];
        EXPECT_EQ(getPluginInfo(i, buf, sizeof buf), static_cast<int>(std::strlen(expected[i])));
        EXPECT_STREQ(buf, expected[i]);
    }
    EXPECT_EQ(getPluginInfo(4, nullptr, 100), 0);
    EXPECT_FALSE(plugin.exports("GetArchiveInfo"));
}

TEST_F(Ostrin, RecognisesFromBufferOrFromHandle) {
    const uint8_t head[2048] = "LEAFCODE";
    uint8_t other[2048] = "LEAFCODX";
    EXPECT_EQ(isSupported("x.lfg", reinterpret_cast<uintptr_t>(head)), -1);
    EXPECT_EQ(isSupported("x.lfg", reinterpret_cast<uintptr_t>(other)), 0);

    const uint8_t picture[] = "LEAFCODE-and-the-rest-of-the-header";
    const std::string path = dir.write("a.lfg", picture);
    const int fd = open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    lseek(fd, 5, SEEK_SET);  // the filter moves to the start itself
    EXPECT_EQ(isSupported("a.lfg", static_cast<uintptr_t>(fd)), -1);
    EXPECT_EQ(lseek(fd, 0, SEEK_CUR), static_cast<off_t>(sizeof picture));  // after the bytes read
    close(fd);

    // A file shorter than the magic: only the bytes read are examined.
    const std::string shortPath = dir.write("short.lfg", std::vector<uint8_t>{'L', 'E', 'A', 'F'});
    const int shortFd = open(shortPath.c_str(), O_RDONLY);
    EXPECT_EQ(isSupported("short.lfg", static_cast<uintptr_t>(shortFd)), 0);
    close(shortFd);
}

TEST_F(Ostrin, SummaryFromFileAtOffsetOrFromMemory) {
    std::mt19937 random(1);
    LfgImage image = randomImage(random, 32, 100, ScanOrder::rows);
    image.left = 16;
    image.top = 10;
    const auto file = authoring::writeLfg(image);

    std::vector<uint8_t> embedded(512, 0xCC);
    embedded.insert(embedded.end(), file.begin(), file.end());
    const std::string path = dir.write("embedded.bin", embedded);

    PictureInfoRecord fromFile{};
    ASSERT_EQ(getPictureInfo(path.c_str(), 512, VANTOR_INPUT_FILE, &fromFile), 0);
    PictureInfoRecord fromMemory{};
    ASSERT_EQ(getPictureInfo(reinterpret_cast<const char*>(file.data()), 44, VANTOR_INPUT_MEMORY,
                             &fromMemory),
              0);
    for (const PictureInfoRecord& r : {fromFile, fromMemory}) {
        EXPECT_EQ(r.left, 16);
        EXPECT_EQ(r.top, 10);
        EXPECT_EQ(r.width, 32);
        EXPECT_EQ(r.height, 100);
        EXPECT_EQ(r.xDensity, 1);
        EXPECT_EQ(r.yDensity, 1);
        EXPECT_EQ(r.colorDepth, 4);
        EXPECT_EQ(r.textInfo, 0u);
    }
}

TEST_F(Ostrin, SummaryRefusals) {
    std::mt19937 random(2);
    auto file = authoring::writeLfg(randomImage(random, 8, 8, ScanOrder::rows));
    const auto* bytes = reinterpret_cast<const char*>(file.data());
    const std::string path = dir.write("p.lfg", file);
    PictureInfoRecord record{};
    EXPECT_EQ(getPictureInfo(bytes, 43, VANTOR_INPUT_MEMORY, &record), -1) << "short memory";
    const auto lastFullOffset = static_cast<intptr_t>(file.size() - 44);
    EXPECT_EQ(getPictureInfo(path.c_str(), lastFullOffset, VANTOR_INPUT_FILE, &record), 0);
    EXPECT_EQ(getPictureInfo(path.c_str(), lastFullOffset + 1, VANTOR_INPUT_FILE, &record), -1)
        << "short file";
    EXPECT_EQ(getPictureInfo((dir.path() / "none").c_str(), 0, 0, &record), -1) << "missing file";
    EXPECT_EQ(getPictureInfo(path.c_str(), -1, VANTOR_INPUT_FILE, &record), -1)
        << "negative offset";
    EXPECT_EQ(getPictureInfo(bytes, 48, VANTOR_INPUT_MEMORY, nullptr), -1) << "no record";
    file[34] = 9;  // y0 = 9 below y1 = 7: height -1
    file[38] = 7;
    EXPECT_EQ(getPictureInfo(bytes, 48, VANTOR_INPUT_MEMORY, &record), -1) << "negative height";
}

TEST_F(Ostrin, RoundTripsRandomPicturesInBothScanOrdersFromFileAndMemory) {
    std::mt19937 random(3);
    struct Size {
        uint32_t width, height;
    };
    for (ScanOrder scan : {ScanOrder::rows, ScanOrder::columns}) {
        for (Size size : {Size{8, 1}, Size{8, 2}, Size{16, 3}, Size{64, 47}, Size{640, 400}}) {
            SCOPED_TRACE(testing::Message() << (scan == ScanOrder::rows ? "rows " : "columns ")
                                            << size.width << "x" << size.height);
            const LfgImage image = randomImage(random, size.width, size.height, scan);
            const auto file = authoring::writeLfg(image);
            expectPicture(decodeMemory(file), image);
            const std::string path = dir.write("p.lfg", file);
            // With file input len is not an offset: the picture is read from the start.
            expectPicture(decode(path.c_str(), 4096, VANTOR_INPUT_FILE), image);
        }
    }
}

TEST_F(Ostrin, DecodesTheTallestColumnOrderPicture) {
    std::mt19937 random(4);
    LfgImage image = randomImage(random, 16, 65536, ScanOrder::columns);
    image.top = 0;
    expectPicture(decodeMemory(authoring::writeLfg(image)), image);
}

TEST_F(Ostrin, ReadsFilesLongerThanTheOldSourceLimitWhole) {
    std::mt19937 random(5);
    LfgImage image = randomImage(random, 640, 1000, ScanOrder::rows);
    for (auto& p : image.pixels) p = random() % 16;  // noise: the stream barely compresses
    const auto file = authoring::writeLfg(image);
    ASSERT_GT(file.size(), 307200u);
    expectPicture(decode(dir.write("big.lfg", file).c_str(), 0, VANTOR_INPUT_FILE), image);
}

TEST_F(Ostrin, TruncatedOrMissingInputHandsNothingOut) {
    std::mt19937 random(6);
    const LfgImage image = randomImage(random, 64, 64, ScanOrder::columns);
    const auto file = authoring::writeLfg(image);

    // Memory input stops at len, even with the rest of the stream right behind it.
    for (size_t len : {size_t{0}, size_t{47}, size_t{48}, file.size() - 1}) {
        SCOPED_TRACE(testing::Message() << "len " << len);
        std::vector<uint8_t> exact(file.begin(), file.begin() + static_cast<ptrdiff_t>(len));
        EXPECT_EQ(decode(reinterpret_cast<const char*>(file.data()), static_cast<intptr_t>(len), 1)
                      .result,
                  -1);
        EXPECT_EQ(decode(dir.write("cut.lfg", exact).c_str(), 0, 0).result, -1);
    }
    EXPECT_EQ(decode((dir.path() / "none.lfg").c_str(), 0, 0).result, -1);
    EXPECT_EQ(decode(nullptr, 100, 1).result, -1);
    EXPECT_EQ(decode(reinterpret_cast<const char*>(file.data()), -5, 1).result, -1);

    HLOCAL info = nullptr;
    EXPECT_EQ(
        getPicture(reinterpret_cast<const char*>(file.data()), 100, 1, &info, nullptr, nullptr, 0),
        -1);
    EXPECT_EQ(info, nullptr);
}

TEST_F(Ostrin, IgnoresStreamBytesAfterThePictureAndRefusesEmptyPictures) {
    std::mt19937 random(7);
    const LfgImage image = randomImage(random, 24, 5, ScanOrder::rows);
    auto file = authoring::writeLfg(image);
    file.insert(file.end(), 1000, 0x00);  // references past the end: cut short, ignored
    expectPicture(decodeMemory(file), image);

    file[32] = 1;  // x0 = 1 and x1 = 0: width 0
    file[33] = 0;
    file[36] = 0;
    file[37] = 0;
    EXPECT_EQ(decodeMemory(file).result, -1);
}

TEST_F(Ostrin, OffersNoPreview) {
    HLOCAL a = nullptr, b = nullptr;
    EXPECT_EQ(getPreview("x", 0, 0, &a, &b, nullptr, 0), -1);
    EXPECT_EQ(getPreview(nullptr, 0, 1, nullptr, nullptr, nullptr, 0), -1);
}

}  // namespace
}  // namespace vantor
