// A decoded picture as a standard .bmp file: the filter's own DIB behind a
// 14-byte file header.
#pragma once

#include <cstdint>
#include <vector>

#include "host/picture.h"

namespace vantor::host {

std::vector<uint8_t> encodeBmp(const Picture& picture);

}  // namespace vantor::host
