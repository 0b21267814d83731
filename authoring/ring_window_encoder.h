// Encoder for the ring-window token stream the picture formats share: the
// inverse of frame/ring_window.h.
//
// The encoder works on the bytes the decoder produces. A reference may reach
// the window's initial zeros and may overlap its own output, exactly as the
// decoder copies byte by byte; the last reference may run past the end, as
// the decoder stops once the picture is complete.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vantor::authoring {

struct Token {
    bool literal;
    uint8_t byte;       // a literal's produced byte
    uint16_t position;  // a reference's window position, 0 to 4095
    uint8_t length;     // a reference's length, 3 to 18
};

constexpr unsigned kMinMatch = 3;
constexpr unsigned kMaxMatch = 18;

// How a format stores the stream: the stored literal for each produced byte
// (null: the byte itself), and a mask applied to every stream byte.
struct StreamTransforms {
    const uint8_t* literalUnmap = nullptr;
    uint8_t streamXor = 0;
};

enum class Parse {
    optimal,  // the fewest stream bytes the format allows
    lazy,     // greedy matching that defers to a longer match one byte on: faster
};

// The parse into the fewest stream bytes, flag bytes included.
std::vector<Token> parseOptimal(std::span<const uint8_t> produced);

std::vector<Token> parseTokens(std::span<const uint8_t> produced, Parse parse = Parse::optimal);

// Flag bytes and tokens, eight tokens to a group, with the transforms applied.
std::vector<uint8_t> serializeTokens(std::span<const Token> tokens, const StreamTransforms& t);

inline std::vector<uint8_t> encodeRingWindow(std::span<const uint8_t> produced,
                                             const StreamTransforms& t,
                                             Parse parse = Parse::optimal) {
    return serializeTokens(parseTokens(produced, parse), t);
}

}  // namespace vantor::authoring
