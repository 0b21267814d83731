// umbrel driven through its exports, as a host drives it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <random>

#include "authoring/lf2_writer.h"
#include "tests/support/loaded_plugin.h"
#include "tests/support/picture_call.h"
#include "tests/support/temp_dir.h"

namespace vantor {
namespace {

using authoring::Lf2Image;

Lf2Image randomImage(std::mt19937& random, uint32_t width, uint32_t height) {
    Lf2Image image;
    image.palette.resize(1 + random() % 256);
    for (auto& c : image.palette) {
        c = {static_cast<uint8_t>(random()), static_cast<uint8_t>(random()),
             static_cast<uint8_t>(random())};
    }
    image.left = random() % 1000;
    image.top = random() % 1000;
    image.width = width;
    image.height = height;
    image.pixels.resize(size_t{width} * height);
    // Flat runs with some noise: references of many lengths and literals.
    uint8_t colour = 0;
    for (auto& p : image.pixels) {
        if (random() % 8 == 0) colour = static_cast<uint8_t>(random());
        p = random() % 16 == 0 ? static_cast<uint8_t>(random()) : colour;
    }
    return image;
}

std::vector<uint8_t> expectedInfo(const Lf2Image& image) {
    std::vector<uint8_t> info(1078, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) info[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, image.width);
    put32(8, image.height);
    info[12] = 1;  // planes
    info[14] = 8;  // bits per pixel
    put32(32, static_cast<uint32_t>(image.palette.size()));
    for (size_t i = 0; i < image.palette.size(); ++i) {
        info[40 + 4 * i] = image.palette[i].blue;
        info[41 + 4 * i] = image.palette[i].green;
        info[42 + 4 * i] = image.palette[i].red;
    }
    return info;
}

class Umbrel : public test::PictureFilterTest {
protected:
    Umbrel() : PictureFilterTest("umbrel") {}

    int summarise(const std::vector<uint8_t>& file, size_t len, PictureInfoRecord& record) {
        return getPictureInfo(reinterpret_cast<const char*>(file.data()),
                              static_cast<intptr_t>(len), VANTOR_INPUT_MEMORY, &record);
    }

