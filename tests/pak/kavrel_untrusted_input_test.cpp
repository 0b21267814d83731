// kavrel given malformed archives, hostile member names and calls it cannot
// answer: each fails with -1, hands nothing out and writes nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>

#include "authoring/pak_writer.h"
#include "tests/pak/kavrel_host.h"
#include "tests/support/temp_dir.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using authoring::PakMember;

std::vector<PakMember> numberedMembers(size_t count) {
    std::vector<PakMember> members;
    for (size_t i = 0; i < count; ++i) {
        members.push_back({"M" + std::to_string(10000 + i) + ".BIN",
                           std::vector<uint8_t>(1 + i % 13, static_cast<uint8_t>(i))});
    }
    return members;
}

void setScrambledCount(std::vector<uint8_t>& file, uint16_t count) {
    file[8] = static_cast<uint8_t>(count);
    file[9] = static_cast<uint8_t>(count >> 8);
}

// The regular files under root, relative to it.
std::vector<std::string> filesUnder(const fs::path& root) {
    std::vector<std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        if (item.is_regular_file()) files.push_back(fs::relative(item.path(), root).string());
    }
    return files;
}

class KavrelUntrusted : public testing::Test {
protected:
    test::KavrelHost host;
    test::TempDir dir;
};

struct DirectoryCase {
    const char* what;
    std::vector<uint8_t> file;
    std::optional<size_t> listed;  // nullopt: the listing fails
};

TEST_F(KavrelUntrusted, ListsOnlyDirectoriesTheFileHolds) {
    std::vector<uint8_t> tooFewForAKey = authoring::writeScrambledPak(numberedMembers(11));
    setScrambledCount(tooFewForAKey, 10);
    std::vector<uint8_t> oneEntry = tooFewForAKey;
    setScrambledCount(oneEntry, 1);
    std::vector<uint8_t> beforeTheStart = tooFewForAKey;
    setScrambledCount(beforeTheStart, 0xFFFF);
    std::vector<uint8_t> cutPlain = authoring::writePlainPak(numberedMembers(50));
    cutPlain.resize(4 + 28 * 50 - 1);

    const DirectoryCase cases[] = {
        {"scrambled, no entries", authoring::writeScrambledPak({}), 0},
        {"scrambled, the file ends inside the entry count",
         {'L', 'E', 'A', 'F', 'P', 'A', 'C', 'K', 0},
         std::nullopt},
        {"scrambled, 10 entries", tooFewForAKey, std::nullopt},
        {"scrambled, 1 entry", oneEntry, std::nullopt},
        {"scrambled, directory before the file start", beforeTheStart, std::nullopt},
        {"plain, file ends inside the directory", cutPlain, std::nullopt},
        // Both directories outgrow a 24576-byte working block.
        {"scrambled, 1100 entries", authoring::writeScrambledPak(numberedMembers(1100)), 1100},
        {"plain, 1000 entries", authoring::writePlainPak(numberedMembers(1000)), 1000},
    };
    for (const DirectoryCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.write("archive.pak", c.file);
        ASSERT_EQ(host.recognise(c.file), VANTOR_SUPPORTED);
        const auto records = host.list(path);
        ASSERT_EQ(records.has_value(), c.listed.has_value());
        if (!records) {
            FileInfoRecord record;
            std::memset(&record, 0xAA, sizeof record);
            EXPECT_EQ(host.lookUp(path, "M10000.BIN", record), VANTOR_FAILED);
            EXPECT_EQ(static_cast<uint8_t>(record.method[0]), 0xAA) << "record written";
            continue;
        }
        ASSERT_EQ(records->size(), *c.listed);
        if (records->empty()) continue;
        const FileInfoRecord& last = records->back();
        EXPECT_EQ(test::nameOf(last), "M" + std::to_string(10000 + *c.listed - 1) + ".BIN");
        FileInfoRecord record{};
        ASSERT_EQ(host.lookUp(path, test::nameOf(last), record), VANTOR_OK);
        EXPECT_EQ(host.extract(path, record.position), numberedMembers(*c.listed).back().bytes);
    }
}

