// The ring-window decompression both picture formats use.
//
// Stream: groups of one flag byte and up to eight tokens. Flag bits are taken
// from 0x80 down to 0x01; a set bit announces a literal (one byte), a clear bit
// a reference (two bytes, v = first | second << 8): copy n = (v & 0x0F) + 3
// bytes from window position p = v >> 4, one byte at a time, so a reference
// that overlaps the bytes it writes repeats them.
//
// Window: 4096 bytes, zero at the start; writing starts at 0xFEE. A reference
// made before enough output exists copies those zeros.
//
// A format joins in at three points: inputXor is applied to every byte read
// (flag, literal and both reference bytes), literalMap to each literal before
// it enters the window, and the sink places each produced byte in the pixel
// block. The sink's put() answers true once the picture is complete; decoding
// ends right there, in the middle of a reference or group if need be.
//
// The decoder never reads past `size` bytes of the stream: a stream that ends
// before the picture is complete is truncatedStream.
//
// This is the plain decoder, written as the scheme reads. The picture filters
// use the fast one of frame/ring_window_linear.h unless built with
// VANTOR_PLAIN_DECODER; this one is the reference the fast one is tested
// against.
#pragma once

#include "frame/status.h"

namespace vantor {

constexpr size_t kRingWindowBytes = 4096;
constexpr unsigned kRingWindowMask = 0xFFF;
constexpr unsigned kRingWindowStart = 0xFEE;

struct StreamHooks {
    uint8_t inputXor;           // 0 for none
    const uint8_t* literalMap;  // 256 entries, or null for literals as they are
};

// The most bytes a stream of `size` bytes can produce: a two-byte reference
// yields at most 18. A picture that needs more can never complete, so the
// formats refuse it before allocating blocks for what its header claims.
constexpr uint64_t maxRingWindowOutput(size_t size) { return uint64_t{size} * 9; }

// window: kRingWindowBytes bytes, all zero.
template <class Sink>
Status decodeRingWindow(const uint8_t* stream, size_t size, const StreamHooks& hooks,
                        uint8_t* window, Sink& sink) {
    const uint8_t* const end = stream + size;
    const uint8_t* in = stream;
    unsigned w = kRingWindowStart;
    for (;;) {
        if (in == end) return Status::truncatedStream;
        const unsigned flags = *in++ ^ hooks.inputXor;
        for (unsigned mask = 0x80; mask != 0; mask >>= 1) {
            if (flags & mask) {
                if (in == end) return Status::truncatedStream;
                uint8_t literal = *in++ ^ hooks.inputXor;
                if (hooks.literalMap != nullptr) literal = hooks.literalMap[literal];
                window[w] = literal;
                w = (w + 1) & kRingWindowMask;
                if (sink.put(literal)) return Status::ok;
            } else {
                if (end - in < 2) return Status::truncatedStream;
                const unsigned v = (in[0] ^ hooks.inputXor) | (in[1] ^ hooks.inputXor) << 8;
                in += 2;
                unsigned p = v >> 4;
                for (unsigned n = (v & 0x0F) + 3; n != 0; --n) {
                    const uint8_t b = window[p];
                    window[w] = b;
                    p = (p + 1) & kRingWindowMask;
                    w = (w + 1) & kRingWindowMask;
                    if (sink.put(b)) return Status::ok;
                }
            }
        }
    }
}

}  // namespace vantor