    // Pad bytes have no defined contents: only each row's W pixels are compared.
    void expectPicture(const test::HandedPicture& picture, const Lf2Image& image) {
        ASSERT_EQ(picture.result, 0);
        EXPECT_EQ(picture.info, expectedInfo(image));
        ASSERT_EQ(picture.pixels.size(), (size_t{image.width} + 3) * image.height);
        const size_t stride = (image.width + 3) & ~size_t{3};
        for (size_t row = 0; row < image.height; ++row) {
            const auto fromTop = image.pixels.begin() +
                                 static_cast<ptrdiff_t>((image.height - 1 - row) * image.width);
            const auto got = picture.pixels.begin() + static_cast<ptrdiff_t>(row * stride);
            ASSERT_TRUE(std::equal(fromTop, fromTop + image.width, got)) << "block row " << row;
        }
    }
};

TEST_F(Umbrel, AnswersItsFourStrings) {
    const char* expected[] = {"00IN", "LF2 to DIB filter ver0.13 [Vantor]", "*.lf2", "LF2"};
    for (int i = 0; i < 4; ++i) {
        char buf[100];
        EXPECT_EQ(getPluginInfo(i, buf, sizeof buf), static_cast<int>(std::strlen(expected[i])));
        EXPECT_STREQ(buf, expected[i]);
    }
    EXPECT_EQ(getPluginInfo(4, nullptr, 100), 0);
    EXPECT_FALSE(plugin.exports("GetArchiveInfo"));
}

TEST_F(Umbrel, RecognisesFromBufferOrFromHandle) {
    struct Case {
        const char* head;
        int result;
    };
    for (const Case& c :
         {Case{"LEAF256", -1}, Case{"LEAF25X", -1}, Case{"LEAF2X6", 0}, Case{"LEAFCODE", 0}}) {
        SCOPED_TRACE(c.head);
        uint8_t head[2048] = {};
        std::memcpy(head, c.head, std::strlen(c.head));
        EXPECT_EQ(isSupported("x.lf2", reinterpret_cast<uintptr_t>(head)), c.result);
    }

    const uint8_t picture[] = "LEAF256-and-the-rest-of-the-header";
    const std::string path = dir.write("a.lf2", picture);
    const int fd = open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    lseek(fd, 5, SEEK_SET);  // the filter moves to the start itself
    EXPECT_EQ(isSupported("a.lf2", static_cast<uintptr_t>(fd)), -1);
    EXPECT_EQ(lseek(fd, 0, SEEK_CUR), static_cast<off_t>(sizeof picture));  // after the bytes read
    close(fd);

    const std::string shortPath =
        dir.write("short.lf2", std::vector<uint8_t>{'L', 'E', 'A', 'F', '2'});
    const int shortFd = open(shortPath.c_str(), O_RDONLY);
    ASSERT_GE(shortFd, 0);
    EXPECT_EQ(isSupported("short.lf2", static_cast<uintptr_t>(shortFd)), 0);
    close(shortFd);
}

TEST_F(Umbrel, SummaryReportsTheSizeGetPictureDecodes) {
    std::mt19937 random(1);
    Lf2Image image = randomImage(random, 33, 20);
    image.left = 100;  // beyond the width: right − left readings would go negative
    image.top = 50;
    const auto file = authoring::writeLf2(image);
    const std::string path = dir.write("p.lf2", file);

    PictureInfoRecord fromFile{}, fromOtherKind{}, fromMemory{};
    // With file input len is not used: the header is read from the start.
    ASSERT_EQ(getPictureInfo(path.c_str(), 512, VANTOR_INPUT_FILE, &fromFile), 0);
    ASSERT_EQ(getPictureInfo(path.c_str(), 0, 6, &fromOtherKind), 0);
    ASSERT_EQ(summarise(file, 24, fromMemory), 0);
    for (const PictureInfoRecord& r : {fromFile, fromOtherKind, fromMemory}) {
        EXPECT_EQ(r.left, 100);
        EXPECT_EQ(r.top, 50);
        EXPECT_EQ(r.width, 33);
        EXPECT_EQ(r.height, 20);
        EXPECT_EQ(r.xDensity, 1);
        EXPECT_EQ(r.yDensity, 1);
        EXPECT_EQ(r.colorDepth, 8);
        EXPECT_EQ(r.textInfo, 0u);
    }
    expectPicture(decodeMemory(file, file.size()), image);
}

TEST_F(Umbrel, SummaryRefusesWhatGetPictureRefuses) {
    std::mt19937 random(2);
    const auto good = authoring::writeLf2(randomImage(random, 8, 8));
    struct Case {
        const char* name;
        uint16_t width, height;
    };
    for (const Case& c : {Case{"width 0", 0, 8}, Case{"height 0", 8, 0},
                          Case{"block beyond 32 bits", 65535, 65535}}) {
        SCOPED_TRACE(c.name);
        auto file = good;
        file[12] = static_cast<uint8_t>(c.width);
        file[13] = static_cast<uint8_t>(c.width >> 8);
        file[14] = static_cast<uint8_t>(c.height);
        file[15] = static_cast<uint8_t>(c.height >> 8);
        PictureInfoRecord record{};
        EXPECT_EQ(summarise(file, file.size(), record), -1);
        EXPECT_EQ(getPictureInfo(dir.write("bad.lf2", file).c_str(), 0, 0, &record), -1);
        EXPECT_EQ(decodeMemory(file, file.size()).result, -1);
    }

    PictureInfoRecord record{};
    EXPECT_EQ(summarise(good, 23, record), -1) << "memory shorter than the header";
    EXPECT_EQ(getPictureInfo(reinterpret_cast<const char*>(good.data()), 24, VANTOR_INPUT_MEMORY,
                             nullptr),
              -1)
        << "no record";
    const std::vector<uint8_t> cut(good.begin(), good.begin() + 23);
    EXPECT_EQ(getPictureInfo(dir.write("cut.lf2", cut).c_str(), 0, 0, &record), -1)
        << "file shorter than the header";
    EXPECT_EQ(getPictureInfo((dir.path() / "none.lf2").c_str(), 0, 0, &record), -1)
        << "missing file";
    EXPECT_EQ(getPictureInfo(nullptr, 24, VANTOR_INPUT_MEMORY, &record), -1) << "no memory";
}

TEST_F(Umbrel, RoundTripsRandomPicturesFromFileAndMemory) {
    std::mt19937 random(3);
    struct Size {
        uint32_t width, height;
    };
    for (Size size : {Size{1, 1}, Size{2, 3}, Size{3, 2}, Size{4, 5}, Size{5, 4}, Size{7, 9},
                      Size{8, 8}, Size{10, 3}, Size{33, 17}, Size{64, 47}, Size{641, 400}}) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        const Lf2Image image = randomImage(random, size.width, size.height);
        const auto file = authoring::writeLf2(image);
        expectPicture(decodeMemory(file, file.size()), image);
        // With file input len is not an offset: the picture is read from the start.
        const std::string path = dir.write("p.lf2", file);
        expectPicture(decode(path.c_str(), 4096, VANTOR_INPUT_FILE), image);
    }
}

TEST_F(Umbrel, AnyNonZeroInputKindIsMemoryForGetPicture) {
    std::mt19937 random(4);
    const Lf2Image image = randomImage(random, 6, 6);
    const auto file = authoring::writeLf2(image);
    for (unsigned kind = 1; kind < 8; ++kind) {
        SCOPED_TRACE(testing::Message() << "input kind " << kind);
        expectPicture(decode(reinterpret_cast<const char*>(file.data()),
                             static_cast<intptr_t>(file.size()), kind | 0x100u),
                      image);
    }
}

TEST_F(Umbrel, ReadsFilesLongerThanTheOldSourceLimitWhole) {
    std::mt19937 random(5);
    Lf2Image image = randomImage(random, 640, 600);
    for (auto& p : image.pixels) p = static_cast<uint8_t>(random());  // noise: barely compresses
    const auto file = authoring::writeLf2(image);
    ASSERT_GT(file.size(), 307200u);
    expectPicture(decode(dir.write("big.lf2", file).c_str(), 0, VANTOR_INPUT_FILE), image);
}

TEST_F(Umbrel, TruncatedOrMissingInputHandsNothingOut) {
    std::mt19937 random(6);
    const Lf2Image image = randomImage(random, 30, 30);
    const auto file = authoring::writeLf2(image);
    const size_t streamStart = 24 + 3 * image.palette.size();

    // Memory input stops at len, even with the rest of the file right behind it.
    for (size_t len :
         {size_t{0}, size_t{23}, size_t{24}, streamStart - 1, streamStart, file.size() - 1}) {
        SCOPED_TRACE(testing::Message() << "len " << len);
        EXPECT_EQ(decodeMemory(file, len).result, -1);
        const std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<ptrdiff_t>(len));
        EXPECT_EQ(decode(dir.write("cut.lf2", cut).c_str(), 0, VANTOR_INPUT_FILE).result, -1);
    }
    EXPECT_EQ(decode((dir.path() / "none.lf2").c_str(), 0, VANTOR_INPUT_FILE).result, -1);
    EXPECT_EQ(decode(nullptr, 100, VANTOR_INPUT_MEMORY).result, -1);
    EXPECT_EQ(decodeMemory(file, static_cast<size_t>(-5)).result, -1);  // a negative len

    HLOCAL info = nullptr;
    EXPECT_EQ(
        getPicture(reinterpret_cast<const char*>(file.data()), static_cast<intptr_t>(file.size()),
                   VANTOR_INPUT_MEMORY, &info, nullptr, nullptr, 0),
        -1);
    EXPECT_EQ(info, nullptr);
}

TEST_F(Umbrel, IgnoresStreamBytesAfterThePicture) {
    std::mt19937 random(7);
    const Lf2Image image = randomImage(random, 13, 5);
    auto file = authoring::writeLf2(image);
    file.insert(file.end(), 1000, 0xFF);  // references past the end: cut short, ignored
    expectPicture(decodeMemory(file, file.size()), image);
}

TEST_F(Umbrel, OffersNoPreview) {
    HLOCAL a = nullptr, b = nullptr;
    EXPECT_EQ(getPreview("x", 0, 0, &a, &b, nullptr, 0), -1);
    EXPECT_EQ(getPreview(nullptr, 0, 1, nullptr, nullptr, nullptr, 0), -1);
}

}  // namespace
}  // namespace vantor
