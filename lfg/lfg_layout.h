// Laying the bytes the fast decoder produced, in production order, out as the
// pixel block wants them: the block's first row is the picture's bottom row.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace vantor::lfg {

// Row order: the block holds the picture's rows from the top, rowBytes each,
// and they are put in the opposite order where they are.
void flipRows(uint8_t* block, uint32_t rowBytes, uint32_t height);

// Column order: `produced` holds columns one byte wide from the left, each
// `height` bytes from the top; `block` is another block.
void layColumns(const uint8_t* produced, uint32_t rowBytes, uint32_t height, uint8_t* block);

}  // namespace vantor::lfg
