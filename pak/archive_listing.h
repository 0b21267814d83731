// Listing a PAK archive and looking one member up by name.
#pragma once

#include "frame/movable_block.h"
#include "frame/status.h"
#include "pak/archive_state.h"

namespace vantor::pak {

// A zero-filled block of M + 1 FileInfoRecords: the members in directory
// order, then an all-zero record that ends the list. Archives are read from
// the start of a file only: len must be 0, and memory input is refused since
// the data's length, which locates a scrambled directory, is not given. For a
// scrambled archive this renews state.key.
Status buildListing(ArchiveState& state, const char* buf, intptr_t len, unsigned flag,
                    MovableBlock& listing);

// Copies the first listed member named exactly `name` (or the all-zero end
// record when none is) to record and to state.lastRecord, for GetFile.
// Names of kPathBytes characters or more are tooLarge.
Status lookUpMember(ArchiveState& state, const char* buf, intptr_t len, const char* name,
                    unsigned flag, FileInfoRecord& record);

}  // namespace vantor::pak
