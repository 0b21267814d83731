#include "fuzz/harness/reference_ring_window.h"

#include <array>

namespace vantor::fuzz {

std::vector<uint8_t> referenceDecode(const uint8_t* stream, size_t size,
                                     const ReferenceHooks& hooks, size_t wanted) {
    std::array<uint8_t, 4096> window{};
    size_t writeAt = 0xFEE;
    std::vector<uint8_t> out;
    auto emit = [&](uint8_t b) {
        window[writeAt] = b;
        writeAt = (writeAt + 1) % window.size();
        out.push_back(b);
    };
    size_t at = 0;
    auto next = [&] { return static_cast<uint8_t>(stream[at++] ^ hooks.streamXor); };
    while (out.size() < wanted && at < size) {
        const uint8_t flags = next();
        for (int bit = 7; bit >= 0 && out.size() < wanted; --bit) {
            if ((flags >> bit) & 1) {
                if (at + 1 > size) return out;
                const uint8_t literal = next();
                emit(hooks.literalMap != nullptr ? hooks.literalMap[literal] : literal);
            } else {
                if (at + 2 > size) return out;
                const unsigned low = next();
                const unsigned high = next();
                const unsigned value = low | high << 8;
                size_t from = value >> 4;
                for (unsigned n = 0; n < (value & 0xF) + 3u && out.size() < wanted; ++n) {
                    emit(window[from]);
                    from = (from + 1) % window.size();
                }
            }
        }
    }
    return out;
}

const uint8_t* lfgLiteralMap() {
    static const std::array<uint8_t, 256> map = [] {
        std::array<uint8_t, 256> m{};
        for (unsigned stored = 0; stored < 256; ++stored) {
            unsigned left = 0, right = 0;
            for (int bit = 7; bit >= 1; bit -= 2) left = left << 1 | ((stored >> bit) & 1);
            for (int bit = 6; bit >= 0; bit -= 2) right = right << 1 | ((stored >> bit) & 1);
            m[stored] = static_cast<uint8_t>(left << 4 | right);
        }
        return m;
    }();
    return map.data();
}

}  // namespace vantor::fuzz
