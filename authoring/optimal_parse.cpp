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
#include <cstdint>
#include <vector>

#include "authoring/match_finder.h"
#include "authoring/match_tree.h"
#include "authoring/ring_window_encoder.h"

namespace vantor::authoring {

namespace {

constexpr uint32_t kLiteralBits = 9;
constexpr uint32_t kReferenceBits = 17;

std::vector<MatchFinder::Match> longestMatches(std::span<const uint8_t> produced) {
    MatchTree tree(produced);
    std::vector<MatchFinder::Match> matches(produced.size());
    for (size_t i = 0; i < produced.size(); ++i) {
        matches[i] = tree.longestThenInsert(i);
        if (matches[i].length == 0) matches[i] = tree.finalPart(i);
    }
    return matches;
}

}  // namespace

std::vector<Token> parseOptimal(std::span<const uint8_t> produced) {
    const size_t size = produced.size();
    const std::vector<MatchFinder::Match> matches = longestMatches(produced);

    // bits[i]: the fewest bits for the bytes from i to the end; covered[i]:
    // how many bytes the reference that starts that parse covers, 0 when it
    // starts with a literal.
    std::vector<uint32_t> bits(size + 1, 0);
    std::vector<uint8_t> covered(size, 0);
    for (size_t i = size; i-- > 0;) {
        bits[i] = kLiteralBits + bits[i + 1];
        const unsigned longest = matches[i].length;
        // A final part is covered whole or not at all.
        const unsigned shortest = longest < kMinMatch ? longest : kMinMatch;
        for (unsigned n = shortest; n != 0 && n <= longest; ++n) {
            if (kReferenceBits + bits[i + n] < bits[i]) {
                bits[i] = kReferenceBits + bits[i + n];
                covered[i] = static_cast<uint8_t>(n);
            }
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
        tokens.push_back(Token{false, 0, MatchFinder::windowPosition(matches[i].source),
                               static_cast<uint8_t>(length)});
        i += covered[i];
    }
    return tokens;
}

}  // namespace vantor::authoring
