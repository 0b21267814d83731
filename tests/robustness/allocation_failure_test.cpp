// Every call of every plug-in, with the n-th LocalAlloc failing, for every n
// until the call no longer reaches a failing allocation: the call returns -1,
// hands nothing out, creates no file and leaves no block behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "authoring/lf2_writer.h"
#include "authoring/lfg_writer.h"
#include "authoring/pak_writer.h"
#include "authoring/picture_generator.h"
#include "tests/robustness/plugin_call.h"
#include "tests/support/temp_dir.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using authoring::PictureKind;
using authoring::ScanOrder;
using test::CallOutcome;

struct CallCase {
    std::string what;
    test::PluginCall call;
    int leastAllocations;  // the call cannot succeed with fewer
    // What the host did before the call (a lookup before an extraction), done
    // without failures.
    std::function<void()> before = [] {};
};

// n = 0, 1, 2, ...: the call with allocation n + 1 failing, until it makes no
// more than n allocations and succeeds.
void failEachAllocationInTurn(const test::AllocationHooks& hooks, const CallCase& c) {
    SCOPED_TRACE(c.what);
    for (int n = 0; n < 100; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n + 1) + " fails");
        c.before();
        const long liveBefore = hooks.liveBlocks();
        hooks.failAfter(n);
        const CallOutcome outcome = c.call();
        const bool failed = hooks.failureHappened();
        hooks.failAfter(-1);
        EXPECT_EQ(hooks.liveBlocks(), liveBefore) << "a block was left behind";
        if (!failed) {
            EXPECT_EQ(outcome.result, VANTOR_OK);
            EXPECT_GE(n, c.leastAllocations);
            return;
        }
        EXPECT_EQ(outcome.result, VANTOR_FAILED);
        EXPECT_FALSE(outcome.handedOut);
    }
    ADD_FAILURE() << "still allocating after 100 blocks";
}

std::vector<uint8_t> lfgFile(ScanOrder scan) {
    return authoring::writeLfg(authoring::makeLfgPicture(PictureKind::typical, 64, 40, scan, 1));
}

std::vector<uint8_t> lf2File(uint32_t width) {
    return authoring::writeLf2(authoring::makeLf2Picture(PictureKind::typical, width, 30, 2));
}

struct PictureFile {
    std::string what;
    std::vector<uint8_t> bytes;
};

class AllocationFailure : public testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(AllocationFailure, PictureFiltersFailCleanlyOnEveryAllocation) {
    const struct {
        const char* plugin;
        std::vector<PictureFile> files;
    } filters[] = {
        {"ostrin", {{"rows", lfgFile(ScanOrder::rows)}, {"columns", lfgFile(ScanOrder::columns)}}},
        // Padded rows take a working block on the way; unpadded ones do not.
        {"umbrel", {{"padded rows", lf2File(37)}, {"unpadded rows", lf2File(40)}}},
    };
    for (const auto& filter : filters) {
        test::LoadedPlugin plugin(filter.plugin);
        const test::AllocationHooks hooks(plugin);
        const auto isSupported = plugin.get<IsSupportedFn>("IsSupported");
        const auto getPictureInfo = plugin.get<GetPictureInfoFn>("GetPictureInfo");
        const auto getPicture = plugin.get<GetPictureFn>("GetPicture");
        for (const PictureFile& file : filter.files) {
            const std::string path = dir.write("picture", file.bytes);
            const auto* memory = reinterpret_cast<const char*>(file.bytes.data());
            const auto len = static_cast<intptr_t>(file.bytes.size());
            const std::string name = std::string(filter.plugin) + " " + file.what + ", ";
            const CallCase cases[] = {
                {name + "GetPicture from memory",
                 [&] { return test::takePicture(plugin, getPicture, memory, len, 1); }, 2},
                {name + "GetPicture from a file",
                 [&] { return test::takePicture(plugin, getPicture, path.c_str(), 0, 0); }, 3},
                {name + "GetPictureInfo from memory",
                 [&] {
                     PictureInfoRecord record{};
                     return CallOutcome{getPictureInfo(memory, len, 1, &record), false};
                 },
                 0},
                {name + "GetPictureInfo from a file",
                 [&] {
                     PictureInfoRecord record{};
                     return CallOutcome{getPictureInfo(path.c_str(), 0, 0, &record), false};
                 },
                 0},
                {name + "IsSupported from a handle",
                 [&] {
                     const int fd = open(path.c_str(), O_RDONLY);
                     const int result = isSupported("picture", static_cast<uintptr_t>(fd));
                     close(fd);
                     return CallOutcome{result == VANTOR_SUPPORTED ? 0 : -1, false};
                 },
                 0},
            };
            for (const CallCase& c : cases) failEachAllocationInTurn(hooks, c);
        }
    }
}

