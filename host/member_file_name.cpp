#include "host/member_file_name.h"

namespace vantor::host {

bool isSafeMemberFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name) {
        if (c == '/' || c == '\\' || c == ':' || c < 0x20) return false;
    }
    return true;
}

}  // namespace vantor::host
