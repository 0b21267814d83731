// Fuzz harness: a second, deliberately plain decoder of the ring-window
// stream, written from the format description rather than from the plug-in's
// code. The targets compare the plug-ins against it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantor::fuzz {

struct ReferenceHooks {
    uint8_t streamXor = 0;                // applied to every stream byte
    const uint8_t* literalMap = nullptr;  // 256 entries, or none
};

// The first `wanted` bytes the stream produces, or all it produces when it
// ends sooner (a token cut off by the end produces nothing).
std::vector<uint8_t> referenceDecode(const uint8_t* stream, size_t size,
                                     const ReferenceHooks& hooks, size_t wanted);

// The LFG literal map, from its description: the left pixel is bits 7, 5, 3,
// 1 of the stored byte and the right pixel bits 6, 4, 2, 0, most significant
// first; the produced byte holds the left pixel in its high nibble.
const uint8_t* lfgLiteralMap();

}  // namespace vantor::fuzz
