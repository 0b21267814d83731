// kavrel driven through its exports in the host's order, on archives of both
// layouts made by the packer.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#include <algorithm>

#include <cstring>
#include <filesystem>
#include <functional>

#include "authoring/pak_writer.h"
#include "tests/pak/kavrel_host.h"
#include "tests/support/temp_dir.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using authoring::PakMember;
using test::isAllZero;
using test::nameOf;

enum class Layout { scrambled, plain };

std::vector<uint8_t> pack(Layout layout, const std::vector<PakMember>& members) {
    return layout == Layout::plain ? authoring::writePlainPak(members)
                                   : authoring::writeScrambledPak(members);
}

std::vector<uint8_t> patterned(size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
    return bytes;
}

// Twelve members: two share a name, one is empty, one spans many key periods.
std::vector<PakMember> sampleMembers() {
    std::vector<PakMember> members = {
        {"README.TXT", patterned(100, 1)}, {"TWIN.DAT", patterned(30, 2)}, {"EMPTY.DAT", {}},
        {"LARGE.BIN", patterned(5000, 3)}, {"TWIN.DAT", patterned(31, 4)},
    };
    for (int i = 0; members.size() < 12; ++i) {
        members.push_back({"PART" + std::to_string(i) + ".BIN", patterned(11 + i, 5 + i)});
    }
    return members;
}

class Kavrel : public testing::Test {
protected:
    test::KavrelHost host;
    test::TempDir dir;
};

TEST_F(Kavrel, AnswersItsFourStrings) {
    const char* expected[] = {"00AM", "Kavrelix - PAK extract library ver0.13 [Vantor]", "*.PAK",
                              "PAK"};
    for (int i = 0; i < 4; ++i) {
        char buf[100] = {};
        EXPECT_EQ(host.getPluginInfo(i, buf, sizeof buf), static_cast<int>(strlen(expected[i])));
        EXPECT_STREQ(buf, expected[i]);
    }
}

TEST_F(Kavrel, RecognisesFromTheHandlesCurrentPositionWithoutMovingItFirst) {
    for (Layout layout : {Layout::scrambled, Layout::plain}) {
        SCOPED_TRACE(layout == Layout::plain ? "plain" : "scrambled");
        const std::vector<uint8_t> archive = pack(layout, sampleMembers());
        std::vector<uint8_t> file(100 + archive.size(), '#');  // "####" is no entry count
        std::copy(archive.begin(), archive.end(), file.begin() + 100);
        const int fd = open(dir.write("prefixed.pak", file).c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);

        lseek(fd, 100, SEEK_SET);
        EXPECT_EQ(host.isSupported("prefixed.pak", static_cast<uintptr_t>(fd)), VANTOR_SUPPORTED);
        const size_t headBytes = std::min<size_t>(2048, archive.size());
        EXPECT_EQ(lseek(fd, 0, SEEK_CUR), static_cast<off_t>(100 + headBytes));

        lseek(fd, 0, SEEK_SET);
        EXPECT_EQ(host.isSupported("prefixed.pak", static_cast<uintptr_t>(fd)),
                  VANTOR_NOT_SUPPORTED);
        close(fd);
    }
}

TEST_F(Kavrel, RefusedHeadLeavesTheLayoutScrambled) {
    const std::vector<uint8_t> plain = pack(Layout::plain, sampleMembers());
    const std::vector<uint8_t> scrambled = pack(Layout::scrambled, sampleMembers());
    const std::string scrambledPath = dir.write("scrambled.pak", scrambled);

    ASSERT_EQ(host.recognise(plain), VANTOR_SUPPORTED);
    ASSERT_EQ(host.recognise(std::vector<uint8_t>(64, '#')), VANTOR_NOT_SUPPORTED);
    // Still taken for plain, the scrambled archive would announce 17740
    // entries ("LE") and fail to list.
    const auto records = host.list(scrambledPath);
    ASSERT_TRUE(records);
    EXPECT_EQ(records->size(), 12u);
}

