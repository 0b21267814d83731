// Reading the files a host names by path, within one call.
#pragma once

#include "frame/movable_block.h"
#include "frame/status.h"

namespace vantor {

// Reads count bytes at offset into dst; fewer bytes is shortInput.
Status readFileBytes(const char* path, uint32_t offset, uint8_t* dst, uint32_t count);

// Reads the whole file into a new working block; files above limit are tooLarge.
Status readWholeFile(const char* path, uint32_t limit, MovableBlock& block, uint32_t& size);

}  // namespace vantor
