// Test support: the plain ring-window decoder run on a whole stream, its
// produced bytes collected.
#pragma once

#include <cstdint>
#include <vector>

#include "frame/ring_window.h"

namespace vantor::test {

struct Produced {
    Status status;
    std::vector<uint8_t> bytes;  // on truncatedStream, those produced before the end
};

// The picture is complete after `count` bytes.
inline Produced decodePlainRingWindow(const std::vector<uint8_t>& stream, size_t count,
                                      StreamHooks hooks = {0, nullptr}) {
    struct Collect {
        size_t capacity;
        std::vector<uint8_t> bytes;
        bool put(uint8_t b) {
            bytes.push_back(b);
            return bytes.size() == capacity;
        }
    } sink{count, {}};
    std::vector<uint8_t> window(kRingWindowBytes, 0);
    const Status status =
        decodeRingWindow(stream.data(), stream.size(), hooks, window.data(), sink);
    return {status, sink.bytes};
}

}  // namespace vantor::test
