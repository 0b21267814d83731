#include "pak/extraction_path.h"

namespace vantor::pak {

namespace {

// Characters before the terminator, looking at no more than limit bytes;
// limit when there is no terminator among them.
size_t boundedLength(const char* text, size_t limit) {
    size_t length = 0;
    while (length < limit && text[length] != '\0') ++length;
    return length;
}

bool isSeparator(char c) { return c == '/' || c == '\\' || c == ':'; }

}  // namespace

bool isSafeMemberName(const char* name, size_t nameBytes) {
    const size_t length = boundedLength(name, nameBytes);
    bool onlyDotsAndSpaces = true;
    for (size_t i = 0; i < length; ++i) {
        if (isSeparator(name[i])) return false;
        if (name[i] != '.' && name[i] != ' ') onlyDotsAndSpaces = false;
    }
    return length != 0 && !onlyDotsAndSpaces;
}

Status joinExtractionPath(const char* folder, const char* name, size_t nameBytes,
                          char (&path)[kPathBytes]) {
    if (!isSafeMemberName(name, nameBytes)) return Status::unsafeName;
    const size_t folderLength = boundedLength(folder, kPathBytes);
    const size_t nameLength = boundedLength(name, nameBytes);
    if (folderLength + nameLength >= kPathBytes) return Status::tooLarge;
    __builtin_memcpy(path, folder, folderLength);
    __builtin_memcpy(path + folderLength, name, nameLength);
    path[folderLength + nameLength] = '\0';
    return Status::ok;
}

}  // namespace vantor::pak
