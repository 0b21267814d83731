// The 11-byte key that scrambles a PAK directory and every member: byte i of a
// region is stored as its value plus key[i mod 11], modulo 256, with i counted
// from the region's first byte.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace vantor::pak {

constexpr size_t kKeyBytes = 11;

struct ArchiveKey {
    uint8_t bytes[kKeyBytes];
};

// The derivation reads byte 11 of entries 0 to 10: fewer entries carry no key.
constexpr uint32_t kMinKeyedEntries = 11;

// directory: the entries as read, still scrambled. Byte 11 of every entry is
// zero before scrambling, so its stored value is the key byte that covers it:
// entry e's byte sits at offset 24e + 11, whose key index is 2e mod 11.
// False, with key untouched, when fewer than 11 entries are given.
bool deriveKey(const uint8_t* directory, uint32_t entryCount, ArchiveKey& key);

// in and out may be the same buffer.
void descramble(const uint8_t* in, uint8_t* out, size_t count, const ArchiveKey& key);

}  // namespace vantor::pak
