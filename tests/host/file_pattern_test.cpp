#include "host/file_pattern.h"

#include <gtest/gtest.h>

#include "host/member_file_name.h"

namespace vantor::host {
namespace {

TEST(FilePattern, MatchesAsAWindowsViewerDoes) {
    const struct {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.LFG", "title.lfg", true},     {"*.lf2", "FACE.LF2", true},
        {"*.PAK", "game.pak.bak", false}, {"*.PAK", "PAK", false},
        {"*.LFG;*.LF2", "x.lf2", true},   {"A?C.*", "abc.bin", true},
        {"A?C.*", "ac.bin", false},       {"*", "", true},
        {"*.*", "noextension", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matchesFilePattern(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    }
}

TEST(MemberFileName, RefusesNamesThatLeaveTheFolder) {
    for (const char* name : {"", ".", "..", "../X", "A/B", "A\\B", "C:X", "A\nB"}) {
        EXPECT_FALSE(isSafeMemberFileName(name)) << name;
    }
    for (const char* name : {"TITLE.LFG", "...X", "A B.TXT"})
        EXPECT_TRUE(isSafeMemberFileName(name)) << name;
}

}  // namespace
}  // namespace vantor::host
