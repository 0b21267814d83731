// Random archives of both layouts, packed, then listed and extracted through
// kavrel: every member comes back byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "authoring/pak_writer.h"
#include "tests/pak/kavrel_host.h"
#include "tests/support/temp_dir.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using authoring::PakKey;
using authoring::PakMember;

char randomOf(std::mt19937& random, const std::string& alphabet) {
    return alphabet[random() % alphabet.size()];
}

// "NAME.EXT" with 1 to 8 name characters and a 3-character extension.
std::string scrambledName(std::mt19937& random) {
    const std::string characters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-!";
    std::string name(1 + random() % 8, ' ');
    for (char& c : name) c = randomOf(random, characters);
    name += '.';
    for (int i = 0; i < 3; ++i) name += randomOf(random, characters);
    return name;
}

// 5 to 15 characters that recognition accepts, lower case among them.
std::string plainName(std::mt19937& random) {
    const std::string characters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.";
    std::string name(5 + random() % 11, ' ');
    for (char& c : name) c = randomOf(random, characters);
    name[0] = 'F';  // never all dots
    return name;
}

std::vector<PakMember> randomMembers(std::mt19937& random, bool plain) {
    const size_t count = plain ? 1 + random() % 40 : 11 + random() % 30;
    std::set<std::string> taken;
    std::vector<PakMember> members;
    while (members.size() < count) {
        std::string name = plain ? plainName(random) : scrambledName(random);
        if (!taken.insert(name).second) continue;
        // Sizes around the 11-byte key period, empty members among them.
        std::vector<uint8_t> bytes(random() % 4 == 0 ? random() % 23 : random() % 3000);
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
        members.push_back({name, bytes});
    }
    return members;
}

TEST(KavrelRoundTrip, RandomArchivesExtractToTheBytesPacked) {
    test::KavrelHost host;
    test::TempDir dir;
    for (uint32_t seed = 1; seed <= 24; ++seed) {
        const bool plain = seed % 2 == 0;
        SCOPED_TRACE(testing::Message() << "seed " << seed << (plain ? " plain" : " scrambled"));
        std::mt19937 random(seed);
        const std::vector<PakMember> members = randomMembers(random, plain);
        PakKey key;
        for (uint8_t& b : key) b = static_cast<uint8_t>(random());
        const std::vector<uint8_t> file =
            plain ? authoring::writePlainPak(members) : authoring::writeScrambledPak(members, key);
        const std::string path = dir.write("archive.pak", file);
        const fs::path out = dir.path() / ("out" + std::to_string(seed));
        fs::create_directory(out);

        ASSERT_EQ(host.recognise(file), VANTOR_SUPPORTED);
        const auto records = host.list(path);
        ASSERT_TRUE(records);
        ASSERT_EQ(records->size(), members.size());
        for (size_t i = 0; i < members.size(); ++i) {
            SCOPED_TRACE(members[i].name);
            ASSERT_EQ(test::nameOf((*records)[i]), members[i].name);
            FileInfoRecord record{};
            ASSERT_EQ(host.lookUp(path, members[i].name, record), VANTOR_OK);
            ASSERT_EQ(record.position, (*records)[i].position);
            EXPECT_EQ(host.extract(path, record.position), members[i].bytes);
            ASSERT_EQ(host.extractInto(path, record.position, out.string() + "/"), VANTOR_OK);
            EXPECT_EQ(test::readFile(out / members[i].name), members[i].bytes);
        }
    }
}

}  // namespace
}  // namespace vantor
