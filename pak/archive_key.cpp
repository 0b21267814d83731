#include "pak/archive_key.h"

#include "pak/pak_layout.h"

namespace vantor::pak {

bool deriveKey(const uint8_t* directory, uint32_t entryCount, ArchiveKey& key) {
    if (entryCount < kMinKeyedEntries) return false;
    for (size_t k = 0; k < kKeyBytes; ++k) {
        // (2e mod 11) = k for e = 6k mod 11, since 2 × 6 = 12 = 1 (mod 11).
        const size_t entry = (6 * k) % kKeyBytes;
        key.bytes[k] = directory[entry * sizeof(ScrambledEntry) + offsetof(ScrambledEntry, zero)];
    }
    return true;
}

void descramble(const uint8_t* in, uint8_t* out, size_t count, const ArchiveKey& key) {
    size_t k = 0;
    for (size_t i = 0; i < count; ++i) {
        out[i] = static_cast<uint8_t>(in[i] - key.bytes[k]);
        if (++k == kKeyBytes) k = 0;
    }
}

}  // namespace vantor::pak
