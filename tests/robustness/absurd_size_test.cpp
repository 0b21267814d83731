// Headers and directories that claim absurd sizes: the plug-ins refuse them
// with -1 before allocating anything for the claim, so a few bytes of a
// hostile file cannot make them ask the host for gigabytes. The inputs are
// the minimised findings of the fuzz targets (fuzz/regressions/).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "authoring/lfg_writer.h"
#include "authoring/pak_writer.h"
#include "authoring/picture_generator.h"
#include "pak/member_extraction.h"
#include "tests/robustness/plugin_call.h"
#include "tests/support/temp_dir.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;

// umbrel's finding: a 64768 × 65535 picture (a 4 GB pixel block) whose
// stream is 21 bytes long.
const std::vector<uint8_t> kHugeLf2 = {
    0x4c, 0x45, 0x41, 0x46, 0x32, 0x35, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0xfd, 0xff,
    0xff, 0xfe, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x8e, 0x21, 0x3a, 0x08,
    0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x82, 0x9c, 0x2b, 0xcd, 0xd7, 0xe5, 0x7f, 0xff};

// The smallest LFG picture with its edges moved out to 524288 × 1023 pixels,
// a pixel block just under 2 GB, with the 8 × 1 picture's stream.
std::vector<uint8_t> hugeLfg() {
    std::vector<uint8_t> file = authoring::writeLfg(authoring::makeLfgPicture(
        authoring::PictureKind::flat, 8, 1, authoring::ScanOrder::rows, 1));
    const uint8_t edges[] = {0, 0, 0, 0, 0xFF, 0xFF, 0xFE, 0x03};  // x0, y0, x1, y1
    std::copy(std::begin(edges), std::end(edges), file.begin() + 32);
    return file;
}

TEST(AbsurdSizes, PictureTheStreamCannotFillIsRefusedBeforeAnyBlock) {
    const struct {
        const char* plugin;
        std::vector<uint8_t> file;
        int32_t width, height;
    } cases[] = {
        {"ostrin", hugeLfg(), 524288, 1023},
        {"umbrel", kHugeLf2, 64768, 65535},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plugin);
        test::LoadedPlugin plugin(c.plugin);
        const test::AllocationHooks hooks(plugin);
        const auto getPictureInfo = plugin.get<GetPictureInfoFn>("GetPictureInfo");
        const auto getPicture = plugin.get<GetPictureFn>("GetPicture");
        const auto* memory = reinterpret_cast<const char*>(c.file.data());
        const auto len = static_cast<intptr_t>(c.file.size());

        // The summary reports what the header says; only decoding is refused.
        PictureInfoRecord record{};
        ASSERT_EQ(getPictureInfo(memory, len, VANTOR_INPUT_MEMORY, &record), VANTOR_OK);
        EXPECT_EQ(record.width, c.width);
        EXPECT_EQ(record.height, c.height);

        hooks.failAfter(0);
        const test::CallOutcome fromMemory =
            test::takePicture(plugin, getPicture, memory, len, VANTOR_INPUT_MEMORY);
        EXPECT_FALSE(hooks.failureHappened()) << "a block was asked for";
        // From a file, the file's own bytes are the one block obtained.
        const std::string path = dir.write("picture", c.file);
        hooks.failAfter(1);
        const test::CallOutcome fromFile =
            test::takePicture(plugin, getPicture, path.c_str(), 0, VANTOR_INPUT_FILE);
        EXPECT_FALSE(hooks.failureHappened()) << "a block was asked for";
        hooks.failAfter(-1);

        for (const test::CallOutcome& outcome : {fromMemory, fromFile}) {
            EXPECT_EQ(outcome.result, VANTOR_FAILED);
            EXPECT_FALSE(outcome.handedOut);
        }
    }
}

// A plain archive of three members whose middle member's recorded size is
// replaced (plain entries: 16-byte name, position, 4 unused bytes, size).
std::vector<uint8_t> archiveWithMemberSize(uint32_t size) {
    const std::vector<authoring::PakMember> members = {
        {"FIRST.BIN", {1, 2, 3}}, {"CLAIM.BIN", {4, 5, 6, 7}}, {"THIRD.BIN", {8}}};
    std::vector<uint8_t> file = authoring::writePlainPak(members);
    for (int i = 0; i < 4; ++i) file[4 + 28 + 24 + i] = static_cast<uint8_t>(size >> (8 * i));
    return file;
}

// A member larger than any real one (kMaxMemberBytes) is refused, whether it
// would go to memory or to a folder; one of exactly that size still comes out
// at its recorded size, its missing tail zero.
TEST(AbsurdSizes, MemberLargerThanTheLimitIsRefusedBeforeAnyBlock) {
    test::TempDir dir;
    const fs::path out = dir.path() / "out";
    fs::create_directory(out);
    test::LoadedPlugin plugin("kavrel");
    const test::AllocationHooks hooks(plugin);
    const auto isSupported = plugin.get<IsSupportedFn>("IsSupported");
    const auto getFileInfo = plugin.get<GetFileInfoFn>("GetFileInfo");
    const auto getFile = plugin.get<GetFileFn>("GetFile");

    for (const uint32_t size : {pak::kMaxMemberBytes + 1, 0xFFFFFFFFu, pak::kMaxMemberBytes}) {
        SCOPED_TRACE(size);
        const std::vector<uint8_t> archive = archiveWithMemberSize(size);
        const std::string path = dir.write("archive.pak", archive);
        ASSERT_EQ(isSupported("archive.pak", reinterpret_cast<uintptr_t>(archive.data())),
                  VANTOR_SUPPORTED);
        FileInfoRecord record{};
        ASSERT_EQ(getFileInfo(path.c_str(), 0, "CLAIM.BIN", 0, &record), VANTOR_OK);
        ASSERT_EQ(record.size, size);

        const bool refused = size > pak::kMaxMemberBytes;
        HLOCAL handle = nullptr;
        hooks.failAfter(refused ? 0 : -1);
        const int toMemory =
            getFile(path.c_str(), record.position, reinterpret_cast<char*>(&handle),
                    VANTOR_OUTPUT_MEMORY, nullptr, 0);
        std::string folder = out.string() + "/";
        const int toFolder = getFile(path.c_str(), record.position, folder.data(), 0, nullptr, 0);
        EXPECT_FALSE(hooks.failureHappened()) << "a block was asked for";
        hooks.failAfter(-1);

        if (refused) {
            EXPECT_EQ(toMemory, VANTOR_FAILED);
            EXPECT_EQ(handle, nullptr);
            EXPECT_EQ(toFolder, VANTOR_FAILED);
            EXPECT_TRUE(fs::is_empty(out));
            continue;
        }
        ASSERT_EQ(toMemory, VANTOR_OK);
        const std::vector<uint8_t> block = plugin.take(handle);
        ASSERT_EQ(block.size(), size);
        EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 5),
                  (std::vector<uint8_t>{4, 5, 6, 7, 8}));
        EXPECT_TRUE(std::all_of(block.begin() + 5, block.end(), [](uint8_t b) { return b == 0; }));
        EXPECT_EQ(toFolder, VANTOR_OK);
        EXPECT_EQ(fs::file_size(out / "CLAIM.BIN"), 5u) << "a file holds the bytes present";
    }
}

}  // namespace
}  // namespace vantor