class KavrelHostOrder : public testing::TestWithParam<Layout> {
protected:
    void SetUp() override {
        archive = pack(GetParam(), members);
        path = dir.write("archive.pak", archive);
        out = dir.path() / "out";
        fs::create_directory(out);
        ASSERT_EQ(host.recognise(archive), VANTOR_SUPPORTED);
    }

    std::string outFolder() const { return out.string() + "/"; }

    test::KavrelHost host;
    test::TempDir dir;
    std::vector<PakMember> members = sampleMembers();
    std::vector<uint8_t> archive;
    std::string path;
    fs::path out;
};

TEST_P(KavrelHostOrder, ListsEveryMemberInDirectoryOrder) {
    const auto records = host.list(path);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), members.size());
    for (size_t i = 0; i < members.size(); ++i) {
        SCOPED_TRACE(i);
        const FileInfoRecord& record = (*records)[i];
        EXPECT_EQ(std::string(record.method, 8), std::string("Leafpak\0", 8));
        EXPECT_EQ(nameOf(record), members[i].name);
        EXPECT_EQ(record.size, members[i].bytes.size());
        EXPECT_EQ(record.storedSize, members[i].bytes.size());
        EXPECT_LE(size_t{record.position} + record.size, archive.size());
        EXPECT_EQ(record.timeStamp, 0u);
        EXPECT_EQ(record.folder[0], '\0');
        EXPECT_EQ(record.checksum, 0u);
    }
}

TEST_P(KavrelHostOrder, LooksUpAndExtractsToMemoryAndToAFolder) {
    const auto records = host.list(path);
    ASSERT_TRUE(records);
    for (size_t i : {0u, 2u, 3u, 11u}) {  // README, EMPTY, LARGE, the last
        SCOPED_TRACE(members[i].name);
        FileInfoRecord record{};
        ASSERT_EQ(host.lookUp(path, members[i].name, record), VANTOR_OK);
        EXPECT_EQ(std::memcmp(&record, &(*records)[i], sizeof record), 0);

        EXPECT_EQ(host.extract(path, record.position), members[i].bytes);
        ASSERT_EQ(host.extractInto(path, record.position, outFolder()), VANTOR_OK);
        EXPECT_EQ(test::readFile(out / members[i].name), members[i].bytes);
    }
}

TEST_P(KavrelHostOrder, FindsTheFirstOfTwoMembersWithOneName) {
    FileInfoRecord record{};
    ASSERT_EQ(host.lookUp(path, "TWIN.DAT", record), VANTOR_OK);
    EXPECT_EQ(record.size, members[1].bytes.size());
    EXPECT_EQ(host.extract(path, record.position), members[1].bytes);
}

TEST_P(KavrelHostOrder, MissingNameGivesAnAllZeroRecordThatExtractsNothing) {
    FileInfoRecord record;
    std::memset(&record, 0xAA, sizeof record);
    for (const char* name : {"NOPE.BIN", "readme.txt", ""}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(host.lookUp(path, name, record), VANTOR_OK);
        EXPECT_TRUE(isAllZero(record));
    }
    // The remembered record is the zero one: an empty block, and no file
    // under an empty name (that would be the folder itself).
    EXPECT_EQ(host.extract(path, 0), std::vector<uint8_t>{});
    EXPECT_EQ(host.extractInto(path, 0, outFolder()), VANTOR_FAILED);
    EXPECT_TRUE(fs::is_empty(out));
}

