// Archive member names come from untrusted files: before one becomes a file
// name in the output folder it must name a file inside that folder, and
// before one is printed its bytes must be harmless to a terminal.
#pragma once

#include <string>

namespace vantor::host {

// False for names that are empty, "." or "..", or that hold a path separator,
// a drive colon or a control character.
bool isSafeMemberFileName(const std::string& name);

// The name as it can be shown on a terminal: control bytes and bytes of 0x7F
// and above written as \xNN.
std::string printableMemberName(const std::string& name);

}  // namespace vantor::host
