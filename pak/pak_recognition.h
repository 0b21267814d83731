// Telling the two PAK layouts apart from the head of a file.
#pragma once

#include "frame/recognition_head.h"

namespace vantor::pak {

enum class PakLayout { none, scrambled, plain };

// The head's buffer holds kHeadBytes bytes (zero beyond what the file gave).
// A scrambled archive is known by its magic alone. A plain archive has no
// magic: its entry count must be 1 to 1024 and the names of its first 72
// entries must look like file names ('.', letters, digits, 5 to 16 of them).
PakLayout recognisePakHead(const Head& head);

}  // namespace vantor::pak
