#include "authoring/ring_window_encoder.h"

#include <stdexcept>

#include "authoring/match_finder.h"

namespace vantor::authoring {

namespace {

// The lazy parse looks at this many earlier positions per byte at most.
constexpr unsigned kLazyCandidates = 256;

std::vector<Token> parseLazy(std::span<const uint8_t> produced) {
    MatchFinder finder(produced, kLazyCandidates);
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < produced.size()) {
        const auto match = finder.longest(i);
        finder.insertOutput(i);
        // A literal now pays off when the next byte starts a longer match.
        if (match.length < kMinMatch ||
            (i + 1 < produced.size() && finder.longest(i + 1).length > match.length)) {
            tokens.push_back(Token{true, produced[i], 0, 0});
            ++i;
            continue;
        }
        tokens.push_back(Token{false, 0, MatchFinder::windowPosition(match.source),
                               static_cast<uint8_t>(match.length)});
        for (size_t k = 1; k < match.length; ++k) finder.insertOutput(i + k);
        i += match.length;
    }
    return tokens;
}

}  // namespace

std::vector<Token> parseTokens(std::span<const uint8_t> produced, Parse parse) {
    return parse == Parse::optimal ? parseOptimal(produced) : parseLazy(produced);
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
            if (token.length < kMinMatch || token.length > kMaxMatch || token.position >= 4096) {
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
