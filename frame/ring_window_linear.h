// The fast way through the ring-window stream of frame/ring_window.h, whose
// byte-at-a-time decoder stays as the reference this one must match byte for
// byte.
//
// Instead of a 4096-byte ring and a sink asked after every byte, the produced
// bytes go to one linear buffer in the order they are produced. Ring position
// p then names the byte a fixed distance behind the output (1 to 4096 bytes),
// and a distance that reaches before the first produced byte reads the ring's
// initial zeros. That turns every reference into a copy within the buffer:
// short distances become repeating patterns, longer ones wide copies. The
// format lays the bytes out in its pixel block afterwards (or decodes straight
// into it when the block's layout is the production order).
#pragma once

#include "frame/ring_window.h"

namespace vantor {

// Produces the first `count` bytes (count ≥ 1) of the stream into
// out[0, count), with the hooks of decodeRingWindow. Stores nothing outside
// out[0, count) and reads nothing past `size` bytes of the stream. ok once all
// `count` bytes are produced, also in the middle of a reference or a group,
// without reading further; truncatedStream when the stream ends first, out
// then holding part of the bytes.
Status decodeRingWindowLinear(const uint8_t* stream, size_t size, const StreamHooks& hooks,
                              uint8_t* out, size_t count);

}  // namespace vantor
