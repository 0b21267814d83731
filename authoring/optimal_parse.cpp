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
#include <array>
#include <bit>
#include <cstdint>
#include <stdexcept>
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

// The cheapest place for a reference from position i to end: the least of
// bits[j] over j from i + 3 to i + L (L up to 18), asked at every position
// going down from the end. The least over runs of 1, 2, 4 and 8 positions is
// kept for the latest positions; any run of 1 to 16 is two such runs,
// overlapping. A value is packed with its position, so that the least packing
// is the nearest of the cheapest.
class CheapestEnd {
public:
    CheapestEnd() {
        for (auto& level : runs_) level.fill(UINT64_MAX);
    }

    // bits[j], for j one below the last position added.
    void add(size_t j, uint32_t bits) {
        runs_[0][j % kKept] = uint64_t{bits} << 32 | static_cast<uint32_t>(j);
        for (unsigned k = 1; k < kLevels; ++k) {
            runs_[k][j % kKept] = std::min(runs_[k - 1][j % kKept],
                                           runs_[k - 1][(j + (size_t{1} << (k - 1))) % kKept]);
        }
    }

    // The least packed bits[j] for j from `first` to `last`, 1 to 16 positions.
    uint64_t over(size_t first, size_t last) const {
        const unsigned k =
            std::min(static_cast<unsigned>(std::bit_width(last - first + 1)) - 1, kLevels - 1);
        return std::min(runs_[k][first % kKept], runs_[k][(last + 1 - (size_t{1} << k)) % kKept]);
    }

private:
    static constexpr unsigned kLevels = 4;
    static constexpr size_t kKept = 32;  // past the farthest end, plus the longest run
    std::array<std::array<uint64_t, kKept>, kLevels> runs_;
};

}  // namespace

std::vector<Token> parseOptimal(std::span<const uint8_t> produced) {
    const size_t size = produced.size();
    // Bit counts are kept in 32 bits.
    if (size > UINT32_MAX / kLiteralBits) throw std::length_error("picture too large to encode");
    const std::vector<Longest> matches = longestMatches(produced);

    // bits: the fewest bits for the bytes from i to the end; covered[i]: how
    // many bytes the reference that starts that parse covers, 0 when it
    // starts with a literal.
    std::vector<uint8_t> covered(size, 0);
    CheapestEnd ends;
    uint32_t bits = 0;
    ends.add(size, bits);
    for (size_t i = size; i-- > 0;) {
        bits += kLiteralBits;
        const unsigned longest = matches[i].length;
        if (longest != 0) {
            // A final part is covered whole or not at all.
            const size_t shortest = longest < kMinMatch ? longest : kMinMatch;
            const uint64_t end = ends.over(i + shortest, i + longest);
            if (kReferenceBits + (end >> 32) < bits) {
                bits = static_cast<uint32_t>(kReferenceBits + (end >> 32));
                covered[i] = static_cast<uint8_t>(static_cast<uint32_t>(end) - i);
            }
        }
        ends.add(i, bits);
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
