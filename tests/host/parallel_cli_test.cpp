// vantor convert and extract with several jobs at once: the same files, the
// same output lines in the order of the inputs, and each failure reported for
// its own file, as with one job. And encode's two parses.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "authoring/pak_writer.h"
#include "authoring/picture_generator.h"
#include "tests/host/run_vantor.h"
#include "tests/support/temp_dir.h"

namespace vantor {
namespace {

using authoring::PictureKind;

// Pictures of both formats and all kinds, with a cut-short one and a
// non-picture among them.
std::vector<authoring::PakMember> mixedFiles() {
    std::vector<authoring::PakMember> files;
    const PictureKind kinds[] = {PictureKind::typical, PictureKind::busy, PictureKind::noise,
                                 PictureKind::flat};
    for (int n = 0; n < 12; ++n) {
        const PictureKind kind = kinds[n % 4];
        const std::string name = "PICT" + std::to_string(10 + n);
        if (n % 2 == 0) {
            files.push_back({name + ".LF2", authoring::writeLf2(authoring::makeLf2Picture(
                                                kind, 40 + 3 * n, 30, n))});
        } else {
            files.push_back({name + ".LFG", authoring::writeLfg(authoring::makeLfgPicture(
                                                kind, 48, 20 + n, authoring::ScanOrder::rows, n))});
        }
    }
    files[5].bytes.resize(files[5].bytes.size() / 2);
    files.push_back({"NOTES.TXT", {'h', 'i', '\n'}});
    return files;
}

struct Outcome {
    test::Run run;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
};

Outcome outcomeIn(const test::TempDir& dir, const std::vector<std::string>& args,
                  const std::string& outputFolder) {
    Outcome outcome{test::runVantor(args, dir.path()), {}};
    std::vector<std::filesystem::path> written;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path() / outputFolder)) {
        written.push_back(entry.path());
    }
    std::sort(written.begin(), written.end());
    for (const auto& path : written) {
        outcome.files.emplace_back(path.filename().string(), test::readFile(path));
    }
    return outcome;
}

void expectSameOutcome(const Outcome& oneJob, const Outcome& fourJobs) {
    EXPECT_EQ(fourJobs.run.status, oneJob.run.status);
    EXPECT_EQ(fourJobs.run.out, oneJob.run.out);
    EXPECT_EQ(fourJobs.run.err, oneJob.run.err);
    EXPECT_EQ(fourJobs.files, oneJob.files);
}

TEST(VantorJobs, ConvertInInputOrderWithFailuresPerFile) {
    test::TempDir dir;
    std::vector<std::string> pictures;
    for (const auto& file : mixedFiles()) pictures.push_back(dir.write(file.name, file.bytes));
    auto outcomeWith = [&](const char* jobs) {
        std::filesystem::remove_all(dir.path() / "out");
        std::vector<std::string> args = {"convert", "-o", "out", "-j", jobs};
        args.insert(args.end(), pictures.begin(), pictures.end());
        return outcomeIn(dir, args, "out");
    };
    const Outcome oneJob = outcomeWith("1");
    EXPECT_EQ(oneJob.run.status, 1);
    EXPECT_EQ(oneJob.files.size(), 11u);  // all but the cut-short picture and the text
    expectSameOutcome(oneJob, outcomeWith("4"));
    // Two failures, in the order of the inputs: the cut-short picture, then the text.
    EXPECT_LT(oneJob.run.err.find("PICT15.LFG"), oneJob.run.err.find("NOTES.TXT"));
}

TEST(VantorJobs, ExtractPngInMemberOrderWithFailuresPerMember) {
    test::TempDir dir;
    dir.write("game.pak", authoring::writeScrambledPak(mixedFiles()));
    auto outcomeWith = [&](const char* jobs) {
        std::filesystem::remove_all(dir.path() / "out");
        return outcomeIn(dir, {"extract", "game.pak", "-o", "out", "--png", "-j", jobs}, "out");
    };
    const Outcome oneJob = outcomeWith("1");
    EXPECT_EQ(oneJob.run.status, 1);
    EXPECT_NE(oneJob.run.err.find("PICT15.LFG"), std::string::npos);
    EXPECT_EQ(oneJob.files.size(), 12u);  // eleven pictures and the text as stored
    expectSameOutcome(oneJob, outcomeWith("4"));
}

TEST(VantorEncode, SmallestStreamByDefaultAndLazyWithFast) {
    test::TempDir dir;
    // A picture to encode: one converted from a file the authoring library wrote.
    dir.write("source.lf2",
              authoring::writeLf2(authoring::makeLf2Picture(PictureKind::busy, 120, 80, 3)));
    ASSERT_EQ(test::runVantor({"convert", "source.lf2"}, dir.path()).status, 0);
    ASSERT_EQ(test::runVantor({"encode", "source.png", "-o", "small.lf2"}, dir.path()).status, 0);
    ASSERT_EQ(
        test::runVantor({"encode", "source.png", "-o", "quick.lf2", "--fast"}, dir.path()).status,
        0);
    EXPECT_LE(std::filesystem::file_size(dir.path() / "small.lf2"),
              std::filesystem::file_size(dir.path() / "quick.lf2"));
    for (const char* name : {"small", "quick"}) {
        ASSERT_EQ(test::runVantor({"convert", std::string(name) + ".lf2"}, dir.path()).status, 0);
        EXPECT_EQ(test::readFile(dir.path() / (std::string(name) + ".png")),
                  test::readFile(dir.path() / "source.png"));
    }
}

}  // namespace
}  // namespace vantor
