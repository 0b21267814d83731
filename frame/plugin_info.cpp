#include "frame/plugin_info.h"

namespace vantor {

int copyPluginInfo(const PluginStrings& strings, int infoNo, char* buf, int bufLen) {
    if (buf == nullptr) return 0;
    auto index = static_cast<unsigned>(infoNo);  // negative numbers select nothing
    if (index >= 4) return 0;
    const char* text = strings.text[index];
    int length = 0;
    while (text[length] != '\0') ++length;
    // A buffer of exactly `length` bytes has no room for the terminator.
    if (length >= bufLen) return 0;
    for (int i = 0; i <= length; ++i) buf[i] = text[i];
    return length;
}

}  // namespace vantor
