// Finds references for the ring-window encoder: the longest earlier run of
// bytes that a reference can copy, over the decoder's view of its window.
//
// That view is one linear buffer: 4096 zeros (the cleared window), then the
// produced bytes. Output byte i sits at index kWindow + i, and a reference of
// distance d (1 to 4096) reads from index kWindow + i − d. A source may
// overlap the bytes being matched, as the decoder copies one byte at a time.
//
// The lazy parse uses it with a bound on the candidates per query. The
// optimal parse uses MatchTree (match_tree.h), which finds what the unbounded
// walk finds, in a few steps instead of thousands.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vantor::authoring {

// How far back a reference reaches: also the cleared window's length at the
// front of the linear buffer.
constexpr size_t kWindow = 4096;

// The first three bytes at `at`, hashed to `bits` bits: which chain or tree a
// position joins.
inline size_t hashThreeBytes(const uint8_t* at, unsigned bits) {
    const uint32_t v = at[0] | at[1] << 8 | at[2] << 16;
    return (v * 2654435761u) >> (32 - bits);
}

class MatchFinder {
public:
    // maxCandidates bounds the earlier positions examined per query (0: all of
    // them within the window, which makes longest() exact).
    MatchFinder(std::span<const uint8_t> produced, unsigned maxCandidates);

    struct Match {
        unsigned length = 0;
        size_t source = 0;  // index into the linear buffer
    };

    // Longest match of at most 18 bytes for output byte i; ties go to the
    // nearest source. Length 0 when shorter than 3.
    Match longest(size_t i) const;

    // Makes output byte i available as a source for later queries.
    void insertOutput(size_t i);

    // The window position the decoder knows a linear-buffer source by.
    static uint16_t windowPosition(size_t source);

private:
    void insert(size_t at);

    std::vector<uint8_t> bytes_;
    std::vector<size_t> head_;
    std::vector<size_t> prev_;
    unsigned maxCandidates_;
};

}  // namespace vantor::authoring
