// Laying the bytes the fast decoder produced, in production order, into the
// pixel block: the block's first row is the picture's bottom row.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace vantor::lfg {

// Row order: the bytes are the picture's rows from the top, rowBytes each.
void layRows(const uint8_t* produced, uint32_t rowBytes, uint32_t height, uint8_t* block);

// Column order: the bytes are columns one byte wide from the left, each
// `height` bytes from the top.
void layColumns(const uint8_t* produced, uint32_t rowBytes, uint32_t height, uint8_t* block);

}  // namespace vantor::lfg
