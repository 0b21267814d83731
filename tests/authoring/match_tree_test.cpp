// The tree match finder against the hash-chain one walking every earlier
// position: the same longest match, and the same (nearest) source, at every
// position. The optimal parse's streams depend on both.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "authoring/match_finder.h"
#include "authoring/match_tree.h"
#include "authoring/picture_generator.h"

namespace vantor::authoring {
namespace {

void expectSameMatchesEverywhere(const std::vector<uint8_t>& data) {
    MatchFinder exhaustive(data, 0);
    MatchTree tree(data);
    for (size_t i = 0; i < data.size(); ++i) {
        const MatchFinder::Match expected = exhaustive.longest(i);
        const MatchFinder::Match found = tree.longestThenInsert(i);
        exhaustive.insertOutput(i);
        ASSERT_EQ(found.length, expected.length) << "at " << i;
        if (expected.length != 0) {
            ASSERT_EQ(found.source, expected.source) << "at " << i;
        }
    }
}

TEST(MatchTree, SameAsExhaustiveSearch) {
    struct Case {
        const char* name;
        size_t size;
        unsigned symbols;  // few symbols: long, overlapping and tied matches abound
    };
    const Case cases[] = {
        {"tiny, into the cleared window", 40, 2},
        {"two symbols past the window", 20000, 2},
        {"three symbols", 12000, 3},
        {"sixteen symbols", 12000, 16},
        {"all bytes", 9000, 256},
    };
    std::mt19937 random(41);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> data(c.size);
        for (auto& b : data) b = static_cast<uint8_t>(random() % c.symbols);
        expectSameMatchesEverywhere(data);
    }
}

TEST(MatchTree, SameAsExhaustiveSearchOnPictures) {
    for (PictureKind kind :
         {PictureKind::typical, PictureKind::busy, PictureKind::noise, PictureKind::flat}) {
        SCOPED_TRACE(int(kind));
        expectSameMatchesEverywhere(makePicture(kind, 200, 120, 256, 3).indices);
        expectSameMatchesEverywhere(makePicture(kind, 160, 90, 16, 4).indices);
    }
}

TEST(MatchTree, RepeatsAtAndBeyondTheWindowsReach) {
    // Zeros first (matching the cleared window), a run repeated 4096 bytes
    // later (the farthest a reference reaches), another 4097 bytes later.
    std::mt19937 random(43);
    std::vector<uint8_t> data(2 * 4096 + 64);
    for (size_t k = 10; k < data.size(); ++k) data[k] = static_cast<uint8_t>(random());
    std::copy_n(data.begin() + 20, 30, data.begin() + 4096 + 20);
    std::copy_n(data.begin() + 200, 25, data.begin() + 4097 + 200);
    expectSameMatchesEverywhere(data);
}

}  // namespace
}  // namespace vantor::authoring
