// The information query every plug-in answers with its four strings.
#pragma once

namespace vantor {

// 0: kind ("00IN" picture filter, "00AM" archive extractor), 1: description,
// 2: file pattern, 3: format name.
struct PluginStrings {
    const char* text[4];
};

// Copies string infoNo with its terminator into buf when it fits with room to
// spare and answers its length; answers 0 and writes nothing otherwise.
int copyPluginInfo(const PluginStrings& strings, int infoNo, char* buf, int bufLen);

}  // namespace vantor
