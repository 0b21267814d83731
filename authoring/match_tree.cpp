#include "authoring/match_tree.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

#include "authoring/ring_window_encoder.h"

namespace vantor::authoring {

namespace {

constexpr unsigned kHashBits = 14;
constexpr uint32_t kNone = UINT32_MAX;
// Positions within the window's reach need their links; a position's slot is
// reused once it is beyond reach, and a walk never follows a link from there.
constexpr size_t kSlots = 2 * kWindow;
// Words of 8 bytes compare the 18-byte keys; this many zeros after the
// produced bytes keep every such read inside the buffer.
constexpr size_t kTail = 32;

uint64_t load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

}  // namespace

MatchTree::MatchTree(std::span<const uint8_t> produced)
    : bytes_(kWindow, 0), end_(kWindow + produced.size()), head_(size_t{1} << kHashBits, kNone) {
    if (end_ + kTail >= kNone) throw std::length_error("picture too large to encode");
    bytes_.insert(bytes_.end(), produced.begin(), produced.end());
    bytes_.resize(end_ + kTail, 0);
    before_.assign(kSlots, kNone);
    after_.assign(kSlots, kNone);
    // The zeros just before the output are the only cleared-window bytes
    // worth finding: every earlier zero position matches no longer.
    for (size_t at = kWindow - kMaxMatch; at < kWindow; ++at) insert(at);
}

MatchFinder::Match MatchTree::longestThenInsert(size_t i) { return insert(kWindow + i); }

MatchFinder::Match MatchTree::insert(size_t at) {
    // A match is cut at the end of the produced bytes; the tree still orders
    // by whole 18-byte keys, zeros past the end included.
    const unsigned limit = static_cast<unsigned>(std::min<size_t>(kMaxMatch, end_ - at));
    uint32_t& root = head_[hashThreeBytes(&bytes_[at], kHashBits)];
    uint32_t node = root;
    root = static_cast<uint32_t>(at);
    // Where the next node ordered before (after) the new one hangs, and how
    // many leading bytes every node still to come on that side shares with it.
    uint32_t* beforeLink = &before_[at % kSlots];
    uint32_t* afterLink = &after_[at % kSlots];
    unsigned beforeShared = 0, afterShared = 0;
    MatchFinder::Match best;
    for (;;) {
        if (node == kNone || at - node > kWindow) {
            *beforeLink = *afterLink = kNone;
            break;
        }
        const unsigned n = commonLength(node, at, std::min(beforeShared, afterShared));
        if (std::min(n, limit) > best.length) best = MatchFinder::Match{std::min(n, limit), node};
        if (n == kMaxMatch) {
            *beforeLink = before_[node % kSlots];
            *afterLink = after_[node % kSlots];
            break;
        }
        if (bytes_[node + n] < bytes_[at + n]) {
            *beforeLink = node;
            beforeLink = &after_[node % kSlots];
            beforeShared = n;
            node = after_[node % kSlots];
        } else {
            *afterLink = node;
            afterLink = &before_[node % kSlots];
            afterShared = n;
            node = before_[node % kSlots];
        }
    }
    if (best.length < kMinMatch) return MatchFinder::Match{};
    return best;
}

MatchFinder::Match MatchTree::finalPart(size_t i) const {
    const size_t s = kWindow + i;
    const size_t length = end_ - s;
    if (length == 0 || length >= kMinMatch) return MatchFinder::Match{};
    for (size_t distance = 1; distance <= kWindow; ++distance) {
        if (std::memcmp(&bytes_[s - distance], &bytes_[s], length) == 0) {
            return MatchFinder::Match{static_cast<unsigned>(length), s - distance};
        }
    }
    return MatchFinder::Match{};
}

unsigned MatchTree::commonLength(size_t a, size_t b, unsigned known) const {
    for (unsigned n = known; n < kMaxMatch; n += 8) {
        const uint64_t differ = load64(&bytes_[a + n]) ^ load64(&bytes_[b + n]);
        if (differ != 0) {
            const unsigned same = std::endian::native == std::endian::little
                                      ? std::countr_zero(differ) / 8
                                      : std::countl_zero(differ) / 8;
            return std::min<unsigned>(kMaxMatch, n + same);
        }
    }
    return kMaxMatch;
}

}  // namespace vantor::authoring
