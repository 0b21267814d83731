// The head of a file that IsSupported examines: either read from an open file
// handle into the plug-in's own buffer, or the host's buffer itself.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace vantor {

constexpr size_t kHeadBytes = 2048;

// Values of dw below this are file handles; anything else is a buffer address.
constexpr uintptr_t kFirstHeadAddress = 0x10000;

enum class HeadStart {
    fileStart,        // move the handle to the start of the file first
    currentPosition,  // read from wherever the handle is
};

struct Head {
    const uint8_t* bytes;
    size_t size;  // bytes that came from the file; the rest of the buffer is zero
};

// With a handle, reads up to kHeadBytes into buffer and leaves the handle after
// the bytes read; the handle is never closed.
Head obtainHead(uintptr_t dw, HeadStart start, uint8_t (&buffer)[kHeadBytes]);

}  // namespace vantor