TEST_F(KavrelUntrusted, RefusesCallsItCannotAnswer) {
    const std::vector<uint8_t> archive = authoring::writeScrambledPak(numberedMembers(11));
    const std::string path = dir.write("archive.pak", archive);
    const std::string missing = (dir.path() / "missing.pak").string();
    const auto* memory = reinterpret_cast<const char*>(archive.data());
    const std::string name200(200, 'A');
    ASSERT_EQ(host.recognise(archive), VANTOR_SUPPORTED);

    HLOCAL handle = nullptr;
    FileInfoRecord record;
    auto extractFrom = [&](const std::string& source) {
        FileInfoRecord found{};
        EXPECT_EQ(host.lookUp(path, "M10003.BIN", found), VANTOR_OK);
        return host.getFile(source.c_str(), found.position, reinterpret_cast<char*>(&handle),
                            VANTOR_OUTPUT_MEMORY, nullptr, 0);
    };
    const struct {
        const char* what;
        std::function<int()> call;
    } cases[] = {
        {"listing not from the file start",
         [&] { return host.getArchiveInfo(path.c_str(), 1, 0, &handle); }},
        {"listing from memory", [&] { return host.getArchiveInfo(memory, 0, 1, &handle); }},
        {"listing of a missing file",
         [&] { return host.getArchiveInfo(missing.c_str(), 0, 0, &handle); }},
        {"lookup in memory", [&] { return host.getFileInfo(memory, 0, "M10000.BIN", 1, &record); }},
        {"lookup in a missing file",
         [&] { return host.getFileInfo(missing.c_str(), 0, "M10000.BIN", 0, &record); }},
        {"lookup of a 200-character name",
         [&] { return host.getFileInfo(path.c_str(), 0, name200.c_str(), 0, &record); }},
        {"extraction from a missing file", [&] { return extractFrom(missing); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        handle = nullptr;
        std::memset(&record, 0xAA, sizeof record);
        EXPECT_EQ(c.call(), VANTOR_FAILED);
        EXPECT_EQ(handle, nullptr);
        EXPECT_EQ(static_cast<uint8_t>(record.method[0]), 0xAA) << "record written";
    }

    // One character shorter is an ordinary name that is not in the archive.
    EXPECT_EQ(host.getFileInfo(path.c_str(), 0, name200.c_str() + 1, 0, &record), VANTOR_OK);
    EXPECT_TRUE(test::isAllZero(record));
}

struct HostileName {
    const char* layout;
    std::string name;
};

// Member names that would reach outside the folder, or name the folder itself.
TEST_F(KavrelUntrusted, NeverExtractsOutsideTheFolder) {
    const HostileName cases[] = {
        {"scrambled", "../X.BIN"}, {"scrambled", "..\\X.BIN"}, {"scrambled", "C:X.BIN"},
        {"scrambled", "..   "},    {"plain", "....."},         {"plain", "../../X.BIN"},
        {"plain", "/TMP/X.BIN"},   {"plain", "..\\..\\X.BIN"},
    };
    const fs::path out = dir.path() / "a" / "b" / "out";
    fs::create_directories(out);
    for (const HostileName& c : cases) {
        SCOPED_TRACE(std::string(c.layout) + " " + c.name);
        // Plain names beyond entry 72 escape recognition's look at them.
        std::vector<PakMember> members = numberedMembers(80);
        const bool plain = std::string(c.layout) == "plain";
        members[plain && c.name != "....." ? 75 : 5].name = c.name;
        const std::vector<uint8_t> file =
            plain ? authoring::writePlainPak(members) : authoring::writeScrambledPak(members);
        const std::string path = dir.write("archive.pak", file);
        ASSERT_EQ(host.recognise(file), VANTOR_SUPPORTED);

        FileInfoRecord record{};
        ASSERT_EQ(host.lookUp(path, c.name, record), VANTOR_OK);
        ASSERT_EQ(test::nameOf(record), c.name);
        EXPECT_EQ(host.extractInto(path, record.position, out.string() + "/"), VANTOR_FAILED);
        EXPECT_EQ(filesUnder(dir.path()), std::vector<std::string>{"archive.pak"});
    }
}

}  // namespace
}  // namespace vantor
