// What a freestanding 32-bit Windows DLL needs in place of the C runtime: the
// compiler may turn copies and clears into calls to these four functions.
#include <stddef.h>

extern "C" {

void* memcpy(void* dst, const void* src, size_t count) {
    auto* d = static_cast<unsigned char*>(dst);
    const auto* s = static_cast<const unsigned char*>(src);
    while (count--) *d++ = *s++;
    return dst;
}

void* memmove(void* dst, const void* src, size_t count) {
    auto* d = static_cast<unsigned char*>(dst);
    const auto* s = static_cast<const unsigned char*>(src);
    if (d < s) {
        while (count--) *d++ = *s++;
    } else {
        while (count--) d[count] = s[count];
    }
    return dst;
}

void* memset(void* dst, int value, size_t count) {
    auto* d = static_cast<unsigned char*>(dst);
    while (count--) *d++ = static_cast<unsigned char>(value);
    return dst;
}

int memcmp(const void* a, const void* b, size_t count) {
    const auto* x = static_cast<const unsigned char*>(a);
    const auto* y = static_cast<const unsigned char*>(b);
    for (; count--; ++x, ++y) {
        if (*x != *y) return *x < *y ? -1 : 1;
    }
    return 0;
}

}  // extern "C"
