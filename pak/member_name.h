// Member names as the listing shows them.
#pragma once

#include "pak/pak_layout.h"

namespace vantor::pak {

// "NAME.EXT": at most 8 name characters, '.', the 3 extension bytes.
constexpr size_t kFormattedNameBytes = 8 + 1 + 3 + 1;

// From a descrambled entry: the name up to its first space (8 characters at
// most), '.', and the extension with its spaces, 'a' to 'z' folded to upper
// case. A zero byte is copied like any other, so the text may end early.
void formatScrambledName(const ScrambledEntry& entry, char (&out)[kFormattedNameBytes]);

}  // namespace vantor::pak
