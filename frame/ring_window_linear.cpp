#include "frame/ring_window_linear.h"

namespace vantor {

namespace {

constexpr unsigned kTokensPerGroup = 8;
constexpr size_t kLongestReference = 18;
// A group's flag byte and eight references.
constexpr size_t kLongestGroupInput = 1 + 2 * kTokensPerGroup;
// copyReference stores whole words: up to this many bytes from the output
// position, whatever the reference's length.
constexpr size_t kCopyReach = kLongestReference;
// The output room a whole group needs: eight references of the longest kind.
constexpr size_t kGroupOutputRoom = kTokensPerGroup * kLongestReference;

uint64_t load64(const uint8_t* p) {
    uint64_t v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

void store64(uint8_t* p, uint64_t v) { __builtin_memcpy(p, &v, sizeof v); }

void copy16(uint8_t* dst, const uint8_t* src) {
    uint8_t bytes[16];
    __builtin_memcpy(bytes, src, sizeof bytes);
    __builtin_memcpy(dst, bytes, sizeof bytes);
}

// A period of 1, 2 or 4 bytes repeats exactly within a word. The last word
// is stored to end exactly with the reference, turned to the period's phase
// there: the next reference, which reads the bytes just written, then finds
// them in one store, which the processor can hand on without a stall.
void fillPattern(uint8_t* out, size_t n, uint64_t pattern, size_t period) {
    store64(out, pattern);
    store64(out + 8, pattern);
    if (n > 8) {
        const unsigned phase = static_cast<unsigned>((n - 8) % period) * 8;
        store64(out + n - 8, phase == 0 ? pattern : pattern >> phase | pattern << (64 - phase));
    }
}

// The n bytes (3 to 18) of a reference `distance` bytes behind `out`, as the
// ring copies them one at a time: a source that overlaps the destination
// repeats the last `distance` bytes. Needs `distance` bytes written before
// `out` and kCopyReach bytes of room from `out`. Each word is read after the
// words it overlaps were stored. From a distance of 16 on, two overlapping
// 16-byte copies cover the longest reference whatever n is: a branch on the
// length, taken one time in four or five, cost more than the copy. Below
// that, the last word ends with the reference, as in fillPattern.
// Inlined into both callers: a call per reference costs more than the copy.
__attribute__((always_inline)) inline void copyReference(uint8_t* out, size_t distance, size_t n) {
    const uint8_t* src = out - distance;
    if (distance >= 16) {
        copy16(out, src);
        copy16(out + 2, src + 2);
    } else if (distance >= 8) {
        store64(out, load64(src));
        store64(out + 8, load64(src + 8));
        if (n > 8) store64(out + n - 8, load64(src + n - 8));
    } else if (distance == 1) {
        fillPattern(out, n, src[0] * 0x0101010101010101ull, 1);
    } else if (distance == 2) {
        uint16_t pair;
        __builtin_memcpy(&pair, src, sizeof pair);
        fillPattern(out, n, pair * 0x0001000100010001ull, 2);
    } else if (distance == 4) {
        uint32_t quad;
        __builtin_memcpy(&quad, src, sizeof quad);
        fillPattern(out, n, quad * 0x0000000100000001ull, 4);
    } else {
        for (size_t k = 0; k < n; ++k) out[k] = src[k];
    }
}

class LinearDecoder {
public:
    LinearDecoder(const uint8_t* stream, size_t size, const StreamHooks& hooks, uint8_t* out,
                  size_t count)
        : in_(stream),
          end_(stream + size),
          first_(out),
          out_(out),
          outEnd_(out + count),
          inputXor_(hooks.inputXor),
          referenceXor_(hooks.inputXor * 0x0101u),
          literalsOnlyComplemented_(hooks.literalMap == nullptr) {
        for (unsigned b = 0; b < 256; ++b) {
            const auto literal = static_cast<uint8_t>(b ^ inputXor_);
            literals_[b] = hooks.literalMap != nullptr ? hooks.literalMap[literal] : literal;
        }
    }

    Status run() {
        while (out_ != outEnd_) {
            if (groupNeedsNoChecks()) {
                decodeGroupUnchecked();
                continue;
            }
            if (in_ == end_) return Status::truncatedStream;
            const unsigned flags = *in_++ ^ inputXor_;
            for (unsigned mask = 0x80; mask != 0; mask >>= 1) {
                if (flags & mask) {
                    if (in_ == end_) return Status::truncatedStream;
                    *out_++ = literals_[*in_++];
                } else {
                    if (end_ - in_ < 2) return Status::truncatedStream;
                    referenceChecked(readReference());
                }
                if (out_ == outEnd_) return Status::ok;
            }
        }
        return Status::ok;
    }

private:
    // The whole group's input is there, its output cannot complete the
    // picture nor store past the end, and every distance stays within the
    // bytes already produced.
    bool groupNeedsNoChecks() const {
        return static_cast<size_t>(end_ - in_) >= kLongestGroupInput &&
               static_cast<size_t>(outEnd_ - out_) >= kGroupOutputRoom &&
               static_cast<size_t>(out_ - first_) >= kRingWindowBytes;
    }

    void decodeGroupUnchecked() {
        unsigned flags = *in_++ ^ inputXor_;
        // Eight literals in a row: pictures that hardly compress.
        if (flags == 0xFF) {
            decodeEightLiterals();
            return;
        }
        for (unsigned k = 0; k < kTokensPerGroup; ++k, flags <<= 1) {
            if (flags & 0x80) {
                *out_++ = literals_[*in_++];
                continue;
            }
            const unsigned v = readReference();
            const size_t n = (v & 0x0F) + 3;
            copyReference(out_, distanceOf(v), n);
            out_ += n;
        }
    }

    void decodeEightLiterals() {
        if (literalsOnlyComplemented_) {
            store64(out_, load64(in_) ^ inputXor_ * 0x0101010101010101ull);
        } else {
            for (unsigned k = 0; k < kTokensPerGroup; ++k) out_[k] = literals_[in_[k]];
        }
        in_ += kTokensPerGroup;
        out_ += kTokensPerGroup;
    }

    // Near the start, where a reference may reach the ring's initial zeros,
    // and near the end, where the picture may complete within it.
    void referenceChecked(unsigned v) {
        const size_t produced = static_cast<size_t>(out_ - first_);
        const size_t distance = distanceOf(v);
        const size_t room = static_cast<size_t>(outEnd_ - out_);
        const size_t n = (v & 0x0F) + 3 < room ? (v & 0x0F) + 3 : room;
        if (distance <= produced && room >= kCopyReach) {
            copyReference(out_, distance, n);
            out_ += n;
            return;
        }
        for (size_t k = 0; k < n; ++k, ++out_) {
            *out_ = static_cast<size_t>(out_ - first_) >= distance ? *(out_ - distance) : 0;
        }
    }

    unsigned readReference() {
        const unsigned v = (in_[0] | in_[1] << 8) ^ referenceXor_;
        in_ += 2;
        return v;
    }

    // The ring's write position follows the output count; position v >> 4
    // lies 1 to 4096 bytes behind it (4096 when it equals the write position:
    // the byte about to be overwritten).
    size_t distanceOf(unsigned v) const {
        const auto produced = static_cast<unsigned>(out_ - first_);
        const unsigned w = (kRingWindowStart + produced) & kRingWindowMask;
        return ((w - (v >> 4) - 1) & kRingWindowMask) + 1;
    }

    const uint8_t* in_;
    const uint8_t* const end_;
    uint8_t* const first_;
    uint8_t* out_;
    uint8_t* const outEnd_;
    const uint8_t inputXor_;
    const unsigned referenceXor_;
    const bool
        literalsOnlyComplemented_;  // no literal map: a literal is its stream byte ^ inputXor
    uint8_t literals_[256];
};

}  // namespace

Status decodeRingWindowLinear(const uint8_t* stream, size_t size, const StreamHooks& hooks,
                              uint8_t* out, size_t count) {
    return LinearDecoder(stream, size, hooks, out, count).run();
}

}  // namespace vantor
