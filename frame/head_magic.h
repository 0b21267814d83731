// The magic test of recognition: a head is accepted when it starts with the
// format's magic bytes, and a head shorter than the magic never is.
#pragma once

#include "frame/recognition_head.h"

namespace vantor {

template <size_t N>
bool headStartsWith(const Head& head, const uint8_t (&magic)[N]) {
    if (head.size < N) return false;
    for (size_t i = 0; i < N; ++i) {
        if (head.bytes[i] != magic[i]) return false;
    }
    return true;
}

}  // namespace vantor
