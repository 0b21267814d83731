// Little-endian fields for fixed byte layouts. A layout is a struct of these
// and of byte arrays: alignment 1, no padding, the same bytes on every build,
// and every value read or written explicitly little-endian.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace vantor {

struct Le16 {
    uint8_t bytes[2];
    constexpr uint16_t get() const { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }
    constexpr void set(uint16_t v) {
        bytes[0] = static_cast<uint8_t>(v);
        bytes[1] = static_cast<uint8_t>(v >> 8);
    }
};

struct Le32 {
    uint8_t bytes[4];
    constexpr uint32_t get() const {
        return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
               static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    }
    constexpr void set(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(v >> (8 * i));
    }
};

static_assert(sizeof(Le16) == 2 && alignof(Le16) == 1);
static_assert(sizeof(Le32) == 4 && alignof(Le32) == 1);

// Copies a layout out of a byte buffer that holds at least sizeof(Layout) bytes.
template <class Layout>
Layout loadLayout(const uint8_t* bytes) {
    Layout layout;
    __builtin_memcpy(&layout, bytes, sizeof(Layout));
    return layout;
}

template <class Layout>
void storeLayout(const Layout& layout, uint8_t* bytes) {
    __builtin_memcpy(bytes, &layout, sizeof(Layout));
}

}  // namespace vantor
