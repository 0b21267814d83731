// The PAK formats on their own: recognition, key derivation, descrambling,
// name formatting and the safety of extraction targets.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "authoring/pak_writer.h"
#include "pak/archive_key.h"
#include "pak/extraction_path.h"
#include "pak/member_name.h"
#include "pak/pak_recognition.h"

namespace vantor::pak {
namespace {

using namespace std::string_literals;
using authoring::PakKey;
using authoring::PakMember;

std::vector<PakMember> numberedMembers(size_t count) {
    std::vector<PakMember> members;
    for (size_t i = 0; i < count; ++i) {
        members.push_back({"M" + std::to_string(10000 + i) + ".BIN",
                           std::vector<uint8_t>(i % 7, static_cast<uint8_t>(i))});
    }
    return members;
}

PakLayout recognise(const std::vector<uint8_t>& file) {
    uint8_t head[kHeadBytes] = {};
    std::copy_n(file.begin(), std::min(file.size(), sizeof head), head);
    return recognisePakHead(Head{head, sizeof head});
}

struct PlainHeadCase {
    const char* what;
    size_t members;
    size_t entry;                   // whose 16 name bytes are replaced by name
    std::string name;               // raw bytes, zero-padded to 16
    std::optional<uint32_t> count;  // replaces the entry count at offset 0
    PakLayout expected;
};

TEST(PakRecognition, PlainHeadsByEntryCountAndNameCharacters) {
    const PlainHeadCase cases[] = {
        {"dotted name", 1, 0, "DATA1.BIN", {}, PakLayout::plain},
        {"lower case folds", 1, 0, "abcde", {}, PakLayout::plain},
        {"16 characters, no zero", 1, 0, "ABCDEFGHIJKLMNOP", {}, PakLayout::plain},
        {"zero at character 4", 1, 0, "ABCD", {}, PakLayout::none},
        {"underscore", 1, 0, "AB_CD.X", {}, PakLayout::none},
        {"space", 1, 0, "A B.C", {}, PakLayout::none},
        {"byte 0x80 and above", 1, 0, "ABCDE\xE9", {}, PakLayout::none},
        {"zero first", 1, 0, ""s, {}, PakLayout::none},
        {"bad name in entry 71", 100, 71, "AB_CD.X", {}, PakLayout::none},
        {"entry 72 is not examined", 100, 72, "AB_CD.X", {}, PakLayout::plain},
        {"bad name beyond the count", 3, 3, "AB_CD.X", {}, PakLayout::plain},
        {"1024 entries", 1024, 0, "DATA1.BIN", {}, PakLayout::plain},
        {"count 0", 1, 0, "DATA1.BIN", 0u, PakLayout::none},
        {"count 1025", 1024, 0, "DATA1.BIN", 1025u, PakLayout::none},
        {"count beyond 16 bits", 1, 0, "DATA1.BIN", 0x10001u, PakLayout::none},
    };
    for (const PlainHeadCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> file = authoring::writePlainPak(numberedMembers(c.members));
        std::string field = c.name;
        field.resize(16, '\0');
        const size_t at = 4 + 28 * c.entry;
        if (file.size() < at + field.size()) file.resize(at + field.size());
        std::copy(field.begin(), field.end(), file.begin() + at);
        if (c.count) {
            for (int i = 0; i < 4; ++i) file[i] = static_cast<uint8_t>(*c.count >> (8 * i));
        }
        EXPECT_EQ(recognise(file), c.expected);
    }
}

TEST(PakRecognition, ScrambledHeadsByMagicAlone) {
    std::vector<uint8_t> file = authoring::writeScrambledPak(numberedMembers(11));
    EXPECT_EQ(recognise(file), PakLayout::scrambled);

    std::fill(file.begin() + 8, file.end(), 0xFF);  // whatever follows the magic
    EXPECT_EQ(recognise(file), PakLayout::scrambled);

    file[7] = 'k';
    EXPECT_EQ(recognise(file), PakLayout::none);
}

ScrambledEntry entryNamed(const std::string& name8, const std::string& extension3) {
    ScrambledEntry entry{};
    std::copy_n(name8.begin(), 8, entry.name);
    std::copy_n(extension3.begin(), 3, entry.extension);
    return entry;
}

TEST(PakMemberName, FormatsScrambledEntriesAsListed) {
    struct Case {
        std::string name;
        std::string extension;
        std::string listed;
    } cases[] = {
        {"readme  ", "txt", "README.TXT"}, {"abcdefgh", "dat", "ABCDEFGH.DAT"},
        {"x       ", "   ", "X.   "},      {"AB CD   ", "BIN", "AB.BIN"},
        {"A\0B     "s, "BIN", "A"},        {"\xE9t\xFF     ", "d{z", "\xE9T\xFF.D{Z"},
        {"        ", "BIN", ".BIN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listed);
        char out[kFormattedNameBytes];
        formatScrambledName(entryNamed(c.name, c.extension), out);
        EXPECT_EQ(std::string(out), c.listed);
    }
}

TEST(PakKey, DerivedFromThePackedDirectory) {
    const PakKey key = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xFE};
    for (size_t count : {11u, 12u, 40u}) {
        SCOPED_TRACE(count);
        const std::vector<uint8_t> file = authoring::writeScrambledPak(numberedMembers(count), key);
        const uint8_t* directory = file.data() + file.size() - 24 * count;
        ArchiveKey derived{};
        ASSERT_TRUE(deriveKey(directory, static_cast<uint32_t>(count), derived));
        EXPECT_TRUE(std::equal(key.begin(), key.end(), derived.bytes));
    }
}

TEST(PakKey, TooFewEntriesCarryNoKey) {
    const std::vector<uint8_t> directory(24 * 10, 0x5A);
    ArchiveKey key = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_FALSE(deriveKey(directory.data(), 10, key));
    EXPECT_EQ(key.bytes[0], 1);
    EXPECT_EQ(key.bytes[10], 11);
}

TEST(PakKey, DescramblesWithTheKeyIndexFromTheRegionStart) {
    std::vector<uint8_t> in(40);
    for (size_t i = 0; i < in.size(); ++i) in[i] = static_cast<uint8_t>(i * 37);

    std::vector<uint8_t> out(in.size());
    descramble(in.data(), out.data(), in.size(), ArchiveKey{});
    EXPECT_EQ(out, in);

    ArchiveKey first{};
    first.bytes[0] = 1;
    descramble(in.data(), out.data(), in.size(), first);
    for (size_t i = 0; i < in.size(); ++i) {
        EXPECT_EQ(out[i], static_cast<uint8_t>(in[i] - (i % 11 == 0 ? 1 : 0))) << i;
    }

    // In place, wrapping below zero.
    ArchiveKey all{};
    std::fill(std::begin(all.bytes), std::end(all.bytes), 0xF0);
    std::vector<uint8_t> inPlace = in;
    descramble(inPlace.data(), inPlace.data(), inPlace.size(), all);
    for (size_t i = 0; i < in.size(); ++i) {
        EXPECT_EQ(inPlace[i], static_cast<uint8_t>(in[i] + 0x10));
    }
}

TEST(PakExtractionPath, RefusesNamesThatLeaveTheFolder) {
    struct Case {
        std::string name;
        Status expected;
    } cases[] = {
        {"DATA.BIN", Status::ok},          {"A..B.TXT", Status::ok},
        {".PROFILE", Status::ok},          {"", Status::unsafeName},
        {".", Status::unsafeName},         {"..", Status::unsafeName},
        {"..   ", Status::unsafeName},     {". .", Status::unsafeName},
        {"../X.TXT", Status::unsafeName},  {"..\\X.TXT", Status::unsafeName},
        {"SUB/X.TXT", Status::unsafeName}, {"C:X.TXT", Status::unsafeName},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char name[200] = {};
        std::copy(c.name.begin(), c.name.end(), name);
        char path[kPathBytes];
        ASSERT_EQ(joinExtractionPath("/out/", name, sizeof name, path), c.expected);
        if (c.expected == Status::ok) {
            EXPECT_EQ(std::string(path), "/out/" + c.name);
        }
    }
}

TEST(PakExtractionPath, JoinsWithoutSeparatorAndRefusesPathsOf200Characters) {
    char path[kPathBytes];
    ASSERT_EQ(joinExtractionPath("C:\\OUT", "DATA.BIN", 9, path), Status::ok);
    EXPECT_EQ(std::string(path), "C:\\OUTDATA.BIN");

    const std::string name = "DATA.BIN";
    const std::string fits(199 - name.size(), 'f');
    ASSERT_EQ(joinExtractionPath(fits.c_str(), name.c_str(), name.size() + 1, path), Status::ok);
    EXPECT_EQ(std::string(path), fits + name);

    const std::string overlong(200 - name.size(), 'f');
    EXPECT_EQ(joinExtractionPath(overlong.c_str(), name.c_str(), name.size() + 1, path),
              Status::tooLarge);

    // A name field without a terminator is as long as the whole field.
    char unterminated[kPathBytes];
    std::fill(std::begin(unterminated), std::end(unterminated), 'A');
    EXPECT_EQ(joinExtractionPath("/", unterminated, sizeof unterminated, path), Status::tooLarge);
}

}  // namespace
}  // namespace vantor::pak
