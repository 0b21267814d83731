#include "tests/paths/stream_variants.h"

#include <iterator>

namespace vantor::test {

namespace {

constexpr unsigned kWindowStart = 0xFEE;

size_t aimedDistance(std::mt19937& random) {
    static constexpr size_t kDistances[] = {1,  2,  3,  4,  5,    6,    7,    8,   9,
                                            15, 16, 17, 31, 4094, 4095, 4096, 1000};
    if (random() % 4 == 0) return 1 + random() % 4096;
    return kDistances[random() % std::size(kDistances)];
}

}  // namespace

std::vector<uint8_t> aimedTokenStream(std::mt19937& random, size_t produced, uint8_t inputXor) {
    std::vector<uint8_t> stream;
    size_t made = 0;
    while (made < produced) {
        const size_t flagAt = stream.size();
        stream.push_back(0);
        for (unsigned bit = 0; bit < 8; ++bit) {
            if (random() % 3 == 0) {
                stream[flagAt] |= static_cast<uint8_t>(0x80 >> bit);
                stream.push_back(static_cast<uint8_t>(random()));
                made += 1;
                continue;
            }
            const unsigned length = 3 + random() % 16;
            const auto w = static_cast<unsigned>((kWindowStart + made) & 0xFFF);
            const unsigned position = (w - aimedDistance(random)) & 0xFFF;
            const unsigned v = position << 4 | (length - 3);
            stream.push_back(static_cast<uint8_t>(v));
            stream.push_back(static_cast<uint8_t>(v >> 8));
            made += length;
        }
    }
    for (auto& b : stream) b ^= inputXor;
    return stream;
}

std::vector<std::vector<uint8_t>> damagedVariants(std::mt19937& random,
                                                  const std::vector<uint8_t>& stream) {
    std::vector<std::vector<uint8_t>> variants{stream};
    if (stream.empty()) return variants;
    // The last few bytes, where the end of the input meets the end of the
    // picture, and a spread of earlier cuts.
    for (size_t cut = 1; cut <= 20 && cut <= stream.size(); ++cut) {
        variants.emplace_back(stream.begin(), stream.end() - static_cast<ptrdiff_t>(cut));
    }
    for (int k = 0; k < 6; ++k) {
        variants.emplace_back(stream.begin(), stream.begin() + random() % stream.size());
    }
    for (int k = 0; k < 12; ++k) {
        auto changed = stream;
        changed[random() % changed.size()] = static_cast<uint8_t>(random());
        variants.push_back(std::move(changed));
    }
    auto longer = stream;
    for (int k = 0; k < 40; ++k) longer.push_back(static_cast<uint8_t>(random()));
    variants.push_back(std::move(longer));
    return variants;
}

}  // namespace vantor::test
