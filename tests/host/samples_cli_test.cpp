// The README's main job, checked: the bundled archives listed and extracted
// with their pictures as PNG, every index and colour as drawn.
#include <gtest/gtest.h>

#include "host/png_codec.h"
#include "samples/sample_archives.h"
#include "tests/host/run_vantor.h"
#include "tests/support/temp_dir.h"

namespace vantor {
namespace {

const std::filesystem::path kSamples = VANTOR_TEST_SAMPLES_DIR;

TEST(BundledSamples, ExtractWithPngShowsEveryPictureAsDrawn) {
    test::TempDir dir;
    const auto listed = test::runVantor({"list", (kSamples / "sample.pak").string()}, dir.path());
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("13 members"), std::string::npos);

    const auto run = test::runVantor(
        {"extract", (kSamples / "sample.pak").string(), "--png", "-o", "out"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    for (const samples::SamplePicture& expected : samples::scrambledSamplePictures()) {
        const std::string png = std::filesystem::path(expected.name).stem().string() + ".png";
        SCOPED_TRACE(png);
        EXPECT_NE(run.out.find("out/" + png + "\n"), std::string::npos) << "where it went";
        const host::IndexedImage image =
            host::decodeIndexedPng(test::readFile(dir.path() / "out" / png), png);
        EXPECT_EQ(image.width, expected.width);
        EXPECT_EQ(image.height, expected.height);
        EXPECT_EQ(image.indices, expected.indices);
        ASSERT_EQ(image.palette.size(), expected.palette.size());
        for (size_t i = 0; i < expected.palette.size(); ++i) {
            const auto& c = expected.palette[i];
            EXPECT_EQ(image.palette[i], (host::Rgb{c.red, c.green, c.blue})) << "colour " << i;
        }
    }
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "out" / "README.TXT"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "out" / "PALETTE.DAT"));
}

TEST(BundledSamples, PlainArchiveWithLowerCaseNamesExtractsToo) {
    test::TempDir dir;
    const auto run = test::runVantor(
        {"extract", (kSamples / "plain.pak").string(), "--png", "-o", "out"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "out/title.png\nout/gallery.png\nout/cursor.png\nout/notes.txt\n");
}

}  // namespace
}  // namespace vantor
