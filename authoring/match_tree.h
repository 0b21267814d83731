// Finds the longest match at every output position, exactly and fast, for the
// optimal parse. It sees the window as MatchFinder does: one linear buffer of
// 4096 zeros, then the produced bytes, output byte i at index kWindow + i.
//
// The positions that hash alike by their first three bytes form a binary
// search tree, ordered by the 18 bytes from each, with the newest position at
// the root: each position is inserted as the new root, and the walk down splits
// the old tree into the part ordered before it and the part after it. So every
// node is newer than the nodes below it, and a node beyond the window's reach
// ends the walk along with everything under it. The strings sharing the most
// leading bytes with a new position lie next to it in the order, and the
// newest of them lies on its walk: the walk that inserts a position also finds
// its longest match, with ties going to the nearest source as in MatchFinder.
// A position whose 18 bytes equal an older one's takes that one's place.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "authoring/match_finder.h"

namespace vantor::authoring {

class MatchTree {
public:
    explicit MatchTree(std::span<const uint8_t> produced);

    // The longest match of at most 18 bytes for output byte i (length 0 when
    // shorter than 3), then makes i a source for later positions. Call it for
    // every i in order.
    MatchFinder::Match longestThenInsert(size_t i);

    // A source for the last one or two output bytes from i on: a reference
    // of the shortest length covers them, the decoder stopping once the
    // picture is complete. Length 0 when no earlier bytes match.
    MatchFinder::Match finalPart(size_t i) const;

private:
    MatchFinder::Match insert(size_t at);
    unsigned commonLength(size_t a, size_t b, unsigned known) const;

    std::vector<uint8_t> bytes_;    // zeros, the produced bytes, zeros to read words past the end
    size_t end_;                    // just past the produced bytes
    std::vector<uint32_t> head_;    // the root of each hash's tree
    std::vector<uint32_t> before_;  // per position: the subtree ordered before it
    std::vector<uint32_t> after_;   // and the one ordered after it
};

}  // namespace vantor::authoring
