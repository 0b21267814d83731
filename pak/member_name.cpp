#include "pak/member_name.h"

namespace vantor::pak {

namespace {

char folded(uint8_t c) {
    if (c >= 'a' && c <= 'z') c = static_cast<uint8_t>(c - 'a' + 'A');
    return static_cast<char>(c);
}

}  // namespace

void formatScrambledName(const ScrambledEntry& entry, char (&out)[kFormattedNameBytes]) {
    size_t length = 0;
    for (uint8_t c : entry.name) {
        if (c == ' ') break;
        out[length++] = folded(c);
    }
    out[length++] = '.';
    for (uint8_t c : entry.extension) out[length++] = folded(c);
    out[length] = '\0';
}

}  // namespace vantor::pak
