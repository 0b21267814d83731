// The parse into the fewest stream bytes.
//
// A stream of L literals and R references takes L + 2R bytes of tokens and
// one flag byte per eight tokens: ceil((9L + 17R) / 8) bytes in all. So the
// parse with the fewest bits, a literal costing 9 and a reference 17, also
// has the fewest bytes. Every reference costs the same whatever its length
// and distance, and a match of length n at some distance gives every shorter
// length at that distance too: the longest match at each position is all the
// parse needs to know. A shortest path over the positions, taken from the
// end, then finds the cheapest parse exactly.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "authoring/match_finder.h"
#include "authoring/match_tree.h"
#include "authoring/ring_window_encoder.h"

namespace vantor::authoring {

namespace {

constexpr uint32_t kLiteralBits = 9;
constexpr uint32_t kReferenceBits = 17;

// The longest match at a position, as the parse needs it.
struct Longest {
    uint16_t position;  // the window position of its source
    uint8_t length;     // 3 to 18; 1 or 2 for a final part; 0 for none
};

std::vector<Longest> longestMatches(std::span<const uint8_t> produced) {
    MatchTree tree(produced);
    std::vector<Longest> longest(produced.size());
    for (size_t i = 0; i < produced.size(); ++i) {
        MatchFinder::Match match = tree.longestThenInsert(i);
        if (match.length == 0) match = tree.finalPart(i);
        longest[i] =
            Longest{MatchFinder::windowPosition(match.source), static_cast<uint8_t>(match.length)};
    }
    return longest;
}

}  // namespace

std::vector<Token> parseOptimal(std::span<const uint8_t> produced) {
    const size_t size = produced.size();
    const std::vector<Longest> matches = longestMatches(produced);

    // bits[i]: the fewest bits for the bytes from i to the end; covered[i]:
    // how many bytes the reference that starts that parse covers, 0 when it
    // starts with a literal.
    std::vector<uint32_t> bits(size + 1, 0);
    std::vector<uint8_t> covered(size, 0);
    for (size_t i = size; i-- > 0;) {
        bits[i] = kLiteralBits + bits[i + 1];
        const unsigned longest = matches[i].length;
        if (longest == 0) continue;
        // The fewest bits after a reference, packed with its length so that
        // the smallest packing is the shortest of the cheapest: a minimum
        // without branches. A final part is covered whole or not at all.
        const unsigned shortest = longest < kMinMatch ? longest : kMinMatch;
        uint64_t after = UINT64_MAX;
        for (unsigned n = shortest; n <= longest; ++n) {
            after = std::min(after, uint64_t{bits[i + n]} << 5 | n);
        }
        if (kReferenceBits + (after >> 5) < bits[i]) {
            bits[i] = static_cast<uint32_t>(kReferenceBits + (after >> 5));
            covered[i] = static_cast<uint8_t>(after & 31);
        }
    }

    std::vector<Token> tokens;
    for (size_t i = 0; i < size;) {
        if (covered[i] == 0) {
            tokens.push_back(Token{true, produced[i], 0, 0});
            ++i;
            continue;
        }
        // A final part shorter than 3 bytes is still a reference of length 3.
        const unsigned length = covered[i] < kMinMatch ? kMinMatch : covered[i];
        tokens.push_back(Token{false, 0, matches[i].position, static_cast<uint8_t>(length)});
        i += covered[i];
    }
    return tokens;
}

}  // namespace vantor::authoring
