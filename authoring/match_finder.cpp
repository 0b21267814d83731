#include "authoring/match_finder.h"

#include <algorithm>

#include "authoring/ring_window_encoder.h"

namespace vantor::authoring {

namespace {

constexpr unsigned kWindowStart = 0xFEE;
constexpr unsigned kHashBits = 15;
constexpr size_t kNone = SIZE_MAX;

}  // namespace

MatchFinder::MatchFinder(std::span<const uint8_t> produced, unsigned maxCandidates)
    : bytes_(kWindow, 0), head_(size_t{1} << kHashBits, kNone), maxCandidates_(maxCandidates) {
    bytes_.insert(bytes_.end(), produced.begin(), produced.end());
    prev_.assign(bytes_.size(), kNone);
    // The zeros just before the output are the only cleared-window bytes
    // worth finding: every earlier zero position matches no longer.
    for (size_t q = kWindow - kMaxMatch; q < kWindow; ++q) insert(q);
}

MatchFinder::Match MatchFinder::longest(size_t i) const {
    const size_t s = kWindow + i;
    const size_t limit = std::min<size_t>(kMaxMatch, bytes_.size() - s);
    Match best;
    if (limit < kMinMatch) return best;
    unsigned candidates = 0;
    for (size_t q = head_[hashThreeBytes(&bytes_[s], kHashBits)]; q != kNone; q = prev_[q]) {
        if (s - q > kWindow) break;
        if (maxCandidates_ != 0 && candidates++ == maxCandidates_) break;
        // Only a longer match counts: its last byte is the likeliest to differ.
        if (best.length != 0 && bytes_[q + best.length] != bytes_[s + best.length]) continue;
        unsigned n = 0;
        while (n < limit && bytes_[q + n] == bytes_[s + n]) ++n;
        if (n > best.length) {
            best = Match{n, q};
            if (n == limit) break;
        }
    }
    if (best.length < kMinMatch) return Match{};
    return best;
}

void MatchFinder::insertOutput(size_t i) {
    if (kWindow + i + kMinMatch <= bytes_.size()) insert(kWindow + i);
}

uint16_t MatchFinder::windowPosition(size_t source) {
    // Linear index kWindow + i is window position 0xFEE + i, modulo 4096.
    return static_cast<uint16_t>((source + kWindowStart) & (kWindow - 1));
}

void MatchFinder::insert(size_t at) {
    const size_t h = hashThreeBytes(&bytes_[at], kHashBits);
    prev_[at] = head_[h];
    head_[h] = at;
}

}  // namespace vantor::authoring
