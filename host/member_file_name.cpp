#include "host/member_file_name.h"

#include <cstdio>

namespace vantor::host {

bool isSafeMemberFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name) {
        if (c == '/' || c == '\\' || c == ':' || c < 0x20) return false;
    }
    return true;
}

std::string printableMemberName(const std::string& name) {
    std::string shown;
    for (unsigned char c : name) {
        if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        }
    }
    return shown;
}

}  // namespace vantor::host
