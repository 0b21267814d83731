#include "authoring/ring_window_encoder.h"

#include <stdexcept>

namespace vantor::authoring {

namespace {

constexpr size_t kWindow = 4096;
constexpr unsigned kWindowStart = 0xFEE;
constexpr int kMaxChainSteps = 256;
constexpr unsigned kHashBits = 15;

// The decoder's view as one linear buffer: 4096 zeros (the cleared window),
// then the produced bytes. Output byte i sits at index kWindow + i, and a
// reference of distance d (1 to 4096) reads from index kWindow + i − d.
class MatchFinder {
public:
    explicit MatchFinder(std::span<const uint8_t> produced)
        : bytes_(kWindow, 0), head_(size_t{1} << kHashBits, kNone) {
        bytes_.insert(bytes_.end(), produced.begin(), produced.end());
        prev_.assign(bytes_.size(), kNone);
        // The zeros just before the output are the only cleared-window bytes
        // worth finding: every later zero position matches no longer.
        for (size_t q = kWindow - kMaxMatch; q < kWindow; ++q) insert(q);
    }

    struct Match {
        unsigned length = 0;
        size_t source = 0;
    };

    // Longest match for output byte i (ties go to the nearest source).
    Match longest(size_t i) const {
        const size_t s = kWindow + i;
        const size_t limit = std::min<size_t>(kMaxMatch, bytes_.size() - s);
        Match best;
        if (limit < kMinMatch) return best;
        int steps = kMaxChainSteps;
        for (size_t q = head_[hash(s)]; q != kNone && steps-- > 0; q = prev_[q]) {
            if (s - q > kWindow) break;
            unsigned n = 0;
            while (n < limit && bytes_[q + n] == bytes_[s + n]) ++n;
            if (n > best.length) {
                best = Match{n, q};
                if (n == limit) break;
            }
        }
        return best;
    }

    void insertOutput(size_t i) {
        if (kWindow + i + kMinMatch <= bytes_.size()) insert(kWindow + i);
    }

private:
    static constexpr size_t kNone = SIZE_MAX;

    size_t hash(size_t at) const {
        const uint32_t v = bytes_[at] | bytes_[at + 1] << 8 | bytes_[at + 2] << 16;
        return (v * 2654435761u) >> (32 - kHashBits);
    }

    void insert(size_t at) {
        const size_t h = hash(at);
        prev_[at] = head_[h];
        head_[h] = at;
    }

    std::vector<uint8_t> bytes_;
    std::vector<size_t> head_;
    std::vector<size_t> prev_;
};

uint16_t windowPosition(size_t source) {
    // Linear index kWindow + i is window position 0xFEE + i, modulo 4096.
    return static_cast<uint16_t>((source + kWindowStart) & (kWindow - 1));
}

}  // namespace

std::vector<Token> parseTokens(std::span<const uint8_t> produced) {
    MatchFinder finder(produced);
    std::vector<Token> tokens;
    size_t i = 0;
    auto emitLiteral = [&] {
        tokens.push_back(Token{true, produced[i], 0, 0});
        finder.insertOutput(i);
        ++i;
    };
    while (i < produced.size()) {
        const auto match = finder.longest(i);
        if (match.length < kMinMatch) {
            emitLiteral();
            continue;
        }
        // Lazy matching: a literal now pays off when the next byte starts a
        // longer match.
        finder.insertOutput(i);
        if (i + 1 < produced.size() && finder.longest(i + 1).length > match.length) {
            tokens.push_back(Token{true, produced[i], 0, 0});
            ++i;
            continue;
        }
        tokens.push_back(
            Token{false, 0, windowPosition(match.source), static_cast<uint8_t>(match.length)});
        for (size_t k = 1; k < match.length; ++k) finder.insertOutput(i + k);
        i += match.length;
    }
    return tokens;
}

std::vector<uint8_t> serializeTokens(std::span<const Token> tokens, const StreamTransforms& t) {
    std::vector<uint8_t> stream;
    stream.reserve(tokens.size() * 2 + tokens.size() / 8 + 1);
    size_t flagAt = 0;
    for (size_t k = 0; k < tokens.size(); ++k) {
        const unsigned bit = k % 8;
        if (bit == 0) {
            flagAt = stream.size();
            stream.push_back(0);
        }
        const Token& token = tokens[k];
        if (token.literal) {
            stream[flagAt] |= static_cast<uint8_t>(0x80 >> bit);
            stream.push_back(t.literalUnmap ? t.literalUnmap[token.byte] : token.byte);
        } else {
            if (token.length < kMinMatch || token.length > kMaxMatch || token.position >= kWindow) {
                throw std::invalid_argument("reference token out of range");
            }
            const unsigned v = token.position << 4 | (token.length - kMinMatch);
            stream.push_back(static_cast<uint8_t>(v));
            stream.push_back(static_cast<uint8_t>(v >> 8));
        }
    }
    if (t.streamXor != 0) {
        for (auto& b : stream) b ^= t.streamXor;
    }
    return stream;
}

}  // namespace vantor::authoring
