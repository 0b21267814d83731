// The two PAK archive layouts. All fields are little-endian.
//
// Scrambled layout:
//   0          "LEAFPACK"              magic, no terminator
//   8          u16 M                   number of directory entries
//   ...        member data             each member scrambled on its own
//   size - 24M M entries of 24 bytes   the directory, scrambled as one region
//
// Plain layout, nothing scrambled:
//   0          u32 M                   recognition accepts 1 to 1024; reading
//                                      uses the low 16 bits
//   4          M entries of 28 bytes   the directory
//   ...        member data
#pragma once

#include "frame/byte_layout.h"

namespace vantor::pak {

struct ScrambledHead {
    uint8_t magic[8];
    Le16 entryCount;
};
static_assert(sizeof(ScrambledHead) == 10);
static_assert(offsetof(ScrambledHead, entryCount) == 8);

// One scrambled directory entry, as it reads once descrambled.
struct ScrambledEntry {
    uint8_t name[8];       // padded with spaces
    uint8_t extension[3];  // spaces are part of it
    uint8_t zero;          // zero in every entry: the key derivation rests on it
    Le32 position;         // of the member's first byte, from the start of the file
    Le32 size;
    uint8_t unused[4];
};
static_assert(sizeof(ScrambledEntry) == 24);
static_assert(offsetof(ScrambledEntry, extension) == 8);
static_assert(offsetof(ScrambledEntry, zero) == 11);
static_assert(offsetof(ScrambledEntry, position) == 12);
static_assert(offsetof(ScrambledEntry, size) == 16);

struct PlainHead {
    Le32 entryCount;
};
static_assert(sizeof(PlainHead) == 4);

struct PlainEntry {
    uint8_t name[16];  // zero-terminated unless all 16 bytes are name
    Le32 position;     // of the member's first byte, from the start of the file
    uint8_t unused[4];
    Le32 size;
};
static_assert(sizeof(PlainEntry) == 28);
static_assert(offsetof(PlainEntry, position) == 16);
static_assert(offsetof(PlainEntry, size) == 24);

constexpr uint8_t kScrambledMagic[8] = {'L', 'E', 'A', 'F', 'P', 'A', 'C', 'K'};

// Recognition accepts plain archives of 1 to this many entries ...
constexpr uint32_t kMaxPlainEntries = 1024;
// ... and examines the names of at most this many of them.
constexpr uint32_t kExaminedPlainEntries = 72;

}  // namespace vantor::pak
