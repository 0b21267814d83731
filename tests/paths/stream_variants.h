// Streams for comparing the fast decoding path with the plain one: token
// streams aimed at every copy case of the fast path, and damaged copies of
// well-formed streams.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace vantor::test {

// A raw token stream (before any input transform) that produces about
// `produced` bytes: literals, and references whose distances favour the
// cases the fast path treats apart (1 to 8, 15 to 17, and near 4096) and
// whose lengths cover 3 to 18. `inputXor` is applied to every byte, as a
// format's stream stores it.
std::vector<uint8_t> aimedTokenStream(std::mt19937& random, size_t produced, uint8_t inputXor);

// The stream itself and damaged copies: cut short at several lengths, with
// single bytes changed, and with bytes appended.
std::vector<std::vector<uint8_t>> damagedVariants(std::mt19937& random,
                                                  const std::vector<uint8_t>& stream);

}  // namespace vantor::test
