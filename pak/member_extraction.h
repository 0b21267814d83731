// Extracting the member the last lookup remembered.
#pragma once

#include "frame/status.h"
#include "pak/archive_state.h"

namespace vantor::pak {

// The largest member read from an archive file. Sizes come from the untrusted
// directory, and one far beyond any real member would have a few bytes of
// directory claim gigabytes of the host's memory or disk; no archive of the
// game holds a member anywhere near this.
constexpr uint32_t kMaxMemberBytes = 64u << 20;

// Input kind 0: reads state.lastRecord.size bytes of the archive file src
// from offset len (fewer when the file ends first). Any other input kind: src
// holds the member's len bytes. A scrambled member (state.plain false) is
// descrambled with state.key from its own first byte.
//
// Output kind 0: writes the bytes to dest, a folder path ending in its
// separator, under lastRecord.fileName, removing the file again when not
// every byte could be written. Any other output kind: dest is the address of
// the handle that receives the member's block, sized to the member.
Status extractMember(ArchiveState& state, const char* src, intptr_t len, char* dest, unsigned flag);

}  // namespace vantor::pak
