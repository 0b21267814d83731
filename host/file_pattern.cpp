#include "host/file_pattern.h"

#include <cctype>

namespace vantor::host {

namespace {

bool sameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

// '*' matches any run of characters, '?' any one character.
bool matchesOne(std::string_view pattern, std::string_view name) {
    size_t p = 0, n = 0;
    size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || sameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool matchesFilePattern(std::string_view patterns, std::string_view fileName) {
    while (!patterns.empty()) {
        const size_t end = patterns.find(';');
        if (matchesOne(patterns.substr(0, end), fileName)) return true;
        if (end == std::string_view::npos) break;
        patterns.remove_prefix(end + 1);
    }
    return false;
}

}  // namespace vantor::host