TEST_P(KavrelHostOrder, MemberRunningPastTheEndOfTheFileGivesTheBytesPresent) {
    FileInfoRecord record{};
    ASSERT_EQ(host.lookUp(path, "LARGE.BIN", record), VANTOR_OK);
    const size_t present = 1234;
    const std::vector<uint8_t> cut(archive.begin(), archive.begin() + record.position + present);
    const std::string cutPath = dir.write("cut.pak", cut);
    const std::vector<uint8_t> expected(members[3].bytes.begin(),
                                        members[3].bytes.begin() + present);

    const auto block = host.extract(cutPath, record.position);
    ASSERT_TRUE(block);
    ASSERT_EQ(block->size(), record.size);
    EXPECT_EQ(std::vector<uint8_t>(block->begin(), block->begin() + present), expected);
    EXPECT_TRUE(std::all_of(block->begin() + present, block->end(), [](uint8_t b) {
        return b == 0;
    })) << "the missing tail must not carry stale memory";

    ASSERT_EQ(host.extractInto(cutPath, record.position, outFolder()), VANTOR_OK);
    EXPECT_EQ(test::readFile(out / "LARGE.BIN"), expected);
}

TEST_P(KavrelHostOrder, ExtractsFromMemberBytesInMemory) {
    FileInfoRecord record{};
    ASSERT_EQ(host.lookUp(path, "LARGE.BIN", record), VANTOR_OK);
    const char* stored = reinterpret_cast<const char*>(archive.data()) + record.position;

    HLOCAL handle = nullptr;
    ASSERT_EQ(host.getFile(stored, record.size, reinterpret_cast<char*>(&handle),
                           VANTOR_INPUT_MEMORY | VANTOR_OUTPUT_MEMORY, nullptr, 0),
              VANTOR_OK);
    EXPECT_EQ(host.plugin.take(handle), members[3].bytes);

    ASSERT_EQ(host.getFile(stored, record.size, out.string().append("/").data(),
                           VANTOR_INPUT_MEMORY, nullptr, 0),
              VANTOR_OK);
    EXPECT_EQ(test::readFile(out / "LARGE.BIN"), members[3].bytes);
}

TEST_P(KavrelHostOrder, RefusesAJoinedPathOf200CharactersRatherThanCutIt) {
    FileInfoRecord record{};
    ASSERT_EQ(host.lookUp(path, "README.TXT", record), VANTOR_OK);
    // folder + "README.TXT" of 199 characters, then of 200.
    const size_t base = dir.path().string().size() + 2 + std::string("README.TXT").size();
    const fs::path fits = dir.path() / std::string(199 - base, 'f');
    const fs::path tooLong = dir.path() / std::string(200 - base, 'f');
    fs::create_directory(fits);
    fs::create_directory(tooLong);

    ASSERT_EQ(host.extractInto(path, record.position, fits.string() + "/"), VANTOR_OK);
    EXPECT_EQ(test::readFile(fits / "README.TXT"), members[0].bytes);
    EXPECT_EQ(host.extractInto(path, record.position, tooLong.string() + "/"), VANTOR_FAILED);
    EXPECT_TRUE(fs::is_empty(tooLong));
}

TEST_P(KavrelHostOrder, FailsWhenTheTargetCannotBeCreated) {
    FileInfoRecord record{};
    ASSERT_EQ(host.lookUp(path, "README.TXT", record), VANTOR_OK);
    EXPECT_EQ(host.extractInto(path, record.position, (out / "missing").string() + "/"),
              VANTOR_FAILED);
    EXPECT_TRUE(fs::is_empty(out));
}

TEST_P(KavrelHostOrder, ShortWriteRemovesThePartialFileAndFails) {
    FileInfoRecord record{};
    ASSERT_EQ(host.lookUp(path, "LARGE.BIN", record), VANTOR_OK);
    // Files may grow to 1000 bytes only: the 5000-byte member's write falls short.
    signal(SIGXFSZ, SIG_IGN);
    rlimit normal{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &normal), 0);
    rlimit small = normal;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = host.extractInto(path, record.position, outFolder());
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &normal), 0);

    EXPECT_EQ(result, VANTOR_FAILED);
    EXPECT_TRUE(fs::is_empty(out));
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, KavrelHostOrder,
                         testing::Values(Layout::scrambled, Layout::plain), [](const auto& info) {
                             return info.param == Layout::plain ? "plain" : "scrambled";
                         });

}  // namespace
}  // namespace vantor