std::vector<authoring::PakMember> members() {
    std::vector<authoring::PakMember> list;
    for (int i = 0; i < 12; ++i) {
        list.push_back({"PART" + std::to_string(i) + ".BIN",
                        std::vector<uint8_t>(static_cast<size_t>(i) * 9, uint8_t(i))});
    }
    return list;
}

TEST_F(AllocationFailure, KavrelFailsCleanlyOnEveryAllocation) {
    const fs::path out = dir.path() / "out";
    fs::create_directory(out);
    for (const bool plain : {false, true}) {
        const std::vector<uint8_t> archive =
            plain ? authoring::writePlainPak(members()) : authoring::writeScrambledPak(members());
        const std::string path = dir.write("archive.pak", archive);
        test::LoadedPlugin plugin("kavrel");
        const test::AllocationHooks hooks(plugin);
        const auto isSupported = plugin.get<IsSupportedFn>("IsSupported");
        const auto getArchiveInfo = plugin.get<GetArchiveInfoFn>("GetArchiveInfo");
        const auto getFileInfo = plugin.get<GetFileInfoFn>("GetFileInfo");
        const auto getFile = plugin.get<GetFileFn>("GetFile");
        ASSERT_EQ(isSupported("archive.pak", reinterpret_cast<uintptr_t>(archive.data())),
                  VANTOR_SUPPORTED);

        FileInfoRecord record{};
        auto lookUp = [&](const char* name) {
            return CallOutcome{getFileInfo(path.c_str(), 0, name, 0, &record), false};
        };
        auto toMemory = [&](const char* src, intptr_t len, unsigned inputKind) {
            HLOCAL handle = nullptr;
            const int result = getFile(src, len, reinterpret_cast<char*>(&handle),
                                       inputKind | VANTOR_OUTPUT_MEMORY, nullptr, 0);
            if (handle != nullptr) plugin.take(handle);
            return CallOutcome{result, handle != nullptr};
        };
        auto toFolder = [&](const char* src, intptr_t len, unsigned inputKind) {
            std::string dest = out.string() + "/";
            const int result = getFile(src, len, dest.data(), inputKind, nullptr, 0);
            const bool created = !fs::is_empty(out);
            for (const auto& file : fs::directory_iterator(out)) fs::remove(file.path());
            return CallOutcome{result, created};
        };
        enum class Extraction { archiveToMemory, archiveToFolder, memoryToMemory, memoryToFolder };
        auto extract = [&](Extraction how) {
            const auto* stored = reinterpret_cast<const char*>(archive.data()) + record.position;
            switch (how) {
                case Extraction::archiveToMemory:
                    return toMemory(path.c_str(), record.position, VANTOR_INPUT_FILE);
                case Extraction::archiveToFolder:
                    return toFolder(path.c_str(), record.position, VANTOR_INPUT_FILE);
                case Extraction::memoryToMemory:
                    return toMemory(stored, record.size, VANTOR_INPUT_MEMORY);
                case Extraction::memoryToFolder:
                    return toFolder(stored, record.size, VANTOR_INPUT_MEMORY);
            }
            return CallOutcome{VANTOR_FAILED, false};
        };
        auto lookUpPart = [&](const char* name) { return [&, name] { lookUp(name); }; };
        const std::string layout = plain ? "plain, " : "scrambled, ";
        const CallCase cases[] = {
            {layout + "GetArchiveInfo",
             [&] {
                 HLOCAL handle = nullptr;
                 const int result = getArchiveInfo(path.c_str(), 0, 0, &handle);
                 if (handle != nullptr) plugin.take(handle);
                 return CallOutcome{result, handle != nullptr};
             },
             2},
            {layout + "GetFileInfo", [&] { return lookUp("PART5.BIN"); }, 2},
            {layout + "GetFile from the archive to memory",
             [&] { return extract(Extraction::archiveToMemory); }, 1, lookUpPart("PART5.BIN")},
            {layout + "GetFile from the archive to a folder",
             [&] { return extract(Extraction::archiveToFolder); }, 1, lookUpPart("PART5.BIN")},
            {layout + "GetFile from memory to memory",
             [&] { return extract(Extraction::memoryToMemory); }, 1, lookUpPart("PART5.BIN")},
            {layout + "GetFile from memory to a folder",
             [&] { return extract(Extraction::memoryToFolder); }, 1, lookUpPart("PART5.BIN")},
            {layout + "GetFile of an empty member to memory",
             [&] { return extract(Extraction::archiveToMemory); }, 1, lookUpPart("PART0.BIN")},
        };
        for (const CallCase& c : cases) failEachAllocationInTurn(hooks, c);
    }
}

}  // namespace
}  // namespace vantor
