#include "pak/pak_recognition.h"

#include "frame/head_magic.h"
#include "pak/pak_layout.h"

namespace vantor::pak {

namespace {

bool isNameCharacter(uint8_t c) {
    if (c >= 'a' && c <= 'z') c = static_cast<uint8_t>(c - 'a' + 'A');
    return c == '.' || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// A name ends at a zero byte from its sixth character on, or fills all 16.
bool looksLikePlainName(const uint8_t (&name)[16]) {
    for (size_t j = 0; j < sizeof name; ++j) {
        if (name[j] == 0 && j >= 5) return true;
        if (!isNameCharacter(name[j])) return false;
    }
    return true;
}

bool looksLikePlainDirectory(const uint8_t* head) {
    const uint32_t count = loadLayout<PlainHead>(head).entryCount.get();
    if (count == 0 || count > kMaxPlainEntries) return false;
    const uint32_t examined = count < kExaminedPlainEntries ? count : kExaminedPlainEntries;
    const uint8_t* entries = head + sizeof(PlainHead);
    for (uint32_t i = 0; i < examined; ++i) {
        const auto entry = loadLayout<PlainEntry>(entries + i * sizeof(PlainEntry));
        if (!looksLikePlainName(entry.name)) return false;
    }
    return true;
}

}  // namespace

static_assert(sizeof(PlainHead) + kExaminedPlainEntries * sizeof(PlainEntry) <= kHeadBytes,
              "recognition examines only the head");

PakLayout recognisePakHead(const Head& head) {
    if (headStartsWith(head, kScrambledMagic)) return PakLayout::scrambled;
    if (looksLikePlainDirectory(head.bytes)) return PakLayout::plain;
    return PakLayout::none;
}

}  // namespace vantor::pak
