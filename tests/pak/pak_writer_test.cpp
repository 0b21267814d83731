// The packer refuses what kavrel could not read back, and only that.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "authoring/pak_writer.h"

namespace vantor::authoring {
namespace {

std::vector<PakMember> membersNamed(const std::vector<std::string>& names) {
    std::vector<PakMember> members;
    for (const std::string& name : names) members.push_back({name, {1, 2, 3}});
    return members;
}

// count members: the first named `first`, the rest numbered; `at` places it.
std::vector<PakMember> membersWith(size_t count, const std::string& name, size_t at = 0) {
    std::vector<std::string> names;
    for (size_t i = 0; i < count; ++i) names.push_back("F" + std::to_string(10000 + i) + ".BIN");
    names[at] = name;
    return membersNamed(names);
}

struct PackCase {
    const char* what;
    std::function<void()> pack;
    bool refused;
};

TEST(PakWriter, RefusesWhatTheReaderCouldNotReadBack) {
    const PackCase cases[] = {
        {"scrambled, no members", [] { writeScrambledPak({}); }, false},
        {"scrambled, 10 members", [] { writeScrambledPak(membersWith(10, "A.BIN")); }, true},
        {"scrambled, 1 member", [] { writeScrambledPak(membersWith(1, "A.BIN")); }, true},
        {"scrambled, 11 members", [] { writeScrambledPak(membersWith(11, "A.BIN")); }, false},
        {"8-character name", [] { writeScrambledPak(membersWith(11, "ABCDEFGH.BIN")); }, false},
        {"9-character name", [] { writeScrambledPak(membersWith(11, "ABCDEFGHI.BIN")); }, true},
        {"blank extension", [] { writeScrambledPak(membersWith(11, "X.   ")); }, false},
        {"2-character extension", [] { writeScrambledPak(membersWith(11, "README.TX")); }, true},
        {"no extension", [] { writeScrambledPak(membersWith(11, "README")); }, true},
        {"empty name part", [] { writeScrambledPak(membersWith(11, ".BIN")); }, true},
        {"space in name part", [] { writeScrambledPak(membersWith(11, "AB CD.BIN")); }, true},
        {"lower case", [] { writeScrambledPak(membersWith(11, "readme.txt")); }, true},
        {"zero byte", [] { writeScrambledPak(membersWith(11, std::string("A\0B.BIN", 7))); }, true},
        {"plain, no members", [] { writePlainPak({}); }, true},
        {"plain, 1024 members", [] { writePlainPak(membersWith(1024, "DATA1.BIN")); }, false},
        {"plain, 1025 members", [] { writePlainPak(membersWith(1025, "DATA1.BIN")); }, true},
        {"plain, 15-character name", [] { writePlainPak(membersWith(1, "ABCDEFGHIJ.LONG")); },
         false},
        {"plain, 16-character name", [] { writePlainPak(membersWith(1, "ABCDEFGHIJK.LONG")); },
         true},
        {"plain, lower case", [] { writePlainPak(membersWith(1, "data1.bin")); }, false},
        {"plain, 4 characters", [] { writePlainPak(membersWith(1, "ABCD")); }, true},
        {"plain, underscore", [] { writePlainPak(membersWith(80, "AB_CD.X", 71)); }, true},
        {"plain, underscore in entry 72", [] { writePlainPak(membersWith(80, "AB_CD.X", 72)); },
         false},
        {"plain, empty name in entry 72", [] { writePlainPak(membersWith(80, "", 72)); }, true},
    };
    for (const PackCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.refused) {
            EXPECT_THROW(c.pack(), std::invalid_argument);
        } else {
            EXPECT_NO_THROW(c.pack());
        }
    }
}

TEST(PakWriter, ScrambledLayoutPutsMembersAfterTheHeadAndTheDirectoryLast) {
    const PakKey zeroKey{};
    const std::vector<PakMember> members = membersWith(11, "A.BIN");
    const std::vector<uint8_t> file = writeScrambledPak(members, zeroKey);
    ASSERT_EQ(file.size(), 10 + 11 * 3 + 11 * 24u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 8), "LEAFPACK");
    EXPECT_EQ(file[8] | file[9] << 8, 11);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 10, file.begin() + 13), members[0].bytes);
    const uint8_t* entry = file.data() + file.size() - 11 * 24;
    EXPECT_EQ(std::string(entry, entry + 12), std::string("A       BIN\0", 12));
    EXPECT_EQ(entry[12], 10);
    EXPECT_EQ(entry[16], 3);
}

}  // namespace
}  // namespace vantor::authoring
